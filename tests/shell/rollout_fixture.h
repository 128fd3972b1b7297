#pragma once
// The rollout windows after a real start-up: Game item 15 opens the set-up window, the
// fields are typed into and the buttons clicked as the user does.
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include <unistd.h>

#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "rollout/rollout_engine.h"
#include "rollout/rollout_results_window.h"
#include "runtime/core/clock.h"
#include "runtime/core/files.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/dialog_script.h"
#include "shell/menu_dispatch.h"
#include "shell/shared_services.h"
#include "shell/startup.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/position.h"
#include "state/shell_flags.h"
#include "state/menu_numbers.h"
#include "state/program_state.h"
#include "support/position_text.h"
#include "support/qt_helpers.h"
#include "started_program.h"

namespace bg::testing {

// The main loop is left at once, the game dropped unannounced, rollout or not.
inline void leaveTheMainLoop() {
  shellFlags.quitRequested = -1;
  position.piecesOnBoard[0] = 0;
  position.piecesOnBoard[1] = 0;
  flow.newGameRequested = -1;
  flow.abortTurn = kLeaveTurn;
  shellFlags.modalBusy = 1;
}

class RolloutWindowsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    startRuntime();
    startShell({installDialogServices, installRolloutServices});
    // A game is on the board: there is something to roll out.
    setPosition("start");
    windowSelect(1);
    folder_ = std::filesystem::temp_directory_path() / ("bg-rollwin-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    setDataFolder(folder_);
  }
  void TearDown() override {
    for (int16_t n : {kRolloutSetupWindow, kRolloutResultsWindow, int16_t{500}}) windowClose(n);
    windowClose(1);
    setEventSlice(2);
    std::filesystem::remove_all(folder_);
  }
  // Runs command and answers the information box it opens; whether one opened.
  static bool answerInformationBox(const std::function<void()>& command) {
    bool told = false;
    // The message's own loop runs the timer: the user reads it and answers Done.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&told] {
      if (windowExists(kInformationWindow) && !told) {
        told = true;
        pressButton(kInformationWindow, 1);
      }
    });
    answer.start(0);
    command();
    pumpUntil([&told] { return told; }, 10);
    answer.stop();
    pumpUntil([] { return false; }, 2);
    return told;
  }
  static bool openSetup() {
    chooseMenuItem(kGameMenu, kRolloutItem);
    return pumpUntil([] { return windowExists(kRolloutSetupWindow); }, 5);
  }
  static void typeInto(int16_t id, const char* text) {
    auto* e = qobject_cast<QLineEdit*>(controlWidget(kRolloutSetupWindow, id));
    ASSERT_NE(e, nullptr);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
  }
  static void click(int16_t window, int16_t id) {
    QWidget* w = controlWidget(window, id);
    ASSERT_NE(w, nullptr) << window << ":" << id;
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(4, w->height() / 2));
  }
  // The set-up window opened, the count typed and OK clicked: the results window is open.
  static bool startRolloutOf(const char* games) {
    if (!openSetup()) return false;
    typeInto(kSetupGamesField, games);
    click(kRolloutSetupWindow, 1);
    return pumpUntil([] { return windowExists(kRolloutResultsWindow); }, 5) && rolloutInProgress();
  }
  // The same with Show Board ticked: the games are played on the board.
  static bool startShownRolloutOf(const char* games) {
    if (!openSetup()) return false;
    if (controlValue(kRolloutSetupWindow, kSetupShowBoardBox) == 0) click(kRolloutSetupWindow, kSetupShowBoardBox);
    typeInto(kSetupGamesField, games);
    click(kRolloutSetupWindow, 1);
    return pumpUntil([] { return windowExists(kRolloutResultsWindow); }, 5) && rolloutInProgress() &&
           !rolloutHidesBoard();
  }
  std::filesystem::path folder_;
  UseVirtualClock clock_;
};

}  // namespace bg::testing
