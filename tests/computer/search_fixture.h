#pragma once
// The computer's move step as a game runs it, for the strength and signature tests.
#include <random>

#include "analysis_fixture.h"
#include "computer/analyse_position.h"
#include "computer/computer_services.h"
#include "computer/doubling_position.h"
#include "computer/personalities.h"
#include "rules/best_plays.h"
#include "rules/dice.h"
#include "rules/play_search.h"
#include "state/flow_state.h"
#include "state/settings.h"

namespace bg::testing {

// The computer at a skill level with its search installed and no event pump.
inline void setUpComputer(int16_t level) {
  loadComputerTables();
  skill.skillLevel = level;
  skill.skillFactor = skillFactorFor(level);
  initPersonalityData();
  installComputerSearchServices();
  settings.noPumpDuringSearch = -1;
}

inline void rollInto(std::mt19937& rng) {
  std::uniform_int_distribution<int> die(1, 6);
  const auto a = static_cast<int16_t>(die(rng));
  const auto b = static_cast<int16_t>(die(rng));
  for (int n = 0; n <= 3; ++n) diceState.dice[n].value = n < 2 ? (n == 0 ? a : b) : (a == b ? a : int16_t{0});
  flow.movesAllowed = a == b ? 4 : 2;
}

// Analysis, doubling evaluation, the two test searches, the analysis again and the
// evaluating search; the chosen play is row 1 of bestPlaysTrue.
inline void searchComputerMove() {
  analysePosition();
  evaluateDoublingPosition();
  searchHittingPlays();
  searchContactBreakingPlay();
  analysePosition();
  searchBestPlays();
}

}  // namespace bg::testing
