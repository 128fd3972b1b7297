// The rollout report byte for byte against files worked out from the layout rules by an
// independent generator (golden/make_report_goldens.py), and the file as written.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "computer/personalities.h"
#include "rollout/rollout_report.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "runtime/core/clock.h"
#include "runtime/core/files.h"
#include "state/app_constants.h"
#include "state/program_state.h"

namespace bg {
namespace {

constexpr std::string_view kDate = "Mon, Dec 7, 2026";

std::string golden(const std::string& name) {
  std::ifstream in(std::filesystem::path(BG_SOURCE_ROOT) / "tests/rollout/golden" / ("report_" + name + ".txt"),
                   std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

using Board = std::array<int16_t, 26>;

Board startBoard() {
  Board b{};
  b[1] = 2, b[6] = -5, b[8] = -3, b[12] = 5, b[13] = -5, b[17] = 3, b[19] = 5, b[24] = -2;
  return b;
}

struct ReportRow {
  const char* name;
  const char* description;
  std::array<int32_t, 2> wins, points, gammons, backgammons;  // side 0, side 1
  std::array<double, 2> maxPercent, minPercent;
  double maxEquity, minEquity;
  int32_t maxEquityGame, minEquityGame;
  int16_t minMaxStart;
  bool jacoby, backgammonsCount, dice;
  int16_t die0, die1, side;
  Board board;
};

Board topStack() {
  Board b{};
  b[5] = -15;
  b[19] = 15;
  return b;
}
Board emptyTop() {
  Board b{};
  const int16_t counts[] = {-3, -3, 2, 2, -3, -4, 3, 3, 3, 2, -2, 0};
  for (int i = 0; i < 12; ++i) b[13 + i] = counts[i];
  b[25] = 1;
  return b;
}
Board bars() {
  Board b{};
  b[0] = -1, b[6] = -4, b[7] = 4, b[19] = 5, b[24] = -10, b[25] = 6;
  return b;
}

const ReportRow kRows[] = {
    {"no_games", "", {0, 0}, {0, 0}, {0, 0}, {0, 0}, {-1, -1}, {101, 101}, -99, 99, 0, 0, 200, false, true, false,
     0, 0, 0, startBoard()},
    {"few_games_edges", " ", {40, 10}, {75, 25}, {5, 3}, {1, 0}, {80.0, 30.5}, {70.0, 20.0}, 1.2, 0.85, 12, 31, 10,
     false, true, false, 0, 0, 0, startBoard()},
    {"many_games_dice_top_stack", "Fifteen on one point", {700, 596}, {1100, 901}, {250, 199}, {20, 3},
     {-1, -1}, {101, 101}, -99, 99, 0, 0, 200, true, true, true, 6, 5, 0, topStack()},
    {"side_one_dice_empty_top", "", {3, 4}, {3, 6}, {0, 1}, {0, 1}, {-1, -1}, {101, 101}, -99, 99, 0, 0, 200,
     false, false, true, 3, 1, 1, emptyTop()},
    {"side_one_roll_bars", "", {1, 0}, {2, 0}, {1, 0}, {0, 0}, {-1, -1}, {101, 101}, -99, 99, 0, 0, 200, false, true,
     false, 0, 0, 1, bars()},
};

void setUpReport(const ReportRow& r) {
  resetProgramState();
  skillNameTable.skillNames[5] = "World Class";
  skill.skillLevel = 5;
  rolloutSettings.description = r.description;
  rolloutSettings.minMaxStart = r.minMaxStart;
  rolloutSettings.rolloutJacobyRule = r.jacoby ? -1 : 0;
  rolloutSettings.rolloutBackgammonsAllowed = r.backgammonsCount ? -1 : 0;
  RolloutStats& st = rolloutStats;
  for (int s = 0; s <= 1; ++s) {
    st.wins[s] = r.wins[s];
    st.points[s] = r.points[s];
    st.gammons[s] = r.gammons[s];
    st.backgammons[s] = r.backgammons[s];
    st.maxPercent[s] = r.maxPercent[s];
    st.minPercent[s] = r.minPercent[s];
  }
  st.maxEquity = r.maxEquity;
  st.minEquity = r.minEquity;
  st.maxEquityGame = r.maxEquityGame;
  st.minEquityGame = r.minEquityGame;
  for (long p = 0; p <= 25; ++p) st.rolloutStartBoard[p] = r.board[static_cast<size_t>(p)];
  rolloutSnapshot.diceShowing = r.dice ? -1 : 0;
  rolloutSnapshot.dice[0] = r.die0;
  rolloutSnapshot.dice[1] = r.die1;
  rolloutSnapshot.sideToMove = r.side;
}

TEST(RolloutReport, LinesMatchTheGoldenFiles) {
  for (const ReportRow& r : kRows) {
    setUpReport(r);
    const std::string expected = golden(r.name);
    ASSERT_FALSE(expected.empty()) << r.name;
    EXPECT_EQ(joined(rolloutReportLines(kDate)), expected) << r.name;
  }
  resetProgramState();
}

// A report left by an older version, its lines ended by carriage returns, is replaced
// whole: the file a person reads ends its lines as the platform does.
TEST(RolloutReport, TheFileIsReplacedAndEndsItsLinesAsThePlatformDoes) {
  const auto folder = std::filesystem::temp_directory_path() / ("bg-report-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  setDataFolder(folder);
  UseVirtualClock clock;
  clock.clock.setLocalTime(2026, 12, 7, 6, 0, 0);
  std::string older = golden("many_games_dice_top_stack");
  std::replace(older.begin(), older.end(), '\n', '\r');
  {
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / "Rollout Result.txt", std::ios::binary);
    out << older;
  }
  const auto read = [&folder] {
    std::ifstream in(folder / "Rollout Result.txt", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  };
  for (const ReportRow& r : {kRows[0], kRows[2]}) {
    setUpReport(r);
    ASSERT_TRUE(writeRolloutResultsFile(true));
    EXPECT_EQ(read(), golden(r.name)) << r.name << " replaced the report before it";
    EXPECT_EQ(read().find('\r'), std::string::npos) << r.name;
  }
  std::filesystem::remove_all(folder);
  resetProgramState();
}

}  // namespace
}  // namespace bg
