#pragma once
// A test that makes no progress fails by its own name: once one test has run longer than
// the limit, its full name is printed as a failure and the program ends, instead of hanging
// until the runner kills the whole program without a name. The limit is BG_TEST_TIME_LIMIT
// seconds (0: none), by default well above the slowest test under the sanitizers on a loaded
// machine.

namespace bg::testing {

// Call after InitGoogleTest, before RUN_ALL_TESTS.
void limitEachTestsTime();

}  // namespace bg::testing
