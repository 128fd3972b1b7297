// The play search (the forced play, the pump and re-entrancy), the best-plays lists and
// the reading back of a listed play, the refusal of a play that used less of the roll than
// the rules demand, and the bear-off with both dice. The search against the independent
// generator is in the random-position tests.
#include "rules/play_search.h"

#include <random>

#include "rules/best_plays.h"
#include "rules/mover_view.h"
#include "rules/search_pump.h"
#include "rules/whole_roll_check.h"
#include "rules_fixture.h"
#include "runtime/core/clock.h"
#include "state/search_services.h"
#include "state/turn_flags.h"
#include "support/message_stand_in.h"

namespace bg::testing {
namespace {

int pumps = 0, played = 0, boxes = 0;

class PlaySearchTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    searchServices.evaluatePosition = rankByStartPoints;
    searchServices.handleEvents = [] { ++pumps; };
    searchServices.showTitledText = [](std::string_view, std::string_view) { ++boxes; };
    pumps = played = boxes = 0;
    flow.turnNumber = 5;
    flow.movesAllowed = 2;
  }
  static void set(std::string_view text) {
    setPosition(text);
    flow.movesAllowed = diceState.rolledDoubles != 0 ? 4 : 2;
    flow.movesLeft = flow.movesAllowed;
    buildMoverView();
  }
};

TEST_F(PlaySearchTest, ForcedPlayIsMadeOnlyWhenItIsTheOnlyOne) {
  searchServices.computerPlaysMoveFlagged = [] { searchBestPlays(); };
  searchServices.playBestMoveForHuman = [] { ++played; };
  for (const auto& [text, turn, made] : {std::tuple{"8:-1 1:2 7:2 12:11 | dice 1 6 | side 1", 5, 1},  // only 8/2
                                         {"13:-15 1:15 | dice 6 5 | side 1", 5, 0},
                                         {"8:-1 1:2 7:2 12:11 | dice 1 6 | side 1", 1, 0}}) {
    played = 0;
    set(text);
    flow.turnNumber = static_cast<int16_t>(turn);
    playSearch.maxPipsUsable = 9;
    playSearch.playLength = 3;
    autoPlayForcedMove();
    EXPECT_EQ((std::vector<int>{played, flow.forcedMovePlayed, playSearch.searchModeForced}), (std::vector<int>{made, 0, 0})) << text;
    if (made == 0) {  // the four values are as before
      EXPECT_EQ((std::vector<int>{flow.movesAllowed, flow.movesLeft, playSearch.maxPipsUsable, playSearch.playLength}),
                (std::vector<int>{2, 2, 9, 3})) << text;
    }
  }
}

TEST_F(PlaySearchTest, CommandsInsideThePumpCannotRestartTheSearch) {
  UseVirtualClock clock(20000);  // every pump request reaches the pump
  restartSearchPumpInterval();
  set("13:-15 1:15 | dice 6 5 | side 1");
  searchBestPlays();
  const BestPlaysState undisturbed = bestPlays;
  static std::vector<int> shown;
  shown.clear();
  interactionServices.displayMessage = [] {
    testing::showLikeMessageLine([](int16_t number, const std::string&) { shown.push_back(number); });
  };
  searchServices.handleEvents = [] {
    ++pumps;
    EXPECT_TRUE(playSearchRunning());
    computeMaxPipsUsable();
    searchHittingPlays();
    searchBestPlays();
    EXPECT_TRUE(refuseWhileSearching());
  };
  searchBestPlays();
  EXPECT_GT(pumps, 0);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown, std::vector<int>(shown.size(), 2)) << "every refusal shows the busy message";
  EXPECT_EQ(interaction.messageNumber, kNoMessage);
  EXPECT_EQ(bestPlays.bestPlaysTrue, undisturbed.bestPlaysTrue);
  EXPECT_EQ(bestPlays.bestPlaysSkill, undisturbed.bestPlaysSkill);
  EXPECT_EQ(playSearch.searchModeMaxPips, 0);
  EXPECT_EQ(playSearch.searchModeHitTracking, 0);
  EXPECT_FALSE(playSearchRunning());
}

TEST_F(PlaySearchTest, AManLeftOnTheBarKeepsContact) {  // 6-1: only bar/6, one man stays on
  set("1:-2 2:-1 3:1 4:1 5:1 6:2 8:1 10:1 11:2 14:2 20:1 23:1 25:2 | dice 6 1 | side 0");
  searchContactBreakingPlay();
  EXPECT_EQ(playSearch.contactBreakResult, 0);
}

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
        RankRow{"OneBoardOnceAtItsBestScore", 5, 2, 0,  // 13/8/2 and 13/7/2 are one play
                {{{{8, 6}, {6, 5}}, 2}, {{{13, 5}, {8, 6}}, 1}, {{{13, 6}, {7, 5}}, 1}, {{{13, 6}, {7, 5}}, 3},
                 {{{13, 5}, {8, 6}}, 4}}, {{4, 13}, {2, 8}}},
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
    for (int16_t side : {0, 1}) position.currentPlayer = side, readCandidatePlay(bestPlays.bestPlaysTrue, 1, points[side]);
    for (size_t c = 2; c <= 2 * parts.size() + 1; ++c) ASSERT_EQ(points[0][c], 25 - points[1][c]);
    ASSERT_EQ(points[1][2], parts[0].first == kFromBar ? 25 : parts[0].first);
  }
}

