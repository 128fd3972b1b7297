#include "runtime/qt/input.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

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

// Holds back the input events of one pass, after Qt has taken the pointer state from
// them, so they can be delivered later in their order.
class InputHold : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* e) override {
    if (!obj->isWindowType()) return false;
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        detail::noteMousePosition(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
        [[fallthrough]];
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Wheel:
        held.emplace_back(QPointer<QObject>(obj), std::unique_ptr<QEvent>(e->clone()));
        return true;
      default:
        return false;
    }
  }
  std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held;
};

// Without a live query the pointer state only changes as events arrive: let the window
// system's events in, read the state they carry, and deliver them later as the program
// would have seen them, so a loop that polls the button dispatches nothing.
void refreshFromPendingInput() {
  static bool busy = false;
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || busy) return;
  busy = true;
  InputHold hold;
  app->installEventFilter(&hold);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  app->removeEventFilter(&hold);
  for (auto& [receiver, event] : hold.held) {
    if (!receiver.isNull()) QCoreApplication::postEvent(receiver.data(), event.release());
  }
  busy = false;
}

QPoint globalPos() {
  auto& s = input();
  if (s.simulatedPos) return *s.simulatedPos;
  if (auto live = detail::queryX11Pointer()) return live->pos;
  refreshFromPendingInput();
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
  if (QGuiApplication::instance() == nullptr) return false;
  refreshFromPendingInput();
  return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
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
