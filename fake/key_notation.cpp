#include "fake/key_notation.h"

#include "platform/key_codes.h"

#include <QRegularExpression>

namespace minamo {

int16 pressKey(FakePlatform& fake, const KeyHandler& handler, int16 code) {
    const int16 result = handler(code);
    if (result != key::consumed) {
        fake.text2.applyPassedKey(result, characterForKeyCode(result));
    }
    return result;
}

void typeKeys(FakePlatform& fake, const KeyHandler& handler, const QString& keys) {
    for (QChar c : keys) {
        pressKey(fake, handler, c == u'\b' ? key::backspace : keyCodeForCharacter(c));
    }
}

QString pupilKeys(const QString& answer) {
    static const QRegularExpression fraction(QStringLiteral("^x=(-?)(\\d+)/(\\d+)$"));
    const auto match = fraction.match(answer);
    if (!match.hasMatch()) {
        return answer;
    }
    return QStringLiteral("x=") + match.captured(1) + match.captured(3) + QStringLiteral("/") +
           match.captured(2);
}

std::vector<int16> parseKeyNotation(const QString& line) {
    std::vector<int16> codes;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'\\' && i + 1 < line.size()) {
            const QChar next = line[i + 1];
            if (next == u'b') {
                codes.push_back(key::backspace);
                ++i;
                continue;
            }
            if (next == u't') {
                codes.push_back(key::tab);
                ++i;
                continue;
            }
            if (next == u'\\') {
                codes.push_back(static_cast<int16>(u'\\'));
                ++i;
                continue;
            }
            if (next == u'x') {
                int digits = 0;
                while (digits < 4 && i + 2 + digits < line.size() &&
                       QStringLiteral("0123456789abcdefABCDEF").contains(line[i + 2 + digits])) {
                    ++digits;
                }
                if (digits == 2 || digits == 4) {
                    bool ok = false;
                    const auto value = line.mid(i + 2, digits).toUInt(&ok, 16);
                    codes.push_back(static_cast<int16>(static_cast<std::uint16_t>(value)));
                    i += 1 + digits;
                    continue;
                }
            }
        }
        codes.push_back(keyCodeForCharacter(c));
    }
    return codes;
}

} // namespace minamo
