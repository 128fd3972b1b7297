#include "runtime/qt/x11_pointer.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>

#include <xcb/xcb.h>

namespace bg::detail {

std::optional<LivePointer> queryX11Pointer() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (app == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
  auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return std::nullopt;
  xcb_connection_t* c = x11->connection();
  const xcb_setup_t* setup = xcb_get_setup(c);
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
  if (it.rem == 0) return std::nullopt;
  xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(c, xcb_query_pointer(c, it.data->root), nullptr);
  if (reply == nullptr) return std::nullopt;
  qreal ratio = 1.0;
  if (QScreen* screen = QGuiApplication::primaryScreen()) ratio = screen->devicePixelRatio();
  LivePointer live{QPoint(static_cast<int>(reply->root_x / ratio), static_cast<int>(reply->root_y / ratio)),
                   (reply->mask & XCB_BUTTON_MASK_1) != 0};
  std::free(reply);
  return live;
}

}  // namespace bg::detail
