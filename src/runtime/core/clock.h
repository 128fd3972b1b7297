#pragma once
// Clocks: ticks (1/60 s), microseconds, the local time of day and date, and the pause
// (DELAY). Every reading goes through a replaceable clock source, so tests run on a
// virtual clock that never sleeps and moves on by itself, and no waiting loop can spin
// forever under it.
#include <cstdint>
#include <string>

namespace bg {

// A local civil date and time.
struct LocalTime {
  int year = 2000;
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int weekday = 6;  // 0 Sunday .. 6 Saturday
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class ClockSource {
 public:
  virtual ~ClockSource() = default;
  // A steady count of microseconds from an arbitrary start.
  virtual std::uint64_t microseconds() = 0;
  virtual LocalTime localTime() = 0;
  virtual void sleepMicroseconds(std::uint64_t us) = 0;
};

// The system's clocks.
class SystemClock final : public ClockSource {
 public:
  std::uint64_t microseconds() override;
  LocalTime localTime() override;
  void sleepMicroseconds(std::uint64_t us) override;
};

// A clock for tests: every reading moves it on by one quantum, and a sleep jumps ahead
// by the time slept at once.
class VirtualClock final : public ClockSource {
 public:
  explicit VirtualClock(std::uint64_t quantumUs = 100);
  std::uint64_t microseconds() override;
  LocalTime localTime() override;
  void sleepMicroseconds(std::uint64_t us) override;

  void advance(std::uint64_t us) { now_ += us; }
  void setQuantum(std::uint64_t us) { quantum_ = us; }
  // The local date and time that the clock shows now (weekday is worked out).
  void setLocalTime(int year, int month, int day, int hour, int minute, int second);
  std::uint64_t now() const { return now_; }
  std::uint64_t slept() const { return slept_; }

 private:
  std::uint64_t now_ = 0;
  std::uint64_t quantum_;
  std::uint64_t slept_ = 0;
  std::int64_t wallBase_;  // local seconds since 1970-01-01 at now_ = 0
};

// Installs the clock source; nullptr restores the system clock. Returns the previous one.
ClockSource* setClockSource(ClockSource* source);
ClockSource& clockSource();

// Installs a virtual clock for the lifetime of the object (tests).
class UseVirtualClock {
 public:
  explicit UseVirtualClock(std::uint64_t quantumUs = 100);
  ~UseVirtualClock();
  UseVirtualClock(const UseVirtualClock&) = delete;
  UseVirtualClock& operator=(const UseVirtualClock&) = delete;
  VirtualClock clock;

 private:
  ClockSource* previous_;
};

// Ticks of 1/60 s (TickCount), wrapping at 32 bits.
std::uint32_t tickCount();
// Microseconds (Microseconds); callers that keep the low 32 bits subtract with wrap.
std::uint64_t microseconds();
// Whole seconds since local midnight, 0 to 86,399.
std::int32_t secondsToday();
// Sleeps ms milliseconds (DELAY); nothing for 0 or less.
void delayMs(std::int64_t ms);
// Paced steps on the low 32 bits of microseconds(), differences wrapping: the moment a
// step is due, wait microseconds after since, or now when that has passed already.
std::uint32_t stepDueUs(std::uint32_t since, std::uint32_t wait);
// Sleeps until the low 32 bits of microseconds() reach due; nothing once it has passed.
void sleepUntilUs(std::uint32_t due);

// The date in the abbreviated form: "Sat, Dec 6, 2025".
std::string dateTextAbbrev();
// The time on the 24-hour clock: "HH:mm:ss".
std::string timeText24();

}  // namespace bg
