#include "runtime/qt/input.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPoint>

#include <optional>

#include "runtime/qt/ports.h"
#include "runtime/qt/windows.h"
#include "runtime/qt/x11_pointer.h"

namespace bg {

namespace {

struct InputState {
  QPoint lastGlobal;
  std::optional<QPoint> simulatedPos;
  std::optional<bool> simulatedDown;
  std::optional<uint16_t> simulatedModifiers;
};

InputState& input() {
  static InputState s;
  return s;
}

QPoint globalPos() {
  auto& s = input();
  if (s.simulatedPos) return *s.simulatedPos;
  if (auto live = detail::queryX11Pointer()) return live->pos;
  if (QGuiApplication::instance() != nullptr && QGuiApplication::platformName() != "offscreen") {
    return QCursor::pos();
  }
  return s.lastGlobal;
}

}  // namespace

Point getGlobalMouse() {
  const QPoint p = globalPos();
  return Point{static_cast<int16_t>(p.x()), static_cast<int16_t>(p.y())};
}

Point getMouse() {
  const QPoint g = globalPos();
  GrafPtr port = getPort();
  QPoint local = g;
  if (port != nullptr && port->windowNumber != 0) {
    const Rect content = windowContentRect(port->windowNumber);
    local = QPoint(g.x() - content.left, g.y() - content.top);
  }
  if (port != nullptr) local += port->origin;
  return Point{static_cast<int16_t>(local.x()), static_cast<int16_t>(local.y())};
}

bool button() {
  auto& s = input();
  if (s.simulatedDown) return *s.simulatedDown;
  if (auto live = detail::queryX11Pointer()) return live->leftDown;
  // Elsewhere the state is the one the last delivered events left.
  if (QGuiApplication::instance() != nullptr) return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
  return false;
}

bool stillDown() { return button(); }

uint16_t currentKeyModifiers() {
  auto& s = input();
  if (s.simulatedModifiers) return *s.simulatedModifiers;
  if (QGuiApplication::instance() == nullptr) return 0;
  return detail::carbonModifiers(static_cast<int>(QGuiApplication::queryKeyboardModifiers()));
}

namespace testing {
void simulateMouse(Point global, bool down) {
  input().simulatedPos = QPoint(global.h, global.v);
  input().simulatedDown = down;
}
void clearSimulatedMouse() {
  input().simulatedPos.reset();
  input().simulatedDown.reset();
}
void setModifiers(uint16_t carbonBits) { input().simulatedModifiers = carbonBits; }
void clearSimulatedModifiers() { input().simulatedModifiers.reset(); }
}  // namespace testing

namespace detail {
void noteMousePosition(const QPoint& global) { input().lastGlobal = global; }

uint16_t carbonModifiers(int qtModifiers) {
  uint16_t bits = 0;
  if (qtModifiers & Qt::ControlModifier) bits |= 0x100;
  if (qtModifiers & Qt::ShiftModifier) bits |= 0x200;
  if (qtModifiers & Qt::AltModifier) bits |= 0x800;
  if (qtModifiers & Qt::MetaModifier) bits |= 0x1000;
  return bits;
}
}  // namespace detail

}  // namespace bg
