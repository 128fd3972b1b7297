// The event pump: queued delivery, nesting, guarding, and the callbacks fed by real
// mouse and key events.
#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <stdexcept>
#include <vector>

#include "runtime/qt/app_init.h"
#include "runtime/qt/events.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/windows.h"
#include "state/program_state.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

struct Seen {
  std::vector<std::pair<int, int>> dialog;
  std::vector<std::pair<int, int>> menus;
  std::vector<Point> clicks;
  std::vector<int> clickCounts;
  std::vector<RawEvent> raw;
  std::vector<AppEvent> app;
  std::vector<WindowEvent> window;
  int16_t consumeRaw = 0;
  bool handleWindow = false;
};
Seen seen;

void onDialog() { seen.dialog.emplace_back(dialogEventKind(), dialogEventId()); }
void onMenu() { seen.menus.emplace_back(menuSelectionMenu(), menuSelectionItem()); }
void onMouse() {
  seen.clicks.push_back(mouseClickPoint());
  seen.clickCounts.push_back(mouseClickCount());
}
int16_t onRaw(const RawEvent& e) {
  seen.raw.push_back(e);
  return seen.consumeRaw;
}
bool onApp(AppEvent& e) {
  seen.app.push_back(e);
  return true;
}
bool onWindow(WindowEvent& e) {
  seen.window.push_back(e);
  return seen.handleWindow;
}

class PumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    int argc = 0;
    rtInit(argc, nullptr);
    seen = Seen{};
    setDialogVector(onDialog);
    setMenuVector(onMenu);
    setMouseVector(onMouse);
    setRawEventVector(onRaw);
    setAppEventHandler(onApp);
    setEventSlice(0);  // tests never wait for the slice
    flushEvents();
  }
  void TearDown() override {
    detail::setResizeQuietMs(250);
    for (int16_t n : {1, 2, 7}) windowClose(n);
    FBHandleEvents();
    setDialogVector(nullptr);
    setMenuVector(nullptr);
    setMouseVector(nullptr);
    setRawEventVector(nullptr);
    setAppEventHandler(nullptr);
  }
  static void openBoard() { windowOpen(1, "Board", makeRect(100, 100, 300, 250), kDocumentWindow, true); }
  // A larger board whose window events are recorded, with no wait before a resize completes.
  static void openWatchedBoard() {
    detail::setResizeQuietMs(0);
    windowOpen(1, "Board", makeRect(100, 100, 400, 300), kDocumentWindow, true);
    setWindowEventHandler(1, onWindow);
  }
  static std::vector<int> windowEventKinds() {
    std::vector<int> kinds;
    for (const WindowEvent& e : seen.window) kinds.push_back(e.kind);
    return kinds;
  }
};

TEST_F(PumpTest, QueuedEventsWaitForThePumpAndKeepTheirOrder) {
  FBRaiseDialogEvent(23, 97);
  postMenuSelection(3, 4);
  FBRaiseDialogEvent(23, 98);
  EXPECT_TRUE(seen.dialog.empty());
  EXPECT_TRUE(seen.menus.empty());
  FBHandleEvents();
  EXPECT_EQ(seen.dialog, (std::vector<std::pair<int, int>>{{23, 97}, {23, 98}}));
  EXPECT_EQ(seen.menus, (std::vector<std::pair<int, int>>{{3, 4}}));
  EXPECT_EQ(menuSelectionMenu(), 3);
  EXPECT_EQ(menuSelectionItem(), 4);
  EXPECT_EQ(layerSelection.fbSelectValues[1], 23);
  EXPECT_EQ(layerSelection.fbSelectValues[2], 98);
}

// A callback that raises an event for itself gets it on the next pump, not in a loop.
void raiseAgain() {
  seen.dialog.emplace_back(dialogEventKind(), dialogEventId());
  if (dialogEventId() == 1) FBRaiseDialogEvent(19, 99);
}

TEST_F(PumpTest, EventRaisedInsideACallbackComesWithTheNextPump) {
  setDialogVector(raiseAgain);
  FBRaiseDialogEvent(19, 1);
  FBHandleEvents();
  ASSERT_EQ(seen.dialog.size(), 1u);
  FBHandleEvents();
  EXPECT_EQ(seen.dialog, (std::vector<std::pair<int, int>>{{19, 1}, {19, 99}}));
}

int nestedDepthSeen = 0;
void nestedPump() {
  seen.dialog.emplace_back(dialogEventKind(), dialogEventId());
  if (dialogEventId() == 1) {
    FBRaiseDialogEvent(23, 2);
    FBHandleEvents();  // a wait inside a callback pumps again
    nestedDepthSeen = pumpDepth();
  }
}

