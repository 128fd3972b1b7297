#pragma once
// Helpers for the Qt tests of every area: real clicks and keys sent through the layer's
// handlers, pixel reads in a port's local coordinates, and PNG snapshots.
#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QString>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/qt/ports.h"
#include "runtime/qt/qd_types.h"
#include "runtime/qt/snapshot.h"
#include "runtime/qt/windows.h"

namespace bg::testing {

// Window n's widget, or nullptr after failing the test with a message: a helper that meets
// a missing window fails its test, not the whole test program.
inline QWidget* presentWidget(int16_t n) {
  QWidget* w = contentWidget(n);
  if (w == nullptr) ADD_FAILURE() << "window " << n << " is not there";
  return w;
}
inline QWindow* presentWindowHandle(int16_t n) {
  QWidget* w = presentWidget(n);
  QWindow* handle = w != nullptr ? w->windowHandle() : nullptr;
  if (w != nullptr && handle == nullptr) ADD_FAILURE() << "window " << n << " is not shown";
  return handle;
}

// The widget position of a point in window n's local coordinates.
inline QPoint widgetPointOf(int16_t n, Point local) {
  const GrafPort* port = windowPort(n);
  const QPoint o = port != nullptr ? port->origin : QPoint();
  return QPoint(local.h - o.x(), local.v - o.y() + detail::menuBarHeightOf(n));
}

// A press and release at a local point of window n, through the window's real handlers.
// A control of a box under the point takes the click itself.
inline void clickAt(int16_t n, Point local, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* w = presentWidget(n);
  if (w == nullptr) return;
  const QPoint p = widgetPointOf(n, local);
  if (QWidget* child = w->childAt(p)) {
    QTest::mouseClick(child, button, mods, child->mapFrom(w, p));
    return;
  }
  QTest::mouseClick(w, button, mods, p);
}
inline void pressAt(int16_t n, Point local, Qt::MouseButton button = Qt::LeftButton) {
  if (QWidget* w = presentWidget(n)) QTest::mousePress(w, button, Qt::NoModifier, widgetPointOf(n, local));
}
inline void releaseAt(int16_t n, Point local, Qt::MouseButton button = Qt::LeftButton) {
  if (QWidget* w = presentWidget(n)) QTest::mouseRelease(w, button, Qt::NoModifier, widgetPointOf(n, local));
}

// A key typed into window n, the way the window system delivers it.
inline void typeKey(int16_t n, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  if (QWindow* handle = presentWindowHandle(n)) QTest::keyClick(handle, key, mods);
}
inline void typeText(int16_t n, const char* text) {
  QWindow* handle = presentWindowHandle(n);
  for (const char* c = text; handle != nullptr && *c != '\0'; ++c) QTest::keyClick(handle, *c);
}

// The colour of the pixel at a local point of the port, as 0xRRGGBB.
inline uint32_t pixelAt(const GrafPort* port, int h, int v) {
  if (port == nullptr) {
    ADD_FAILURE() << "the window's port is not there";
    return 0;
  }
  return port->image.pixel(h - port->origin.x(), v - port->origin.y()) & 0xFFFFFFu;
}

}  // namespace bg::testing

#include <functional>
#include <vector>

#include "runtime/qt/events.h"

namespace bg::testing {

// Pumps without waiting until done() holds; false when it still does not after maxPumps.
inline bool pumpUntil(const std::function<bool()>& done, int maxPumps = 200) {
  const int16_t slice = eventSlice();
  setEventSlice(0);
  bool ok = done();
  for (int i = 0; i < maxPumps && !ok; ++i) {
    FBHandleEvents();
    ok = done();
  }
  setEventSlice(slice);
  return ok;
}

// The user drags window n to a new content size and lets go: the window's handler then
// gets "resize started" and "resize completed" from the following pumps.
inline void userResize(int16_t n, int width, int height) {
  detail::setResizeQuietMs(0);
  if (QWidget* w = presentWidget(n)) w->resize(width, height + detail::menuBarHeightOf(n));
}

// The parts of window n (widget coordinates) painted on the screen while act runs, paint
// by paint.
inline std::vector<QRect> paintedDuring(int16_t n, const std::function<void()>& act) {
  struct Recorder final : QObject {
    std::vector<QRect> painted;
    bool eventFilter(QObject* /*watched*/, QEvent* e) override {
      if (e->type() == QEvent::Paint) painted.push_back(static_cast<QPaintEvent*>(e)->rect());
      return false;
    }
  } recorder;
  QWidget* w = presentWidget(n);
  if (w == nullptr) return {};
  w->installEventFilter(&recorder);
  act();
  if (QWidget* after = contentWidget(n)) after->removeEventFilter(&recorder);
  return recorder.painted;
}

// The paints window n gets while act runs.
inline int paintsDuring(int16_t n, const std::function<void()>& act) {
  return static_cast<int>(paintedDuring(n, act).size());
}

// The user clicks window n's close box.
inline void clickCloseBox(int16_t n) {
  if (QWidget* w = presentWidget(n)) w->close();
}

}  // namespace bg::testing
