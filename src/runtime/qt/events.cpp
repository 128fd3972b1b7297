#include "runtime/qt/events.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QTimer>

#include <deque>
#include <exception>

#include "runtime/core/fatal.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/menus.h"

namespace bg {

namespace {

struct LayerTask {
  void (*run)(void*);
  void* context;
  void (*dispose)(void*);
  bool flushable;
};

struct PumpState {
  EventCallback mouseVector = nullptr;
  EventCallback menuVector = nullptr;
  EventCallback dialogVector = nullptr;
  RawEventCallback rawVector = nullptr;
  EventCallback fileErrorVector = nullptr;
  AppEventHandler appHandler = nullptr;
  detail::ReclaimHook reclaim = nullptr;
  int16_t sliceTicks = 2;
  int depth = 0;
  int handlerDepth = 0;
  bool polling = false;  // inside eventAvail: the program's own input waits
  // A poll left input with the window system's queue; that queue only reports news, so
  // without a nudge the input would wait for the next event from the server (a click).
  bool inputHeld = false;
  std::deque<LayerTask> queue;
  int16_t dialogKind = 0;
  int16_t dialogId = 0;
  int16_t menu = 0;
  int16_t item = 0;
  int16_t clickCount = 0;
  Point clickPoint{};
  int16_t clickWindow = 0;
  uint16_t clickModifiers = 0;
  // Tasks still queued when the program ends are freed, not delivered.
  ~PumpState() {
    for (LayerTask& t : queue)
      if (t.dispose) t.dispose(t.context);
  }
};

PumpState& state() {
  static PumpState s;
  return s;
}

void disposeTask(LayerTask& t) {
  if (t.dispose) t.dispose(t.context);
}

// Delivers the tasks queued before this call; tasks they queue wait for the next pump, so a
// callback that raises an event for itself cannot spin the pump.
void deliverQueuedTasks() {
  auto& s = state();
  std::size_t n = s.queue.size();
  while (n-- > 0 && !s.queue.empty()) {
    LayerTask t = s.queue.front();
    s.queue.pop_front();
    guarded([&] { t.run(t.context); });
    disposeTask(t);
  }
}

// Swallows mouse and key input while flushEvents runs.
class InputSwallower : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Wheel:
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

LayerSelection layerSelection;

void setMouseVector(EventCallback fn) { state().mouseVector = fn; }
void setMenuVector(EventCallback fn) { state().menuVector = fn; }
void setDialogVector(EventCallback fn) { state().dialogVector = fn; }
void setRawEventVector(RawEventCallback fn) { state().rawVector = fn; }
void setFileErrorVector(EventCallback fn) { state().fileErrorVector = fn; }
EventCallback fileErrorVector() { return state().fileErrorVector; }
void setEventSlice(int16_t ticks) { state().sliceTicks = ticks < 0 ? int16_t{0} : ticks; }
int16_t eventSlice() { return state().sliceTicks; }
void setAppEventHandler(AppEventHandler fn) { state().appHandler = fn; }

// The vectors are read at delivery time, so there is nothing to reinstall.
void FBInstallMenuHandler() {}
void FBInstallDialogHandler() {}

int pumpDepth() { return state().depth; }
bool insideHandler() { return state().handlerDepth > 0; }

void runGuarded(void (*fn)(void*), void* context) {
  auto& s = state();
  ++s.handlerDepth;
  try {
    fn(context);
  } catch (const std::exception& e) {
    fatalStop(std::string("Unexpected error: ") + e.what());
  } catch (...) {
    fatalStop("Unexpected error");
  }
  --s.handlerDepth;
}

void FBHandleEvents() {
  auto& s = state();
  if (QCoreApplication::instance() == nullptr) return;
  detail::showWantedCursor();
  const bool polling = s.polling;
  s.polling = false;
  if (s.inputHeld) {
    s.inputHeld = false;
    if (QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance()) d->wakeUp();
  }
  ++s.depth;
  QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents;
  if (s.sliceTicks > 0 && s.queue.empty()) {
    // One local timer per call keeps nested pumps from stopping each other's slice.
    QTimer slice;
    slice.setSingleShot(true);
    slice.setTimerType(Qt::PreciseTimer);
    slice.start(s.sliceTicks * 1000 / 60);
    QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
  } else {
    QCoreApplication::processEvents(flags);
  }
  deliverQueuedTasks();
  --s.depth;
  s.polling = polling;
  if (s.depth == 0 && s.handlerDepth == 0) {
    // deleteLater() only runs when DeferredDelete is flushed from the top level.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (s.reclaim) s.reclaim();
  }
}

void handleWaitingEvents() {
  const int16_t slice = eventSlice();
  setEventSlice(0);
  FBHandleEvents();
  setEventSlice(slice);
}

void FBRaiseDialogEvent(int16_t kind, int16_t id) {
  detail::queueTask(true, [kind, id] { detail::deliverDialogEvent(kind, id); });
}

int16_t dialogEventKind() { return state().dialogKind; }
int16_t dialogEventId() { return state().dialogId; }

void postMenuSelection(int16_t menu, int16_t item) {
  const QPointer<QWidget> modalAtChoice = QApplication::activeModalWidget();
  detail::queueTask(true, [menu, item, modalAtChoice] {
    if (!menuItemReachable(menu, item)) return;
    // A box that opened after the choice was made (one that leaves the menus as they were
    // too, the information box, a file dialog) has the menus' window out of reach: its
    // command would wait on the board or open over the box.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != modalAtChoice) return;
    auto& s = state();
    s.menu = menu;
    s.item = item;
    if (s.menuVector) s.menuVector();
  });
}

int16_t menuSelectionMenu() { return state().menu; }
int16_t menuSelectionItem() { return state().item; }
int16_t mouseClickCount() { return state().clickCount; }
Point mouseClickPoint() { return state().clickPoint; }
int16_t mouseClickWindow() { return state().clickWindow; }
uint16_t mouseClickModifiers() { return state().clickModifiers; }

bool eventAvail() {
  auto& s = state();
  if (QCoreApplication::instance() != nullptr) {
    detail::showWantedCursor();
    const bool polling = s.polling;
    s.polling = true;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    s.polling = polling;
    s.inputHeld = true;
  }
  return !s.queue.empty();
}

void flushEvents() {
  auto& s = state();
  if (QCoreApplication::instance() != nullptr) {
    InputSwallower swallower;
    QCoreApplication::instance()->installEventFilter(&swallower);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::instance()->removeEventFilter(&swallower);
  }
  // Dialog events and menu choices go; window notifications stay.
  std::deque<LayerTask> kept;
  for (LayerTask& t : s.queue) {
    if (t.flushable)
      disposeTask(t);
    else
      kept.push_back(t);
  }
  s.queue.swap(kept);
}

void dropQueuedTasks() {
  auto& q = state().queue;
  for (LayerTask& t : q) disposeTask(t);
  q.clear();
}

void deliverWindowNotifications() {
  auto& s = state();
  std::deque<LayerTask> waiting;
  std::deque<LayerTask> due;
  for (LayerTask& t : s.queue) (t.flushable ? waiting : due).push_back(t);
  s.queue.swap(waiting);
  for (LayerTask& t : due) {
    guarded([&] { t.run(t.context); });
    disposeTask(t);
  }
}

namespace detail {

bool deliverRawEvent(const RawEvent& e) {
  auto& s = state();
  if (!s.rawVector) return false;
  bool consumed = false;
  guarded([&] { consumed = s.rawVector(e) != 0; });
  return consumed;
}

void deliverMouseClick(int16_t window, Point where, int16_t clickCount, uint16_t modifiers) {
  auto& s = state();
  s.clickModifiers = modifiers;
  s.clickWindow = window;
  s.clickPoint = where;
  s.clickCount = clickCount;
  if (s.mouseVector) guarded([&] { s.mouseVector(); });
}

void deliverDialogEvent(int16_t kind, int16_t id) {
  auto& s = state();
  s.dialogKind = kind;
  s.dialogId = id;
  layerSelection.fbSelectValues[1] = kind;
  layerSelection.fbSelectValues[2] = id;
  if (s.dialogVector) guarded([&] { s.dialogVector(); });
}

bool pollingForEvents() { return state().polling; }

bool deliverAppEvent(AppEvent& e) {
  auto& s = state();
  if (!s.appHandler) return false;
  bool handled = false;
  guarded([&] { handled = s.appHandler(e); });
  return handled;
}

void queueLayerTask(void (*fn)(void*), void* context, void (*dispose)(void*), bool flushable) {
  state().queue.push_back(LayerTask{fn, context, dispose, flushable});
  // Wake a pump that is waiting for events.
  if (auto* d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

void setReclaimHook(ReclaimHook fn) { state().reclaim = fn; }

}  // namespace detail

}  // namespace bg
