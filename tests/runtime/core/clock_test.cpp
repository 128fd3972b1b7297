#include "runtime/core/clock.h"

#include <gtest/gtest.h>

namespace bg {
namespace {

TEST(VirtualClock, EveryReadingMovesOn) {
  UseVirtualClock v(250);
  const std::uint64_t a = microseconds();
  const std::uint64_t b = microseconds();
  EXPECT_EQ(b - a, 250u);
}

TEST(VirtualClock, ABusyWaitEnds) {
  UseVirtualClock v(100);
  // The animation's wait: spin until 100000 microseconds have passed (low 32 bits).
  const auto start = static_cast<std::uint32_t>(microseconds());
  int spins = 0;
  while (static_cast<std::uint32_t>(microseconds()) - start < 100000u) ++spins;
  EXPECT_EQ(spins, 999);
  // The sound wait: spin on ticks until 0.1 s has passed.
  const std::uint32_t t0 = tickCount();
  int tickSpins = 0;
  while ((tickCount() - t0) / 60.0 < 0.1) ++tickSpins;
  EXPECT_GT(tickSpins, 0);
}

TEST(VirtualClock, SleepsJumpAheadAtOnce) {
  UseVirtualClock v(0);
  const std::uint32_t t0 = tickCount();
  delayMs(2000);
  EXPECT_EQ(tickCount() - t0, 120u);
  EXPECT_EQ(v.clock.slept(), 2000000u);
  delayMs(0);
  delayMs(-5);
  EXPECT_EQ(v.clock.slept(), 2000000u);
}

TEST(VirtualClock, TicksAreSixtiethsOfASecond) {
  UseVirtualClock v(0);
  v.clock.advance(1000000);
  EXPECT_EQ(tickCount(), 60u);
  v.clock.advance(16666);
  EXPECT_EQ(tickCount(), 60u);
  v.clock.advance(1);
  EXPECT_EQ(tickCount(), 61u);
}

TEST(VirtualClock, TickCountWrapsAt32Bits) {
  UseVirtualClock v(0);
  // 2^32 ticks later the count is back where it started.
  const std::uint64_t wrap = ((std::uint64_t{1} << 32) * 1000000 + 59) / 60;
  v.clock.advance(wrap + 1000000);
  EXPECT_EQ(tickCount(), 60u);
}

TEST(VirtualClock, MicrosecondDifferencesWrapUnsigned) {
  UseVirtualClock v(0);
  v.clock.advance(0xFFFFFF00u);
  const auto start = static_cast<std::uint32_t>(microseconds());
  v.clock.advance(0x200);
  const auto now = static_cast<std::uint32_t>(microseconds());
  EXPECT_EQ(now - start, 0x200u);
}

TEST(VirtualClock, PacedStepsAcrossTheWrapSleepOnlyWhatIsLeft) {
  UseVirtualClock v(0);
  v.clock.advance(0xFFFFFF00u);
  const auto start = static_cast<std::uint32_t>(microseconds());
  const std::uint32_t due = stepDueUs(start, 0x200);
  EXPECT_EQ(due, start + 0x200);
  EXPECT_EQ(stepDueUs(due, 0x100), due + 0x100) << "a step due ahead of the clock follows the one before";
  sleepUntilUs(due);
  EXPECT_EQ(v.clock.slept(), 0x200u);
  v.clock.advance(0x300);
  EXPECT_EQ(stepDueUs(due, 0x100), static_cast<std::uint32_t>(microseconds())) << "a late step is due now";
  sleepUntilUs(due);
  EXPECT_EQ(v.clock.slept(), 0x200u);
}

TEST(SecondsToday, CountsFromLocalMidnight) {
  UseVirtualClock v(0);
  v.clock.setLocalTime(2025, 12, 6, 0, 0, 0);
  EXPECT_EQ(secondsToday(), 0);
  v.clock.setLocalTime(2025, 12, 6, 23, 59, 59);
  EXPECT_EQ(secondsToday(), 86399);
  v.clock.advance(1000000);
  EXPECT_EQ(secondsToday(), 0);  // the next day
  EXPECT_EQ(dateTextAbbrev(), "Sun, Dec 7, 2025");
  v.clock.setLocalTime(2025, 12, 6, 13, 5, 9);
  EXPECT_EQ(secondsToday(), 13 * 3600 + 5 * 60 + 9);
}

TEST(DateAndTimeTexts, AbbreviatedDateAnd24HourTime) {
  UseVirtualClock v(0);
  v.clock.setLocalTime(2025, 12, 6, 9, 5, 7);
  EXPECT_EQ(dateTextAbbrev(), "Sat, Dec 6, 2025");
  EXPECT_EQ(timeText24(), "09:05:07");
  v.clock.setLocalTime(2024, 2, 29, 23, 0, 0);
  EXPECT_EQ(dateTextAbbrev(), "Thu, Feb 29, 2024");
  EXPECT_EQ(timeText24(), "23:00:00");
  v.clock.setLocalTime(2001, 1, 1, 0, 0, 0);
  EXPECT_EQ(dateTextAbbrev(), "Mon, Jan 1, 2001");
}

TEST(ClockSource, TheVirtualClockIsRemovedWithItsScope) {
  {
    UseVirtualClock v;
    EXPECT_EQ(&clockSource(), &v.clock);
  }
  EXPECT_NE(dynamic_cast<SystemClock*>(&clockSource()), nullptr);
}

TEST(SystemClock, ReadsSensibleValues) {
  SystemClock sys;
  const std::uint64_t a = sys.microseconds();
  const std::uint64_t b = sys.microseconds();
  EXPECT_LE(a, b);
  const LocalTime t = sys.localTime();
  EXPECT_GE(t.year, 2020);
  EXPECT_GE(t.month, 1);
  EXPECT_LE(t.month, 12);
  EXPECT_LE(t.hour * 3600 + t.minute * 60 + t.second, 86399);
}

}  // namespace
}  // namespace bg