TEST_F(PumpTest, NestedPumpsDeliverInsideTheOuterCallback) {
  setDialogVector(nestedPump);
  FBRaiseDialogEvent(23, 1);
  FBHandleEvents();
  EXPECT_EQ(seen.dialog, (std::vector<std::pair<int, int>>{{23, 1}, {23, 2}}));
  EXPECT_EQ(nestedDepthSeen, 1);
  EXPECT_EQ(pumpDepth(), 0);
}

TEST_F(PumpTest, EventAvailRunsQtButDeliversNothingToTheProgram) {
  FBRaiseDialogEvent(23, 97);
  bool fired = false;
  QTimer::singleShot(0, [&] { fired = true; });
  EXPECT_TRUE(eventAvail());
  EXPECT_TRUE(fired);
  EXPECT_TRUE(seen.dialog.empty());
  FBHandleEvents();
  EXPECT_EQ(seen.dialog.size(), 1u);
}

// A poll leaves typed keys for the next pump, as it leaves the window system's input:
// a key typed while a checker lands (the landing sound polls) waits for the landing.
TEST_F(PumpTest, AKeyTypedDuringAPollWaitsForTheNextPump) {
  openBoard();
  windowSelect(1);
  QTimer::singleShot(0, [] { testing::typeKey(1, Qt::Key_C); });
  auto keys = [] {
    std::vector<AppEvent> k;
    for (const AppEvent& e : seen.app)
      if (e.kind == AppEvent::kKeyDown) k.push_back(e);
    return k;
  };
  eventAvail();
  EXPECT_TRUE(keys().empty()) << "the key was taken inside the poll";
  FBHandleEvents();
  ASSERT_EQ(keys().size(), 1u);
  EXPECT_EQ(keys()[0].charCode, 'c');
  EXPECT_EQ(keys()[0].window, 1);
}

// Held back by a poll, a key comes again with the next pump; a box opened meanwhile has the
// window under it shut off, as the window system does: the board does not take the key
// inside the box's loop, where its command would wait under the box.
TEST_F(PumpTest, AKeyHeldByAPollDoesNotReachAWindowUnderABoxOpenedSince) {
  openBoard();
  windowSelect(1);
  QTimer::singleShot(0, [] { testing::typeKey(1, Qt::Key_P); });
  eventAvail();
  windowOpen(7, "Box", makeRect(150, 150, 250, 200), kDocumentWindow, true);
  contentWidget(7)->hide();
  contentWidget(7)->setWindowModality(Qt::ApplicationModal);
  windowSelect(7);
  FBHandleEvents();
  windowClose(7);
  FBHandleEvents();
  for (const AppEvent& e : seen.app) EXPECT_NE(e.kind, AppEvent::kKeyDown) << "a key reached window " << e.window;
}

TEST_F(PumpTest, FlushEventsDropsDialogEventsAndMenuChoices) {
  FBRaiseDialogEvent(23, 97);
  postMenuSelection(1, 1);
  flushEvents();
  FBHandleEvents();
  EXPECT_TRUE(seen.dialog.empty());
  EXPECT_TRUE(seen.menus.empty());
}

TEST_F(PumpTest, DeferredDeletesRunAtTheTopLevelPump) {
  QPointer<QObject> doomed = new QObject;
  doomed->deleteLater();
  FBHandleEvents();
  EXPECT_TRUE(doomed.isNull());
}

void throwingCallback() { throw std::runtime_error("boom"); }

TEST_F(PumpTest, AnExceptionInACallbackBecomesAFatalStop) {
  EXPECT_DEATH(
      {
        setDialogVector(throwingCallback);
        FBRaiseDialogEvent(23, 1);
        FBHandleEvents();
      },
      "Unexpected error: boom");
}

