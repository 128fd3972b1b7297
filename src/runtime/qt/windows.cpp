#include "runtime/qt/windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/qt/cursors.h"
#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "runtime/qt/patterns.h"

namespace bg {

namespace {

class PortWidget;

struct WindowRec {
  int16_t number = 0;
  WindowKind kind = kDocumentWindow;
  PortWidget* widget = nullptr;
  GrafPort port;
  WindowEventHandler handler = nullptr;
  QSize requested;          // the size the program asked for last
  QTimer* resizeQuiet = nullptr;
  bool resizing = false;    // a user resize burst is under way
  bool swallowBurst = false;  // the burst belongs to a zoom
  QWidget* menuBar = nullptr;  // inside the window, above the content
  int barHeight = 0;
  QBrush background{Qt::white};  // fills area the window gains, until the program paints it
  int16_t keptAbove = 0;  // the window this one stays above, 0 when none
  bool flushesHeld = false;
};

// The port at a new size: what was drawn stays, the gained area shows the background,
// its tile laid from local (0, 0) as the program's own pattern fills lay it.
void growPort(WindowRec* rec, const QSize& size) {
  QImage& img = rec->port.image;
  if (img.size() == size || size.width() <= 0 || size.height() <= 0) return;
  QImage grown(size, QImage::Format_RGB32);
  QPainter p(&grown);
  p.setBrushOrigin(-rec->port.origin);
  p.fillRect(grown.rect(), rec->background);
  p.drawImage(0, 0, img);
  p.end();
  img = grown;
}

struct Registry {
  std::map<int16_t, std::unique_ptr<WindowRec>> windows;
  std::vector<int16_t> zOrder;  // front first
  std::vector<std::unique_ptr<WindowRec>> closed;  // deleted when no handler runs
  int16_t output = 0;
  int16_t mainWindow = 0;  // the window every other one stays above, 0 when none is named
  int resizeQuietMs = 250;
  bool hookInstalled = false;
};

Registry& registry() {
  static Registry r;
  return r;
}

WindowRec* findWindow(int16_t n) {
  auto& w = registry().windows;
  auto it = w.find(n);
  return it == w.end() ? nullptr : it->second.get();
}

void toFront(int16_t n) {
  auto& z = registry().zOrder;
  z.erase(std::remove(z.begin(), z.end(), n), z.end());
  z.insert(z.begin(), n);
}

// Calls the window handler from the pump, after Qt's processing.
void queueWindowEvent(int16_t n, WindowEvent::Kind kind) {
  detail::queueTask(false, [n, kind] {
    WindowRec* rec = findWindow(n);
    if (rec == nullptr || rec->handler == nullptr) return;
    WindowEvent e;
    e.kind = kind;
    e.window = n;
    rec->handler(e);
  });
}

void reclaimClosedWindows();
bool minimisedWithAWindowAbove(int16_t n);
void showGameAgain();

// The window system reports a change of state only when the state changes, and the program
// never minimises a window itself: a window minimised now has just been minimised.
bool isMinimised(const QWidget* w) { return (w->windowState() & Qt::WindowMinimized) != 0; }

void unminimise(QWidget* w) {
  if (isMinimised(w)) w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
}

class PortWidget : public QWidget {
 public:
  explicit PortWidget(WindowRec* rec) : rec_(rec) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
  }

  WindowRec* rec() const { return rec_; }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    const QRect r = e->rect().translated(0, -rec_->barHeight);
    p.drawImage(r.topLeft() + QPoint(0, rec_->barHeight), rec_->port.image, r);
  }

  void resizeEvent(QResizeEvent* e) override {
    const QSize size = e->size() - QSize(0, rec_->barHeight);
    if (rec_->menuBar != nullptr) rec_->menuBar->setGeometry(0, 0, e->size().width(), rec_->barHeight);
    // The program's own sizing has already set the port to its size; only a size the port
    // does not have yet is the user's (back to the first size included).
    const bool portHasSize = rec_->port.image.size() == size;
    growPort(rec_, size);
    if (portHasSize || !isVisible()) return;
    if (!rec_->resizing) {
      rec_->resizing = true;
      if (!rec_->swallowBurst) queueWindowEvent(rec_->number, WindowEvent::kResizeStarted);
    }
    rec_->resizeQuiet->start(registry().resizeQuietMs);
  }

