// The designed dialogs after a real start-up, opened through their menu items or their
// flow paths and answered through their real widgets, keys and buttons.
#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/game_setup_dialogs.h"
#include "dialogs/message_boxes.h"
#include "display/board_layout.h"
#include "display/message_line.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/menu_dispatch.h"
#include "shell/shared_services.h"
#include "shell/startup.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/program_state.h"
#include "state/settings.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

constexpr int16_t kMenusOfTheBar[] = {1, 3, 8, 5, 17, 6, 16, 4};

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    rtInit(argc, argv);
    initProgram();
    installShellServices();
    installDialogServices();
    installMenuCommands();
    installAppEventHandlers();
    setEventSlice(0);
    display.firstBoardBuild = 0;
    flow.newGameRequested = 0;
    windowSelect(1);
  }
  void TearDown() override {
    for (int16_t n : {int16_t{323}, int16_t{324}, int16_t{333}}) windowClose(n);
    windowClose(1);
    setEventSlice(2);
  }
};

// Every way back to the board leaves this.
void expectOnTheBoard(const std::string& where) {
  EXPECT_EQ(frontWindow(), 1) << where;
  EXPECT_EQ(outputWindow(), 1) << where;
  EXPECT_EQ(dialogWindows.modalDialogWnd, 1) << where;
  EXPECT_EQ(dialogWindows.savedOutputWnd, 1) << where;
  for (int16_t m : kMenusOfTheBar) EXPECT_TRUE(menuItemEnabled(m, 0)) << where << " menu " << m;
  // The board's callback is back: a control hit now reaches doDialogEvent, which notes the
  // output window.
  layerSelection.fbSelectValues[2] = 0;
  FBRaiseDialogEvent(kDialogControlHit, 1);
  testing::pumpUntil([] { return layerSelection.fbSelectValues[2] == 1; }, 3);
  EXPECT_EQ(layerSelection.fbSelectValues[2], 1) << where << ": the board's callback is installed";
}

void expectDialogOpen(int16_t n, const std::string& where) {
  ASSERT_TRUE(windowExists(n)) << where;
  EXPECT_EQ(frontWindow(), n) << where;
  EXPECT_EQ(dialogWindows.modalDialogWnd, n) << where;
  EXPECT_TRUE(contentWidget(n)->isModal()) << where;
  for (int16_t m : kMenusOfTheBar) EXPECT_FALSE(menuItemEnabled(m, 0)) << where << " menu " << m;
}

bool openByMenu(int16_t menu, int16_t item, int16_t window) {
  chooseMenuItem(menu, item);
  return testing::pumpUntil([window] { return windowExists(window); }, 5);
}

void clickControl(int16_t window, int16_t id) {
  QWidget* w = controlWidget(window, id);
  ASSERT_NE(w, nullptr) << window << ":" << id;
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(4, w->height() / 2));
}

void clickRadio(int16_t window, int16_t group, int value) {
  for (QAbstractButton* b : controlWidget(window, group)->findChildren<QAbstractButton*>()) {
    if (b->property("value").toInt() == value) QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
  }
}

enum class Answer { kOkClick, kReturn, kEnter, kCancelClick, kEscape };
constexpr Answer kAnswers[] = {Answer::kOkClick, Answer::kReturn, Answer::kEnter, Answer::kCancelClick,
                               Answer::kEscape};
bool accepts(Answer a) { return a == Answer::kOkClick || a == Answer::kReturn || a == Answer::kEnter; }
const char* nameOf(Answer a) {
  switch (a) {
    case Answer::kOkClick: return "OK";
    case Answer::kReturn: return "Return";
    case Answer::kEnter: return "Enter";
    case Answer::kCancelClick: return "Cancel";
    case Answer::kEscape: return "Escape";
  }
  return "";
}

void answer(int16_t window, Answer a) {
  switch (a) {
    case Answer::kOkClick: clickControl(window, 1); break;
    case Answer::kReturn: testing::typeKey(window, Qt::Key_Return); break;
    case Answer::kEnter: testing::typeKey(window, Qt::Key_Enter); break;
    case Answer::kCancelClick: clickControl(window, 2); break;
    case Answer::kEscape: testing::typeKey(window, Qt::Key_Escape); break;
  }
}

TEST_F(Dialogs, WhoGetsTheFirstRollTakesTheChosenButtonOnOkOnly) {
  for (Answer a : kAnswers) {
    for (int16_t chosen : {int16_t{2}, int16_t{5}}) {
      const std::string where = std::string(nameOf(a)) + " choosing " + std::to_string(chosen);
      settings.whoRollsFirst = 3;
      ASSERT_TRUE(openByMenu(kOptionsMenu, kWhoGetsFirstRollItem, kWhoGetsFirstRollWindow)) << where;
      expectDialogOpen(kWhoGetsFirstRollWindow, where);
      EXPECT_EQ(controlValue(kWhoGetsFirstRollWindow, 3), 3) << where;
      clickRadio(kWhoGetsFirstRollWindow, 3, chosen);
      testing::pumpUntil([] { return false; }, 2);
      EXPECT_EQ(controlValue(kWhoGetsFirstRollWindow, 3), chosen) << where;
      EXPECT_EQ(settings.whoRollsFirst, 3) << where << ": nothing changes before OK";
      answer(kWhoGetsFirstRollWindow, a);
      // Queued: nothing happens inside the widget's own signal or key filter.
      EXPECT_TRUE(windowExists(kWhoGetsFirstRollWindow)) << where;
      ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kWhoGetsFirstRollWindow); }, 5)) << where;
      EXPECT_EQ(settings.whoRollsFirst, accepts(a) ? chosen : 3) << where;
      expectOnTheBoard(where);
    }
  }
}

TEST_F(Dialogs, TheBoardTakesNoInputWhileADialogIsOpen) {
  ASSERT_TRUE(openByMenu(kOptionsMenu, kWhoGetsFirstRollItem, kWhoGetsFirstRollWindow));
  interactionDisplay.boardInputEvent = 0;
  testing::clickAt(1, Point{60, 60});
  testing::pumpUntil([] { return false; }, 2);
  EXPECT_EQ(interactionDisplay.boardInputEvent, 0);
  answer(kWhoGetsFirstRollWindow, Answer::kEscape);
  testing::pumpUntil([] { return !windowExists(kWhoGetsFirstRollWindow); }, 5);
  expectOnTheBoard("after Escape");
}

TEST_F(Dialogs, AHitForAWindowClosedBeforeThePumpIsDropped) {
  ASSERT_TRUE(openByMenu(kOptionsMenu, kWhoGetsFirstRollItem, kWhoGetsFirstRollWindow));
  settings.whoRollsFirst = 1;
  clickRadio(kWhoGetsFirstRollWindow, 3, 4);
  clickControl(kWhoGetsFirstRollWindow, 1);
  clickControl(kWhoGetsFirstRollWindow, 1);
  testing::pumpUntil([] { return false; }, 3);
  EXPECT_EQ(settings.whoRollsFirst, 4);
  expectOnTheBoard("after two clicks on OK");
}

}  // namespace
}  // namespace bg
