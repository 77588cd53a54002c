#include "ui/WindowFrame.h"

#include <QWidget>

#ifdef MORTGAGE_X11_FRAME
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#endif

namespace ui {

#ifdef MORTGAGE_X11_FRAME
namespace {

// How long a window manager that promises an estimate may take; a live one answers at once.
constexpr int kAnswerWaitMs = 500;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using Owned = std::unique_ptr<Reply, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A property of 32-bit values, empty when the window has none of that type.
std::vector<std::uint32_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t property, xcb_atom_t type, std::uint32_t count) {
    const Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, count), nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* const values =
        static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// Ends the wait once the window manager has written the frame's extents on the window.
class ExtentsWritten final : public QAbstractNativeEventFilter {
  public:
    ExtentsWritten(xcb_window_t window, xcb_atom_t extents, QEventLoop& wait)
        : window_(window), extents_(extents), wait_(wait) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* const event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* const notify = static_cast<const xcb_property_notify_event_t*>(message);
            if (notify->window == window_ && notify->atom == extents_) {
                wait_.quit();
            }
        }
        return false;
    }

  private:
    xcb_window_t window_;
    xcb_atom_t extents_;
    QEventLoop& wait_;
};

// Asks the window manager which frame it will give the window (the window need not be shown) and
// waits for its answer.
QMargins EstimatedFrame(QWidget& widget) {
    // Other platforms may offer the interface too (offscreen does) without a display behind it.
    auto* const x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
        x11->connection() == nullptr) {
        return {};
    }
    xcb_connection_t* const connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(widget.winId());
    const Owned<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!tree) {
        return {};
    }
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    // Without a window manager, or with one that does not answer, nobody would reply.
    const std::vector<std::uint32_t> supported =
        Property(connection, tree->root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    if (std::find(supported.begin(), supported.end(), request) == supported.end()) {
        return {};
    }

    QEventLoop wait;
    ExtentsWritten written(window, extents, wait);
    qGuiApp->installNativeEventFilter(&written);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    QTimer::singleShot(kAnswerWaitMs, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    qGuiApp->removeNativeEventFilter(&written);

    // Left, right, top, bottom.
    const std::vector<std::uint32_t> sides =
        Property(connection, window, extents, XCB_ATOM_CARDINAL, 4);
    if (sides.size() != 4) {
        return {};
    }
    return {static_cast<int>(sides[0]), static_cast<int>(sides[2]), static_cast<int>(sides[1]),
            static_cast<int>(sides[3])};
}

}  // namespace
#endif

QMargins FrameMargins(QWidget& window) {
#ifdef MORTGAGE_X11_FRAME
    return EstimatedFrame(window);
#else
    static_cast<void>(window);
    return {};
#endif
}

QPoint CentredClientPosition(const QRect& area, const QSize& client, const QMargins& frame) {
    const QSize framed = client.grownBy(frame);
    const QPoint frameTopLeft(area.left() + (area.width() - framed.width()) / 2,
                              area.top() + (area.height() - framed.height()) / 2);
    return frameTopLeft + QPoint(frame.left(), frame.top());
}

}  // namespace ui
