// Moves typed as "from.distance" and Return, in the mover's own numbering: each row is
// played by side 0 and again by side 1 on the mirrored board, which must give the mirrored
// result; refused entries change nothing.
#include "aid_fixture.h"
#include "state/display_settings.h"
#include "display/message_line.h"
#include "interaction/typed_moves.h"

namespace bg {
namespace {

using testing::Board;

struct TypedRow {
  const char* board;  // side 0 to move
  const char* keys;   // "\r" is Return
  std::vector<std::pair<int, int>> changes;  // side 0's points that change, by how much
  const char* message;  // the refusal, "" for none
  int steps;            // record entries made
};

class TypedMoves : public testing::AidTest, public ::testing::WithParamInterface<std::tuple<TypedRow, int>> {};

TEST_P(TypedMoves, PlayTheMoversOwnNumbering) {
  const auto& [row, sideParam] = GetParam();
  const auto side = static_cast<int16_t>(sideParam);
  testing::setMoverPosition(row.board, side);
  Board expected = position.board;
  if (side == 1) expected = testing::mirrored(expected);
  for (auto [p, by] : row.changes) expected[p] = static_cast<int16_t>(expected[p] + by);
  testing::typeOnBoard(row.keys);
  EXPECT_EQ(testing::seenBySide0(side), expected);
  EXPECT_EQ(record.gameRecordCount, row.steps);
  const std::vector<std::string> told = *row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{};
  EXPECT_EQ(testing::flowLog.messages, told);
  EXPECT_TRUE(typedMove.typedMoveText.empty());
}

constexpr const char* kBearOff = "22:1 23:2 24:12 1:-15 | dice 5 1";
INSTANTIATE_TEST_SUITE_P(Rows, TypedMoves, ::testing::Combine(::testing::Values(
  TypedRow{"start | dice 5 3", "13.5\r", {{12, -1}, {17, 1}}, "", 1},
  TypedRow{"start | dice 5 3", "13.5\r8.3\r", {{12, -1}, {20, 1}}, "", 2},
  TypedRow{"25:1 12:14 1:-15 | dice 3 1", "25.3\r", {{25, -1}, {3, 1}}, "", 1},
  TypedRow{kBearOff, "3.5\r", {{22, -1}}, "", 1},
  TypedRow{"start | dice 6 5", "13.11\r", {{12, -1}, {23, 1}}, "", 2},
  TypedRow{"start | dice 4 2", "123.4\r", {}, "#50", 0},  // read as 12: the other side's point
  TypedRow{"start | dice 4 2", "26.1\r", {}, "Invalid From Row", 0},
  TypedRow{"start | dice 4 2", "13\r", {}, "There is no move distance", 0},
  TypedRow{"start | dice 4 2", "5.0\r", {}, "Invalid To Row", 0},
  TypedRow{"start | dice 4 2", "15.2\r", {}, "#44", 0},   // no checker of the mover there
  TypedRow{"start | dice 4 2", "13.7\r", {}, "#53", 0},   // no die of 7
  TypedRow{"start | dice 6 4", "13.5\r", {}, "#53", 0},   // a pip off a die is not a slip of the mouse
  TypedRow{"start | dice 6 4", "13.6\r13.5\r", {{12, -1}, {18, 1}}, "#53", 1},
  TypedRow{"start | dice 6 4", "13.6\r13.4\r", {{12, -2}, {18, 1}, {16, 1}}, "", 2},
  TypedRow{"start | dice 2 2", "13.2\r\r", {{12, -2}, {14, 2}}, "", 2},  // Return alone repeats on a double
  TypedRow{"start | dice 4 2", "\r", {}, "There is no move distance", 0}),
  ::testing::Values(0, 1)));

class TypedKeys : public testing::AidTest {};

// Return alone after one die of a non-double was used says nothing of which checker:
// the text is emptied and nothing moves.
TEST_F(TypedKeys, ReturnAloneAfterOneDieDoesNothing) {
  testing::setMoverPosition("start | dice 5 3", 0);
  testing::typeOnBoard("13.5\r");
  const Board after = position.board;
  testing::typeOnBoard("\r");
  EXPECT_EQ(position.board, after);
  EXPECT_TRUE(typedMove.typedMoveText.empty());
}

// Keys reach the typed move only while move entry waits: before the roll, under a
// question, or for the computer's turn they are neither kept nor played.
TEST_F(TypedKeys, DigitsOutsideMoveEntryAreNotKept) {
  testing::setMoverPosition("start | dice 5 3", 0);
  for (char c : std::string("13.5\r")) {
    interactionDisplay.keyBuffer = std::string_view(&c, 1);
    doKeyDown();
  }
  EXPECT_TRUE(typedMove.typedMoveText.empty());
  EXPECT_EQ(record.gameRecordCount, 0);
  diceState.diceShowing = 0;
  testing::typeOnBoard("13");
  EXPECT_TRUE(typedMove.typedMoveText.empty());
}

// An unfinished entry carries over to the next turn.
TEST_F(TypedKeys, UnfinishedEntryWaitsForItsReturn) {
  testing::setMoverPosition("start | dice 5 3", 0);
  testing::typeOnBoard("13.");
  EXPECT_EQ(typedMove.typedMoveText.view(), "13.");
  testing::typeOnBoard("5\r");
  EXPECT_EQ(position.board[17], 4);
}

}  // namespace
}  // namespace bg