  void mousePressEvent(QMouseEvent* e) override {
    lastPressMs_ = e->timestamp();
    press(e, 1);
  }

  // The window system makes a double click of two presses in quick succession wherever the
  // first one went. When the first closed a box above this window, the second was meant
  // for the box: it and its release are dropped, not taken as a click here.
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    const auto interval = static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    if (e->timestamp() > lastPressMs_ + interval) {
      releaseDropped_ = true;
      return;
    }
    press(e, 2);
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    detail::noteMousePosition(e->globalPosition().toPoint());
    if (std::exchange(releaseDropped_, false)) return;
    RawEvent raw;
    raw.kind = RawEvent::kMouseUp;
    raw.window = rec_->number;
    raw.where = local(e->position().toPoint());
    raw.modifiers = detail::carbonModifiers(static_cast<int>(e->modifiers()));
    detail::deliverRawEvent(raw);
  }

  void mouseMoveEvent(QMouseEvent* e) override { detail::noteMousePosition(e->globalPosition().toPoint()); }

  void closeEvent(QCloseEvent* e) override {
    // The program decides: the close box only raises the dialog event.
    e->ignore();
    const int16_t n = rec_->number;
    detail::queueTask(false, [n] { detail::deliverDialogEvent(kDialogWindowClosed, n); });
  }

  void changeEvent(QEvent* e) override {
    if (e->type() == QEvent::WindowStateChange) {
      auto* sc = static_cast<QWindowStateChangeEvent*>(e);
      const bool wasMax = (sc->oldState() & Qt::WindowMaximized) != 0;
      const bool isMax = (windowState() & Qt::WindowMaximized) != 0;
      if (wasMax != isMax) {
        // The resizes of a zoom are the zoom's own: no "resize completed" for them.
        rec_->swallowBurst = true;
        if (!rec_->resizing) rec_->resizeQuiet->start(registry().resizeQuietMs);
        queueWindowEvent(rec_->number, WindowEvent::kZoomed);
      }
      if (isMinimised(this) && minimisedWithAWindowAbove(rec_->number)) {
        detail::queueTask(false, [] {
          showGameAgain();
          if (WindowRec* front = findWindow(frontWindow())) front->widget->activateWindow();
        });
      }
    } else if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
      toFront(rec_->number);
    }
    QWidget::changeEvent(e);
  }

 private:
  Point local(const QPoint& p) const {
    const QPoint l = p - QPoint(0, rec_->barHeight) + rec_->port.origin;
    return Point{static_cast<int16_t>(l.x()), static_cast<int16_t>(l.y())};
  }

  void press(QMouseEvent* e, int16_t clicks) {
    detail::noteMousePosition(e->globalPosition().toPoint());
    const int16_t n = rec_->number;
    const Point where = local(e->position().toPoint());
    const uint16_t mods = detail::carbonModifiers(static_cast<int>(e->modifiers()));
    int16_t btn = 0;
    switch (e->button()) {
      case Qt::LeftButton: btn = 1; break;
      case Qt::RightButton: btn = 2; break;
      case Qt::MiddleButton: btn = 3; break;
      default: return;
    }
    RawEvent raw;
    raw.kind = RawEvent::kMouseDown;
    raw.window = n;
    raw.where = where;
    raw.modifiers = mods;
    if (detail::deliverRawEvent(raw)) return;
    if (WindowRec* rec = findWindow(n); rec != nullptr && rec->handler != nullptr) {
      WindowEvent we;
      we.kind = WindowEvent::kMouseDown;
      we.window = n;
      we.button = btn;
      we.clickCount = clicks;
      we.modifiers = mods;
      we.where = where;
      bool handled = false;
      guarded([&] { handled = rec->handler(we); });
      if (handled) return;
    }
    if (btn == 1) detail::deliverMouseClick(n, where, clicks, mods);
  }

  WindowRec* rec_;
  quint64 lastPressMs_ = 0;  // the window system's time of this window's last press
  bool releaseDropped_ = false;
};

