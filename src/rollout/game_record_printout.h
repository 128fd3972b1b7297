#pragma once
// The game record on paper: a title line, the date, the skill level, the rules in force,
// the scores and the result, the aids used, then one line per record entry, page by page,
// each page ending in the footer.
#include <string>

namespace bg {

void printGameRecord();
void printPageHeader();
void printMoveTableHeader();
void printAidsUsed();
// The result of the game in the record: who won what and how, or that it did not end.
std::string gameResultText();

}  // namespace bg
