#include "app/startup.h"

#include "app/countdown.h"
#include "core/common_factor.h"
#include "core/spoken_text.h"

namespace minamo {

namespace {
constexpr int16 placeholderCount = 44;
} // namespace

bool startUp(Drill& d, Numbers numbers) {
    DrillState& s = d.s;
    Platform& ui = d.ui;

    s.clockPaused = 1;
    ui.command3.setVisible(false);

    if (!ui.instanceLock.acquire()) {
        ui.form1.close();
        return false;
    }

    fillPrimes(s);
    s.currentIndex = 1;

    // A placeholder list until the first drill replaces it.
    s.question[1] = idleProblem;
    s.bankCount = placeholderCount;

    ui.picture1.setVisible(false);
    ui.command2.setVisible(false);

    s.programFolder = ui.files.programFolder();
    s.drillSeconds = drillLengthSeconds;
    if (numbers == Numbers::Fresh) {
        // The pupil would read "Text1", "Label2" and "Text4" as a broken program.
        ui.text1.setText(QString());
        ui.text4.setText(QString());
        ui.label2.setCaption(freshClockText(s.drillSeconds));
    }

    ui.picture2.setPen(0, 0);
    ui.picture2.print(s.question[s.currentIndex], LineEnd::Break);
    ui.picture2.setSpokenText(spokenForm(s.question[s.currentIndex]));

    ui.label13.setVisible(false);
    ui.label14.setVisible(false);
    ui.label12.setVisible(false);

    ui.form1.show();
    ui.text2.setFocus();
    return true;
}

} // namespace minamo
