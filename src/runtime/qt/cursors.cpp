#include "runtime/qt/cursors.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include "runtime/qt/resources.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

struct CursorState {
  QCursor current{Qt::ArrowCursor};
  bool watchOverride = false;
};

CursorState& cs() {
  static CursorState s;
  return s;
}

void applyEverywhere() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (detail::windowNumberOf(top) != 0) top->setCursor(cs().current);
  }
}

}  // namespace

void setCursor(int16_t runtimeCursor) {
  auto& s = cs();
  // The watch shows over everything, dialogs included, until another cursor is set.
  if (s.watchOverride) {
    QGuiApplication::restoreOverrideCursor();
    s.watchOverride = false;
  }
  switch (runtimeCursor) {
    case kIBeamCursor: s.current = QCursor(Qt::IBeamCursor); break;
    case kPointingCursor: s.current = QCursor(Qt::PointingHandCursor); break;
    case kCrossCursor: s.current = QCursor(Qt::CrossCursor); break;
    case kWatchCursor:
      s.current = QCursor(Qt::WaitCursor);
      QGuiApplication::setOverrideCursor(s.current);
      s.watchOverride = true;
      break;
    default: s.current = QCursor(Qt::ArrowCursor); break;
  }
  applyEverywhere();
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
  if (c == nullptr) return;
  auto& s = cs();
  if (s.watchOverride) {
    QGuiApplication::restoreOverrideCursor();
    s.watchOverride = false;
  }
  s.current = c->cursor;
  applyEverywhere();
}

QCursor currentCursor() { return cs().current; }

namespace detail {
void applyCursorTo(QWidget* w) {
  if (w != nullptr) w->setCursor(cs().current);
}
}  // namespace detail

}  // namespace bg