void reclaimClosedWindows() {
  auto& closed = registry().closed;
  while (!closed.empty()) {
    std::unique_ptr<WindowRec> rec = std::move(closed.back());
    closed.pop_back();
    detail::unregisterPort(&rec->port);
    delete rec->widget;
  }
}

// A box of the toolkit's own (a file box, the print box, a question one of them asks) holds
// every window of the game while it is up: minimised, it would leave a board that takes
// nothing and no box in sight. It comes straight back, as the game's own boxes do, with the
// main window when the window manager took that too.
void showToolkitBoxAgain(const QPointer<QWidget>& box) {
  if (box.isNull()) return;
  showGameAgain();
  unminimise(box);
  box->raise();
  box->activateWindow();
}

class ToolkitBoxKeeper : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::WindowStateChange || !o->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(o);
    // Every window of the toolkit's that a window manager can minimise is such a box.
    if (isMinimised(w) && w->isWindow() && dynamic_cast<PortWidget*>(w) == nullptr) {
      // After the window system's own handling of the minimise, from whatever loop runs.
      QTimer::singleShot(0, w, [box = QPointer<QWidget>(w)] { showToolkitBoxAgain(box); });
    }
    return false;
  }
};

void installHook() {
  if (registry().hookInstalled) return;
  registry().hookInstalled = true;
  detail::setReclaimHook(reclaimClosedWindows);
  qAddPostRoutine(releaseEveryWindow);
  // Goes with the application.
  qApp->installEventFilter(new ToolkitBoxKeeper(qApp));
}

QRect centredOnScreen(int w, int h) {
  const Rect a = availableScreenRect();
  return QRect(a.left + (a.width() - w) / 2, a.top + (a.height() - h) / 2, w, h);
}

void applyKindLimits(WindowRec* rec, int w, int h) {
  if (rec->kind != kDocumentWindow) rec->widget->setFixedSize(w, h);
}

// True when `above`, or a window it stays above, is `below`: a box cannot stay above itself.
bool staysAbove(QWindow* above, QWindow* below) {
  for (QWindow* w = above; w != nullptr; w = w->transientParent()) {
    if (w == below) return true;
  }
  return false;
}

// A window manager that minimises a window with every window it stays above (openbox does)
// takes the main window away when the person minimises the note pad or a box over it: the
// window then in front is one kept above the main window, not the main window itself.
bool minimisedWithAWindowAbove(int16_t n) {
  if (n != registry().mainWindow) return false;
  const int16_t front = frontWindow();
  WindowRec* above = front == n ? nullptr : findWindow(front);
  if (above == nullptr || above->widget->windowHandle() == nullptr) return false;
  return staysAbove(above->widget->windowHandle(), findWindow(n)->widget->windowHandle());
}

// The game stays in sight: the main window comes back, and with it the windows above it.
void showGameAgain() {
  const int16_t n = registry().mainWindow;
  WindowRec* main = findWindow(n);
  if (main == nullptr) return;
  for (const auto& [number, rec] : registry().windows) {
    QWidget* w = rec->widget;
    if ((number == n || staysAbove(w->windowHandle(), main->widget->windowHandle())) && w->isVisible()) unminimise(w);
  }
}

// A window manager keeps a dialog above its transient parent, whatever is clicked, and hands
// the parent over only when the window is shown: so each showing chooses it. A box stays above
// the window it opens over; any other window above the main window, or the one the program
// named for it.
void chooseWindowBeneath(WindowRec* rec) {
  QWidget* w = rec->widget;
  if (w->isVisible() || w->windowType() != Qt::Dialog) return;
  int16_t beneath = rec->keptAbove;
  if (beneath == 0) beneath = w->isModal() ? frontWindow() : registry().mainWindow;
  WindowRec* over = beneath == rec->number ? nullptr : findWindow(beneath);
  w->winId();
  QWindow* parent = nullptr;
  if (over != nullptr) {
    over->widget->winId();
    parent = over->widget->windowHandle();
    if (staysAbove(parent, w->windowHandle())) parent = nullptr;
  }
  w->windowHandle()->setTransientParent(parent);
}

}  // namespace

