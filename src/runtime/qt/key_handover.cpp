#include "runtime/qt/key_handover.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include "runtime/qt/windows.h"

namespace bg {

namespace {

// Menus, tool tips and the like never held the keys.
bool holdsKeys(const QWidget* w) {
  switch (w->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Desktop: return false;
    default: return true;
  }
}

// A modal window still up takes the keys first (the print dialog when its Properties box
// closes), else the program's window on top: the rollout's results, not the board they
// are kept above.
QWidget* windowNowInFront(const QWidget* gone) {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal != gone && modal->isVisible()) return modal;
  return contentWidget(windowOnTop());
}

class KeyHandover : public QObject {
 public:
  explicit KeyHandover(QObject* parent) : QObject(parent) {}
  bool eventFilter(QObject* obj, QEvent* e) override {
    if (e->type() != QEvent::Hide || !obj->isWidgetType() || QCoreApplication::closingDown()) return false;
    auto* gone = static_cast<QWidget*>(obj);
    if (!gone->isWindow() || !holdsKeys(gone)) return false;
    // Qt lets go of the active window as it hides it; while the program is still the active
    // application nobody else has the keys, and they stay with the program.
    const QWidget* holder = QApplication::activeWindow();
    if ((holder != nullptr && holder != gone) || QGuiApplication::applicationState() != Qt::ApplicationActive)
      return false;
    QWidget* next = windowNowInFront(gone);
    if (next == nullptr || next == gone) return false;
    next->raise();
    next->activateWindow();
    return false;
  }
};

}  // namespace

void installKeyHandover() {
  QCoreApplication* app = QCoreApplication::instance();
  app->installEventFilter(new KeyHandover(app));
}

}  // namespace bg
