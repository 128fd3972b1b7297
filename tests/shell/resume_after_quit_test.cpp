// A game quit with File Quit and "save on exit" is the game the next start resumes, from
// its board and its roll: also when it was resumed at this start and not changed since,
// and when the quit came while the computer thought over its opening roll.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../display/board_fixture.h"
#include "dialogs/dialogs_install.h"
#include "display/board_rebuild.h"
#include "display/board_redraw.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "runtime/core/clock.h"
#include "runtime/core/files.h"
#include "runtime/core/random.h"
#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "rules/new_game.h"
#include "shell/quit_game.h"
#include "shell/saved_game_commands.h"
#include "shell/startup.h"
#include "started_program.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/game_record_state.h"
#include "state/menu_numbers.h"
#include "state/position.h"
#include "state/quit_services.h"
#include "state/search_services.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "support/position_text.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

int exits = 0;
std::vector<std::string> titles;  // the titled boxes shown, in order

// The dice come out of the pool in slot order: slot k holds the k-th die thrown.
int nextSlot = 0;
int32_t slotsInOrder(int32_t n) {
  if (n == 30) return nextSlot++ % 30 + 1;
  return 1;
}

class ResumeAfterQuit : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("bg-resume-quit-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    start(false);
  }
  void TearDown() override {
    setRandomHook(nullptr);
    testing::clearSimulatedModifiers();
    testing::pumpingScript() = nullptr;
    setMouseVector(nullptr);
    shellFlags.quitRequested = 0;
    windowClose(1);
    setEventSlice(2);
    std::filesystem::remove_all(folder_);
  }
  // The program as it starts, with the preferences the last quit wrote, and with its first
  // redraw made when `greeted`; a quit ends in a count instead of the process.
  void start(bool greeted) {
    windowClose(1);
    testing::startRuntime();
    ASSERT_TRUE(setDataFolder(folder_ / "data"));
    ASSERT_TRUE(setPreferencesFolder(folder_ / "config"));
    testing::startShell({installFlowServices, installDialogServices});
    storage.firstRun = 0;  // no welcome box
    upperServices.enterPlayerName = [] {};
    installSavedGameServices();
    installBoardServices();
    setMouseVector(mouseEventHook);
    windowSelect(1);
    testing::pumpWithScript(script_, 20000);
    turnServices.quitGame = quitGame;
    quitServices.endProcess = [](int) { ++exits; };
    shellServices.saveAskedBeforeQuitFailed = [] { return quitState.saveAnswer = kSaveAnsweredNo, false; };  // No
    titles.clear();
    searchServices.showTitledText = [](std::string_view title, std::string_view) { titles.emplace_back(title); };
    turnServices.showInformation = [](std::string_view text) { titles.emplace_back(text); };  // a refusal
    exits = 0;
    settings.soundOptions.soundOn = 0;
    settings.automaticRolls = 0;
    shell.saveGameOnExit = -1;
    storage.loadGameOnStartup = -1;
    if (!greeted) return;
    // The first redraw of the board greets and offers the game to resume; its load runs
    // from the events.
    display.firstBoardBuild = -1;
    redrawBoardWindow();
    FBHandleEvents();
  }
  bool resumed() const { return titles == std::vector<std::string>{"    Saved Game Resumed"}; }
  std::filesystem::path folder_;
  testing::MouseScript script_;
  UseVirtualClock clock_;
};

TEST_F(ResumeAfterQuit, AGameResumedAndQuitUnchangedIsResumedAgain) {
  testing::personToPlay("1:2 12:5 17:3 19:4 20:1 6:-5 8:-3 13:-5 24:-2 | dice 4 2 | side 0");
  storage.gameModified = -1;
  const auto board = position.board;
  quitGame();
  ASSERT_EQ(exits, 1);
  for (int restart = 1; restart <= 3; ++restart) {
    // At the second start the command key is held, as by a person still on it: the game
    // comes back whole all the same.
    if (restart == 2) testing::setModifiers(kCmdKeyBit);
    start(true);
    testing::clearSimulatedModifiers();
    EXPECT_TRUE(resumed()) << "restart " << restart;
    EXPECT_EQ(position.board, board) << "restart " << restart;
    EXPECT_EQ(diceState.dice[0].value + diceState.dice[1].value, 6) << "restart " << restart;
    quitGame();
    ASSERT_EQ(exits, 1);
  }
  // A new game replaces it: quit before anything of that one changed, nothing comes back.
  start(true);
  ASSERT_TRUE(resumed());
  chooseMenuItem(kGameMenu, kNewGameItem), FBHandleEvents();
  startNewGame();
  quitGame();
  start(true);
  EXPECT_TRUE(titles.empty());
  EXPECT_NE(position.board, board);
}

// At the start the game to resume is put on the board, and drawn at once, before anything
// is rolled: no opening roll of a new game under the resume's notice, and no computer
// thinking over one while the resume waits, which would refuse it.
TEST_F(ResumeAfterQuit, AtTheStartTheGameIsResumedBeforeAnyRoll) {
  for (const int16_t automaticRolls : {int16_t{0}, int16_t{-1}}) {
    SCOPED_TRACE(automaticRolls != 0 ? "automatic rolls" : "rolls by click");
    start(false);
    testing::personToPlay("1:2 12:5 17:3 19:4 20:1 6:-5 8:-3 13:-5 24:-2 | dice 4 2 | side 0");
    storage.gameModified = -1;
    const auto board = position.board;
    quitGame();
    ASSERT_EQ(exits, 1);

    start(false);
    settings.automaticRolls = automaticRolls;
    // Were an opening rolled, the computer would win it 6-1.
    for (int16_t slot = 1; slot <= 30; ++slot) diceState.dicePool[slot] = 3;
    diceState.dicePool[1] = 1;
    diceState.dicePool[2] = 6;
    nextSlot = 0;
    setRandomHook(slotsInOrder);
    // The program's first pass: the first game, whose first redraw greets and offers the game.
    display.firstBoardBuild = -1;
    flow.newGameRequested = -1;
    bool waited = false;
    script_.planner = [&] {
      if (waited || panelWait.clickWaitRunning == 0) return;
      waited = true;
      EXPECT_EQ(position.board, board) << "the board at the first wait";
      EXPECT_EQ(position.currentPlayer, 0);
      EXPECT_EQ(diceState.dice[0].value + diceState.dice[1].value, 6) << "the roll at the first wait";
      EXPECT_EQ(nextSlot, 0) << "a die was rolled";
      const Point spot = testing::pointSpot(20);
      EXPECT_NE(QColor(testing::pixelAt(spot.h, spot.v)), testing::boardPixel(spot.h, spot.v)) << "the game resumed is drawn";
      shellFlags.quitRequested = -1;
      flow.abortTurn = kLeaveTurn;
    };
    gameLoopStep();
    setRandomHook(nullptr);
    EXPECT_TRUE(waited);
    EXPECT_TRUE(resumed());  // announced once the game is on the board
    EXPECT_FALSE(script_.spent);
    script_.planner = nullptr;
    shellFlags.quitRequested = 0;
  }
}

}  // namespace
}  // namespace bg
