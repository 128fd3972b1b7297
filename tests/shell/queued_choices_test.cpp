// A menu choice made just before a box opens (the welcome at a first start, a box a queued
// command opens) is not carried out under the box: the board and the menus it came from
// are out of reach until the box is answered, so nothing may wait on them or open over it.
#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "dialogs/text_windows.h"
#include "display/board_redraw.h"
#include "flow/game_loop.h"
#include "interaction/board_waits.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/startup.h"
#include "started_program.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/storage_state.h"
#include "support/position_text.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

constexpr int16_t kStatisticsTopItem = 5;
constexpr int16_t kNotePadItem = 14;
constexpr int16_t kDisplaySettingsWindow = 322;

class QueuedChoices : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    testing::startShell({installFlowServices, installDialogServices, installBoardServices});
    testing::setPosition("start | side 0");
  }
  void TearDown() override {
    answerer_.stop();
    for (int16_t n : {kNotePadWindow, kDisplaySettingsWindow, kLargeMessageWindow, int16_t{1}}) windowClose(n);
    setEventSlice(2);
  }
  QTimer answerer_;
};

// The welcome of a first start opens on the board's first picture; a choice made before it
// came up waits on nothing and opens nothing while it is up, and Return closes it.
TEST_F(QueuedChoices, AChoiceMadeAsTheWelcomeOpensIsNotCarriedOutUnderIt) {
  const struct {
    const char* name;
    int16_t menu, item;
  } rows[] = {{"statistics panel", kComputerMenu, kStatisticsTopItem},
              {"note pad", kComputerMenu, kNotePadItem},
              {"display settings", kSettingsMenu, kDisplaySettingsItem}};
  for (const auto& row : rows) {
    std::string underTheBox;
    int answered = 0;
    QObject::disconnect(&answerer_, nullptr, nullptr, nullptr);
    QObject::connect(&answerer_, &QTimer::timeout, [&] {
      if (!windowExists(kLargeMessageWindow)) return;
      // What the queued choice did while the welcome was up; then it is let go, so that
      // a failing run still ends.
      if (panelWait.panelCloseWait != 0) {
        underTheBox += " a wait on the board;";
        endPanelCloseWait();
        return;
      }
      for (int16_t n : {kNotePadWindow, kDisplaySettingsWindow})
        if (windowExists(n)) {
          underTheBox += " window " + std::to_string(n) + " opened;";
          testing::typeKey(n, Qt::Key_Escape);
          windowClose(n);
          return;
        }
      if (modalLoopWindow() != kLargeMessageWindow) return;
      ++answered;
      testing::typeKey(kLargeMessageWindow, Qt::Key_Return);
    });
    answerer_.start(0);
    storage.firstRun = -1;
    chooseMenuItem(row.menu, row.item);  // queued, as from the menu bar
    redrawBoardWindow();
    answerer_.stop();
    EXPECT_EQ(underTheBox, "") << row.name;
    EXPECT_EQ(answered, 1) << row.name;
    EXPECT_FALSE(windowExists(kLargeMessageWindow)) << row.name;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << row.name;
    // Whatever the choice opened later is closed before the next row.
    testing::pumpUntil([] { return false; }, 3);
    for (int16_t n : {kNotePadWindow, kDisplaySettingsWindow})
      if (windowExists(n)) {
        testing::clickCloseBox(n);
        testing::pumpUntil([n] { return !windowExists(n); }, 5);
      }
  }
}

}  // namespace
}  // namespace bg
