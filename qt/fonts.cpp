#include "qt/fonts.h"

#include "design/font_families.h"

#include <QGuiApplication>

namespace minamo {

void installFontSubstitutions() {
    for (const QString& design :
         {font::proportional, font::proportionalJapanese, font::fixed, font::fixedJapanese}) {
        QFont::insertSubstitution(design, font::installedFamily(design));
    }
}

void useDesignFonts() {
    installFontSubstitutions();
    QGuiApplication::setFont(designFont(font::proportional, 10));
}

QFont designFont(const QString& name, double points, FontWeight weight) {
    // The installed family is named directly: a substitution alone would still let
    // fontconfig pick another font first for a family it does not know.
    QFont made(font::installedFamily(name));
    made.setPointSizeF(points);
    made.setBold(weight == FontWeight::Bold);
    made.setStyleStrategy(QFont::PreferAntialias);
    return made;
}

QFont designFont(const FontSpec& layout) {
    return designFont(layout.name, layout.points, layout.weight);
}

} // namespace minamo