TEST_F(PumpTest, LeftClickReachesTheMouseCallbackInLocalCoordinates) {
  openBoard();
  setPortOrigin(windowPort(1), -16, -20);
  QTest::mouseClick(contentWidget(1), Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
  ASSERT_EQ(seen.clicks.size(), 1u);
  EXPECT_EQ(seen.clicks[0], (Point{14, 20}));
  EXPECT_EQ(seen.clickCounts[0], 1);
  EXPECT_EQ(mouseClickWindow(), 1);
  // A double click's first press comes to the window first, as the window system sends it.
  QTest::mousePress(contentWidget(1), Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
  QTest::mouseDClick(contentWidget(1), Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
  EXPECT_EQ(seen.clickCounts.back(), 2);
  EXPECT_EQ(mouseClickModifiers(), kShiftKeyBit);
}

// The window system makes a double click of two quick presses wherever the first went:
// the second half of a double click on a box's button, the box gone after the first,
// reaches the window below. There it is no click, and its release no mouse-up.
TEST_F(PumpTest, TheSecondHalfOfADoubleClickStartedElsewhereIsNoClick) {
  openBoard();
  QWidget* board = contentWidget(1);
  const auto interval = static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
  const QPointF at(30, 40);
  const auto send = [&](QEvent::Type type, quint64 ms) {
    QMouseEvent e(type, at, board->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    e.setTimestamp(ms);
    QApplication::sendEvent(board, &e);
  };
  struct Row {
    const char* what;
    quint64 firstPressBefore;  // the board's own press, this long before; 0: none
    std::vector<int> clickCounts;
    size_t rawEvents;
  };
  quint64 t = 0;
  for (const Row& r : {Row{"both presses on the board", 100, {1, 2}, 4}, Row{"the first press elsewhere", 0, {}, 0},
                       Row{"the board's last press long before", interval + 1000, {1}, 2}}) {
    SCOPED_TRACE(r.what);
    t += 100000;
    seen = Seen{};
    if (r.firstPressBefore != 0) {
      send(QEvent::MouseButtonPress, t - r.firstPressBefore);
      send(QEvent::MouseButtonRelease, t - r.firstPressBefore + 10);
    }
    send(QEvent::MouseButtonDblClick, t);
    send(QEvent::MouseButtonRelease, t + 10);
    FBHandleEvents();
    EXPECT_EQ(seen.clickCounts, r.clickCounts);
    EXPECT_EQ(seen.raw.size(), r.rawEvents);
  }
}

TEST_F(PumpTest, RawCallbackSeesEventsFirstAndCanConsumeThem) {
  openBoard();
  seen.consumeRaw = -1;
  QTest::mouseClick(contentWidget(1), Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
  EXPECT_TRUE(seen.clicks.empty());
  ASSERT_FALSE(seen.raw.empty());
  EXPECT_EQ(seen.raw[0].kind, RawEvent::kMouseDown);
  EXPECT_EQ(seen.raw[0].where, (Point{5, 6}));
}

TEST_F(PumpTest, WindowHandlerTakesTheRightButtonBeforeTheMouseCallback) {
  openBoard();
  setWindowEventHandler(1, onWindow);
  seen.handleWindow = true;
  QTest::mouseClick(contentWidget(1), Qt::RightButton, Qt::ControlModifier, QPoint(8, 9));
  ASSERT_EQ(windowEventKinds(), (std::vector<int>{WindowEvent::kMouseDown}));
  EXPECT_EQ(seen.window[0].button, 2);
  EXPECT_EQ(seen.window[0].modifiers, kCmdKeyBit);
  EXPECT_TRUE(seen.clicks.empty());
  // Not handled: a left click goes on to the mouse callback.
  seen.handleWindow = false;
  QTest::mouseClick(contentWidget(1), Qt::LeftButton, Qt::NoModifier, QPoint(8, 9));
  EXPECT_EQ(seen.clicks.size(), 1u);
}

TEST_F(PumpTest, KeysReachTheApplicationHandlerWithTheirCodes) {
  openBoard();
  windowSelect(1);
  for (Qt::Key k : {Qt::Key_R, Qt::Key_Return, Qt::Key_Escape}) testing::typeKey(1, k);
  testing::typeKey(1, Qt::Key_Q, Qt::ControlModifier);
  std::vector<AppEvent> keys;
  for (const AppEvent& e : seen.app)
    if (e.kind == AppEvent::kKeyDown) keys.push_back(e);
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].charCode, 'r');
  EXPECT_EQ(keys[0].window, 1);
  EXPECT_EQ(keys[1].charCode, kReturnChar);
  EXPECT_EQ(keys[2].charCode, kEscapeChar);
  EXPECT_EQ(keys[3].modifiers & kCmdKeyBit, kCmdKeyBit);
}

TEST_F(PumpTest, ATermSignalBecomesAQuitRequestForTheProgram) {
  std::raise(SIGTERM);
  EXPECT_TRUE(testing::pumpUntil([] {
    for (const AppEvent& e : seen.app)
      if (e.kind == AppEvent::kQuitRequest) return true;
    return false;
  }));
}

TEST_F(PumpTest, CloseBoxRaisesTheDialogEventAndKeepsTheWindow) {
  windowOpen(2, "Note pad", makeRect(50, 50, 250, 200), kDocumentWindow, true);
  FBHandleEvents();  // the application's activation, when this window is its first
  seen.dialog.clear();
  contentWidget(2)->close();
  EXPECT_TRUE(seen.dialog.empty());
  FBHandleEvents();
  EXPECT_EQ(seen.dialog, (std::vector<std::pair<int, int>>{{kDialogWindowClosed, 2}}));
  EXPECT_TRUE(windowExists(2) && windowVisible(2));
}

// Closing a window from its own mouse handler must not delete the widget under Qt.
void closeOnClick() { windowClose(mouseClickWindow()); }

TEST_F(PumpTest, AWindowClosedFromItsOwnHandlerIsReclaimedLater) {
  windowOpen(7, "Box", makeRect(50, 50, 150, 150), kFixedWindow, true);
  setMouseVector(closeOnClick);
  QPointer<QWidget> w = contentWidget(7);
  // The click arrives inside a pump, as in the program.
  QTimer::singleShot(0, [&] { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3)); });
  FBHandleEvents();
  EXPECT_FALSE(windowExists(7));
  FBHandleEvents();
  EXPECT_TRUE(w.isNull());
}

TEST_F(PumpTest, ResizeBurstEndsInOneResizeCompleted) {
  openWatchedBoard();
  contentWidget(1)->resize(320, 220);
  contentWidget(1)->resize(340, 230);
  FBHandleEvents();  // started; the quiet timer fires
  FBHandleEvents();  // completed
  EXPECT_EQ(windowEventKinds(), (std::vector<int>{WindowEvent::kResizeStarted, WindowEvent::kResizeCompleted}));
  EXPECT_EQ(windowFunction(2), 0);  // no output window chosen
  setOutputWindow(1);
  EXPECT_EQ(windowFunction(2), 340);
  EXPECT_EQ(windowFunction(3), 230);
  EXPECT_EQ(portBounds(1), makeRect(0, 0, 340, 230));
}

TEST_F(PumpTest, ProgramSizeChangesSendNoResizeNotifications) {
  openWatchedBoard();
  sizeWindow(1, 500, 400, false);
  FBHandleEvents();
  FBHandleEvents();
  EXPECT_TRUE(seen.window.empty());
  EXPECT_EQ(portBounds(1), makeRect(0, 0, 500, 400));
}

TEST_F(PumpTest, ZoomIsReportedAsZoomNotAsResize) {
  openWatchedBoard();
  contentWidget(1)->showMaximized();
  for (int i = 0; i < 3; ++i) FBHandleEvents();
  const std::vector<int> kinds = windowEventKinds();
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), WindowEvent::kZoomed), kinds.end());
  EXPECT_EQ(std::find(kinds.begin(), kinds.end(), WindowEvent::kResizeCompleted), kinds.end());
}