void windowOpen(int16_t n, std::string_view title, const Rect& rect, WindowKind kind, bool visible) {
  installHook();
  if (findWindow(n) != nullptr) windowClose(n);
  auto rec = std::make_unique<WindowRec>();
  rec->number = n;
  rec->kind = kind;
  const int w = std::max(1, static_cast<int>(rect.width()));
  const int h = std::max(1, static_cast<int>(rect.height()));
  detail::initPort(rec->port, w, h);
  rec->port.windowNumber = n;
  detail::registerPort(&rec->port);
  rec->requested = QSize(w, h);
  rec->widget = new PortWidget(rec.get());
  rec->widget->setWindowTitle(QString::fromUtf8(title.data(), static_cast<int>(title.size())));
  // Opened beside the shown main window: a dialog of it, which a click on it cannot bury.
  const int16_t mainWindow = registry().mainWindow;
  const bool dialog = mainWindow != 0 && n != mainWindow && windowVisible(mainWindow);
  // A window manager draws the close box whatever is asked, and the program serves every
  // close; asking for it names the buttons, so the ones not named are left out.
  Qt::WindowFlags flags = (dialog ? Qt::Dialog : Qt::Window) | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                          Qt::WindowCloseButtonHint;
  // A window kept above another is minimised together with it (the whole chain goes): only
  // a window of its own offers it.
  if (!dialog) flags |= Qt::WindowMinimizeButtonHint;
  if (kind == kDocumentWindow) flags |= Qt::WindowMaximizeButtonHint;
  rec->widget->setWindowFlags(flags);
  const QRect geo = (rect.left == 0 && rect.top == 0) ? centredOnScreen(w, h) : QRect(rect.left, rect.top, w, h);
  rec->widget->setGeometry(geo);
  applyKindLimits(rec.get(), w, h);
  detail::applyCursorTo(rec->widget);
  rec->resizeQuiet = new QTimer(rec->widget);
  rec->resizeQuiet->setSingleShot(true);
  WindowRec* raw = rec.get();
  QObject::connect(rec->resizeQuiet, &QTimer::timeout, [raw] {
    raw->resizing = false;
    if (raw->swallowBurst) {
      raw->swallowBurst = false;
      return;
    }
    queueWindowEvent(raw->number, WindowEvent::kResizeCompleted);
  });
  registry().windows[n] = std::move(rec);
  if (visible) {
    chooseWindowBeneath(raw);
    raw->widget->show();
    toFront(n);
  } else {
    registry().zOrder.push_back(n);
  }
}

void windowClose(int16_t n) {
  auto& reg = registry();
  auto it = reg.windows.find(n);
  if (it == reg.windows.end()) return;
  std::unique_ptr<WindowRec> rec = std::move(it->second);
  reg.windows.erase(it);
  reg.zOrder.erase(std::remove(reg.zOrder.begin(), reg.zOrder.end(), n), reg.zOrder.end());
  if (reg.output == n) reg.output = 0;
  if (getPort() == &rec->port) setPort(nullptr);
  rec->handler = nullptr;
  rec->resizeQuiet->stop();
  rec->widget->hide();
  // Deleted later: one of its own handlers may be running now.
  reg.closed.push_back(std::move(rec));
  if (pumpDepth() == 0 && !insideHandler()) reclaimClosedWindows();
}

void releaseEveryWindow() {
  auto& reg = registry();
  while (!reg.windows.empty()) windowClose(reg.windows.begin()->first);
  reclaimClosedWindows();
}

bool windowExists(int16_t n) { return findWindow(n) != nullptr; }

bool windowVisible(int16_t n) {
  WindowRec* rec = findWindow(n);
  return rec != nullptr && rec->widget->isVisible();
}

