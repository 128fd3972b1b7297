// Display Settings through its menu item and its real widgets: the controls where the
// window's table puts them, the pop-ups showing their menus, nothing on the board before
// Done with immediate changes off, the board after Done equal to a fresh redraw, Escape
// applying nothing, the help buttons over the window and back, and a board size applied
// only when the user chose one.
#include <QAbstractItemView>
#include <QComboBox>
#include <QImage>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "display/board_rebuild.h"
#include "display/board_redraw.h"
#include "interaction/interaction_install.h"
#include "runtime/qt/file_chooser.h"
#include "shell/board_window_events.h"
#include "shell/display_settings_window.h"
#include "shell/shell_settings.h"
#include "state/board_state.h"
#include "state/display_settings.h"
#include "state/menu_numbers.h"
#include "state/settings.h"
#include "state/storage_state.h"
#include "shell/dialog_script.h"
#include "shell/started_program.h"

namespace bg {
namespace {

constexpr int16_t kW = kDisplaySettingsWindow;

// Every value the window shows or sets, in one row for comparing.
std::vector<long> lookOfTheBoard() {
  return {displaySettings.rowNumbersShown, displaySettings.showPossibleMoves, settings.display4OnDoubles,
          displaySettings.solidPieceColors, displaySettings.pieceShapeApplied, displaySettings.pieceSpeed,
          display.boardColor, boardState.boardFrameDesign, shellWindow.boardSizeIndex, display.boardWidth};
}

// The board window as it shows on the screen, below its menu bar (the menus are dimmed
// while the window is open).
QImage boardPixels() {
  testing::settle();
  const QImage shown = contentWidget(1)->grab().toImage();
  const int bar = detail::menuBarHeightOf(1);
  return shown.copy(0, bar, shown.width(), shown.height() - bar);
}

QImage freshRedraw() {
  redrawBoardWindow();
  return boardPixels();
}

QComboBox* popUp(int16_t id) { return qobject_cast<QComboBox*>(controlWidget(kW, id)); }

// Opens the pop-up and picks the item with the arrow keys and Return, typed into the open
// pop-up the way the window system delivers them.
void pickItem(int16_t id, int item) {
  QComboBox* box = popUp(id);
  ASSERT_NE(box, nullptr) << id;
  box->showPopup();
  QAbstractItemView* view = box->view();
  QWindow* popup = view->window()->windowHandle();
  ASSERT_NE(popup, nullptr) << id;
  QTest::keyClick(popup, Qt::Key_Home);
  for (int guard = 0; guard < 20 && view->currentIndex().row() + 1 < item; ++guard) QTest::keyClick(popup, Qt::Key_Down);
  ASSERT_EQ(view->currentIndex().row() + 1, item) << id;
  QTest::keyClick(popup, Qt::Key_Return);
  testing::settle();
  ASSERT_TRUE(windowExists(kW)) << id << ": Return in the pop-up is not Done";
  ASSERT_FALSE(popUp(id)->view()->isVisible()) << id;
}

class DisplaySettingsWindowTest : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    installDialogServices();
    installInteractionServices();
    installDisplayServices();
    installBoardWindowHandler();
    storage.firstRun = 0;  // the welcome was seen at start-up
    windowSelect(1);
    redrawBoardWindow();
    testing::settle();
  }
  void TearDown() override {
    windowClose(kInfoBoxWindow);
    windowClose(kW);
    StartedProgram::TearDown();
  }
  static void open() {
    ASSERT_TRUE(testing::openFromMenu(kSettingsMenu, kDisplaySettingsItem, kW));
    testing::expectDialogInFront(kW, "open");
  }
  static void setImmediate(bool on) {
    if ((controlValue(kW, 11) == 1) != on) testing::clickControl(kW, 11);
    testing::settle();
  }
  static void click(int16_t id) {
    testing::clickControl(kW, id);
    testing::settle();
  }
  static void closeWith(Qt::Key key) {
    testing::typeKey(kW, key);
    ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kW); }, 5));
    testing::settle();
  }
};

