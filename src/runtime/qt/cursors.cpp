#include "runtime/qt/cursors.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPointer>
#include <QPixmap>
#include <QWidget>

#include "runtime/qt/resources.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

// The cursor asked for is only recorded: the window system is told at the next pump, and
// only when it differs from what it shows. A computer decision asks for two cursors, so a
// rollout asks for thousands a second, each a round trip to the display.
struct CursorState {
  QCursor wanted{Qt::ArrowCursor};
  bool wantWatch = false;  // the watch shows over everything, dialogs included
  QCursor shown{Qt::ArrowCursor};
  bool watchShown = false;
  bool pending = false;
  QPointer<QAbstractEventDispatcher> watchedDispatcher;
};

CursorState& cs() {
  static CursorState s;
  return s;
}

void applyEverywhere(const QCursor& cursor) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (detail::windowNumberOf(top) != 0) top->setCursor(cursor);
  }
}

// A loop of Qt's own (a file or print dialog) shows the cursor too, when it waits.
void showBeforeForeignWaits() {
  auto& s = cs();
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  if (dispatcher == nullptr || s.watchedDispatcher == dispatcher) return;
  s.watchedDispatcher = dispatcher;
  QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, dispatcher, [] { detail::showWantedCursor(); });
}

void want(const QCursor& cursor, bool watch) {
  auto& s = cs();
  s.wanted = cursor;
  s.wantWatch = watch;
  s.pending = true;
  showBeforeForeignWaits();
}

}  // namespace

void setCursor(int16_t runtimeCursor) {
  switch (runtimeCursor) {
    case kIBeamCursor: want(QCursor(Qt::IBeamCursor), false); break;
    case kPointingCursor: want(QCursor(Qt::PointingHandCursor), false); break;
    case kCrossCursor: want(QCursor(Qt::CrossCursor), false); break;
    case kWatchCursor: want(QCursor(Qt::WaitCursor), true); break;
    default: want(QCursor(Qt::ArrowCursor), false); break;
  }
}

CCrsrHandle getCCursor(int16_t id) {
  const QImage img = loadResourceImage(QStringLiteral("pictures/crsr/%1.png").arg(id));
  if (img.isNull()) return nullptr;
  int hx = 0, hy = 0;
  QByteArray hot;
  if (readResourceFile(QStringLiteral("pictures/crsr/%1.txt").arg(id), hot)) {
    const QList<QByteArray> parts = hot.simplified().split(' ');
    if (parts.size() >= 2) {
      hx = parts[0].toInt();
      hy = parts[1].toInt();
    }
  }
  return new ColourCursor{QCursor(QPixmap::fromImage(img), hx, hy)};
}

void disposeCCursor(CCrsrHandle& c) {
  delete c;
  c = nullptr;
}

void setCCursor(const ColourCursor* c) {
  if (c != nullptr) want(c->cursor, false);
}

QCursor currentCursor() { return cs().wanted; }

namespace detail {
void applyCursorTo(QWidget* w) {
  if (w != nullptr) w->setCursor(cs().shown);
}

void showWantedCursor() {
  auto& s = cs();
  if (!s.pending) return;
  s.pending = false;
  if (s.watchShown != s.wantWatch) {
    if (s.wantWatch) {
      QGuiApplication::setOverrideCursor(s.wanted);
    } else {
      QGuiApplication::restoreOverrideCursor();
    }
    s.watchShown = s.wantWatch;
  }
  if (s.wanted == s.shown) return;
  s.shown = s.wanted;
  applyEverywhere(s.shown);
}
}  // namespace detail

}  // namespace bg
