#include "drill_program/keyboard_focus.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace minamo {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

xcb_connection_t* x11Connection() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Whether window is ancestor or the window itself; the walk ends at the root.
bool isWithin(xcb_connection_t* connection, xcb_window_t window, xcb_window_t ancestor) {
    while (window != XCB_WINDOW_NONE) {
        if (window == ancestor) {
            return true;
        }
        const ReplyPtr<xcb_query_tree_reply_t> tree{
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr)};
        if (!tree || tree->parent == window || window == tree->root) {
            return false;
        }
        window = tree->parent;
    }
    return false;
}

} // namespace

bool holdsKeyboardFocus(const QWidget* window) {
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window->testAttribute(Qt::WA_WState_Created)) {
        return window->isActiveWindow();
    }
    const ReplyPtr<xcb_get_input_focus_reply_t> focus{
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr)};
    if (!focus) {
        return window->isActiveWindow();
    }
    // PointerRoot (1) and None (0) are no window of ours.
    return focus->focus > 1 &&
           isWithin(connection, focus->focus, static_cast<xcb_window_t>(window->winId()));
}

} // namespace minamo
