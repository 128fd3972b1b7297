#include "rollout/rollout_report.h"

#include <string>

#include "computer/personalities.h"
#include "rollout/rollout_picture.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "rollout/rollout_texts.h"
#include "runtime/core/clock.h"
#include "runtime/core/files.h"
#include "runtime/core/own_files.h"
#include "runtime/core/format.h"
#include "state/app_constants.h"

namespace bg {

namespace {

constexpr int16_t kReportFile = 2;
// The platform's line end: the report is read in a text viewer or a terminal.
constexpr char kLineEnd = '\n';
constexpr int32_t kTrustedGameCount = 1000;
constexpr double kDoubleShare = 68;
constexpr double kTakeShare = 25;
constexpr std::string_view kCountMask = "######";
constexpr std::string_view kShareMask = "####.#";
constexpr std::string_view kEquityMask = "-##.####";
constexpr std::string_view kPointGap = "       ";

std::string blanks(int n) { return std::string(static_cast<size_t>(n), ' '); }

std::string withLineEnd(std::string_view text) { return std::string(text) + kLineEnd; }

// The blanks before each row's top and bottom values: fixed per row, whatever the label.
struct RowGaps {
  int beforeTop;
  int beforeBottom;
};
RowGaps gapsOf(ReportRow row) {
  switch (row) {
    case ReportRow::kGames:
    case ReportRow::kPoints:
    case ReportRow::kMaxPercent:
    case ReportRow::kMinPercent:
      return {34, 18};
    case ReportRow::kGammons:
      return {30, 18};
    case ReportRow::kBackgammons:
      return {23, 18};
    case ReportRow::kPercent:
      return {16, 18};
    case ReportRow::kEquity:
      return {29, 15};
    case ReportRow::kMaxEquity:
    case ReportRow::kMinEquity:
      return {24, 15};
  }
  return {0, 0};
}

ReportRowText countRow(ReportRow row, std::string_view label, const CheckedArray<int32_t, 1>& counts) {
  return {row, std::string(label), usingS(kCountMask, counts[1]), usingS(kCountMask, counts[0]), {}};
}

std::string pictureRow(int firstLabel, int step, char bar, int r) {
  auto mark = [&](int k) { return std::string(1, labelMark(firstLabel + step * k, r)); };
  std::string line = "|      |   " + mark(0);
  for (int k = 1; k <= 5; ++k) line += std::string(kPointGap) + mark(k);
  line += " |    " + std::string(1, bar) + "   |  " + mark(6);
  for (int k = 7; k <= 11; ++k) line += std::string(kPointGap) + mark(k);
  line += "   |   " + std::string(1, kCubeMark) + "   |";
  return line;
}

std::string rollLine() {
  const RolloutSnapshot& s = rolloutSnapshot;
  const std::string cube = std::string(1, kCubeMark);
  const std::string emptyHalf = blanks(46);
  if (s.diceShowing != 0) {
    if (s.sideToMove == 0) {
      return "|      |" + emptyHalf + "| BAR |" + blanks(19) + rolloutDiceText() + blanks(19) + "|   " + cube + "   |";
    }
    return "|      |" + blanks(19) + rolloutDiceText() + blanks(19) + "| BAR |" + emptyHalf + "|   " + cube + "   |";
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
  for (int r = 1; r <= kHighestPictureRow && topRowMarked(r); ++r) lines.push_back(pictureRow(24, -1, topBarMark(r), r));
  lines.push_back(between);
  lines.push_back(rollLine());
  lines.push_back(between);
  for (int r = kHighestPictureRow; r >= 1; --r) {
    if (bottomRowMarked(r)) lines.push_back(pictureRow(1, 1, bottomBarMark(r), r));
  }
  lines.push_back("|      |_______________________|        |_______________________|       |");
  lines.push_back("|         1      2      3      4      5      6            7      8     9     10     11    12          |");
  lines.push_back("|__________________________________________________________|");
}

}  // namespace

std::vector<ReportText> rolloutReportTexts(std::string_view dateText) {
  const RolloutStats& st = rolloutStats;
  const RolloutSnapshot& s = rolloutSnapshot;
  std::vector<ReportText> texts;
  const int32_t n = st.wins[0] + st.wins[1];
  const double p1 = pointsShare(st.points[1], st.points[0]);
  const double p0 = pointsShare(st.points[0], st.points[1]);

  if (!rolloutSettings.description.empty()) texts.push_back({ReportBlock::kDescription, rolloutSettings.description.str()});
  if (n < 1) {
    texts.push_back({ReportBlock::kTooFewGames, "Not enough games rolled out for valid results"});
  } else {
    if (n < kTrustedGameCount) {
      texts.push_back({ReportBlock::kSuspect, "Results are suspect due to the low number of games rolled out."});
    }
    if (s.diceShowing == 0 && s.sideToMove == 0) {
      texts.push_back({ReportBlock::kDoubleAdvice,
                       p0 < kDoubleShare ? "You should not double." : "Double unless you think a gammon is possible."});
      texts.push_back(
          {ReportBlock::kTakeAdvice, p1 < kTakeShare ? "The computer should not accept." : "The computer should accept."});
    }
  }
  texts.push_back({ReportBlock::kCounts, std::string(dateText) + "   Games rolled out: " + strS(st.wins[1] + st.wins[0]) +
                                             "   MinMaxStart: " + strS(rolloutSettings.minMaxStart)});
  std::string optionsLine;
  if (rolloutSettings.rolloutJacobyRule != 0) optionsLine += "Jacoby Rule/";
  if (rolloutSettings.rolloutBackgammonsAllowed != 0) optionsLine += "Backgammons/";
  optionsLine += skillNameTable.skillNames[skill.skillLevel].view();
  texts.push_back({ReportBlock::kOptions, optionsLine});
  texts.push_back({ReportBlock::kColumnHeads, blanks(40) + "Computer/Top     You/Bottom    Game"});
  return texts;
}

std::vector<ReportRowText> rolloutReportRows() {
  const RolloutStats& st = rolloutStats;
  const int32_t n = st.wins[0] + st.wins[1];
  const double p1 = pointsShare(st.points[1], st.points[0]);
  const double p0 = pointsShare(st.points[0], st.points[1]);
  const double e = equityOf(st.points[0], st.points[1], n);
  std::vector<ReportRowText> rows;
  rows.push_back(countRow(ReportRow::kGames, "Games", st.wins));
  rows.push_back(countRow(ReportRow::kPoints, "Points", st.points));
  rows.push_back(countRow(ReportRow::kGammons, "Gammons", st.gammons));
  rows.push_back(countRow(ReportRow::kBackgammons, "Backgammons", st.backgammons));
  rows.push_back({ReportRow::kPercent, "Percent of points", usingS(kShareMask, p1), usingS(kShareMask, p0), {}});
  const bool maxTracked = st.maxPercent[1] > kUntrackedMaxPercent;
  const bool minTracked = st.minPercent[1] < kUntrackedMinPercent;
  if (maxTracked) {
    rows.push_back({ReportRow::kMaxPercent, "  Max %", usingS(kShareMask, st.maxPercent[1]),
                    usingS(kShareMask, st.maxPercent[0]), {}});
  }
  if (minTracked) {
    rows.push_back({ReportRow::kMinPercent, "  Min %", usingS(kShareMask, st.minPercent[1]),
                    usingS(kShareMask, st.minPercent[0]), {}});
  }
  rows.push_back({ReportRow::kEquity, "Equity", usingS(kEquityMask, -e), usingS(kEquityMask, e), {}});
  if (maxTracked) {
    rows.push_back({ReportRow::kMaxEquity, "  Max Equity", usingS(kEquityMask, -st.minEquity),
                    usingS(kEquityMask, st.maxEquity), "  @" + usingS(kCountMask, st.maxEquityGame)});
  }
  if (minTracked) {
    rows.push_back({ReportRow::kMinEquity, "  Min Equity", usingS(kEquityMask, -st.maxEquity),
                    usingS(kEquityMask, st.minEquity), "  @" + usingS(kCountMask, st.minEquityGame)});
  }
  return rows;
}

std::vector<std::string> rolloutReportLines(std::string_view dateText) {
  std::vector<std::string> lines;
  // The counts line is the only text without a line of its own after it.
  for (const ReportText& t : rolloutReportTexts(dateText))
    lines.push_back(t.block == ReportBlock::kCounts ? t.text : withLineEnd(t.text));
  for (const ReportRowText& r : rolloutReportRows()) {
    const RowGaps gaps = gapsOf(r.row);
    lines.push_back(r.label + blanks(gaps.beforeTop) + r.top + blanks(gaps.beforeBottom) + r.bottom + r.game);
  }
  lines.push_back(std::string(1, kLineEnd));
  addPicture(lines);
  return lines;
}

[[maybe_unused]] static const bool reportIsOwnFile =
    registerOwnFile([] { return dataFilePath(kRolloutReportName); });

bool writeRolloutResultsFile(bool alertOnFailure) {
  const std::vector<std::string> lines = rolloutReportLines(dateTextAbbrev());
  // A file that cannot be opened is skipped silently; a failing write is told, once.
  const FileErrorVector previous = setFileErrorVector(nullptr);
  bool written = openOutput(kReportFile, dataFilePath(kRolloutReportName));
  setFileErrorVector(alertOnFailure ? FBFileErrorAlert : nullptr);
  for (size_t i = 0; written && i < lines.size(); ++i) written = writeToFile(kReportFile, withLineEnd(lines[i]));
  if (fileIsOpen(kReportFile)) written = closeFile(kReportFile) && written;
  setFileErrorVector(previous);
  return written;
}

}  // namespace bg
