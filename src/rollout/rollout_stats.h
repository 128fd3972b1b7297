#pragma once
// What a rollout counts, the position it rolls out, and the user's state it puts back.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"
#include "state/dice_state.h"
#include "state/game_record_state.h"

namespace bg {

inline constexpr double kUntrackedMaxPercent = -1;
inline constexpr double kUntrackedMinPercent = 101;
inline constexpr double kUntrackedMaxEquity = -99;
inline constexpr double kUntrackedMinEquity = 99;

struct RolloutStats {
  int32_t gamesDone = 0;  // games begun since the start, counted as the next one starts
  CheckedArray<int32_t, 1> points;
  CheckedArray<int32_t, 1> wins;
  CheckedArray<int32_t, 1> gammons;
  CheckedArray<int32_t, 1> backgammons;
  CheckedArray<double, 1> maxPercent{{{kUntrackedMaxPercent, kUntrackedMaxPercent}}};
  CheckedArray<double, 1> minPercent{{{kUntrackedMinPercent, kUntrackedMinPercent}}};
  double maxEquity = kUntrackedMaxEquity;
  Str255 maxEquityText;
  int32_t maxEquityGame = 0;
  double minEquity = kUntrackedMinEquity;
  Str255 minEquityText;
  int32_t minEquityGame = 0;
  uint64_t startTime = 0;  // microseconds at the start
  CheckedArray<int16_t, 25> rolloutStartBoard;
  int16_t reportFailed = 0;  // -1 once a report could not be written this rollout
};
extern RolloutStats rolloutStats;

// The user's state at the start, kept in the values' own widths.
struct RolloutSnapshot {
  CheckedArray<int32_t, 1> scores;
  int16_t cubeUsed = 0;
  int16_t cubeMaximum = 0;
  int16_t beaverAllowed = 0;
  int16_t jacobyRule = 0;
  uint8_t backgammonAllowed = 0;
  int16_t autoConcessions = 0;
  int16_t inputDice = 0;
  CheckedArray<int16_t, 3> dice;
  int16_t diceShowing = 0;
  CheckedArray<int16_t, 1> playerKinds;
  int16_t sideToMove = 0;
  int16_t cubeValue = 1;
  int16_t cubeOwner = 0;
  int16_t turnNumber = 1;
  int16_t recordCount = 0;
  int16_t openingPhase = 0;
  int16_t speechOn = 0;
  int16_t activePlayers = 1;
  uint8_t tournamentGoing = 0;
  uint8_t moneySessionActive = 0;
  int16_t personality = 0;
  uint8_t fastPlay = 0;
  // The opening options: a rollout neither waits on nor re-rolls its openings.
  uint8_t rerollFirstRoll = 0;
  int16_t whoRollsFirst = 1;
  // The user's game, given back when the rollout ends: every rolled-out game starts
  // afresh, which clears its flags and figures.
  GameRecord userRecord;
  int16_t gameModified = 0;
  int16_t gameResultFlag = 0;
  int16_t gameContinued = 0;
  StrPath savedGameName;
  CheckedArray<int32_t, 1> pipsRolled;
  CheckedArray<int16_t, 1> doublesRolled;
  CheckedArray<int16_t, 1> gamePointsBySide;
  CheckedArray<int16_t, 1> turnTakeBacks;
  CheckedArray<int16_t, 1> whoIsWinningUses;
  CheckedArray<int16_t, 1> whoIsAheadUses;
  CheckedArray<uint8_t, 1> playerRolledOver;
  // The rolls the dice frames showed, put back at every game.
  CheckedArray<CheckedArray<DiceEntry, 1>, 1> userDieSlots;
};
extern RolloutSnapshot rolloutSnapshot;

}  // namespace bg
