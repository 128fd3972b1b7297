#pragma once
// What the play search asks of the areas above the rules: the computer's analysis and
// evaluation, the game flow's best-move steps, the shell's titled box and the event
// pump. Each is a call through a table that the owner fills at start-up; the defaults
// make only the state change the service makes (the mover's view is built, nothing is
// evaluated or shown), which is also what the tests start from.
//
// The computer's and the flow's routines carry these names themselves, so the rules
// call them through the table: searchServices.evaluatePosition().
#include <string_view>

namespace bg {

namespace least {
void analysePosition();
void noService();
void showTitledText(std::string_view title, std::string_view text);
}  // namespace least

struct SearchServices {
  // The position analysis for currentPlayer; its least form builds the mover's view.
  void (*analysePosition)() = least::analysePosition;
  // Scores the play now on analysis.evalBoard and offers it to both best-plays lists.
  void (*evaluatePosition)() = least::noService;
  // Before a normal search: whether the mover is far enough ahead or behind in the race.
  void (*setRaceLeadFlags)() = least::noService;
  // On turn 1, before any play is evaluated: the opening book's play into both lists.
  void (*pickOpeningBookPlay)() = least::noService;
  // The full search for the side to move, without playing (the lists are filled).
  void (*computerPlaysMoveFlagged)() = least::noService;
  // Plays row 1 of bestPlaysTrue for the side to move.
  void (*playBestMoveForHuman)() = least::noService;
  // A title and a text in a box until the user closes it.
  void (*showTitledText)(std::string_view title, std::string_view text) = least::showTitledText;
  // One slice of the event pump.
  void (*handleEvents)() = least::noService;
};

extern SearchServices searchServices;

}  // namespace bg
