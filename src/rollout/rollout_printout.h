#pragma once
// The rollout's report on paper: the texts and the statistics of the report file, each
// piece at its own position so that the columns line up in the proportional printer font,
// the position drawn cell by cell, the roll counts and the footer of the printed reports.
namespace bg {

void printRolloutResults();

}  // namespace bg