struct Place {
  int16_t id, left, top, right, bottom;
};
constexpr Place kPlaces[] = {
    {5, 30, 20, 240, 45},     {3, 30, 45, 240, 70},     {7, 30, 70, 240, 95},     {9, 30, 95, 240, 120},
    {11, 30, 130, 240, 155},  {6, 270, 23, 350, 40},    {4, 270, 48, 350, 65},    {8, 270, 73, 350, 90},
    {12, 270, 135, 350, 152}, {16, 270, 169, 350, 186}, {14, 270, 194, 350, 211}, {20, 270, 219, 350, 236},
    {22, 270, 244, 350, 261}, {18, 270, 269, 350, 286}, {1, 160, 304, 230, 324},
};

struct PopUpPlace {
  int16_t id, top, menu;
};
constexpr PopUpPlace kPopUps[] = {{15, 165, 20}, {13, 190, 12}, {19, 215, 15}, {21, 240, 22}, {17, 265, 14}};

TEST_F(DisplaySettingsWindowTest, TheControlsSitWhereTheTableSaysAndShowTheSettings) {
  displaySettings.rowNumbersShown = -1, displaySettings.showPossibleMoves = 0, settings.display4OnDoubles = -1;
  boardState.boardFrameDesign = 2;
  open();
  const Rect content = windowContentRect(kW);
  EXPECT_EQ((std::vector<int>{content.width(), content.height()}), (std::vector<int>{378, 340}));
  for (const Place& p : kPlaces) EXPECT_EQ(controlRect(kW, p.id), makeRect(p.left, p.top, p.right, p.bottom)) << p.id;
  for (const PopUpPlace& p : kPopUps) {
    const Rect r = controlRect(kW, p.id);
    EXPECT_EQ((std::vector<int>{r.top, r.right}), (std::vector<int>{p.top, 240})) << p.id;
    EXPECT_GT(r.left, 30) << p.id << ": its title is at its left";
  }
  EXPECT_FALSE(controlExists(kW, 10)) << "solid colours have no help";
  // The words the menus use: "Colour".
  EXPECT_EQ((std::vector<std::string>{controlText(kW, 9), controlText(kW, 119)}),
            (std::vector<std::string>{"Use Solid Piece Colours", "Board Colour: "}));
  EXPECT_EQ(controlText(kW, 1), "Done");
  EXPECT_EQ((std::vector<int>{controlValue(kW, 3), controlValue(kW, 5), controlValue(kW, 7), controlValue(kW, 11),
                              controlValue(kW, 21), controlValue(kW, 13), controlValue(kW, 19), controlValue(kW, 17)}),
            (std::vector<int>{1, 0, 1, 1, 3, displaySettings.pieceSpeed, display.boardColor,
                              shellWindow.boardSizeIndex}));
  closeWith(Qt::Key_Escape);
}

TEST_F(DisplaySettingsWindowTest, TabGoesThroughTheRowsInReadingOrder) {
  open();
  focusControl(kW, 5);
  std::vector<int> order = {focusedControl(kW)};
  for (int k = 0; k < 19; ++k) {
    testing::typeKey(kW, Qt::Key_Tab);
    order.push_back(focusedControl(kW));
  }
  EXPECT_EQ(order, (std::vector<int>{5, 6, 3, 4, 7, 8, 9, 11, 12, 15, 16, 13, 14, 19, 20, 21, 22, 17, 18, 1}));
  focusControl(kW, 5);
  testing::typeKey(kW, Qt::Key_Space);  // the box in focus is used as a click would
  testing::settle();
  EXPECT_EQ(controlValue(kW, 5), displaySettings.showPossibleMoves != 0 ? 0 : 1);
  closeWith(Qt::Key_Escape);
}

