// Input reads, window contents on the screen, resources with their fallbacks, cursors.
#include <QDir>
#include <QGuiApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <vector>

#include "runtime/core/messages.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "runtime/qt/palettes.h"
#include "runtime/qt/patterns.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/snapshot.h"
#include "runtime/qt/windows.h"
#include "state/program_state.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    int argc = 0;
    rtInit(argc, nullptr);
    setEventSlice(0);
  }
  void TearDown() override {
    testing::clearSimulatedMouse();
    testing::clearSimulatedModifiers();
    windowClose(1);
    setResourceRoot(QString());
    FBHandleEvents();
  }
};

TEST_F(PlatformTest, MouseReadsAreLocalToTheCurrentPortWithItsOrigin) {
  windowOpen(1, "Board", makeRect(100, 50, 500, 350), kDocumentWindow, true);
  setOutputWindow(1);
  setOrigin(-16, -8);
  testing::simulateMouse(Point{130, 70}, true);
  EXPECT_EQ(getMouse(), (Point{14, 12}));
  EXPECT_EQ(getGlobalMouse(), (Point{130, 70}));
  EXPECT_TRUE(button());
  EXPECT_TRUE(stillDown());
  testing::simulateMouse(Point{130, 70}, false);
  EXPECT_FALSE(button());
  GWorldPtr w = newGWorld(makeRect(0, 0, 4, 4));
  setPort(w);  // a world has no place on the screen: global coordinates, its origin applied
  EXPECT_EQ(getMouse(), (Point{130, 70}));
  setPort(nullptr);
  disposeGWorld(w);
}

int dialogEvents = 0;
void countDialog() {
  if (dialogEventKind() == kDialogPrivate) ++dialogEvents;
}

TEST_F(PlatformTest, ButtonStateFollowsRealPressesWithoutDispatchingEvents) {
  // On X11 the button is read from the server, which synthetic presses do not reach.
  if (QGuiApplication::platformName() == QLatin1String("xcb")) GTEST_SKIP();
  windowOpen(1, "Board", makeRect(100, 50, 500, 350), kDocumentWindow, true);
  setDialogVector(countDialog);
  dialogEvents = 0;
  FBRaiseDialogEvent(23, 1);
  testing::pressAt(1, Point{10, 10});
  EXPECT_TRUE(button());
  EXPECT_EQ(dialogEvents, 0);  // reading the button runs nothing of the program's
  testing::releaseAt(1, Point{10, 10});
  EXPECT_FALSE(button());
  FBHandleEvents();
  EXPECT_EQ(dialogEvents, 1);
  setDialogVector(nullptr);
}

int clicksSeen = 0;
void countClick() { ++clicksSeen; }

TEST_F(PlatformTest, PollingTheButtonHoldsPendingInputBackForTheNextPump) {
  windowOpen(1, "Board", makeRect(100, 50, 500, 350), kDocumentWindow, true);
  FBHandleEvents();
  setMouseVector(countClick);
  clicksSeen = 0;
  QWindow* w = contentWidget(1)->windowHandle();
  const QPointF at(12, 14), global(112, 64);
  QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                 Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                 Qt::NoButton, Qt::NoModifier));
  button();
  getMouse();
  EXPECT_EQ(clicksSeen, 0);  // the loops that poll the button dispatch nothing
  FBHandleEvents();
  EXPECT_EQ(clicksSeen, 1);  // the click arrives with the next pump, once
  FBHandleEvents();
  EXPECT_EQ(clicksSeen, 1);
  setMouseVector(nullptr);
}

