#pragma once
// A fixture that gives every test the program's state of a fresh start and a fixed random
// sequence, with recording fakes for the services the rules call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/best_plays.h"
#include "rules/checker_move.h"
#include "rules/dice.h"
#include "rules/game_record.h"
#include "runtime/core/random.h"
#include "state/display_services.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/program_state.h"
#include "support/position_text.h"

namespace bg::testing {

// What the recording fakes saw, in call order.
struct ServiceLog {
  std::vector<int> diceUsed;
  std::vector<std::string> messages;
};

inline ServiceLog serviceLog;

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    serviceLog = ServiceLog{};
  }
  void TearDown() override {
    resetProgramState();
    setRandomHook(nullptr);
    seedRandom(20240611);
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

// The search's evaluation for tests: scores a play by how far back its men started.
inline void rankByStartPoints() {
  float score = 0;
  for (int k = 1; k <= playSearch.playLength; ++k) score += static_cast<float>(playSearch.playFrom[k]) / 10.0f;
  for (auto* list : {&bestPlays.bestPlaysTrue, &bestPlays.bestPlaysSkill}) {
    insertCandidatePlay(*list, playSearch.playFrom, playSearch.playDice, score, PartialScores{});
  }
}

// The checkers of `side` on the board, bar included.
inline int checkersOf(int16_t side) {
  int count = 0;
  for (const int16_t c : position.board) {
    if (c * position.playerDirection[side] > 0) count += c * position.playerDirection[side];
  }
  return count;
}

}  // namespace bg::testing