TEST_F(DisplaySettingsWindowTest, ThePopUpsShowTheirMenusItemsWithTheMarksInForce) {
  open();
  setImmediate(true);
  pickItem(15, 3);  // a shape applied at once moves the shape menu's mark
  for (const PopUpPlace& p : kPopUps) {
    QComboBox* box = popUp(p.id);
    box->showPopup();
    ASSERT_EQ(box->count(), menuItemCount(p.menu)) << p.id;
    for (int16_t item = 1; item <= menuItemCount(p.menu); ++item) {
      const std::string text = menuItemText(p.menu, item);
      if (text == "-") continue;
      EXPECT_EQ(box->itemText(item - 1).toStdString(), text) << p.id << "/" << item;
      EXPECT_EQ(box->itemData(item - 1, Qt::CheckStateRole).toInt() == Qt::Checked, menuItemChecked(p.menu, item))
          << p.id << "/" << item;
    }
    box->hidePopup();
  }
  EXPECT_TRUE(menuItemChecked(20, 3));
  EXPECT_EQ(popUp(15)->itemData(2, Qt::CheckStateRole).toInt(), Qt::Checked);
  closeWith(Qt::Key_Escape);
}

// With immediate changes off every control is used; the board and the settings stay as
// they were until the window closes.
struct AnswerCase {
  Qt::Key key;  // 0: a click on Done
  bool applies;
};

TEST_F(DisplaySettingsWindowTest, WithImmediateChangesOffTheBoardWaitsForDoneAndEqualsAFreshRedrawAfterIt) {
  for (const AnswerCase& a : {AnswerCase{Qt::Key_Escape, false}, AnswerCase{Qt::Key(0), true},
                              AnswerCase{Qt::Key_Return, true}}) {
    const std::string where = a.key == Qt::Key_Escape ? "Escape" : a.key == Qt::Key_Return ? "Return" : "Done";
    displaySettings.rowNumbersShown = 0, displaySettings.solidPieceColors = 0;
    const std::vector<long> before = lookOfTheBoard();
    const QImage board = boardPixels();
    const int16_t size = static_cast<int16_t>(shellWindow.boardSizeIndex == 3 ? 4 : 3);
    const int16_t colour = static_cast<int16_t>(display.boardColor == 4 ? 5 : 4);
    const int16_t frame = static_cast<int16_t>(boardState.boardFrameDesign == 3 ? 5 : 4);
    const int16_t shape = static_cast<int16_t>(displaySettings.pieceShapeApplied == 6 ? 7 : 6);
    const int16_t speed = static_cast<int16_t>(displaySettings.pieceSpeed == 9 ? 8 : 9);
    open();
    setImmediate(false);
    for (int16_t box : {3, 5, 7, 9}) click(box);
    pickItem(15, shape), pickItem(13, speed), pickItem(19, colour), pickItem(21, frame), pickItem(17, size);
    EXPECT_EQ(lookOfTheBoard(), before) << where;
    EXPECT_EQ(boardPixels(), board) << where << ": nothing reaches the board before Done";
    if (a.key == 0) {
      click(1);
    } else {
      closeWith(a.key);
    }
    ASSERT_FALSE(windowExists(kW)) << where;
    testing::expectBackOnTheBoard(where);
    if (!a.applies) {
      EXPECT_EQ(lookOfTheBoard(), before) << where;
      EXPECT_EQ(boardPixels(), board) << where;
      continue;
    }
    std::vector<long> expected = before;
    expected[0] = -1, expected[1] = before[1] != 0 ? 0 : -1, expected[2] = before[2] != 0 ? 0 : -1, expected[3] = -1;
    expected[4] = shape, expected[5] = speed, expected[6] = colour, expected[7] = frame - 1, expected[8] = size;
    expected[9] = display.boardWidth;  // the layout fits the width to the size
    EXPECT_EQ(lookOfTheBoard(), expected) << where;
    EXPECT_EQ(shellSettings.showChangesImmediately, 0) << where;
    const QImage afterDone = boardPixels();
    EXPECT_NE(afterDone, board) << where;
    EXPECT_EQ(afterDone, freshRedraw()) << where;
    EXPECT_TRUE(menuItemChecked(20, shape) && menuItemChecked(12, speed) && menuItemChecked(15, colour) &&
                menuItemChecked(22, frame) && menuItemChecked(14, size))
        << where << ": the menus carry the new marks";
  }
}

