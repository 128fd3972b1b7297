// Test entry for the areas without Qt: GoogleTest's own, with a time limit on each test.
#include <gtest/gtest.h>

#include "support/test_time_limit.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  bg::testing::limitEachTestsTime();
  return RUN_ALL_TESTS();
}