struct RefusalRow {
  const char* position;
  int16_t maxPips, rollPips, lastDistance, movesAllowed, turnEndPending;
  int16_t message;  // 0: no refusal, the move phase ends
};

class RefusalTest : public PlaySearchTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(RefusalTest, RefusesOnlyWhatUsedLessThanTheRules) {
  const RefusalRow& row = GetParam();
  setPosition(row.position);
  recordMessages();
  flow.movesAllowed = row.movesAllowed;
  flow.turnEndPending = row.turnEndPending;
  playSearch.maxPipsUsable = row.maxPips;
  playSearch.rollPipTotal = row.rollPips;
  record.gameRecordCount = 1;
  record.gameRecord[1].distance = row.lastDistance;
  const int16_t noMessage = interaction.messageNumber;
  anyDieStillPlayable();
  EXPECT_EQ(wholeRoll.noMovesLeft, -1);
  EXPECT_EQ(wholeRoll.wholeRollRefused, row.message == 0 ? 0 : -1);
  EXPECT_EQ(wholeRoll.bothDiceRefusal, row.message == kBothDiceMessage ? -1 : 0);
  EXPECT_EQ(wholeRoll.morePipsRefusal, row.message == kMorePipsMessage ? -1 : 0);
  EXPECT_EQ(interaction.messageNumber, row.message == 0 ? noMessage : row.message);
  EXPECT_EQ(boxes, row.message == 0 ? 0 : 1);
  EXPECT_EQ(serviceLog.messages.size(), row.message == 0 ? 0u : 1u);
  EXPECT_EQ(flow.movePhaseOver, row.message == 0 ? -1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusalTest,
    ::testing::Values(
        // On the bar against both entry points held: nothing plays, nothing is refused.
        RefusalRow{"25:1 5:-2 6:-2 12:10 | dice 6 5 | side 0", 0, 11, 0, 2, 0, 0},
        RefusalRow{"0:-1 20:2 19:2 13:-10 | dice 6 5 | side 1", 0, 11, 0, 2, 0, 0},
        // The 1 was played (3/4), the 6 is blocked now; 3/9 was legal, or both dice.
        RefusalRow{"4:1 10:-2 24:14 5:-13 | dice 6 0 | side 0", 6, 7, 1, 2, 0, kMorePipsMessage},
        RefusalRow{"21:-1 15:2 1:-14 20:13 | dice 6 0 | side 1", 6, 7, 1, 2, 0, kMorePipsMessage},
        RefusalRow{"4:1 10:-2 24:14 5:-13 | dice 6 0 | side 0", 7, 7, 1, 2, 0, kBothDiceMessage},
        RefusalRow{"9:1 10:-2 24:14 5:-13 | dice 0 1 | side 0", 6, 7, 6, 2, 0, 0},  // the 6 was played
        RefusalRow{"4:1 10:-2 24:14 5:-13 | dice 6 6 | side 0", 24, 24, 6, 4, 0, 0},  // doubles
        RefusalRow{"4:1 10:-2 24:14 5:-13 | dice 6 0 | side 0", 7, 7, 1, 2, -1, 0}));  // turn ending

TEST_F(PlaySearchTest, BothDiceBearOffOnlyTheRearmostMan) {
  // The lifted checker is off the board already.
  // Either die may go first; the point it stops on must hold no opposing checker.
  for (const auto& [text, from, allowed] : {std::tuple{"21:1 23:1 5:-13 | dice 5 4 | side 0", 19, false},  // 24 is past 21
                                            {"23:1 24:1 5:-13 | dice 5 4 | side 0", 19, true},
                                            {"23:-1 24:1 5:-12 | dice 4 5 | side 0", 19, true},  // the 5 first
                                            {"23:-1 24:-1 22:1 5:-11 | dice 4 5 | side 0", 19, false},
                                            {"5:-1 20:13 | dice 4 3 | side 1", 6, false},  // 6/2 leaves the 5
                                            {"4:-1 2:-1 20:13 | dice 5 4 | side 1", 6, false},
                                            {"2:-1 1:-1 20:13 | dice 4 5 | side 1", 6, true},
                                            {"2:1 1:-1 20:12 | dice 4 5 | side 1", 6, true}}) {
    setPosition(text);
    EXPECT_EQ(isFurthestBackPiece(static_cast<int16_t>(from)), allowed) << text;
  }
}

}  // namespace
}  // namespace bg::testing
