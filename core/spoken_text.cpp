#include "core/spoken_text.h"

#include <algorithm>

namespace minamo {

namespace {

const QString fractionWord = QStringLiteral("分の");
const QString powerOf = QStringLiteral("の");
const QString powerWord = QStringLiteral("乗");
const QString recordExtension = QStringLiteral(".txt");

// The characters a numerator is made of: digits, letters, a decimal point, a root sign.
bool isOperandCharacter(QChar c) {
    return c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'.' ||
           c == u'√';
}

bool isDenominatorCharacter(QChar c) {
    return c.isDigit() || c == u'.';
}

qsizetype runEnd(const QString& text, qsizetype from, bool (*belongs)(QChar)) {
    while (from < text.size() && belongs(text[from])) {
        ++from;
    }
    return from;
}

QString spokenDate(const QString& date) {
    const bool sixDigits = date.size() == 6 && std::all_of(date.begin(), date.end(), [](QChar c) {
                               return c >= u'0' && c <= u'9';
                           });
    if (!sixDigits) {
        return date;
    }
    return QStringLiteral("%1年%2月%3日")
        .arg(date.left(2))
        .arg(date.mid(2, 2).toInt())
        .arg(date.mid(4, 2).toInt());
}

} // namespace

QString spokenForm(const QString& written) {
    QString spoken;
    qsizetype i = 0;
    while (i < written.size()) {
        const qsizetype numeratorEnd = runEnd(written, i, isOperandCharacter);
        const QString numerator = written.mid(i, numeratorEnd - i);
        if (numeratorEnd < written.size() && written[numeratorEnd] == u'/') {
            const qsizetype denominatorEnd =
                runEnd(written, numeratorEnd + 1, isDenominatorCharacter);
            if (denominatorEnd > numeratorEnd + 1) {
                spoken += written.mid(numeratorEnd + 1, denominatorEnd - numeratorEnd - 1) +
                          fractionWord + numerator;
                i = denominatorEnd;
                continue;
            }
        }
        if (numeratorEnd > i) {
            spoken += numerator;
            i = numeratorEnd;
            continue;
        }
        if (written[i] == u'^' && i + 1 < written.size()) {
            spoken += powerOf + written[i + 1] + powerWord;
            i += 2;
            continue;
        }
        spoken += written[i];
        ++i;
    }
    return spoken;
}

QString spokenRecord(const QString& date, const QString& recordName, int score) {
    const QString name = recordName.endsWith(recordExtension)
                             ? recordName.chopped(recordExtension.size())
                             : recordName;
    QString spoken = spokenDate(date);
    if (!name.isEmpty()) {
        spoken += u' ' + name;
    }
    return spoken + u' ' + QString::number(score) + QStringLiteral("点");
}

} // namespace minamo
