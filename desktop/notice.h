#pragma once

#include <QString>

namespace minamo {

// A failure told in a small message box too, when a display is at hand: the companion
// programs are mostly started from the desktop's menu, where nobody reads standard error.
// The box lives in a process of its own, so that a display that cannot be reached ends only
// that process, and the program goes on at once to end with its own status. Nothing is
// shown where no one would see it (no display, or Qt's offscreen platform).
void showNoticeAside(const QString& program, const QString& title, const QString& text);

} // namespace minamo
