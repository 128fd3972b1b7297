#include "runtime/qt/snapshot.h"

#include "runtime/qt/windows.h"

namespace bg {

bool savePortSnapshot(const GrafPort* port, const QString& pngPath) {
  return port != nullptr && port->image.save(pngPath, "PNG");
}

bool saveWindowSnapshot(int16_t window, const QString& pngPath) {
  return savePortSnapshot(windowPort(window), pngPath);
}

}  // namespace bg
