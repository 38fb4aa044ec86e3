#include "fresh/problem_shape.h"

namespace minamo {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

NumberRole roleOf(QChar before, QChar after) {
    if (before == u'/') {
        return NumberRole::Denominator;
    }
    if (after == u'/') {
        return NumberRole::Numerator;
    }
    if (after == u'x') {
        return NumberRole::Coefficient;
    }
    if (after == u'(') {
        return NumberRole::Multiplier;
    }
    return NumberRole::Constant;
}

} // namespace

QString ProblemShape::with(const std::vector<int>& values) const {
    QString text = pieces.front();
    for (std::size_t i = 0; i < places.size(); ++i) {
        text += QString::number(values[i]) + pieces[i + 1];
    }
    return text;
}

ProblemShape shapeOf(const QString& problem) {
    ProblemShape shape;
    QString piece;
    qsizetype i = 0;
    while (i < problem.size()) {
        if (!isDigit(problem[i])) {
            piece += problem[i++];
            continue;
        }
        const qsizetype start = i;
        while (i < problem.size() && isDigit(problem[i])) {
            ++i;
        }
        const QChar before = start > 0 ? problem[start - 1] : QChar();
        const QChar after = i < problem.size() ? problem[i] : QChar();
        NumberPlace place{.role = roleOf(before, after),
                          .digits = static_cast<int>(i - start),
                          .bankValue = problem.mid(start, i - start).toInt()};
        const bool overPrevious = piece == QStringLiteral("/") || piece == QStringLiteral("x/");
        if (place.role == NumberRole::Denominator && overPrevious && !shape.places.empty()) {
            // "a/b": the number before the bar; "ax/b": the coefficient before the x.
            place.over = static_cast<int>(shape.places.size()) - 1;
        }
        shape.pieces.push_back(piece);
        shape.places.push_back(place);
        piece.clear();
    }
    shape.pieces.push_back(piece);
    return shape;
}

} // namespace minamo
