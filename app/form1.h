#pragma once

// The window's event handlers. The Qt window and the test fake deliver their events here;
// each handler runs to completion before the next event.

#include "app/fresh_banks.h"
#include "app/presentation.h"
#include "core/drill.h"

namespace minamo {

class Form1 {
public:
    explicit Form1(Platform& ui, DrillOptions options = {});
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    DrillState& state() { return state_; }
    Drill& drill() { return drill_; }

    // Handlers are named Control_Event, after the control and the event they answer; the
    // menu's entries (tosiki1, seifwasa, ...) share one, Menu_Click, told which entry was
    // chosen. The procedures they call are named in lowerCamelCase for what they do
    // (startUp, startDrill, judgeAnswer, countDown), never after a control or an event.
    // Key releases and the answer box losing the focus change nothing: they have no handler.

    // Returns false when another copy already runs: the program must end at once.
    bool Form_Load();
    // A click on the menu entry with that control name ("tosiki1"); greyed entries and
    // names the catalogue does not hold do nothing.
    void Menu_Click(QStringView entryName);
    // A key in the answer box; returns the code the box applies (0: consumed).
    int16 Text2_KeyPress(int16 key);
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    const DrillOptions& options() const { return options_; }
    // With fresh numbers, makes every set's fresh bank now, while nobody waits for one.
    void prepareFreshNumbers();
    // 確認 or 消す waits for the pupil: Tab may leave the answer box for it.
    bool buttonWaits() const { return minamo::buttonWaits(drill_.ui); }

private:
    DrillState state_;
    Drill drill_;
    DrillOptions options_;
    std::optional<FreshBanks> freshBanks_;
};

} // namespace minamo