void windowShow(int16_t n) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr) return;
  chooseWindowBeneath(rec);
  rec->widget->show();
}

void windowHide(int16_t n) {
  if (WindowRec* rec = findWindow(n)) rec->widget->hide();
}

void windowSelect(int16_t n) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr) return;
  chooseWindowBeneath(rec);
  rec->widget->show();
  rec->widget->raise();
  rec->widget->activateWindow();
  toFront(n);
  for (const auto& [number, kept] : registry().windows) {
    if (kept->keptAbove == n && kept->widget->isVisible()) kept->widget->raise();
  }
}

void windowActivate(int16_t n) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr || !rec->widget->isVisible()) return;
  rec->widget->activateWindow();
  toFront(n);
}

void setMainWindow(int16_t n) { registry().mainWindow = n; }

void keepWindowAbove(int16_t n, int16_t owner) {
  WindowRec* rec = findWindow(n);
  WindowRec* over = findWindow(owner);
  if (rec == nullptr || over == nullptr) return;
  // A transient window, not a child widget: each window keeps its own lifetime.
  rec->widget->winId();
  over->widget->winId();
  rec->widget->windowHandle()->setTransientParent(over->widget->windowHandle());
  // Without a window manager the stacking is the program's own: see windowSelect.
  rec->keptAbove = owner;
}

void setWindowTitle(int16_t n, std::string_view title) {
  if (WindowRec* rec = findWindow(n))
    rec->widget->setWindowTitle(QString::fromUtf8(title.data(), static_cast<int>(title.size())));
}

void setOutputWindow(int16_t n) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr) return;
  registry().output = n;
  setPort(&rec->port);
}

int16_t outputWindow() { return registry().output; }

bool modalWindowUp() { return QApplication::activeModalWidget() != nullptr; }

int16_t frontWindow() {
  for (int16_t n : registry().zOrder) {
    if (windowVisible(n)) return n;
  }
  return 0;
}

int16_t windowOnTop() {
  const int16_t front = frontWindow();
  if (front == 0) return 0;
  for (const auto& [number, kept] : registry().windows) {
    if (kept->keptAbove == front && kept->widget->isVisible()) return number;
  }
  return front;
}

GrafPtr windowPort(int16_t n) {
  WindowRec* rec = findWindow(n);
  return rec == nullptr ? nullptr : &rec->port;
}

Rect portBounds(int16_t n) {
  WindowRec* rec = findWindow(n);
  return rec == nullptr ? Rect{} : rec->port.bounds();
}

Rect windowContentRect(int16_t n) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr) return Rect{};
  const QPoint tl = rec->widget->mapToGlobal(QPoint(0, 0));
  const int top = tl.y() + rec->barHeight;
  return makeRect(tl.x(), top, tl.x() + rec->widget->width(), tl.y() + rec->widget->height());
}

int windowFunction(int code) {
  const int16_t n = registry().output;
  const Rect r = windowContentRect(n);
  switch (code) {
    case 0:
    case 1: return n;
    case 2: return r.width();
    case 3: return r.height();
    case 10: return -r.left;
    case 11: return -r.top;
    default: return 0;
  }
}

void sizeWindow(int16_t n, int width, int height, bool /*update*/) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr || width <= 0 || height <= 0) return;
  rec->requested = QSize(width, height);
  // The port takes the size first, so the platform's confirmation reads as no change.
  growPort(rec, rec->requested);
  if (rec->kind != kDocumentWindow) {
    rec->widget->setFixedSize(width, height + rec->barHeight);
  } else {
    rec->widget->resize(width, height + rec->barHeight);
  }
}

void setWindowBackground(int16_t n, const RGBColor& colour, const PixPat* pattern) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr) return;
  if (pattern != nullptr && !pattern->tile.isNull())
    rec->background = QBrush(pattern->tile);
  else
    rec->background = QBrush(QColor(colour.red >> 8, colour.green >> 8, colour.blue >> 8));
}

