#include "rollout/rollout_report.h"

#include <string>

#include "computer/personalities.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "rollout/rollout_texts.h"
#include "runtime/core/clock.h"
#include "runtime/core/files.h"
#include "runtime/core/format.h"
#include "state/app_constants.h"

namespace bg {

namespace {

constexpr int16_t kReportFile = 2;
constexpr char kCR = '\r';
constexpr int32_t kTrustedGameCount = 1000;
constexpr double kDoubleShare = 68;
constexpr double kTakeShare = 25;
constexpr int kHighestRow = 15;
constexpr std::string_view kCountMask = "######";
constexpr std::string_view kShareMask = "####.#";
constexpr std::string_view kEquityMask = "-##.####";
constexpr std::string_view kPointGap = "       ";

std::string blanks(int n) { return std::string(static_cast<size_t>(n), ' '); }

std::string withCR(std::string_view text) { return std::string(text) + kCR; }

// One statistics row: the label, blanks, side 1's value, blanks, side 0's value.
std::string row(std::string_view label, int gap1, const std::string& top, int gap2, const std::string& bottom) {
  return std::string(label) + blanks(gap1) + top + blanks(gap2) + bottom;
}

std::string countRow(std::string_view label, int gap, const CheckedArray<int32_t, 1>& counts) {
  return row(label, gap, usingS(kCountMask, counts[1]), 18, usingS(kCountMask, counts[0]));
}

// The mark of board index p in row r.
char pointMark(int p, int r) {
  const int16_t count = rolloutStats.rolloutStartBoard[p];
  if (count >= r) return 'Y';
  if (count <= -r) return 'C';
  return ' ';
}
char topBarMark(int r) { return rolloutStats.rolloutStartBoard[0] <= -r ? 'C' : ' '; }
char bottomBarMark(int r) { return rolloutStats.rolloutStartBoard[25] >= r ? 'Y' : ' '; }

// The mark of the point labelled L.
char labelMark(int label, int r) { return pointMark(25 - label, r); }

constexpr char kCubeColumn = ' ';

std::string pictureRow(int firstLabel, int step, char bar, int r) {
  auto mark = [&](int k) { return std::string(1, labelMark(firstLabel + step * k, r)); };
  std::string line = "|      |   " + mark(0);
  for (int k = 1; k <= 5; ++k) line += std::string(kPointGap) + mark(k);
  line += " |    " + std::string(1, bar) + "   |  " + mark(6);
  for (int k = 7; k <= 11; ++k) line += std::string(kPointGap) + mark(k);
  line += "   |   " + std::string(1, kCubeColumn) + "   |";
  return line;
}

bool topRowMarked(int r) {
  if (topBarMark(r) != ' ') return true;
  for (int label = 13; label <= 24; ++label) {
    if (labelMark(label, r) != ' ') return true;
  }
  return false;
}

bool bottomRowMarked(int r) {
  if (bottomBarMark(r) != ' ') return true;
  for (int label = 1; label <= 12; ++label) {
    if (labelMark(label, r) != ' ') return true;
  }
  return false;
}

std::string rollLine() {
  const RolloutSnapshot& s = rolloutSnapshot;
  const std::string cube = std::string(1, kCubeColumn);
  const std::string emptyHalf = blanks(46);
  if (s.diceShowing != 0) {
    if (s.sideToMove == 0) {
      return "|      |" + emptyHalf + "| BAR |" + blanks(19) + strS(s.dice[1]) + "-" + strS(s.dice[0]) + blanks(19) +
             "|   " + cube + "   |";
    }
    return "|      |" + blanks(19) + strS(s.dice[0]) + "-" + strS(s.dice[1]) + blanks(19) + "| BAR |" + emptyHalf +
           "|   " + cube + "   |";
  }
  if (s.sideToMove == 0) {
    return "|      |" + emptyHalf + "| BAR |" + blanks(21) + "Roll" + blanks(19) + "|   " + cube + "   |";
  }
  return "|      |" + blanks(20) + "Roll" + blanks(20) + "| BAR |" + emptyHalf + "|   " + cube + "   |";
}

void addPicture(std::vector<std::string>& lines) {
  const std::string between = "|      |" + blanks(46) + "|        |" + blanks(46) + "|       |";
  lines.push_back(" __________________________________________________________");
  lines.push_back("|        24    23    22    21    20    19          18    17    16    15    14    13          |");
  lines.push_back("|       _______________________         _______________________        |");
  for (int r = 1; r <= kHighestRow && topRowMarked(r); ++r) lines.push_back(pictureRow(24, -1, topBarMark(r), r));
  lines.push_back(between);
  lines.push_back(rollLine());
  lines.push_back(between);
  for (int r = kHighestRow; r >= 1; --r) {
    if (bottomRowMarked(r)) lines.push_back(pictureRow(1, 1, bottomBarMark(r), r));
  }
  lines.push_back("|      |_______________________|        |_______________________|       |");
  lines.push_back("|         1      2      3      4      5      6            7      8     9     10     11    12          |");
  lines.push_back("|__________________________________________________________|");
}

}  // namespace

std::vector<std::string> rolloutReportLines(std::string_view dateText) {
  const RolloutStats& st = rolloutStats;
  const RolloutSnapshot& s = rolloutSnapshot;
  std::vector<std::string> lines;
  const int32_t n = st.wins[0] + st.wins[1];
  const double p1 = pointsShare(st.points[1], st.points[0]);
  const double p0 = pointsShare(st.points[0], st.points[1]);
  const double e = equityOf(st.points[0], st.points[1], n);

  if (!rolloutSettings.description.empty()) lines.push_back(withCR(rolloutSettings.description.view()));
  if (n < 1) {
    lines.push_back(withCR("Not enough games rolled out for valid results"));
  } else {
    if (n < kTrustedGameCount) lines.push_back(withCR("Results are suspect due to the low number of games rolled out."));
    if (s.diceShowing == 0 && s.sideToMove == 0) {
      lines.push_back(withCR(p0 < kDoubleShare ? "You should not double." : "Double unless you think a gammon is possible."));
      lines.push_back(withCR(p1 < kTakeShare ? "The computer should not accept." : "The computer should accept."));
    }
  }
  lines.push_back(std::string(dateText) + "   Games rolled out: " + strS(st.wins[1] + st.wins[0]) +
                  "   MinMaxStart: " + strS(rolloutSettings.minMaxStart));
  std::string optionsLine;
  if (rolloutSettings.rolloutJacobyRule != 0) optionsLine += "Jacoby Rule/";
  if (rolloutSettings.rolloutBackgammonsAllowed != 0) optionsLine += "Backgammons/";
  optionsLine += skillNameTable.skillNames[skill.skillLevel].view();
  lines.push_back(withCR(optionsLine));
  lines.push_back(withCR(blanks(40) + "Computer/Top     You/Bottom    Game"));

  lines.push_back(countRow("Games", 34, st.wins));
  lines.push_back(countRow("Points", 34, st.points));
  lines.push_back(countRow("Gammons", 30, st.gammons));
  lines.push_back(countRow("Backgammons", 23, st.backgammons));
  lines.push_back(row("Percent of points", 16, usingS(kShareMask, p1), 18, usingS(kShareMask, p0)));
  const bool maxTracked = st.maxPercent[1] > kUntrackedMaxPercent;
  const bool minTracked = st.minPercent[1] < kUntrackedMinPercent;
  if (maxTracked) {
    lines.push_back(row("  Max %", 34, usingS(kShareMask, st.maxPercent[1]), 18, usingS(kShareMask, st.maxPercent[0])));
  }
  if (minTracked) {
    lines.push_back(row("  Min %", 34, usingS(kShareMask, st.minPercent[1]), 18, usingS(kShareMask, st.minPercent[0])));
  }
  lines.push_back(row("Equity", 29, usingS(kEquityMask, -e), 15, usingS(kEquityMask, e)));
  if (maxTracked) {
    lines.push_back(row("  Max Equity", 24, usingS(kEquityMask, -st.minEquity), 15, usingS(kEquityMask, st.maxEquity)) +
                    "  @" + usingS(kCountMask, st.maxEquityGame));
  }
  if (minTracked) {
    lines.push_back(row("  Min Equity", 24, usingS(kEquityMask, -st.maxEquity), 15, usingS(kEquityMask, st.minEquity)) +
                    "  @" + usingS(kCountMask, st.minEquityGame));
  }
  lines.push_back(std::string(1, kCR));
  addPicture(lines);
  return lines;
}

bool writeRolloutResultsFile(bool alertOnFailure) {
  const std::vector<std::string> lines = rolloutReportLines(dateTextAbbrev());
  // A file that cannot be opened is skipped silently; a failing write is told, once.
  const FileErrorVector previous = setFileErrorVector(nullptr);
  bool written = openOutput(kReportFile, dataFilePath(kRolloutReportName));
  setFileErrorVector(alertOnFailure ? FBFileErrorAlert : nullptr);
  for (size_t i = 0; written && i < lines.size(); ++i) written = printToFile(kReportFile, lines[i]);
  if (fileIsOpen(kReportFile)) written = closeFile(kReportFile) && written;
  setFileErrorVector(previous);
  return written;
}

}  // namespace bg
