#pragma once
// A side resigns: the points it concedes follow the race (or, between two people, the
// points the resigner names), and the other side accepts or declines on the board.
#include <cstdint>

namespace bg {

// The Resign command: refused with a checker in the hand, ignored on the computer's roll
// against a person and during the opening.
void concedeGame();

// Two people: suggests the level and opens the points dialog.
void concedePointsPrompt();

// The points dialog's answer; 2 is Cancel.
void concedeOrCancel(int16_t answer);

void concedeWithLevel();

// The level, unless two people play (the dialog set it), then the question.
void computeConcessionLevel();

// The level from an analysis made for the winner (the resigner's men positive on
// analysis.evalBoard): 1 single, 2 gammon, 3 backgammon.
void decideConcessionLevel();

// Puts the resignation to the winner on the board; a Yes sets the resigner's
// flow.autoConcession. Installed as announceConcession.
void announceConcession();

}  // namespace bg
