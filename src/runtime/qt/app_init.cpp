#include "runtime/qt/app_init.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>
#include <QWindow>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <sys/socket.h>
#include <unistd.h>

#include "runtime/core/shutdown.h"
#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "runtime/qt/key_handover.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

int signalPipe[2] = {-1, -1};
QApplication* ownApplication = nullptr;

void onSignal(int) {
  const char b = 1;
  // Nothing useful can be done when the write fails inside a signal handler.
  [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &b, 1);
}

uint8_t charCodeOf(const QKeyEvent* k) {
  switch (k->key()) {
    case Qt::Key_Return: return kReturnChar;
    case Qt::Key_Enter: return kEnterChar;
    case Qt::Key_Escape: return kEscapeChar;
    case Qt::Key_Backspace: return kBackspaceChar;
    case Qt::Key_Tab: return kTabChar;
    case Qt::Key_Delete: return kDeleteChar;
    case Qt::Key_Left: return kLeftArrowChar;
    case Qt::Key_Right: return kRightArrowChar;
    case Qt::Key_Up: return kUpArrowChar;
    case Qt::Key_Down: return kDownArrowChar;
    case Qt::Key_Help:
    case Qt::Key_F1: return kHelpChar;
    default: break;
  }
  const QString t = k->text();
  if (t.size() == 1 && t.at(0).unicode() < 128) return static_cast<uint8_t>(t.at(0).unicode());
  return 0;
}

int16_t numberOfWindow(const QWindow* w) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->windowHandle() == w) return detail::windowNumberOf(top);
  }
  return 0;
}

// Keys reach the program through the raw-event callback and then the application
// handler; keys neither takes go on to Qt's normal delivery (a text field gets them).
class LayerFilter : public QObject {
 public:
  explicit LayerFilter(QObject* parent) : QObject(parent) {}
  bool eventFilter(QObject* obj, QEvent* e) override {
    // A key event passes the application filters once per widget it propagates to; the
    // window sees it exactly once.
    if (e->type() != QEvent::KeyPress || !obj->isWindowType()) return false;
    // An open pop-up or menu takes its own keys: Return there chooses an item and must not
    // reach the window underneath as its default button.
    if (static_cast<QWindow*>(obj)->type() == Qt::Popup) return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    // Modifier keys alone are no key press for the program.
    switch (k->key()) {
      case Qt::Key_Shift:
      case Qt::Key_Control:
      case Qt::Key_Meta:
      case Qt::Key_Alt:
      case Qt::Key_AltGr:
      case Qt::Key_CapsLock:
        return false;
      default:
        break;
    }
    // A window the layer did not open (the platform's file, print and question dialogs)
    // takes its own keys: the board hears only what is typed into its own windows.
    const int16_t n = numberOfWindow(static_cast<QWindow*>(obj));
    if (n == 0) return false;
    // A window under a modal box takes no keys. The window system holds them from it, but a
    // key put back by a poll (below) is posted past that check, and a box may have opened
    // since: the board would run its command inside the box's loop.
    if (QWindow* modal = QGuiApplication::modalWindow(); modal != nullptr && modal != obj) return true;
    // A poll serves Qt without the program's input; a key sent while it runs (by a timer's
    // callback) comes back with the next pump, as the window system's keys do. Read here,
    // its command would run inside whatever polled (a search, a slide, a pause) and change
    // the game under it.
    if (detail::pollingForEvents()) {
      QCoreApplication::postEvent(obj, k->clone());
      return true;
    }
    const uint8_t code = charCodeOf(k);
    const uint16_t mods = detail::carbonModifiers(static_cast<int>(k->modifiers()));
    RawEvent raw;
    raw.kind = RawEvent::kKeyDown;
    raw.window = n;
    raw.charCode = code;
    raw.modifiers = mods;
    if (detail::deliverRawEvent(raw)) return true;
    AppEvent app;
    app.kind = AppEvent::kKeyDown;
    app.window = n;
    app.charCode = code;
    app.keyCode = k->key();
    app.text = k->text().toStdString();
    app.modifiers = mods;
    return detail::deliverAppEvent(app);
  }
};

void queueAppEvent(AppEvent::Kind kind) {
  detail::queueTask(false, [kind] {
    AppEvent e;
    e.kind = kind;
    e.window = frontWindow();
    const bool handled = detail::deliverAppEvent(e);
    if (kind == AppEvent::kQuitRequest && !handled) FBShutdown(0);
  });
}

// The toolkit's own modal boxes (file, print, their questions) run loops that never reach
// the program's pump: each is cancelled, as a person would, so the quit queued for the pump
// runs once they are gone. They are the only dialogs: the program's own windows are plain
// widgets, which its pump serves.
void quitFromTheSystem() {
  queueAppEvent(AppEvent::kQuitRequest);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QDialog*>(top);
    if (box != nullptr && box->isVisible()) box->reject();
  }
}

void loadBundledFonts() {
  const QDir dir(QStringLiteral(":/fonts"));
  for (const QString& name : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name)) {
    QFontDatabase::addApplicationFont(dir.filePath(name));
  }
}

void installLayer() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QCoreApplication* app = QCoreApplication::instance();
  app->installEventFilter(new LayerFilter(app));
  installKeyHandover();
  loadBundledFonts();
  QObject::connect(qobject_cast<QGuiApplication*>(app), &QGuiApplication::applicationStateChanged,
                   [](Qt::ApplicationState s) {
                     if (s == Qt::ApplicationActive) {
                       FBRaiseDialogEvent(kDialogActivation, 1);
                       queueAppEvent(AppEvent::kActivated);
                     } else if (s == Qt::ApplicationInactive) {
                       FBRaiseDialogEvent(kDialogActivation, 2);
                       queueAppEvent(AppEvent::kDeactivated);
                     }
                   });
  // The desktop session ending asks the program to quit, as a signal does.
  QObject::connect(qobject_cast<QGuiApplication*>(app), &QGuiApplication::commitDataRequest,
                   [](QSessionManager&) { quitFromTheSystem(); });
  // A write past the file-size limit fails (EFBIG) and is told as a full disk is, instead of
  // ending the program halfway through it.
  std::signal(SIGXFSZ, SIG_IGN);
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
      char b = 0;
      [[maybe_unused]] ssize_t n = ::read(signalPipe[0], &b, 1);
      quitFromTheSystem();
    });
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    // A hang-up (the terminal closed) is a quit from the system too, unless the program was
    // started to outlive its terminal (nohup).
    if (std::signal(SIGHUP, onSignal) == SIG_IGN) std::signal(SIGHUP, SIG_IGN);
  }
}

}  // namespace

void rtInit(int& argc, char** argv) {
  if (QCoreApplication::instance() == nullptr) {
    // X11 gives live pointer state to the loops that poll the mouse without pumping.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
      qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // Lives until FBShutdown ends the process.
    ownApplication = new QApplication(argc, argv);
  }
  installLayer();
}

void FBShutdown(int status) {
  runShutdownHooks();
  dropQueuedTasks();
  std::fflush(nullptr);
  // Taken down before the static destructors run, so none of them meets a live Qt.
  delete ownApplication;
  ownApplication = nullptr;
  std::exit(status);
}

}  // namespace bg
