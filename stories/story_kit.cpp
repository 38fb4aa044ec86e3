#include "stories/story_kit.h"

#include <numeric>

namespace minamo::stories {

// The stories' quantities stay below a million, so their products fit 64 bits with room.
Q q(std::int64_t num, std::int64_t den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const std::int64_t g = std::gcd(num, den);
    return g > 1 ? Q{num / g, den / g} : Q{num, den};
}

Q operator+(Q a, Q b) {
    return q(a.num * b.den + b.num * a.den, a.den * b.den);
}

Q operator-(Q a, Q b) {
    return q(a.num * b.den - b.num * a.den, a.den * b.den);
}

Q operator*(Q a, Q b) {
    return q(a.num * b.num, a.den * b.den);
}

Q operator/(Q a, Q b) {
    return q(a.num * b.den, a.den * b.num);
}

QString text(Q v) {
    return v.den == 1 ? QString::number(v.num) : QStringLiteral("%1/%2").arg(v.num).arg(v.den);
}

QString text(std::int64_t v) {
    return QString::number(v);
}

QString timesX(Q k) {
    if (k == q(1)) {
        return QStringLiteral("x");
    }
    return text(k) + u'x';
}

int drawStep(FreshRandom& random, int lo, int hi, int by) {
    return lo + by * random.between(0, (hi - lo) / by);
}

std::vector<QString> lines(std::initializer_list<QString> texts) {
    std::vector<QString> out;
    for (const QString& t : texts) {
        if (lineHalves(QString(t).remove(u'|')) <= storyLineHalves) {
            out.push_back(QString(t).remove(u'|'));
            continue;
        }
        QString line;
        for (const QString& piece : t.split(u'|')) {
            if (!line.isEmpty() && lineHalves(line + piece) > storyLineHalves) {
                out.push_back(line.trimmed());
                line.clear();
            }
            line += piece;
        }
        out.push_back(line.trimmed());
    }
    return out;
}

constexpr int perHour = 60;

QString minutesText(int minutes) {
    const int hours = minutes / perHour;
    const int rest = minutes % perHour;
    if (hours == 0) {
        return QStringLiteral("%1分").arg(rest);
    }
    if (rest == 0) {
        return QStringLiteral("%1時間").arg(hours);
    }
    return QStringLiteral("%1時間%2分").arg(hours).arg(rest);
}

QString hoursLine(int minutes) {
    const Q hours = q(minutes, perHour);
    if (minutes < perHour) {
        return QStringLiteral("%1分=%1/60時間=%2時間").arg(minutes).arg(text(hours));
    }
    return QStringLiteral("%1=%2時間").arg(minutesText(minutes), text(hours));
}

} // namespace minamo::stories
