#include "platform/key_codes.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace minamo {

std::int16_t keyCodeForCharacter(QChar character) {
    const char16_t unit = character.unicode();
    if (unit < 128) {
        return static_cast<std::int16_t>(unit);
    }
    QStringEncoder encoder("Shift_JIS");
    const QByteArray bytes = encoder.encode(QString(character));
    if (encoder.hasError() || bytes.isEmpty() || bytes == "?") {
        return -1;
    }
    if (bytes.size() == 1) {
        return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[0]));
    }
    const auto code = (static_cast<unsigned>(static_cast<unsigned char>(bytes[0])) << 8) |
                      static_cast<unsigned char>(bytes[1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(code));
}

QString characterForKeyCode(std::int16_t code) {
    if (code >= 32 && code < 127) {
        return QString(QChar(code));
    }
    if (code >= 0 && code < 32) {
        return {};
    }
    QByteArray bytes;
    const auto unsignedCode = static_cast<std::uint16_t>(code);
    if (unsignedCode > 0xFF) {
        bytes.append(static_cast<char>(unsignedCode >> 8));
    }
    bytes.append(static_cast<char>(unsignedCode & 0xFF));
    QStringDecoder decoder("Shift_JIS");
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

} // namespace minamo
