#pragma once
// The rollout's report: the description, the advice, the counts and a picture of the
// position, as lines of text. The file "Rollout Result.txt" in the data folder holds it,
// replaced at every write; the printed report places the same texts one by one.
#include <string>
#include <string_view>
#include <vector>

namespace bg {

inline constexpr std::string_view kRolloutReportName = "Rollout Result.txt";

// The texts above the table, each known by what it says, so that the printed report can
// space them as it does.
enum class ReportBlock { kDescription, kTooFewGames, kSuspect, kDoubleAdvice, kTakeAdvice, kCounts, kOptions, kColumnHeads };
struct ReportText {
  ReportBlock block;
  std::string text;
};
std::vector<ReportText> rolloutReportTexts(std::string_view dateText);

// The statistics rows that apply, values already in their masks; `game` is the
// "  @" and the game number of the two equity extremes, empty elsewhere.
enum class ReportRow { kGames, kPoints, kGammons, kBackgammons, kPercent, kMaxPercent, kMinPercent, kEquity, kMaxEquity, kMinEquity };
struct ReportRowText {
  ReportRow row;
  std::string label;
  std::string top;
  std::string bottom;
  std::string game;
};
std::vector<ReportRowText> rolloutReportRows();

// One entry per line written; a line may carry a line end of its own, which
// leaves an empty line after it.
std::vector<std::string> rolloutReportLines(std::string_view dateText);

// Writes the report; false when it could not be written. A folder that cannot take the
// file is passed over silently; a failing write is told only when alertOnFailure is set.
bool writeRolloutResultsFile(bool alertOnFailure);

}  // namespace bg
