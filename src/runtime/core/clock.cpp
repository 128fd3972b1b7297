#include "runtime/core/clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace bg {
namespace {

using namespace std::chrono;

SystemClock gSystemClock;
ClockSource* gSource = &gSystemClock;

LocalTime localTimeFromSeconds(std::int64_t localSeconds) {
  const sys_seconds t{seconds{localSeconds}};
  const auto day = floor<days>(t);
  const year_month_day ymd{day};
  const hh_mm_ss hms{t - day};
  LocalTime lt;
  lt.year = static_cast<int>(ymd.year());
  lt.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  lt.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  lt.weekday = static_cast<int>(weekday{day}.c_encoding());
  lt.hour = static_cast<int>(hms.hours().count());
  lt.minute = static_cast<int>(hms.minutes().count());
  lt.second = static_cast<int>(hms.seconds().count());
  return lt;
}

std::int64_t secondsFromLocal(int year, int month, int day, int hour, int minute, int second) {
  const sys_days d{year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                  std::chrono::day{static_cast<unsigned>(day)}}};
  return d.time_since_epoch().count() * 86400LL + hour * 3600LL + minute * 60LL + second;
}

}  // namespace

std::uint64_t SystemClock::microseconds() {
  static const auto start = steady_clock::now();
  return static_cast<std::uint64_t>(duration_cast<std::chrono::microseconds>(steady_clock::now() - start).count());
}

LocalTime SystemClock::localTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  LocalTime lt;
  lt.year = tm.tm_year + 1900;
  lt.month = tm.tm_mon + 1;
  lt.day = tm.tm_mday;
  lt.weekday = tm.tm_wday;
  lt.hour = tm.tm_hour;
  lt.minute = tm.tm_min;
  lt.second = tm.tm_sec > 59 ? 59 : tm.tm_sec;  // a leap second stays within the day
  return lt;
}

void SystemClock::sleepMicroseconds(std::uint64_t us) {
  std::this_thread::sleep_for(std::chrono::microseconds(us));
}

VirtualClock::VirtualClock(std::uint64_t quantumUs)
    : quantum_(quantumUs), wallBase_(secondsFromLocal(2000, 1, 1, 12, 0, 0)) {}

std::uint64_t VirtualClock::microseconds() {
  const std::uint64_t t = now_;
  now_ += quantum_;
  return t;
}

LocalTime VirtualClock::localTime() {
  const auto t = static_cast<std::int64_t>(now_ / 1000000);
  now_ += quantum_;
  return localTimeFromSeconds(wallBase_ + t);
}

void VirtualClock::sleepMicroseconds(std::uint64_t us) {
  now_ += us;
  slept_ += us;
}

void VirtualClock::setLocalTime(int year, int month, int day, int hour, int minute, int second) {
  wallBase_ = secondsFromLocal(year, month, day, hour, minute, second) -
              static_cast<std::int64_t>(now_ / 1000000);
}

ClockSource* setClockSource(ClockSource* source) {
  ClockSource* old = gSource;
  gSource = source != nullptr ? source : &gSystemClock;
  return old;
}

ClockSource& clockSource() { return *gSource; }

UseVirtualClock::UseVirtualClock(std::uint64_t quantumUs)
    : clock(quantumUs), previous_(setClockSource(&clock)) {}

UseVirtualClock::~UseVirtualClock() { setClockSource(previous_); }

std::uint32_t tickCount() {
  return static_cast<std::uint32_t>(gSource->microseconds() * 60 / 1000000);
}

std::uint64_t microseconds() { return gSource->microseconds(); }

std::int32_t secondsToday() {
  const LocalTime t = gSource->localTime();
  return t.hour * 3600 + t.minute * 60 + t.second;
}

void delayMs(std::int64_t ms) {
  if (ms > 0) gSource->sleepMicroseconds(static_cast<std::uint64_t>(ms) * 1000);
}

// Signed differences: a due moment may lie ahead of the clock, when steps between frames
// are counted rather than waited for.
std::uint32_t stepDueUs(std::uint32_t since, std::uint32_t wait) {
  const auto now = static_cast<std::uint32_t>(gSource->microseconds());
  return static_cast<std::int32_t>(now - since) < static_cast<std::int32_t>(wait) ? since + wait : now;
}

void sleepUntilUs(std::uint32_t due) {
  const auto left = static_cast<std::int32_t>(due - static_cast<std::uint32_t>(gSource->microseconds()));
  if (left > 0) gSource->sleepMicroseconds(static_cast<std::uint64_t>(left));
}

std::string dateTextAbbrev() {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const LocalTime t = gSource->localTime();
  char buf[48];
  std::snprintf(buf, sizeof buf, "%s, %s %d, %d", kDays[t.weekday % 7], kMonths[(t.month + 11) % 12],
                t.day, t.year);
  return buf;
}

std::string timeText24() {
  const LocalTime t = gSource->localTime();
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

}  // namespace bg
