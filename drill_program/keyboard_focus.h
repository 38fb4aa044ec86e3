#pragma once

class QWidget;

namespace minamo {

// Whether the keyboard focus lies in the top-level window, as the window system itself
// says. On X11 the server is asked: Qt's own view (isActiveWindow) lags a focus change by
// up to 100 ms, for Qt waits that long for a FocusIn before it deactivates a window that
// lost the focus. Elsewhere Qt's view is all there is.
bool holdsKeyboardFocus(const QWidget* window);

} // namespace minamo
