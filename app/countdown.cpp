#include "app/countdown.h"

#include "app/end_of_drill.h"
#include "app/presentation.h"
#include "app/score.h"
#include "core/basic_text.h"

#include <algorithm>
#include <cmath>

namespace minamo {

QString freshClockText(int seconds) {
    constexpr int secondsWidth = 2;
    return QStringLiteral("%1:%2")
        .arg(seconds / secondsPerMinute)
        .arg(seconds % secondsPerMinute, secondsWidth, 10, QLatin1Char('0'));
}

void countDown(Drill& d, Numbers numbers) {
    DrillState& s = d.s;
    Platform& ui = d.ui;
    // Paused before the first drill; stopped for good once a drill has ended (a tick
    // already under way when the timer stopped changes nothing).
    if (s.clockPaused == 1 || s.drillFinished == 1) {
        return;
    }
    // The answer box takes the keys back on every tick, but not from a button the pupil
    // went to by Tab.
    if (ui.text2.isVisible() && !buttonWaits(ui)) {
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
    // The minutes and seconds above decide the end and stay as they are in both editions;
    // the fresh caption does not round the minutes, which read one too many for the last
    // half second of each minute ("10:59" with 599.7 seconds left).
    ui.label2.setCaption(numbers == Numbers::Fresh
                             ? freshClockText(static_cast<int>(std::floor(shown)))
                             : decimalText(s.clockMinutes) + u':' + decimalText(s.clockSeconds));

    s.score = drillScore(s);
    ui.label5.setCaption(decimalText(s.score));

    if (s.clockSeconds <= 0 && s.clockMinutes == 0) {
        ui.timer1.setInterval(0);
        s.drillRunning = 0;
        ui.text2.setText(endOfDrillText);
        endDrill(d);
    }
}

} // namespace minamo