// The board is repainted at every Done that changed it, not only at the first close in a run.
TEST_F(DisplaySettingsWindowTest, EveryDoneThatChangesTheColourRepaintsTheBoard) {
  for (int round = 1; round <= 3; ++round) {
    const QImage board = boardPixels();
    const int16_t colour = static_cast<int16_t>(display.boardColor == 4 ? 5 : 4);
    open();
    setImmediate(false);
    pickItem(19, colour);
    click(1);
    ASSERT_FALSE(windowExists(kW)) << round;
    EXPECT_EQ(display.boardColor, colour) << round;
    const QImage afterDone = boardPixels();
    EXPECT_NE(afterDone, board) << "close " << round << ": the new colour is on the board";
    EXPECT_EQ(afterDone, freshRedraw()) << round;
  }
}

// Each change with immediate changes on reaches the board before Done, and the board then
// equals a fresh redraw.
struct ImmediateCase {
  const char* name;
  int16_t control;
  int item;  // 0: a check box, clicked
  std::function<bool()> applied;
};

TEST_F(DisplaySettingsWindowTest, WithImmediateChangesOnEachChangeReachesTheBoardAtOnce) {
  displaySettings.rowNumbersShown = 0, displaySettings.solidPieceColors = 0;
  const int16_t size = static_cast<int16_t>(shellWindow.boardSizeIndex == 3 ? 4 : 3);
  const int16_t showMoves = displaySettings.showPossibleMoves;
  const std::vector<ImmediateCase> cases = {
      {"row numbers", 3, 0, [] { return displaySettings.rowNumbersShown == -1; }},
      {"solid colours", 9, 0, [] { return displaySettings.solidPieceColors == -1; }},
      {"shape", 15, 4, [] { return displaySettings.pieceShapeApplied == 4; }},
      {"colour", 19, 6, [] { return display.boardColor == 6; }},
      {"frame item 3 is design 2", 21, 3, [] { return boardState.boardFrameDesign == 2; }},
      {"size", 17, size, [size] { return shellWindow.boardSizeIndex == size; }},
      {"possible moves wait", 5, 0, [showMoves] { return displaySettings.showPossibleMoves == showMoves; }},
  };
  open();
  setImmediate(true);
  for (const ImmediateCase& c : cases) {
    if (c.item == 0) {
      click(c.control);
    } else {
      pickItem(c.control, c.item);
    }
    EXPECT_TRUE(c.applied()) << c.name;
    testing::expectDialogInFront(kW, c.name);
    windowSelect(1);
    EXPECT_EQ(boardPixels(), freshRedraw()) << c.name;
    windowSelect(kW);
  }
  const std::vector<long> applied = lookOfTheBoard();
  closeWith(Qt::Key_Escape);
  EXPECT_EQ(lookOfTheBoard(), applied) << "Escape keeps what was applied at once";
  EXPECT_EQ(displaySettings.showPossibleMoves, showMoves) << "and drops what waited";
}

// The size goes to the board at Done only when the user chose one that was not applied
// at once; a board the user sized freely keeps its size.
struct SizeCase {
  const char* name;
  bool freeSize;      // the user sized the board freely before opening the window
  bool resizedWhileOpen;  // ... or while it is open
  bool immediate;
  int item;  // 0: the size pop-up untouched
};

void sizeFreely() {
  testing::userResize(1, windowContentRect(1).width() - 70, windowContentRect(1).height() - 50);
  testing::pumpUntil([] { return shellWindow.boardSizeIndex == 0 && shellWindow.boardRebuilding == 0; });
  testing::settle();
}

