#include "app/drill_start.h"

#include "app/countdown.h"
#include "app/presentation.h"
#include "app/selection.h"
#include "history/history_file.h"

#include <array>

namespace minamo {

namespace {
constexpr int resetPositions = 100;
}

std::span<const CatalogueEntry> catalogue() {
    using M = MenuEntry;
    static const std::array<CatalogueEntry, 16> sets{{
        {M::Tosiki1, fillBasicA, QStringLiteral("方程式基本1.txt")},
        {M::Tosiki2, fillBasicB, QStringLiteral("方程式基本2.txt")},
        {M::Houkeisan1, fillBasicA, QStringLiteral("方程式基本3.txt")},
        {M::Mosiki1, fillStandard1, QStringLiteral("方程式標準1.txt")},
        {M::Seifwasa, fillStandard2, QStringLiteral("方程式標準2.txt")},
        {M::Seifkakewari, fillStandard3, QStringLiteral("方程式標準3.txt")},
        {M::Seifusisoku, fillStandard4, QStringLiteral("方程式標準4.txt")},
        {M::Seifusisu, fillStandard5, QStringLiteral("方程式標準5.txt")},
        {M::Mojiarawa1, fillComplex1, QStringLiteral("方程式難1.txt")},
        {M::Doruikou1, fillComplex2, QStringLiteral("方程式難2.txt")},
        {M::Dourui, fillComplex3, QStringLiteral("方程式難3.txt")},
        {M::Kakko, fillComplex4, QStringLiteral("方程式難4.txt")},
        {M::Sikiata1, fillComplex5, QStringLiteral("方程式難5.txt")},
        {M::Bmojisikik1, fillFraction1, QStringLiteral("方程式分数1.txt")},
        {M::Bmojisikik2, fillFraction2, QStringLiteral("方程式分数2.txt")},
        {M::Bunhayasa, fillFraction3, QStringLiteral("方程式分数3.txt")},
    }};
    return sets;
}

const CatalogueEntry* catalogueEntry(MenuEntry entry) {
    for (const auto& set : catalogue()) {
        if (set.entry == entry) {
            return &set;
        }
    }
    return nullptr;
}

void resetDrill(Drill& d) {
    DrillState& s = d.s;
    s.startTime = static_cast<float>(d.ui.clock.secondsSinceMidnight());
    s.startMonotonic = d.ui.clock.monotonicSeconds();
    s.remaining = 0;
    s.endTime = s.startTime + s.drillSeconds;
    // The clock shows the whole time until its first tick; left at 0:0 it would read as a
    // drill whose time is up, and the first problem would flash the score into the clock.
    s.clockMinutes = static_cast<int16>(s.drillSeconds / secondsPerMinute);
    s.clockSeconds = static_cast<int16>(s.drillSeconds % secondsPerMinute);
    for (int i = 1; i <= resetPositions; ++i) {
        s.bankQuestion[i].clear();
        s.bankAnswer[i].clear();
        s.question[i].clear();
        s.answer[i].clear();
    }
}

void startDrill(Drill& d, const CatalogueEntry& set) {
    DrillState& s = d.s;
    // A drill under way, or one already ended in this run (its score is recorded and the
    // counts are never reset), leaves the menu inert.
    if (s.drillRunning == 1 || s.drillFinished == 1) {
        return;
    }
    s.drillRunning = 1;
    resetDrill(d);
    set.builder(s);
    selectProblems(s, d.ui.random);
    s.recordName = set.recordName;
    readHistory(d);
    s.currentIndex = 0;
    advanceProblem(d);
}

} // namespace minamo
