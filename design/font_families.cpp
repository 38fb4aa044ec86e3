#include "design/font_families.h"

namespace minamo::font {

QString installedFamily(const QString& designFamily) {
    if (designFamily == proportional || designFamily == proportionalJapanese) {
        return proportionalInstalled;
    }
    if (isFixedPitch(designFamily)) {
        return fixedInstalled;
    }
    return designFamily;
}

bool isFixedPitch(const QString& designFamily) {
    return designFamily == fixed || designFamily == fixedJapanese;
}

} // namespace minamo::font
