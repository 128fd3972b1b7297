// Display Settings through its menu item and its real widgets: the controls where the
// window's table puts them, nothing on the board before Done with immediate changes off,
// the board after Done equal to a fresh redraw, Escape applying nothing, the help buttons
// over the window and back, and a board size applied only when the user chose one.
#include <QComboBox>
#include <QImage>
#include <QListView>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "display/board_redraw.h"
#include "interaction/interaction_install.h"
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

class DisplaySettingsWindowTest : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    installDialogServices();
    installInteractionServices();
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
  static void closeWith(Qt::Key key) {
    testing::typeKey(kW, key);
    ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kW); }, 5));
  }
};

TEST_F(DisplaySettingsWindowTest, EscapeAppliesNothingAndDoneAppliesTheSizeChosenWithImmediateChangesOff) {
  for (bool done : {false, true}) {
    const int16_t sizeBefore = shellWindow.boardSizeIndex;
    const int16_t chosen = static_cast<int16_t>(sizeBefore == 2 ? 3 : 2);
    open();
    EXPECT_EQ(controlValue(kW, 17), sizeBefore);
    setImmediate(false);
    testing::choosePopUpItem(kW, 17, chosen);
    testing::settle();
    EXPECT_EQ(shellWindow.boardSizeIndex, sizeBefore) << "nothing before Done";
    closeWith(done ? Qt::Key_Return : Qt::Key_Escape);
    EXPECT_EQ(shellWindow.boardSizeIndex, done ? chosen : sizeBefore) << (done ? "Done" : "Escape");
    testing::expectBackOnTheBoard(done ? "Done" : "Escape");
  }
}

}  // namespace
}  // namespace bg
