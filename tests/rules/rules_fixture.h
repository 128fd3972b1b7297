#pragma once
// A fixture that gives every test the program's state of a fresh start and a fixed random
// sequence, with recording fakes for the services the rules call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/checker_move.h"
#include "rules/dice.h"
#include "rules/game_record.h"
#include "runtime/core/random.h"
#include "state/analysis_state.h"
#include "state/best_plays_state.h"
#include "state/concession_state.h"
#include "state/cube_state.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_services.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/sound_services.h"
#include "state/storage_state.h"
#include "support/position_text.h"

namespace bg::testing {

inline void resetRulesState() {
  resetProgramState();
  setRandomHook(nullptr);
  seedRandom(20240611);
}

// What the recording fakes saw, in call order.
struct ServiceLog {
  std::vector<std::string> calls;
  std::vector<int> diceUsed;
  std::vector<std::string> messages;
};

inline ServiceLog serviceLog;

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetRulesState();
    serviceLog = ServiceLog{};
  }
  void TearDown() override { resetRulesState(); }

  static void recordDiceUsed() {
    displayServices.showDieUsed = [](int16_t die) {
      serviceLog.diceUsed.push_back(die);
      least::showDieUsed(die);
    };
  }
  static void recordMessages() {
    interactionServices.displayMessage = [] { serviceLog.messages.push_back(interaction.messageText.str()); };
  }

  // The roll stage's part: the dice in hand, the side on turn, the roll entry at count + 1.
  static void rollFor(int16_t side, int16_t a, int16_t b, int16_t rollFlags = 0) {
    setSideOnRoll(side);
    setRoll(a, b);
    flow.movesAllowed = a == b ? 4 : 2;
    flow.movesLeft = flow.movesAllowed;
    flow.moveNumber = 0;
    flow.abortTurn = 0;
    playSearch.playLength = flow.movesAllowed;
    if (record.gameRecordCount < kLastPlayEntry) {  // a full record takes no roll entry
      GameRecordEntry& entry = record.gameRecord[record.gameRecordCount + 1];
      entry = blankRecordEntry;
      entry.side = side;
      entry.die1 = a;
      entry.die2 = b;
      entry.flags = rollFlags;
    }
  }

  static void moveChecker(int16_t from, int16_t distance) {
    hand.selectedPoint = from;
    hand.moveDistance = distance;
    moveOneChecker();
  }
};

// The checkers of `side` on the board, bar included.
inline int checkersOf(int16_t side) {
  int count = 0;
  for (const int16_t c : position.board) {
    if (c * position.playerDirection[side] > 0) count += c * position.playerDirection[side];
  }
  return count;
}

}  // namespace bg::testing