TEST_F(DisplaySettingsWindowTest, DoneAppliesOnlyASizeTheUserChoseAndNeverResizesAnUntouchedBoard) {
  constexpr SizeCase kCases[] = {{"free size, untouched", true, false, false, 0},
                                 {"free size, immediate, untouched", true, false, true, 0},
                                 {"resized while open, untouched", false, true, false, 0},
                                 {"chosen with immediate changes off", false, false, false, 2},
                                 {"chosen at once", false, false, true, 2},
                                 {"free size, chosen with immediate changes off", true, false, false, 3}};
  for (const SizeCase& c : kCases) {
    if (c.freeSize) {
      sizeFreely();
      ASSERT_EQ(shellWindow.boardSizeIndex, 0) << c.name;
    } else {
      boardState.pendingBoardSize = 4, boardState.boardSizeChangePending = 255;
      rebuildBoardWindow();
      boardState.boardSizeChangePending = 0;
    }
    open();
    EXPECT_EQ(controlValue(kW, 17), shellWindow.boardSizeIndex) << c.name;
    // The box shows the size in force: a free one by its width.
    EXPECT_EQ(controlText(kW, 17), c.freeSize ? "Free (" + std::to_string(display.boardWidth) + " wide)" : "Size 4")
        << c.name;
    if (c.resizedWhileOpen) {
      sizeFreely();
      ASSERT_EQ(shellWindow.boardSizeIndex, 0) << c.name;
    }
    const Rect window = windowContentRect(1);
    const int16_t width = display.boardWidth;
    setImmediate(c.immediate);
    pickItem(19, display.boardColor == 2 ? 3 : 2);  // another change waits or is applied
    if (c.item != 0) pickItem(17, c.item);
    if (c.immediate && c.item != 0) {
      EXPECT_EQ(shellWindow.boardSizeIndex, c.item) << c.name << ": at once";
    }
    click(1);
    ASSERT_FALSE(windowExists(kW)) << c.name;
    if (c.item == 0) {
      EXPECT_EQ((std::vector<long>{display.boardWidth, windowContentRect(1).width(), windowContentRect(1).height()}),
                (std::vector<long>{width, window.width(), window.height()}))
          << c.name;
      EXPECT_EQ(shellWindow.boardSizeIndex, c.freeSize || c.resizedWhileOpen ? 0 : 4) << c.name;
    } else {
      EXPECT_EQ(shellWindow.boardSizeIndex, c.item) << c.name;
      EXPECT_EQ(display.boardSizeUnit, shellWindow.boardSizeTable[c.item]) << c.name;
    }
    EXPECT_EQ(boardPixels(), freshRedraw()) << c.name;
  }
}

TEST_F(DisplaySettingsWindowTest, ThePictureBoardTakesSizeFiveKeepsTheShapeAndIgnoresTheRest) {
  const int16_t shape = displaySettings.pieceShapeApplied;
  const int16_t otherShape = static_cast<int16_t>(shape == 2 ? 3 : 2);
  open();
  setImmediate(false);
  pickItem(15, otherShape), pickItem(19, kPictureBoard);
  click(1);
  EXPECT_EQ((std::vector<long>{display.boardColor, shellWindow.boardSizeIndex, displaySettings.pieceShapeApplied}),
            (std::vector<long>{kPictureBoard, 5, shape}));
  EXPECT_EQ(boardPixels(), freshRedraw());
  // On the picture board the frame, size, shape and solid colours change nothing at once.
  open();
  setImmediate(true);
  const std::vector<long> before = lookOfTheBoard();
  pickItem(21, 4), pickItem(17, 2), pickItem(15, otherShape);
  click(9);
  EXPECT_EQ(lookOfTheBoard(), before);
  // Leaving it at once gives the board its size item again.
  pickItem(19, 3);
  EXPECT_EQ((std::vector<long>{display.boardColor, shellWindow.boardSizeIndex, controlValue(kW, 17)}),
            (std::vector<long>{3, 5, 5}));
  closeWith(Qt::Key_Return);
  EXPECT_EQ(boardPixels(), freshRedraw());
}

std::filesystem::path noFileChosen(std::string_view, const std::filesystem::path&) { return {}; }