TEST_F(PlatformTest, FlushShowsTheBackingImageAtOnceAndInvalidatingKeepsIt) {
  windowOpen(1, "Board", makeRect(100, 50, 300, 150), kDocumentWindow, true);
  setOutputWindow(1);
  setOrigin(-10, -10);
  rgbForeColor(RGBColor{65535, 0, 0});
  paintRect(makeRect(0, 0, 5, 5));
  flushWindow(1);
  const QImage shown = contentWidget(1)->grab().toImage();
  EXPECT_EQ(shown.pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(shown.pixel(9, 9) & 0xFFFFFF, 0xFFFFFFu);
  invalidateWindow(1);
  FBHandleEvents();
  EXPECT_EQ(testing::pixelAt(windowPort(1), 0, 0), 0xFF0000u);
}

TEST_F(PlatformTest, MissingResourcesGiveTheFallbacks) {
  QTemporaryDir dir;
  setResourceRoot(dir.path() + "/");
  EXPECT_EQ(getPicture(150), nullptr);
  EXPECT_EQ(getPixPat(100), nullptr);
  EXPECT_EQ(getCCursor(138), nullptr);
  EXPECT_TRUE(getIndString(128, 1).empty());
  EXPECT_TRUE(getNamedString("Rules").empty());
  EXPECT_TRUE(getText(200).empty());
  EXPECT_EQ(pictureBounds(nullptr), Rect{});
  PaletteHandle pal = getNewPalette(130);  // a usable palette all the same
  ASSERT_NE(pal, nullptr);
  RGBColor c;
  getEntryColor(pal, 1, c);
  EXPECT_EQ(c, kBlackRGB);
  disposePalette(pal);
  // Drawing with the missing handles does nothing and does not fail.
  GWorldPtr w = newGWorld(makeRect(0, 0, 2, 2));
  setPort(w);
  drawPicture(nullptr, makeRect(0, 0, 2, 2));
  fillRect(makeRect(0, 0, 2, 2), nullptr);
  setCCursor(nullptr);
  setPort(nullptr);
  disposeGWorld(w);
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

TEST_F(PlatformTest, ResourcesAreFoundByKindAndId) {
  QTemporaryDir dir;
  const QString root = dir.path() + "/";
  writeFile(root + "text/strings/128.txt", "first\r\nsecond\n");
  writeFile(root + "text/named/Dice Rules.txt", "Roll two dice\n");
  writeFile(root + "text/text/200.txt", "one\rtwo\r\nthree");
  writeFile(root + "pictures/pltt/129.txt", "# entries\n65535 65535 65535\n0 0 0\n1 2 3\n");
  writeFile(root + "pictures/crsr/132.txt", "3 5\n");
  QImage img(4, 3, QImage::Format_RGB32);
  img.fill(Qt::red);
  QDir().mkpath(root + "pictures/ppat");
  QDir().mkpath(root + "pictures/crsr");
  img.save(root + "pictures/777.png");
  img.save(root + "pictures/ppat/100.png");
  img.save(root + "pictures/crsr/132.png");
  setResourceRoot(root);
  EXPECT_EQ(getIndString(128, 2), "second");
  EXPECT_EQ(getIndString(128, 1), "first");
  EXPECT_TRUE(getIndString(128, 9).empty());
  EXPECT_EQ(getNamedString("Dice Rules"), "Roll two dice");
  EXPECT_EQ(getText(200), "one\ntwo\nthree");
  PaletteHandle pal = getNewPalette(129);
  ASSERT_EQ(pal->entries.size(), 3u);
  EXPECT_EQ(pal->entries[2], (RGBColor{1, 2, 3}));
  disposePalette(pal);
  PicHandle pic = getPicture(777);
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pictureBounds(pic), makeRect(0, 0, 4, 3));
  killPicture(pic);
  PixPatHandle pat = getPixPat(100);
  ASSERT_NE(pat, nullptr);
  EXPECT_EQ(pat->tile.size(), QSize(4, 3));
  disposePixPat(pat);
  CCrsrHandle cur = getCCursor(132);
  ASSERT_NE(cur, nullptr);
  EXPECT_EQ(cur->cursor.hotSpot(), QPoint(3, 5));
  setCCursor(cur);
  EXPECT_EQ(currentCursor().hotSpot(), QPoint(3, 5));
  setCCursor(nullptr);  // keeps the cursor
  EXPECT_EQ(currentCursor().hotSpot(), QPoint(3, 5));
  setCursor(kArrowCursor);
  EXPECT_EQ(currentCursor().shape(), Qt::ArrowCursor);
  disposeCCursor(cur);
}

// The program waits for the user with a pump: the cursor asked for last before it is the
// one on the window, the watch over every window while it is asked for.
TEST_F(PlatformTest, TheCursorAskedForLastShowsOnTheWindowAfterAPump) {
  struct Row {
    std::vector<int16_t> asked;
    Qt::CursorShape shown;
    bool watchOverAll;
  };
  const Row rows[] = {{{kIBeamCursor}, Qt::IBeamCursor, false},
                      {{kWatchCursor}, Qt::WaitCursor, true},
                      {{kWatchCursor, kPointingCursor}, Qt::PointingHandCursor, false},
                      {{kCrossCursor, kWatchCursor, kArrowCursor}, Qt::ArrowCursor, false},
                      {{kPointingCursor, kWatchCursor}, Qt::WaitCursor, true},
                      {{kArrowCursor}, Qt::ArrowCursor, false}};
  windowOpen(1, "Board", makeRect(100, 50, 500, 350), kDocumentWindow, true);
  for (const Row& r : rows) {
    for (int16_t cursor : r.asked) setCursor(cursor);
    FBHandleEvents();
    EXPECT_EQ(contentWidget(1)->window()->cursor().shape(), r.shown) << r.asked.size() << " asked, last " << r.asked.back();
    const QCursor* over = QGuiApplication::overrideCursor();
    EXPECT_EQ(over != nullptr && over->shape() == Qt::WaitCursor, r.watchOverAll) << r.asked.back();
  }
}

TEST_F(PlatformTest, TheApplicationsOwnResourcesLoad) {
  EXPECT_GT(loadMessageResources(), 50);
  EXPECT_FALSE(messageWordsOf(44).empty());
  PicHandle cube = getPicture(150);
  ASSERT_NE(cube, nullptr);
  EXPECT_GT(pictureBounds(cube).width(), 10);
  killPicture(cube);
}

Rect boundsOf(int16_t id) {
  PicHandle pic = getPicture(id);
  const Rect r = pictureBounds(pic);
  killPicture(pic);
  return r;
}

TEST_F(PlatformTest, ThePictureBoardsPicturesFitItsFixedMeasures) {
  // Frames 48 wide, a unit of 36, a bar of 79: the field runs from 48 to 561, and the
  // strips above and below are 35 and 41 high around points of 145.
  EXPECT_EQ(boundsOf(549), makeRect(0, 0, 609, 421));
  EXPECT_EQ(boundsOf(550), boundsOf(549));
  EXPECT_EQ(boundsOf(146), boundsOf(147));
  EXPECT_EQ(boundsOf(148), boundsOf(147));
  EXPECT_LE(boundsOf(147).width(), 36);
  EXPECT_EQ(boundsOf(541), boundsOf(542));
  EXPECT_EQ(boundsOf(543), boundsOf(542));
  EXPECT_LE(2 * boundsOf(541).height() + 5, 380 - 35);  // both trays fit beside the field
  EXPECT_EQ(boundsOf(591), boundsOf(593));
  EXPECT_EQ(boundsOf(592), boundsOf(593));
  for (int16_t id = 567; id <= 573; ++id) EXPECT_EQ(boundsOf(id), boundsOf(574)) << id;
  for (int16_t id = 575; id <= 581; ++id) EXPECT_EQ(boundsOf(id), boundsOf(582)) << id;
  EXPECT_EQ(boundsOf(590), boundsOf(582));
  for (int16_t id = 595; id <= 602; ++id) EXPECT_EQ(boundsOf(id), boundsOf(603)) << id;
  EXPECT_EQ(boundsOf(556), boundsOf(603));
  EXPECT_LE(5 + boundsOf(603).height(), 35);  // the arrow stays in the strip above the field
  const Rect strip = boundsOf(594);
  EXPECT_GE(strip.width(), 509);   // holds its boxes out to x 508
  EXPECT_LE(strip.height(), 35);
}

// Windows still open at the end are freed with their contents, designed forms included.
TEST_F(PlatformTest, EveryWindowLeftOpenIsFreedAtTheEnd) {
  windowOpen(1, "board", makeRect(0, 0, 200, 100), kDocumentWindow, true);
  windowOpen(7, "box", makeRect(0, 0, 120, 80), kFixedWindow, true);
  const QPointer<QWidget> board = contentWidget(1);
  const QPointer<QWidget> box = contentWidget(7);
  ASSERT_FALSE(board.isNull());
  ASSERT_FALSE(box.isNull());
  releaseEveryWindow();
  EXPECT_TRUE(board.isNull());
  EXPECT_TRUE(box.isNull());
  EXPECT_FALSE(windowExists(1));
  EXPECT_FALSE(windowExists(7));
  EXPECT_EQ(frontWindow(), 0);
}

}  // namespace
}  // namespace bg
