#include "app/end_of_drill.h"

#include "app/closing_message.h"
#include "app/score.h"
#include "core/basic_text.h"
#include "history/history_chart.h"
#include "history/history_file.h"

namespace minamo {

void endDrill(Drill& d) {
    DrillState& s = d.s;
    Platform& ui = d.ui;
    if (s.drillFinished == 1) {
        return;
    }
    s.drillRunning = 0;
    s.drillFinished = 1;
    s.score = drillScore(s);
    // The list may have run out before the time: the countdown stops here either way, so
    // the score label gets the final score here rather than from a later tick.
    ui.timer1.setInterval(0);
    ui.label5.setCaption(decimalText(s.score));

    ui.picture1.setVisible(true);
    ui.picture3.setVisible(false);
    ui.picture4.setVisible(false);
    ui.picture5.setVisible(false);
    ui.picture2.setVisible(false);
    ui.picture7.setVisible(false);

    if (!drawHistoryChart(d)) {
        return; // a score of 0: nothing to record
    }
    writeHistory(d);
    if (s.historyReadFailed == 1 || s.historySaveFailed == 1) {
        qWarning("%s", qPrintable(historyNotSavedLog(s.historyPath, s.historyStatus)));
        ui.messageBox.showExclamation(
            historyNotSavedText(s.historyPath, s.historyStatus,
                                ui.files.exists(s.historyPath) ? FileKept::Yes : FileKept::No),
            historyNotSavedTitle);
    }
    ui.command2.setVisible(true);
    showClosingMessage(d);
}

} // namespace minamo
