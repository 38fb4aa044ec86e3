#include "app/drill_start.h"

#include "app/countdown.h"
#include "app/presentation.h"
#include "app/selection.h"
#include "design/form_layout.h"
#include "history/history_file.h"

namespace minamo {

namespace {
constexpr int resetPositions = 100;
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

const QString freshFailureAdvice =
    QStringLiteral("いつもの問題で練習するときは、「ミナモ塾」から始めてください。");

void startDrill(Drill& d, const CatalogueEntry& set, FreshBanks* fresh) {
    DrillState& s = d.s;
    // A drill under way, or one already ended in this run (its score is recorded and the
    // counts are never reset), leaves the menu inert.
    if (s.drillRunning == 1 || s.drillFinished == 1) {
        return;
    }
    const Numbers numbers = fresh ? Numbers::Fresh : Numbers::Bank;
    if (!set.choosable(numbers)) {
        return;
    }
    const Result<FreshBank>* freshBank = fresh ? &fresh->of(set) : nullptr;
    if (freshBank && !*freshBank) {
        d.ui.messageBox.showExclamation(freshFailureMessage(set, freshBank->reason()) + u'\n' +
                                            freshFailureAdvice,
                                        form::caption);
        return;
    }
    s.drillRunning = 1;
    resetDrill(d);
    fillBank(s, freshBank ? (*freshBank)->bank() : *set.bank);
    selectProblems(s, d.ui.random);
    s.recordName = recordNameFor(set, numbers).text();
    readHistory(d);
    s.currentIndex = 0;
    advanceProblem(d);
}

} // namespace minamo
