// Ranking plays into the best-plays lists, and reading a listed play back.
#include "rules/best_plays.h"

#include <random>

#include "rules/play_search.h"
#include "rules_fixture.h"

namespace bg::testing {
namespace {

using Parts = std::vector<std::pair<int, int>>;  // (from, die) in the mover's view

// Offers a play with a score to the true list.
void offer(const Parts& parts, float score) {
  auto& s = playSearch;
  s.playLength = static_cast<int16_t>(parts.size());
  s.genPipsUsed = 0;
  for (int k = 1; k <= s.playLength; ++k) {
    s.playFrom[k] = static_cast<int16_t>(parts[k - 1].first);
    s.playDice[k] = static_cast<int16_t>(parts[k - 1].second);
    s.genPipsUsed = static_cast<int16_t>(s.genPipsUsed + s.playDice[k]);
  }
  insertCandidatePlay(bestPlays.bestPlaysTrue, s.playFrom, s.playDice, score, PartialScores{});
}

struct RankRow {
  const char* name;
  int16_t turn, movesAllowed, bookListed;
  std::vector<std::pair<Parts, float>> offers;
  std::vector<std::pair<float, int>> ranked;  // score and first from-point of rows 1 to 3
};

class RankTest : public RulesTest, public ::testing::WithParamInterface<RankRow> {};

TEST_P(RankTest, ListsTheBestThree) {
  const RankRow& row = GetParam();
  SCOPED_TRACE(row.name);
  flow.turnNumber = row.turn;
  flow.movesAllowed = row.movesAllowed;
  playSearch.bookPlayListed = row.bookListed;
  clearBestPlays();
  for (const auto& [parts, score] : row.offers) offer(parts, score);
  finalizeBestLists();
  for (int r = 1; r <= 3; ++r) {
    const auto [score, from] = r <= static_cast<int>(row.ranked.size()) ? row.ranked[r - 1] : std::pair{kEmptyRow, 0};
    EXPECT_EQ(bestPlays.bestPlaysTrue[r][kScoreColumn], score) << "row " << r;
    if (score != kEmptyRow) {
      EXPECT_EQ(bestPlays.bestPlaysTrue[r][2], from) << "row " << r;
    }
  }
}

constexpr float kBook = kBookPlayScore;
INSTANTIATE_TEST_SUITE_P(
    Rows, RankTest,
    ::testing::Values(
        RankRow{"TieKeepsTheEarlier", 5, 2, 0,
                {{{{13, 6}, {8, 5}}, 3}, {{{24, 6}, {18, 5}}, 5}, {{{24, 6}, {13, 5}}, 3}, {{{8, 6}, {6, 5}}, 1}},
                {{5, 24}, {3, 13}, {3, 24}}},
        RankRow{"MorePipsOrPartMovesWin", 5, 2, 0,
                {{{{8, 1}}, 10}, {{{8, 6}}, -5}, {{{8, 3}, {6, 3}, {5, 3}}, -20}}, {{-20, 8}}},
        RankRow{"OneManByBothDiceOnce", 5, 2, 0,
                {{{{13, 5}, {8, 6}}, 2.5f}, {{{13, 6}, {7, 5}}, 2.5f}, {{{13, 6}, {7, 5}}, 2.6f}},
                {{2.6f, 13}, {2.5f, 13}}},
        RankRow{"ThreePartMovesNeverDuplicates", 5, 4, 0,
                {{{{13, 2}, {11, 2}, {9, 2}}, 1}, {{{13, 2}, {11, 2}, {9, 2}}, 1}}, {{1, 13}, {1, 13}}},
        RankRow{"BookPlayAlone", 1, 2, -1,
                {{{{13, 2}, {6, 1}}, kBook}, {{{6, 1}, {24, 2}}, 200}, {{{13, 2}, {8, 1}}, 200}, {{{24, 2}, {6, 1}}, 1}},
                {{kBook, 13}, {1, 24}}},
        RankRow{"NoBookNothingHeldBack", 1, 2, 0, {{{{13, 2}, {6, 1}}, 5}, {{{13, 2}, {8, 1}}, 4}}, {{5, 13}, {4, 13}}}));

using ListedPlay = RulesTest;

TEST_F(ListedPlay, ReadsBackAsOfferedAndInTheBoardsNumbering) {
  std::mt19937 rng(5);
  for (int n = 0; n < 500; ++n) {
    Parts parts;
    for (size_t k = 1 + rng() % 4; k > 0; --k) {
      const int die = 1 + static_cast<int>(rng() % 6);
      parts.emplace_back(rng() % 5 == 0 ? kFromBar : 1 + static_cast<int>(rng() % 24), die);
    }
    clearBestPlays();
    offer(parts, 1);
    CheckedArray<int16_t, 4> from, dice;
    ASSERT_EQ(loadChosenPlay(bestPlays.bestPlaysTrue, 1, from, dice), static_cast<int16_t>(parts.size()));
    for (size_t k = 1; k <= parts.size(); ++k) ASSERT_EQ((std::pair<int, int>(from[k], dice[k])), parts[k - 1]);
    CheckedArray<float, 9> points[2];
    for (int16_t side : {0, 1}) {
      position.currentPlayer = side;
      readCandidatePlay(bestPlays.bestPlaysTrue, 1, points[side]);
    }
    for (size_t c = 2; c <= 2 * parts.size() + 1; ++c) ASSERT_EQ(points[0][c], 25 - points[1][c]);
    ASSERT_EQ(points[1][2], parts[0].first == kFromBar ? 25 : parts[0].first);
  }
}

}  // namespace
}  // namespace bg::testing
