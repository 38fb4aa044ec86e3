#pragma once

// Drives the window's handlers the way the real window delivers events, on the fake.

#include "app/form1.h"
#include "fake/key_notation.h"

namespace minamo {

// The window's handlers on a fresh fake, not yet loaded.
struct FakeForm {
    explicit FakeForm(const DrillOptions& options = {}) : form(fake.platform(), options) {}
    FakePlatform fake;
    Form1 form;
    DrillState& s() { return form.state(); }
    Drill& d() { return form.drill(); }
};

// One key into Text2: the handler first; a passed-through key is then applied by the box.
// Returns the code the handler returned.
int16 pressKey(Form1& form, FakePlatform& fake, int16 code);

// Every character of keys as one key press; "\b" in the text is Backspace.
void typeKeys(Form1& form, FakePlatform& fake, const QString& keys);

} // namespace minamo
