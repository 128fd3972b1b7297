// A smoke test of playing strength: the computer at its best level against a side that
// picks one of its legal plays at random, cube off, no concessions. It catches gross
// faults only (a sign turned round, a term scoring the wrong side).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "rules/legal_plays.h"
#include "rules/mover_view.h"
#include "search_fixture.h"
#include "state/play_search_state.h"

namespace bg {
namespace {

using namespace bg::testing;

using View = std::array<int16_t, 26>;

constexpr int kGames = 400;
constexpr int kTurnCap = 400;

// The board from the side to move's view, as the mover's view turns it.
void storeView(const View& v) {
  const int16_t p = position.currentPlayer;
  for (int i = 0; i <= 25; ++i) {
    const int view = p == 1 ? i : 25 - i;
    position.board[i] = static_cast<int16_t>(p == 1 ? v[static_cast<size_t>(view)] : -v[static_cast<size_t>(view)]);
  }
}

View currentView() {
  View v{};
  for (int i = 0; i <= 25; ++i) v[static_cast<size_t>(i)] = analysis.evalBoardB[i];
  return v;
}

// Plays row 1 of the true list on the mover's view: from 25 is the bar, a landing below 1
// bears off.
View playRowOne(View v) {
  const auto& row = bestPlays.bestPlaysTrue[1];
  if (row[kScoreColumn] == kEmptyRow) return v;
  const int parts = static_cast<int>(row[kPartMovesColumn]);
  for (int i = 1; i <= parts; ++i) {
    const int from = static_cast<int>(row[2 * i]);
    const int to = static_cast<int>(row[2 * i + 1]);
    v[static_cast<size_t>(from == 25 ? 0 : from)] += 1;
    if (to < 1) continue;
    if (v[static_cast<size_t>(to)] == 1) {
      v[static_cast<size_t>(to)] = 0;
      v[25] += 1;
    }
    v[static_cast<size_t>(to)] -= 1;
  }
  return v;
}

View computerMove() {
  analysePosition();
  const View before = currentView();
  searchComputerMove();
  return playRowOne(before);
}

// A legal play at random: every final position the enumeration reaches with the most
// pips any play uses.
View randomMove(std::mt19937& rng) {
  buildMoverView();
  std::vector<View> legal;
  int most = 0;
  startLegalPlayEnumeration(flow.movesAllowed);
  while (playSearch.stopEnumeration != -1) {
    if (!stepLegalPlayEnumeration() || playSearch.genPipsUsed < most) continue;
    if (playSearch.genPipsUsed > most) legal.clear();
    most = playSearch.genPipsUsed;
    View v{};
    for (int i = 0; i <= 25; ++i) v[static_cast<size_t>(i)] = analysis.evalBoard[i];
    legal.push_back(v);
  }
  if (legal.empty()) return currentView();
  return legal[std::uniform_int_distribution<size_t>(0, legal.size() - 1)(rng)];
}

bool allOff(const View& v) {
  return std::none_of(v.begin(), v.end() - 1, [](int16_t n) { return n < 0; });
}

// The winner, or -1 when the cap was reached.
int playGame(int computerSide, int firstToMove, std::mt19937& rng) {
  position.board.fill(0);
  for (const auto& s : kStartingPosition) position.board[s.point] = s.count;
  position.playerType[computerSide] = kComputerPlayer;
  position.playerType[1 - computerSide] = kHumanPlayer;
  int16_t mover = static_cast<int16_t>(firstToMove);
  for (int turn = 1; turn <= kTurnCap; ++turn) {
    position.currentPlayer = mover;
    position.otherPlayer = static_cast<int16_t>(1 - mover);
    flow.turnNumber = static_cast<int16_t>(turn);
    position.openingPhase = 0;
    rollInto(rng);
    const View after = mover == computerSide ? computerMove() : randomMove(rng);
    storeView(after);
    if (allOff(after)) return mover;
    mover = static_cast<int16_t>(1 - mover);
  }
  return -1;
}

TEST(StrengthSmokeTest, BestLevelBeatsRandomPlay) {
  setUpComputer(kHighestSkillLevel);
  std::mt19937 rng(19870605);
  int wins = 0;
  int capped = 0;
  for (int g = 0; g < kGames; ++g) {
    const int computerSide = g % 2;
    const int first = (g / 2) % 2;
    const int winner = playGame(computerSide, first, rng);
    if (winner == computerSide) wins += 1;
    if (winner == -1) capped += 1;
  }
  EXPECT_EQ(capped, 0);
  EXPECT_GT(wins * 100, kGames * 97) << wins << " of " << kGames;
}

}  // namespace
}  // namespace bg
