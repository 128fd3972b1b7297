// Whole games with the human's side played from the keyboard alone, each key handed to
// the board's key entry from inside the waits: "+" rolls, each step of a legal play is typed as "from.pips" and Return in the
// person's own numbering, the computer's doubles are answered with Y and N. Before some
// steps the script types an entry that must be refused and change nothing.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "../display/board_fixture.h"
#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "flow/computer_move.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "interaction/key_commands.h"
#include "interaction/move_entry_state.h"
#include "rules/best_plays.h"
#include "runtime/core/random.h"
#include "runtime/qt/events.h"
#include "state/best_plays_state.h"
#include "state/play_options.h"
#include "state/play_search_state.h"
#include "state/shell_flags.h"
#include "support/mouse_script.h"

namespace bg {
namespace {

using Board = CheckedArray<int16_t, 25>;

struct KeyRun {
  testing::MouseScript script;
  std::vector<std::pair<int16_t, int16_t>> plan;  // program from-point, pips
  size_t next = 0;
  bool planned = false;
  Board expected;
  int games = 0, wantedGames = 0, stepsPlayed = 0, refusals = 0, answers = 0;
  bool inKey = false;
};
KeyRun* run = nullptr;

// Keys arrive as the shell hands them on: upper-cased, one by one.
bool boardKeys(AppEvent& e) {
  if (e.kind != AppEvent::kKeyDown) return false;
  const char typed = static_cast<char>(std::toupper(e.charCode));
  interactionDisplay.keyBuffer = std::string_view(&typed, 1);
  // A typed move plays inside the key: the person waits for it to end.
  run->inKey = true;
  doKeyDown();
  run->inKey = false;
  return true;
}

// The keys of one entry in one pump, handed to the board's key entry as the shell hands
// them on: the pumps of the move they play take no further key.
void type(const std::string& keys) {
  run->script.then([keys] {
    for (char c : keys) {
      AppEvent e;
      e.kind = AppEvent::kKeyDown;
      e.window = 1;
      e.charCode = static_cast<uint8_t>(c);
      boardKeys(e);
    }
  });
}

void applyStep(Board& b, int16_t from, int16_t pips) {
  b[from] -= 1;
  const int to = (from == 25 ? 0 : from) + pips;
  if (to > 24) return;
  if (b[to] == -1) {
    b[to] = 0;
    b[0] -= 1;
  }
  b[to] += 1;
}

void makePlan() {
  run->plan.clear();
  run->next = 0;
  const int16_t left = flow.movesLeft, allowed = flow.movesAllowed, playLength = playSearch.playLength;
  computerPlaysMoveFlagged();
  const int16_t length = loadChosenPlay(bestPlays.bestPlaysTrue, 1, playSearch.playFrom, playSearch.playDice);
  flow.movesLeft = left;
  flow.movesAllowed = allowed;
  playSearch.playLength = playLength;
  for (int16_t k = 1; k <= length; ++k) {
    int16_t from = playSearch.playFrom[k];
    if (from == kFromBar) from = 0;
    run->plan.emplace_back(static_cast<int16_t>(25 - from), playSearch.playDice[k]);
  }
  run->expected = position.board;
  run->planned = true;
}

// The person's number of side 0's program point: counted from the other end, 25 the bar.
int personsPoint(int16_t program) { return program == 25 ? 25 : 25 - program; }

void planner() {
  if (::testing::Test::HasFatalFailure() || panelWait.clickWaitRunning == 0 || run->inKey) return;
  if (panelWait.questionPanelUp == -1) {
    type(++run->answers % 2 ? "Y" : "N");
    return;
  }
  if (position.currentPlayer != 0 || diceState.diceShowing != -1) run->planned = false;
  if (turnState.awaitingDiceClick == -1) {
    run->planned = false;
    type("+");
    return;
  }
  if (position.currentPlayer != 0 || diceState.diceShowing != -1 || moveEntry.waitingForMove != -1) return;
  if (!run->planned) makePlan();
  if (run->next >= run->plan.size()) {
    type("+");  // the rest of the roll cannot be played: the dice
    return;
  }
  for (int p = 0; p <= 25; ++p) ASSERT_EQ(position.board[p], run->expected[p]) << "point " << p;
  const auto [from, pips] = run->plan[run->next++];
  if (run->stepsPlayed % 3 == 0) {
    // Refused entries: a point off the board, and the step with a distance no die has.
    type("26.1\r" + std::to_string(personsPoint(from)) + ".0\r");
    run->script.then([before = run->expected] {
      for (int p = 0; p <= 25; ++p) EXPECT_EQ(position.board[p], before[p]) << "point " << p;
      ++run->refusals;
    });
  }
  type(std::to_string(personsPoint(from)) + "." + std::to_string(pips) + "\r");
  applyStep(run->expected, from, pips);
  ++run->stepsPlayed;
}

void countGame() {
  ++run->games;
  run->planned = false;
  if (run->games >= run->wantedGames || ::testing::Test::HasFailure()) shellFlags.quitRequested = -1;
  shellFlags.modalBusy = 1;
}

class WholeGamesByKeys : public ::testing::TestWithParam<uint32_t> {
 protected:
  void SetUp() override {
    resetProgramState();
    testing::loadShippedMessages();
    initComputerData();
    installComputerSearchServices();
    installFlowServices();
    testing::openBoard(700, 1);
    installInteractionServices();
    setMouseVector([] { interactionDisplay.boardInputEvent = 255; });
    setAppEventHandler(boardKeys);
    run = &state_;
    slice_ = eventSlice();
    setEventSlice(0);
  }
  void TearDown() override {
    run = nullptr;
    setAppEventHandler(nullptr);
    setMouseVector(nullptr);
    testing::clearSimulatedMouse();
    setPort(nullptr);
    windowClose(1);
    resetProgramState();
    setEventSlice(slice_);
  }
  int16_t slice_ = 0;
  KeyRun state_;
  UseVirtualClock clock_;
};

TEST_P(WholeGamesByKeys, EveryPlayIsTypedLegallyAndEveryBadEntryRefused) {
  seedRandom(GetParam());
  fillDicePool();
  redrawBoardWindow();
  flow.opponentMode = 1;
  settings.soundOptions.soundOn = 0;
  displaySettings.pieceSpeed = 11;
  cube.cubeUsed = -1;
  run->wantedGames = 2;
  run->script.planner = planner;
  run->script.budget = 40000;
  run->script.onBudgetSpent = [] {
    ADD_FAILURE() << "the script ran out of pumps after " << run->stepsPlayed << " steps, game " << run->games;
    shellFlags.quitRequested = -1;
    flow.newGameRequested = -1;
    shellFlags.modalBusy = 1;
    flow.abortTurn = kLeaveTurn;
  };
  turnServices.pumpEvents = [] {
    if (!run->script.spent) shellFlags.modalBusy = 0;
    run->script.pump();
  };
  turnServices.endGameHook = countGame;
  flow.newGameRequested = -1;
  runMainLoop();
  EXPECT_EQ(run->games, run->wantedGames);
  EXPECT_GT(run->stepsPlayed, 20);
  EXPECT_GT(run->refusals, 3);
}

INSTANTIATE_TEST_SUITE_P(Seeds, WholeGamesByKeys, ::testing::Values<uint32_t>(5, 11));

}  // namespace
}  // namespace bg
