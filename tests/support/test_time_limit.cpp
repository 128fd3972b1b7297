#include "support/test_time_limit.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

namespace bg::testing {

namespace {

constexpr char kLimitVariable[] = "BG_TEST_TIME_LIMIT";
// The slowest table takes 70 to 100 s under the sanitizers on a loaded machine; a long
// random run of the whole program takes many minutes there, and must not be cut short.
constexpr unsigned kDefaultLimitSeconds = 1800;
constexpr int kOverTimeStatus = 1;

std::atomic<const ::testing::TestInfo*> running{nullptr};
unsigned limitSeconds = kDefaultLimitSeconds;
std::string limitText;  // the limit as printed, made before any test runs

// The whole line in one write, where GoogleTest prints its results.
void say(const char* text) {
  [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, text, std::strlen(text));
}

// Appends text to the line, as far as it fits.
void append(char* line, std::size_t room, const char* text) {
  std::size_t used = std::strlen(line);
  while (*text != '\0' && used + 1 < room) line[used++] = *text++;
  line[used] = '\0';
}

// An alarm is a process's own: a child made by fork starts without it, so a death test's
// child cannot end the test that waits for it; the test program started afresh as a child
// keeps a limit of its own. Only what a signal handler may call is called here.
void onOverTime(int) {
  static char line[1024];
  line[0] = '\0';
  const ::testing::TestInfo* test = running.load();
  append(line, sizeof line, "\n[  FAILED  ] ");
  if (test != nullptr) {
    append(line, sizeof line, test->test_suite_name());
    append(line, sizeof line, ".");
    append(line, sizeof line, test->name());
  }
  append(line, sizeof line, ": still running after ");
  append(line, sizeof line, limitText.c_str());
  append(line, sizeof line, " s (the limit is set by ");
  append(line, sizeof line, kLimitVariable);
  append(line, sizeof line, ")\n");
  say(line);
  ::_exit(kOverTimeStatus);
}

class TimeLimit final : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo& test) override {
    running.store(&test);
    ::alarm(limitSeconds);
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    ::alarm(0);
    running.store(nullptr);
  }
};

}  // namespace

void limitEachTestsTime() {
  if (const char* set = std::getenv(kLimitVariable); set != nullptr && *set != '\0')
    limitSeconds = static_cast<unsigned>(std::strtoul(set, nullptr, 10));
  if (limitSeconds == 0) return;
  limitText = std::to_string(limitSeconds);
  struct sigaction action {};
  action.sa_handler = onOverTime;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGALRM, &action, nullptr);
  ::testing::UnitTest::GetInstance()->listeners().Append(new TimeLimit);
}

}  // namespace bg::testing
