#include "core/standalone_drill.h"

#include "core/common_factor.h"

namespace minamo {

StandaloneDrill::StandaloneDrill(const InertPlatform::Areas& areas)
    : platform_(areas),
      state_(std::make_unique<DrillState>()), drill_{*state_, platform_.platform()} {
    fillPrimes(*state_);
}

StandaloneDrill::StandaloneDrill(PictureArea& area)
    : StandaloneDrill(InertPlatform::Areas{.picture1 = area,
                                           .picture2 = area,
                                           .picture3 = area,
                                           .picture4 = area,
                                           .picture5 = area,
                                           .picture7 = area}) {}

} // namespace minamo