TEST_F(PumpTest, WindowGeometryAndFrontOrder) {
  EXPECT_EQ(mainScreenRect(), makeRect(0, 0, 1024, 768));
  windowOpen(1, "Board", makeRect(0, 0, 424, 300), kDocumentWindow, true);  // centred
  const Rect r = windowContentRect(1);
  EXPECT_EQ(r.width(), 424);
  EXPECT_EQ(r.left, (1024 - 424) / 2);
  setOutputWindow(1);
  EXPECT_EQ(windowFunction(10), -r.left);
  EXPECT_EQ(windowFunction(11), -r.top);
  windowOpen(2, "Pad", makeRect(10, 40, 110, 140), kDocumentWindow, true);
  EXPECT_EQ(frontWindow(), 2);
  EXPECT_EQ(outputWindow(), 1);  // the output window is not the front window
  windowSelect(1);
  EXPECT_EQ(frontWindow(), 1);
  windowHide(1);
  EXPECT_EQ(frontWindow(), 2);
  moveWindow(2, 200, 220, false);
  EXPECT_EQ(windowContentRect(2), makeRect(200, 220, 300, 320));
}

// Counts the paints a widget gets.
struct PaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject* /*watched*/, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST_F(PumpTest, HeldFlushesPaintNothingAndReleasedOnesPaintAgain) {
  openBoard();
  FBHandleEvents();
  PaintCounter counter;
  contentWidget(1)->installEventFilter(&counter);
  struct Row {
    bool held;
    int paints;
  };
  for (const Row& r : {Row{false, 2}, Row{true, 0}, Row{false, 2}}) {
    holdWindowFlushes(1, r.held);
    counter.paints = 0;
    flushWindow(1);
    flushWindowRect(1, makeRect(0, 0, 10, 10));
    EXPECT_EQ(counter.paints, r.paints) << r.held;
  }
  contentWidget(1)->removeEventFilter(&counter);
}

}  // namespace
}  // namespace bg
