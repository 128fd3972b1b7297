#include "runtime/qt/ports.h"

#include <algorithm>
#include <limits>
#include <set>

#include "runtime/qt/regions.h"

namespace bg {

namespace {

struct PortState {
  GrafPort scratch;   // the port in force when no window or world is current
  GrafPtr current = nullptr;
  std::set<GrafPort*> ports;
  int failWorlds = 0;
  int32_t maxMem = 256 * 1024 * 1024;
  bool scratchReady = false;
};

PortState& ps() {
  static PortState s;
  if (!s.scratchReady) {
    s.scratchReady = true;
    detail::initPort(s.scratch, 1, 1);
  }
  return s;
}

// A clip that lets everything through.
QRegion wideOpen() { return QRegion(-32768, -32768, 65535, 65535); }

GWorldPtr makeWorld(const Rect& rect, bool oneBit) {
  auto& s = ps();
  if (s.failWorlds > 0) {
    --s.failWorlds;
    return nullptr;
  }
  if (rect.width() <= 0 || rect.height() <= 0 || rect.width() > 16384 || rect.height() > 16384) return nullptr;
  auto* w = new GrafPort;
  detail::initPort(*w, rect.width(), rect.height());
  w->origin = QPoint(rect.left, rect.top);
  w->oneBit = oneBit;
  detail::registerPort(w);
  return w;
}

}  // namespace

Rect GrafPort::bounds() const {
  return makeRect(origin.x(), origin.y(), origin.x() + image.width(), origin.y() + image.height());
}

GrafPtr getPort() {
  auto& s = ps();
  return s.current != nullptr ? s.current : &s.scratch;
}

void setPort(GrafPtr port) { ps().current = port; }

GWorldPtr newGWorld(const Rect& rect) { return makeWorld(rect, false); }
GWorldPtr newMaskWorld(const Rect& rect) { return makeWorld(rect, true); }

void disposeGWorld(GWorldPtr& world) {
  if (world == nullptr || world->windowNumber != 0) return;
  auto& s = ps();
  if (s.current == world) s.current = nullptr;
  detail::unregisterPort(world);
  delete world;
  world = nullptr;
}

bool lockPixels(GWorldPtr world) { return world != nullptr; }
void unlockPixels(GWorldPtr /*world*/) {}
int32_t maxMem() { return ps().maxMem; }
int16_t mainDeviceDepth() { return 32; }

void setOrigin(int h, int v) { setPortOrigin(getPort(), h, v); }

void setPortOrigin(GrafPtr port, int h, int v) {
  if (port != nullptr) port->origin = QPoint(h, v);
}

void clipRect(const Rect& r) {
  getPort()->clip = emptyRect(r) ? QRegion() : QRegion(r.left, r.top, r.width(), r.height());
}

void setClip(const Region* rgn) { getPort()->clip = rgn != nullptr ? rgn->rgn : wideOpen(); }

void getClip(Region* rgn) {
  if (rgn != nullptr) rgn->rgn = getPort()->clip;
}

namespace testing {
void failNextWorldCreations(int n) { ps().failWorlds = n; }
void setMaxMem(int32_t bytes) { ps().maxMem = bytes; }
}  // namespace testing

namespace detail {

void initPort(GrafPort& port, int width, int height) {
  port = GrafPort{};
  port.image = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  port.image.fill(Qt::white);
  port.clip = wideOpen();
}

void registerPort(GrafPort* port) { ps().ports.insert(port); }

void unregisterPort(GrafPort* port) {
  auto& s = ps();
  s.ports.erase(port);
  if (s.current == port) s.current = nullptr;
}

void forgetPortReferences(const void* object) {
  auto& s = ps();
  auto scrub = [object](GrafPort* p) {
    if (p->penPat == object) p->penPat = nullptr;
    if (p->palette == object) p->palette = nullptr;
    auto& rec = p->recordings;
    rec.erase(std::remove(rec.begin(), rec.end(), object), rec.end());
  };
  scrub(&s.scratch);
  for (GrafPort* p : s.ports) scrub(p);
}

}  // namespace detail

}  // namespace bg
