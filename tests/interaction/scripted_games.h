#pragma once
// Whole games against the computer through the program's own main loop, side 0 played by
// a scripted person: the play the computer would choose for it, step by step, each step
// checked against the board the steps before should have left. The tests say how the
// person enters a step (clicks or keys) and which wrong entries it tries on the way.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "../display/board_fixture.h"
#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "flow/computer_move.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "interaction/interaction_install.h"
#include "rules/best_plays.h"
#include "runtime/core/random.h"
#include "runtime/qt/events.h"
#include "state/best_plays_state.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/flow_state.h"
#include "state/play_search_state.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "support/scripted_board.h"

namespace bg::testing {

using Board = CheckedArray<int16_t, 25>;

struct GameScript {
  MouseScript script;
  std::vector<std::pair<int16_t, int16_t>> plan;  // player 0's from-point and pips
  size_t next = 0;
  bool planned = false;
  Board expected;  // the board the steps played so far leave
  int games = 0, wantedGames = 0, stepsPlayed = 0, refusals = 0, answers = 0;
};

inline GameScript*& gameScript() {
  static GameScript* running = nullptr;
  return running;
}

// One step of player 0 on b: a blot of player 1 where it lands goes to the bar.
inline void applyStep(Board& b, int16_t from, int16_t pips) {
  b[from] -= 1;
  const int to = (from == 25 ? 0 : from) + pips;
  if (to > 24) return;
  if (b[to] == -1) {
    b[to] = 0;
    b[0] -= 1;
  }
  b[to] += 1;
}

// The play the computer would choose for the person, as steps of player 0.
inline void makePlan() {
  GameScript& g = *gameScript();
  g.plan.clear();
  g.next = 0;
  // Reading the chosen play also sets the turn's move counts: they are kept as they were.
  const int16_t left = flow.movesLeft, allowed = flow.movesAllowed, playLength = playSearch.playLength;
  computerPlaysMoveFlagged();
  const int16_t length = loadChosenPlay(bestPlays.bestPlaysTrue, 1, playSearch.playFrom, playSearch.playDice);
  flow.movesLeft = left;
  flow.movesAllowed = allowed;
  playSearch.playLength = playLength;
  for (int16_t k = 1; k <= length; ++k) {
    int16_t from = playSearch.playFrom[k];
    if (from == kFromBar) from = 0;
    g.plan.emplace_back(static_cast<int16_t>(25 - from), playSearch.playDice[k]);
  }
  g.expected = position.board;
  g.planned = true;
}

// The program on the reference board with the computer's search; the parameter seeds the dice.
class ScriptedGamesTest : public ::testing::TestWithParam<uint32_t> {
 protected:
  void SetUp() override {
    resetProgramState();
    loadShippedMessages();
    initComputerData();
    installComputerSearchServices();
    installFlowServices();
    openBoard(700, 1);
    installInteractionServices();
    takeBoardClicks();
    slice_ = eventSlice();
    setEventSlice(0);  // the script's pumps never wait for real time
  }
  void TearDown() override {
    gameScript() = nullptr;
    setMouseVector(nullptr);
    clearSimulatedMouse();
    setPort(nullptr);
    windowClose(1);
    resetProgramState();
    setEventSlice(slice_);
  }
  // Two games with the cube on, the planner adding the person's steps whenever the script
  // runs dry; a spent pump budget fails the test and ends the games.
  void playTwoGames(GameScript& g, void (*planner)(), long budget) {
    gameScript() = &g;
    seedRandom(GetParam());
    fillDicePool();
    redrawBoardWindow();
    flow.opponentMode = kComputerOpponent;
    settings.soundOptions.soundOn = 0;
    displaySettings.pieceSpeed = 11;
    cube.cubeUsed = -1;
    g.wantedGames = 2;
    g.script.planner = planner;
    g.script.budget = budget;
    g.script.onBudgetSpent = [] {
      const GameScript& s = *gameScript();
      ADD_FAILURE() << "the script ran out of pumps after " << s.stepsPlayed << " steps, game " << s.games;
      // The game loop only gives way to a new game while the shell is busy.
      shellFlags.quitRequested = -1;
      flow.newGameRequested = -1;
      shellFlags.modalBusy = 1;
      flow.abortTurn = kLeaveTurn;
    };
    turnServices.pumpEvents = [] {
      if (!gameScript()->script.spent) shellFlags.modalBusy = 0;
      gameScript()->script.pump();
    };
    // The game's end stands in for the end-of-game box: the loop returns to the pump.
    turnServices.endGameHook = [] {
      GameScript& s = *gameScript();
      ++s.games;
      s.planned = false;
      if (s.games >= s.wantedGames || ::testing::Test::HasFailure()) shellFlags.quitRequested = -1;
      shellFlags.modalBusy = 1;
    };
    flow.newGameRequested = -1;
    runMainLoop();
    EXPECT_EQ(g.games, g.wantedGames);
    EXPECT_GT(g.stepsPlayed, 20);
    EXPECT_GT(g.refusals, 3);
  }

 private:
  int16_t slice_ = 0;
  UseVirtualClock clock_;
};

}  // namespace bg::testing
