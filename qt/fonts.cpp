#include "qt/fonts.h"

#include <QGuiApplication>
#include <array>

namespace minamo {

namespace {
struct Substitution {
    const char16_t* design;
    const char16_t* installed;
};
constexpr std::array<Substitution, 4> substitutions{{
    {u"MS PGothic", u"IPAPGothic"},
    {u"ＭＳ Ｐゴシック", u"IPAPGothic"},
    {u"MS Gothic", u"IPAGothic"},
    {u"ＭＳ ゴシック", u"IPAGothic"},
}};
} // namespace

void installFontSubstitutions() {
    for (const auto& s : substitutions) {
        QFont::insertSubstitution(QString::fromUtf16(s.design), QString::fromUtf16(s.installed));
    }
}

void useDesignFonts() {
    installFontSubstitutions();
    QGuiApplication::setFont(designFont(QStringLiteral("MS PGothic"), 10));
}

QString installedFamily(const QString& designName) {
    for (const auto& s : substitutions) {
        if (designName == QString::fromUtf16(s.design)) {
            return QString::fromUtf16(s.installed);
        }
    }
    return designName;
}

QFont designFont(const QString& name, double points, FontWeight weight) {
    // The installed family is named directly: a substitution alone would still let
    // fontconfig pick another font first for a family it does not know.
    QFont font(installedFamily(name));
    font.setPointSizeF(points);
    font.setBold(weight == FontWeight::Bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont designFont(const FontSpec& layout) {
    return designFont(layout.name, layout.points, layout.weight);
}

} // namespace minamo
