#pragma once
// The live pointer of the X server, read without touching Qt's event queue.
#include <QPoint>

#include <optional>

namespace bg::detail {

struct LivePointer {
  QPoint pos;     // global, in Qt's device-independent pixels
  bool leftDown;
};

// Empty unless the platform is X11.
std::optional<LivePointer> queryX11Pointer();

}  // namespace bg::detail
