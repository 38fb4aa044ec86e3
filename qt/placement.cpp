#include "qt/placement.h"

#include "qt/fonts.h"
#include "qt/qt_colour.h"

#include <QWidget>

namespace minamo {

void placeControl(QWidget* widget, const ControlSpec& layout, const TwipsScale& scale) {
    widget->setObjectName(layout.name);
    widget->setGeometry(scale.toWholePixels(layout.left), scale.toWholePixels(layout.top),
                        scale.toWholePixels(layout.width), scale.toWholePixels(layout.height));
    if (layout.font) {
        widget->setFont(designFont(*layout.font));
    }
    QPalette palette = widget->palette();
    if (layout.back) {
        palette.setColor(QPalette::Base, toQColor(*layout.back));
        palette.setColor(QPalette::Button, toQColor(*layout.back));
        palette.setColor(QPalette::Window, toQColor(*layout.back));
    }
    if (layout.fore) {
        palette.setColor(QPalette::WindowText, toQColor(*layout.fore));
        palette.setColor(QPalette::Text, toQColor(*layout.fore));
    }
    widget->setPalette(palette);
}

} // namespace minamo
