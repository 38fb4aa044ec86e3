#include "core/basic_text.h"

#include <cmath>
#include <limits>

namespace minamo {

double roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double floorValue = std::floor(value);
    const double diff = value - floorValue;
    if (diff < 0.5) {
        return floorValue;
    }
    if (diff > 0.5) {
        return floorValue + 1.0;
    }
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

std::int16_t roundToInt16(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = roundHalfEven(value);
    if (rounded <= std::numeric_limits<std::int16_t>::min()) {
        return std::numeric_limits<std::int16_t>::min();
    }
    if (rounded >= std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    return static_cast<std::int16_t>(rounded);
}

std::int16_t clampToInt16(long long value) {
    if (value < std::numeric_limits<std::int16_t>::min()) {
        return std::numeric_limits<std::int16_t>::min();
    }
    if (value > std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    return static_cast<std::int16_t>(value);
}

namespace {
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
} // namespace

double leadingNumber(const QString& text) {
    // Collect the numeric prefix (blanks inside are skipped, as a classic Val does),
    // then convert it with the C locale.
    QString number;
    int i = 0;
    const int n = text.size();
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i])) {
            ++i;
        }
    };
    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        number += text[i];
        ++i;
    }
    bool anyDigit = false;
    for (;;) {
        skipBlanks();
        if (i < n && isDigit(text[i])) {
            number += text[i++];
            anyDigit = true;
        } else {
            break;
        }
    }
    skipBlanks();
    if (i < n && text[i] == u'.') {
        number += u'.';
        ++i;
        for (;;) {
            skipBlanks();
            if (i < n && isDigit(text[i])) {
                number += text[i++];
                anyDigit = true;
            } else {
                break;
            }
        }
    }
    if (!anyDigit) {
        return 0.0;
    }
    skipBlanks();
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        int j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (text[j] == u'+' || text[j] == u'-')) {
            exponent += text[j++];
        }
        bool exponentDigit = false;
        while (j < n && isDigit(text[j])) {
            exponent += text[j++];
            exponentDigit = true;
        }
        if (exponentDigit) {
            number += exponent;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

QString decimalText(long long value) {
    return QString::number(value);
}

QString blankSignedText(long long value) {
    return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

QString blankSignedText(double value) {
    const QString digits = QString::number(value, 'g', 15);
    return value < 0 ? digits : QStringLiteral(" ") + digits;
}

int positionOf(const QString& text, const QString& needle, int start) {
    if (start < 1) {
        start = 1;
    }
    if (start > text.size() + 1) {
        return 0;
    }
    const auto found = text.indexOf(needle, start - 1);
    return found < 0 ? 0 : static_cast<int>(found) + 1;
}

QString midText(const QString& text, int start, int count) {
    if (start < 1) {
        start = 1;
    }
    if (start > text.size()) {
        return {};
    }
    return count < 0 ? text.mid(start - 1) : text.mid(start - 1, count);
}

QString leftText(const QString& text, int count) {
    return count <= 0 ? QString() : text.left(count);
}

QString rightText(const QString& text, int count) {
    return count <= 0 ? QString() : text.right(count);
}

void printNumber(PictureArea& area, double value, LineEnd end) {
    area.print(blankSignedText(value), end);
}

} // namespace minamo