TEST_F(DisplaySettingsWindowTest, AnUnreadCustomColourFileSetsThePopUpBackAndKeepsTheColour) {
  const OpenFilePresenter previous = setOpenFilePresenter(noFileChosen);
  const int16_t colour = display.boardColor;
  open();
  setImmediate(true);
  pickItem(19, kCustomColours);
  EXPECT_EQ((std::vector<long>{display.boardColor, controlValue(kW, 19)}), (std::vector<long>{colour, colour}));
  closeWith(Qt::Key_Return);
  EXPECT_EQ(display.boardColor, colour);
  setOpenFilePresenter(previous);
}

struct HelpCase {
  int16_t button;
  const char* topic;
};
constexpr HelpCase kHelps[] = {
    {6, "Show Possible Moves Help"}, {4, "Show Row Numbers Help"}, {8, "Display 4 Dice Help"},
    {12, "Show Changes Immediately Help"}, {16, "Piece Shape Help"}, {14, "Piece Speed Help"},
    {20, "Board Colour Help"},        {22, "Board Frame Help"},      {18, "Board Size Help"},
};

TEST_F(DisplaySettingsWindowTest, EachHelpButtonShowsItsTextOverTheWindowAndComesBack) {
  displaySettings.rowNumbersShown = 0;
  open();
  setImmediate(false);
  click(3);
  const std::vector<int> values = {controlValue(kW, 3), controlValue(kW, 11), controlValue(kW, 19)};
  for (const HelpCase& h : kHelps) {
    click(h.button);
    ASSERT_TRUE(windowExists(kInfoBoxWindow)) << h.topic;
    testing::expectDialogInFront(kInfoBoxWindow, h.topic);
    EXPECT_EQ(contentWidget(kInfoBoxWindow)->windowTitle().toStdString(), h.topic);
    EXPECT_EQ(controlText(kInfoBoxWindow, 40), hook::helpTextNamed(h.topic)) << h.topic;
    EXPECT_GE(controlText(kInfoBoxWindow, 40).size(), 2U) << h.topic;
    testing::clickControl(kInfoBoxWindow, 1);
    ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kInfoBoxWindow); }, 5)) << h.topic;
    testing::expectDialogInFront(kW, h.topic);
    EXPECT_EQ((std::vector<int>{controlValue(kW, 3), controlValue(kW, 11), controlValue(kW, 19)}), values) << h.topic;
  }
  // A help text under two characters, a number without a topic and the private commands
  // do nothing.
  const auto helpTexts = shellServices.loadHelpText;
  shellServices.loadHelpText = [](std::string_view) { return std::string("x"); };
  click(4);
  shellServices.loadHelpText = helpTexts;
  displaySettingsHelp(10);
  FBRaiseDialogEvent(kDialogPrivate, 1), FBRaiseDialogEvent(kDialogPrivate, 2);
  testing::settle();
  EXPECT_FALSE(windowExists(kInfoBoxWindow));
  testing::expectDialogInFront(kW, "private commands");
  click(1);
  EXPECT_EQ(displaySettings.rowNumbersShown, -1) << "Done still works";
  testing::expectBackOnTheBoard("after help");
}

TEST_F(DisplaySettingsWindowTest, ShowPossibleMovesInTheSettingsMenuIsEnabledShowsThePreferenceAndDoesNothing) {
  for (int round = 0; round < 2; ++round) {
    const int16_t preference = displaySettings.showPossibleMoves;
    EXPECT_TRUE(menuItemEnabled(kSettingsMenu, kShowPossibleMovesItem)) << round;
    EXPECT_EQ(menuItemChecked(kSettingsMenu, kShowPossibleMovesItem), preference != 0) << round;
    const std::vector<long> before = lookOfTheBoard();
    choose(kSettingsMenu, kShowPossibleMovesItem);
    testing::settle();
    EXPECT_EQ(lookOfTheBoard(), before) << round;
    EXPECT_EQ(menuItemChecked(kSettingsMenu, kShowPossibleMovesItem), preference != 0) << round;
    EXPECT_FALSE(windowExists(kW)) << round;
    // Display Settings changes the preference; the mark follows it.
    open();
    click(5);
    click(1);
    EXPECT_EQ(displaySettings.showPossibleMoves, preference != 0 ? 0 : -1) << round;
  }
}

}  // namespace
}  // namespace bg
