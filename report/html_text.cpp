#include "report/html_text.h"

namespace minamo {

namespace {
constexpr char16_t controlPictures = u'\u2400';
constexpr char16_t deletePicture = u'\u2421';
} // namespace

QString htmlEscaped(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        case u'\'':
            out += QStringLiteral("&#39;");
            break;
        case u'\t':
            out += c;
            break;
        case 0x7f:
            out += QChar(deletePicture);
            break;
        default:
            out += c.unicode() < 0x20 ? QChar(char16_t(controlPictures + c.unicode())) : c;
        }
    }
    return out;
}

} // namespace minamo
