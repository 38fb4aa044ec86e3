#pragma once

// Keys as the tests and the trace tool write them, and the answer box's own handling of the
// keys a handler passes through.

#include "core/drill_state.h"
#include "fake/fake_platform.h"

#include <functional>
#include <vector>

namespace minamo {

// Whatever takes the answer box's keys first: returns the code the box applies (0: consumed).
using KeyHandler = std::function<int16(int16)>;

// One key into Text2: the handler first; a passed-through key is then applied by the box.
// Returns the code the handler returned.
int16 pressKey(FakePlatform& fake, const KeyHandler& handler, int16 code);

// Every character of keys as one key press; "\b" in the text is Backspace.
void typeKeys(FakePlatform& fake, const KeyHandler& handler, const QString& keys);

// The keys a pupil types for an answer: a fraction's denominator first ("x=-8/3" is typed
// "x=-3/8").
QString pupilKeys(const QString& answer);

// Parses the key notation of the trace tool: every character is one key, with the escapes
// \b Backspace, \t Tab, \\ a backslash and \xNN any code (two hex digits; \xNNNN four).
std::vector<int16> parseKeyNotation(const QString& line);

} // namespace minamo
