#include "runtime/core/checked_array.h"

#include <gtest/gtest.h>

namespace bg {
namespace {

TEST(CheckedArray, RunsFromZeroToTheHighestIndexInclusive) {
  CheckedArray<int, 25> board;
  EXPECT_EQ(board.size(), 26);
  board[0] = -2;
  board[25] = 3;
  EXPECT_EQ(board[0], -2);
  EXPECT_EQ(board[25], 3);
  EXPECT_EQ(board[12], 0);  // zero-initialised
}

TEST(CheckedArrayDeathTest, IndexPastTheEndStopsWithTheCallersLine) {
  CheckedArray<short, 25> board;
  long i = 26;
  // The report names the index, the range, this line and this unit, then the quit text.
  EXPECT_DEATH(board[i] = 1,
               "Array bounds error: index 26 is outside 0 to 25 at line 22 of "
               "checked_array_test.cpp\nThe application must quit");
}

TEST(CheckedArrayDeathTest, NegativeIndexInANestedArrayNamesTheInnerAccess) {
  CheckedArray<CheckedArray<int, 3>, 1> rows;
  long k = 1;
  long j = -1;
  EXPECT_DEATH(rows[k][j] = 5, "index -1 is outside 0 to 3 at line 31 of checked_array_test.cpp");
}

}  // namespace
}  // namespace bg
