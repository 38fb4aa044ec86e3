#include "app/countdown.h"

#include "app/basic_text.h"
#include "history/history_chart.h"
#include "history/history_file.h"

#include <algorithm>
#include <cmath>

namespace minamo {

namespace {

const QString endOfDrillText = QStringLiteral("終り");
constexpr int secondsPerMinute = 60;

void playSound(SoundPlayer& player, const QString& path) {
    player.command(MediaCommand::Close);
    player.setFileName(path);
    player.command(MediaCommand::Open);
    player.command(MediaCommand::Prev);
    player.command(MediaCommand::Play);
}

} // namespace

QString soundPath(const QString& folder, const QString& file) {
    return folder.endsWith(u'/') ? folder + file : folder + QStringLiteral("/") + file;
}

void timer1Tick(Drill& d) {
    DrillState& s = d.s;
    Platform& ui = d.ui;
    // Paused before the first drill; stopped for good once a drill has ended (a tick
    // already under way when the timer stopped changes nothing).
    if (s.clockPaused == 1 || s.drillFinished == 1) {
        return;
    }
    if (ui.text2.isVisible()) {
        ui.text2.setFocus();
    }

    const double elapsed = ui.clock.monotonicSeconds() - s.startMonotonic;
    s.remaining = static_cast<float>(s.drillSeconds - elapsed);
    // A late tick (a busy or suspended machine) may find the time already past: it shows
    // 0:0 and ends the drill instead of counting below zero.
    const double shown = std::max(0.0, static_cast<double>(s.remaining));
    // Minutes rounded, seconds rounded down: the clock reads k:59 in [60k - 0.5, 60k).
    s.clockMinutes = clampToInt16(static_cast<long long>(roundHalfEven(shown)) / secondsPerMinute);
    s.clockSeconds = clampToInt16(static_cast<long long>(std::floor(shown)) % secondsPerMinute);
    ui.label2.setCaption(decimalText(s.clockMinutes) + u':' + decimalText(s.clockSeconds));

    s.score = clampToInt16(static_cast<long long>(s.correctCount) - s.missCount);
    ui.label5.setCaption(decimalText(s.score));

    if (s.clockSeconds <= 0 && s.clockMinutes == 0) {
        ui.timer1.setInterval(0);
        s.drillRunning = 0;
        ui.text2.setText(endOfDrillText);
        endDrill(d);
    }
}

void endDrill(Drill& d) {
    DrillState& s = d.s;
    Platform& ui = d.ui;
    if (s.drillFinished == 1) {
        return;
    }
    s.drillRunning = 0;
    s.drillFinished = 1;
    s.score = clampToInt16(static_cast<long long>(s.correctCount) - s.missCount);
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
        ui.messageBox.showExclamation(
            historyNotSavedText(s.historyPath, ui.files.exists(s.historyPath)),
            historyNotSavedTitle);
    }
    ui.command2.setVisible(true);
    ui.messageBox.showExclamation(closingMessageText, closingMessageTitle);
}

void playRightSound(Drill& d) {
    playSound(d.ui.mmControl1, soundPath(d.s.programFolder, rightSoundFile));
    d.ui.text5.setText(QString());
    d.ui.text6.setText(QString());
}

void playWrongSound(Drill& d) {
    playSound(d.ui.mmControl2, soundPath(d.s.programFolder, wrongSoundFile));
}

} // namespace minamo
