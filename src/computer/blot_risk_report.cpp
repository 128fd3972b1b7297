#include "computer/blot_risk_report.h"

#include "computer/analyse_position.h"
#include "rules/play_search.h"
#include "runtime/core/format.h"
#include "state/analysis_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/play_search_state.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr int kRollsInAll = 36;
constexpr int16_t kMostBlotsHit = 4;

// What the report borrows from the game and gives back.
struct SavedTurn {
  CheckedArray<DiceEntry, 3> dice;
  int16_t currentPlayer;
  int16_t movesAllowed;
  int16_t maxPipsUsable;
  int16_t movesLeft;
};

void setRoll(int16_t d1, int16_t d2) {
  const bool doubles = d1 == d2;
  diceState.dice[0].value = d1;
  diceState.dice[1].value = d2;
  diceState.dice[2].value = doubles ? d1 : 0;
  diceState.dice[3].value = doubles ? d1 : 0;
  flow.movesAllowed = partMovesOfRoll(doubles);
}

int percentOf(int16_t count) { return static_cast<int>(count * 100.0 / kRollsInAll + 0.5); }

}  // namespace

BlotRiskCounts countBlotRisk() {
  const SavedTurn saved{diceState.dice, position.currentPlayer, flow.movesAllowed, playSearch.maxPipsUsable,
                        flow.movesLeft};
  if (position.openingPhase != 0) position.currentPlayer = 0;
  position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  analysis.analyseBlotRiskFlag = 0;
  analysePosition();

  BlotRiskCounts result;
  CheckedArray<int16_t, 24> hitPoints;
  for (int16_t d1 = 1; d1 <= 6; ++d1) {
    for (int16_t d2 = d1; d2 <= 6; ++d2) {
      const int16_t weight = d1 == d2 ? 1 : 2;
      setRoll(d1, d2);
      playSearch.hittableBlot.fill(0);
      playSearch.maxPipsUsable = 0;
      playSearch.firstHitPoint = 0;
      analysis.analyseBlotRiskFlag = 0;
      playSearch.searchModeMaxPips = -1;
      searchBestPlays();
      playSearch.searchModeMaxPips = 0;

      // Only plays that use as much of the roll as possible count.
      playSearch.hitTrackPips = playSearch.maxPipsUsable;
      playSearch.firstHitPoint = 0;
      analysis.analyseBlotRiskFlag = 0;
      playSearch.searchModeHitTracking = -1;
      searchBestPlays();
      playSearch.searchModeHitTracking = 0;

      if (playSearch.firstHitPoint <= 0) continue;
      for (long p = 1; p <= 24; ++p) {
        if (playSearch.hittableBlot[p] == 1) hitPoints[p] = 1;
      }
      for (int16_t k = 1; k <= kMostBlotsHit; ++k) {
        if (k == 1 || playSearch.genMaxHits > k - 1) result.rollsHitting[k] += weight;
      }
    }
  }

  diceState.dice = saved.dice;
  position.currentPlayer = saved.currentPlayer;
  position.otherPlayer = static_cast<int16_t>(1 - saved.currentPlayer);
  flow.movesAllowed = saved.movesAllowed;
  playSearch.maxPipsUsable = saved.maxPipsUsable;
  flow.movesLeft = saved.movesLeft;
  for (long p = 1; p <= 24; ++p) result.blotsHittable += hitPoints[p];
  return result;
}

std::string blotRiskText(const BlotRiskCounts& counts) {
  if (counts.rollsHitting[1] == 0) return "You have no blots that can be hit.";
  std::string text = strS(counts.blotsHittable) + (counts.blotsHittable == 1 ? " blot can be hit." : " blots can be hit.");
  constexpr const char* kEndings[] = {"", ") can hit 1 of your blots.", ") can hit 2 of your blots.",
                                      ") can hit 3 of your blots.", ") can hit 4 of your blots."};
  for (int16_t k = 1; k <= kMostBlotsHit; ++k) {
    const int16_t c = counts.rollsHitting[k];
    if (k > 1 && c <= 0) continue;
    text += "\r\r" + strS(percentOf(c)) + "% of the rolls (" + std::to_string(c) + kEndings[k];
  }
  return text;
}

}  // namespace bg