void moveWindow(int16_t n, int x, int y, bool bringToFront) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr) return;
  // The geometry, not move(): move() places the frame, and the caller means the content,
  // which starts below the window's own menu bar.
  rec->widget->setGeometry(x, y - rec->barHeight, rec->widget->width(), rec->widget->height());
  if (bringToFront) windowSelect(n);
}

void setResizeLimits(int16_t n, int minWidth, int minHeight, int maxWidth, int maxHeight) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr || rec->kind != kDocumentWindow) return;
  rec->widget->setMinimumSize(minWidth, minHeight + rec->barHeight);
  rec->widget->setMaximumSize(maxWidth, maxHeight + rec->barHeight);
}

void invalidateRect(int16_t n, const Rect& r) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr) return;
  const QPoint o = rec->port.origin - QPoint(0, rec->barHeight);
  rec->widget->update(QRect(r.left - o.x(), r.top - o.y(), r.width(), r.height()));
}

void invalidateWindow(int16_t n) {
  if (WindowRec* rec = findWindow(n)) rec->widget->update();
}

void flushWindow(int16_t n) {
  WindowRec* rec = findWindow(n);
  if (rec != nullptr && rec->widget->isVisible() && !rec->flushesHeld) rec->widget->repaint();
}

void flushWindowRect(int16_t n, const Rect& r) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr || !rec->widget->isVisible() || rec->flushesHeld) return;
  const QPoint o = rec->port.origin - QPoint(0, rec->barHeight);
  rec->widget->repaint(QRect(r.left - o.x(), r.top - o.y(), r.width(), r.height()));
}

void holdWindowFlushes(int16_t n, bool held) {
  if (WindowRec* rec = findWindow(n)) rec->flushesHeld = held;
}

void setWindowWrap(int16_t /*n*/, int16_t /*mode*/) {}

void setWindowEventHandler(int16_t n, WindowEventHandler fn) {
  if (WindowRec* rec = findWindow(n)) rec->handler = fn;
}

Rect mainScreenRect() {
  QScreen* s = QGuiApplication::primaryScreen();
  if (s == nullptr) return makeRect(0, 0, 1024, 768);
  const QRect g = s->geometry();
  return makeRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

Rect availableScreenRect() {
  QScreen* s = QGuiApplication::primaryScreen();
  if (s == nullptr) return makeRect(0, 0, 1024, 768);
  const QRect g = s->availableGeometry();
  return makeRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

QWidget* contentWidget(int16_t n) {
  WindowRec* rec = findWindow(n);
  return rec == nullptr ? nullptr : rec->widget;
}

void attachMenuBar(int16_t n, QWidget* bar) {
  WindowRec* rec = findWindow(n);
  if (rec == nullptr) {
    delete bar;
    return;
  }
  const QRect old = rec->widget->geometry();
  const QRect content = old.adjusted(0, rec->barHeight, 0, 0);
  delete rec->menuBar;
  rec->menuBar = bar;
  bar->setParent(rec->widget);
  rec->barHeight = bar->sizeHint().height();
  bar->setGeometry(0, 0, content.width(), rec->barHeight);
  bar->show();
  const QSize minimum = rec->widget->minimumSize();
  if (minimum.height() > 0) rec->widget->setMinimumHeight(minimum.height() + rec->barHeight);
  // The bar grows the window upwards: the content keeps the place it was opened or moved
  // to, so a saved content position brings the window back where it was.
  rec->widget->setGeometry(content.left(), content.top() - rec->barHeight, content.width(),
                           content.height() + rec->barHeight);
}

namespace detail {

int menuBarHeightOf(int16_t n) {
  WindowRec* rec = findWindow(n);
  return rec == nullptr ? 0 : rec->barHeight;
}

int16_t windowNumberOf(const QWidget* w) {
  if (w == nullptr) return 0;
  const QWidget* top = w->window();
  for (auto& [n, rec] : registry().windows) {
    if (rec->widget == top) return n;
  }
  return 0;
}

void setResizeQuietMs(int ms) { registry().resizeQuietMs = ms; }

}  // namespace detail

}  // namespace bg
