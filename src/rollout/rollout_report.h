#pragma once
// The rollout's report: the description, the advice, the counts and a picture of the
// position, as lines of text. The file "Rollout Result.txt" in the data folder holds it,
// replaced at every write; the printed report uses the same lines.
#include <string>
#include <string_view>
#include <vector>

namespace bg {

inline constexpr std::string_view kRolloutReportName = "Rollout Result.txt";

// One entry per line written; a line may carry a carriage return of its own, which
// leaves an empty line after it.
std::vector<std::string> rolloutReportLines(std::string_view dateText);

// Writes the report; false when it could not be written. A folder that cannot take the
// file is passed over silently; a failing write is told only when alertOnFailure is set.
bool writeRolloutResultsFile(bool alertOnFailure);

}  // namespace bg
