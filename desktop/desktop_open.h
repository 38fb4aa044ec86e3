#pragma once

// Handing a file to the desktop's own program for it (the browser for a page, the viewer
// for a sheet) through xdg-open, and learning whether that failed: Qt's desktop services
// only start xdg-open and cannot tell.

#include "platform/result.h"

#include <QString>

namespace minamo {

// A window system the desktop's programs can open on.
bool hasDisplay();

// Waits for xdg-open's answer, up to a while: one still running then is showing the file
// itself and is taken to have opened it. Says why it could not open it: no display, no
// xdg-open, or xdg-open's failure.
Result<> openOnDesktop(const QString& path);

} // namespace minamo
