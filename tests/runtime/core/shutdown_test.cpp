#include "runtime/core/shutdown.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace bg {
namespace {

TEST(Shutdown, HooksRunInReverseOrderOnce) {
  static std::string order;
  order.clear();
  addShutdownHook([] { order += "a"; });
  addShutdownHook([] { order += "b"; });
  runShutdownHooks();
  EXPECT_EQ(order, "ba");
  runShutdownHooks();
  EXPECT_EQ(order, "ba");
}

TEST(ShutdownDeathTest, TerminateRunsTheHooksThenExitsWithTheStatus) {
  EXPECT_EXIT(
      {
        addShutdownHook([] { std::fputs("speech channel released\n", stderr); });
        terminateProcess(3);
      },
      testing::ExitedWithCode(3), "speech channel released");
}

TEST(ShutdownDeathTest, AHookThatEndsTheProgramAgainDoesNotLoop) {
  EXPECT_EXIT(
      {
        addShutdownHook([] { std::fputs("first\n", stderr); });
        addShutdownHook([] { terminateProcess(4); });
        terminateProcess(0);
      },
      testing::ExitedWithCode(4), "first");
}

}  // namespace
}  // namespace bg
