#include "app/startup.h"

#include "app/countdown.h"

#include <array>

namespace minamo {

namespace {
constexpr std::array<int16, 17> firstPrimes{2,  3,  5,  7,  11, 13, 17, 19, 23,
                                            29, 31, 37, 41, 43, 47, 53, 59};
constexpr int16 placeholderCount = 44;
} // namespace

bool startUp(Drill& d) {
    DrillState& s = d.s;
    Platform& ui = d.ui;

    s.clockPaused = 1;
    ui.command3.setVisible(false);

    if (!ui.instanceLock.acquire()) {
        ui.form1.close();
        return false;
    }

    s.primes[0] = 1;
    for (int i = 0; i < static_cast<int>(firstPrimes.size()); ++i) {
        s.primes[i + 1] = firstPrimes[static_cast<std::size_t>(i)];
    }
    s.currentIndex = 1;

    // A placeholder list until the first drill replaces it.
    s.question[1] = idleProblem;
    s.bankCount = placeholderCount;

    ui.picture1.setVisible(false);
    ui.command2.setVisible(false);

    s.programFolder = ui.files.programFolder();
    s.drillSeconds = drillLengthSeconds;

    ui.picture2.setPen(0, 0);
    ui.picture2.print(s.question[s.currentIndex], LineEnd::Break);

    ui.label13.setVisible(false);
    ui.label14.setVisible(false);
    ui.label12.setVisible(false);

    ui.form1.show();
    ui.text2.setFocus();
    return true;
}

} // namespace minamo
