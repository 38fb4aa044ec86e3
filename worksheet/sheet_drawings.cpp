#include "worksheet/sheet_drawings.h"

namespace minamo {

AreaStyle windowAreaStyle(ControlId id) {
    const ControlSpec& layout = controlSpec(id);
    const FontSpec& font = fontOf(layout);
    return {.fontName = font.name,
            .fontPoints = font.points,
            .fore = layout.fore.value_or(colour::windowText),
            .widthTwips = static_cast<double>(layout.width),
            .heightTwips = static_cast<double>(layout.height)};
}

} // namespace minamo
