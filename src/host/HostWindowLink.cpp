#include "host/HostWindowLink.h"

#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace brimo::host {
namespace {

template <class Reply>
struct FreeReply {
    void operator()(Reply* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

QPoint centredTopLeft(const QRect& host, const QSize& dialog, const QRect& available) {
    QPoint topLeft = host.center() - QPoint(dialog.width() / 2, dialog.height() / 2);
    if (!available.isEmpty()) {
        topLeft.setX(
            std::clamp(topLeft.x(), available.left(), std::max(available.left(), available.right() - dialog.width())));
        topLeft.setY(
            std::clamp(topLeft.y(), available.top(), std::max(available.top(), available.bottom() - dialog.height())));
    }
    return topLeft;
}

}  // namespace

std::optional<QRect> hostWindowGeometry(WindowHandle hostWindow, double devicePixelRatio) {
    xcb_connection_t* connection = qtConnection();
    if (connection == nullptr || hostWindow == 0) {
        return std::nullopt;
    }
    // Checked requests: a bad id comes back as an error here instead of
    // landing in Qt's event queue.
    xcb_generic_error_t* error = nullptr;
    ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, hostWindow), &error));
    std::free(error);
    if (!geometry) {
        return std::nullopt;
    }
    error = nullptr;
    ReplyPtr<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, hostWindow, geometry->root, 0, 0), &error));
    std::free(error);
    if (!origin) {
        return std::nullopt;
    }
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    return QRect(static_cast<int>(std::lround(origin->dst_x / ratio)),
                 static_cast<int>(std::lround(origin->dst_y / ratio)),
                 static_cast<int>(std::lround(geometry->width / ratio)),
                 static_cast<int>(std::lround(geometry->height / ratio)));
}

HostWindowLink::HostWindowLink(QWidget& dialog, WindowHandle hostWindow) {
    if (dialog.parentWidget() != nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return;
    }
    QScreen* screen = dialog.screen();
    const double ratio = screen != nullptr ? screen->devicePixelRatio() : 1.0;
    const std::optional<QRect> host = hostWindowGeometry(hostWindow, ratio);
    if (!host) {
        return;
    }
    hostWrapper_.reset(QWindow::fromWinId(hostWindow));
    dialog.winId();
    dialog.windowHandle()->setTransientParent(hostWrapper_.get());
    dialog.adjustSize();
    dialog.move(centredTopLeft(*host, dialog.size(), screen != nullptr ? screen->availableGeometry() : QRect()));
}

HostWindowLink::~HostWindowLink() = default;

}  // namespace brimo::host
