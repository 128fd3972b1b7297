// A menu choice made just before a box opens (the welcome at a first start, an information
// box a command opens) is not carried out under the box: the board and the menus it came from
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
    for (int16_t n : {kNotePadWindow, kDisplaySettingsWindow, kLargeMessageWindow, kInformationWindow, int16_t{1}})
      windowClose(n);
    setEventSlice(2);
  }
  QTimer answerer_;
};

// The welcome of a first start opens on the board's first picture, an information box from
// a command; a choice made before either came up waits on nothing and opens nothing while
// it is up, and Return closes the box.
TEST_F(QueuedChoices, AChoiceMadeAsABoxOpensIsNotCarriedOutUnderIt) {
  const auto welcome = [] {
    storage.firstRun = -1;
    redrawBoardWindow();
  };
  const auto information = [] { showMessageBox("A box that leaves the menus as they are"); };
  const struct {
    const char* name;
    int16_t menu, item;
    void (*openBox)();
    int16_t box;
  } rows[] = {{"statistics panel, welcome", kComputerMenu, kStatisticsTopItem, welcome, kLargeMessageWindow},
              {"note pad, welcome", kComputerMenu, kNotePadItem, welcome, kLargeMessageWindow},
              {"display settings, welcome", kSettingsMenu, kDisplaySettingsItem, welcome, kLargeMessageWindow},
              {"statistics panel, information", kComputerMenu, kStatisticsTopItem, information, kInformationWindow},
              {"note pad, information", kComputerMenu, kNotePadItem, information, kInformationWindow}};
  for (const auto& row : rows) {
    const int16_t box = row.box;
    std::string underTheBox;
    int answered = 0;
    QObject::disconnect(&answerer_, nullptr, nullptr, nullptr);
    QObject::connect(&answerer_, &QTimer::timeout, [&] {
      if (!windowExists(box)) return;
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
      if (modalLoopWindow() != box) return;
      ++answered;
      testing::typeKey(box, Qt::Key_Return);
    });
    answerer_.start(0);
    chooseMenuItem(row.menu, row.item);  // queued, as from the menu bar
    row.openBox();
    answerer_.stop();
    EXPECT_EQ(underTheBox, "") << row.name;
    EXPECT_EQ(answered, 1) << row.name;
    EXPECT_FALSE(windowExists(box)) << row.name;
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

// A choice still queued when the program starts again belongs to the run that made it: the
// new start opens nothing for it.
TEST_F(QueuedChoices, AChoiceQueuedBeforeAFreshStartIsNotCarriedOutAfterIt) {
  chooseMenuItem(kSettingsMenu, kDisplaySettingsItem);  // queued, as from the menu bar
  releaseEveryWindow();
  testing::startRuntime();
  testing::startShell({installFlowServices, installDialogServices, installBoardServices});
  testing::setPosition("start | side 0");
  testing::pumpUntil([] { return windowExists(kDisplaySettingsWindow); }, 5);
  EXPECT_FALSE(windowExists(kDisplaySettingsWindow));
}

}  // namespace
}  // namespace bg
