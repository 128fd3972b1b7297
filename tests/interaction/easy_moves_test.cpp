// Easy Moves and the automatic moves read the board in the mover's direction: every row is
// side 0's, and side 1 plays it again on the mirrored board with mirrored clicks.
#include "aid_fixture.h"
#include "flow/turn_state.h"
#include "interaction/auto_moves.h"
#include "interaction/easy_moves.h"

namespace bg {
namespace {

using testing::Board;

constexpr int16_t kNone = 99;

// Side 1's code of side 0's click: the mirrored point, the other tray.
int16_t mirroredClick(int16_t p, int16_t side) {
  if (side == 0) return p;
  if (p == -1) return -2;
  if (p == -2) return -1;
  return static_cast<int16_t>(25 - p);
}

struct FindRow {
  const char* board;
  int16_t click;
  uint8_t reverse, combined;
  int16_t from;         // kNone: nothing found or refused
  const char* message;  // the refusal, "" for none
};

class FindAutoMove : public testing::AidTest, public ::testing::WithParamInterface<std::tuple<FindRow, int>> {};

TEST_P(FindAutoMove, FindsTheCheckerForTheClickedDestination) {
  const auto& [row, sideParam] = GetParam();
  const auto side = static_cast<int16_t>(sideParam);
  testing::setMoverPosition(row.board, side);
  turnState.autoMoveReverse = row.reverse;
  turnState.autoMoveCombined = row.combined;
  interaction.clickedPoint = mirroredClick(row.click, side);
  hand.selectedPoint = kNone;
  if (checkClickedPoint() != 0) findAutoMove();
  EXPECT_EQ(hand.selectedPoint, row.from == kNone ? kNone : mirroredClick(row.from, side));
  const std::vector<std::string> told = *row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{};
  EXPECT_EQ(testing::flowLog.messages, told);
}

constexpr const char* kStart31 = "start | dice 3 1";
constexpr const char* kHome51 = "22:1 23:2 24:12 1:-15 | dice 5 1";
INSTANTIATE_TEST_SUITE_P(Rows, FindAutoMove, ::testing::Combine(::testing::Values(
  FindRow{kStart31, 20, 0, 0, 19, ""},      // the second die first
  FindRow{kStart31, 20, 255, 0, 17, ""},    // Shift: the first die first
  FindRow{kStart31, 16, 0, 0, 12, ""},      // one checker with both dice
  FindRow{kStart31, 20, 0, 255, kNone, ""}, // Command: both dice only
  FindRow{kStart31, 25, 0, 0, kNone, "#51"},
  FindRow{kStart31, 13, 0, 0, kNone, "#52"},
  FindRow{kStart31, -2, 0, 0, kNone, "That is not your tray"},
  FindRow{"25:1 12:14 1:-15 | dice 3 1", 20, 0, 0, 25, ""},  // the bar first, whatever the click
  FindRow{kHome51, -1, 0, 0, 24, ""},
  FindRow{kHome51, -1, 255, 0, 22, ""},     // the 5 takes the rearmost
  FindRow{"19:1 1:-15 | dice 4 3", -1, 0, 0, 19, ""},  // the last checker with the whole roll
  FindRow{"19:1 20:1 1:-15 | dice 4 3", -1, 0, 0, kNone, ""}),
  ::testing::Values(0, 1)));

struct AutoRow {
  const char* board;
  bool bearOff;  // else entering
  std::vector<std::pair<int, int>> changes;  // side 0's points that change, by how much
};

class AutoMoves : public testing::AidTest, public ::testing::WithParamInterface<std::tuple<AutoRow, int>> {};

TEST_P(AutoMoves, PlayOnlyWhatNeedsNoChoice) {
  const auto& [row, sideParam] = GetParam();
  const auto side = static_cast<int16_t>(sideParam);
  testing::setMoverPosition(row.board, side);
  Board expected = testing::seenBySide0(side);
  for (auto [p, by] : row.changes) expected[p] = static_cast<int16_t>(expected[p] + by);
  if (row.bearOff)
    autoBearOffMoves();
  else
    autoEnterFromBar();
  EXPECT_EQ(testing::seenBySide0(side), expected);
  EXPECT_TRUE(testing::flowLog.messages.empty());
  EXPECT_EQ(flow.keyCommandBusy, 0) << "no click is posted outside a wait";
}

INSTANTIATE_TEST_SUITE_P(Rows, AutoMoves, ::testing::Combine(::testing::Values(
  AutoRow{"25:1 12:14 1:-2 2:-13 | dice 1 3", false, {{25, -1}, {3, 1}}},  // one entry point blocked
  AutoRow{"25:2 12:13 2:-15 | dice 3 1", false, {{25, -2}, {3, 1}, {1, 1}}},
  AutoRow{"25:3 12:12 1:-15 | dice 4 4", false, {{25, -3}, {4, 3}}},
  AutoRow{"25:1 12:14 2:-15 | dice 3 1", false, {}},  // the person chooses
  AutoRow{kHome51, true, {{22, -1}}},
  AutoRow{"20:1 23:2 24:12 22:-1 1:-14 | dice 6 2", true, {}},  // the 2 could hit
  AutoRow{"22:2 24:13 1:-15 | dice 4 4", true, {{22, -2}, {24, -2}}}),
  ::testing::Values(0, 1)));

}  // namespace
}  // namespace bg
