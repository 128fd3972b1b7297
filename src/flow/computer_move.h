#pragma once
// The computer's move step of a turn, and the best-move steps that search on the
// human's behalf.
namespace bg {

// Analysis, doubling evaluation, the hitting and contact-breaking searches, the analysis
// again and the normal search: the best-plays lists for the side to move, nothing played.
void decideComputerMove();

// Nothing while the turn is being left; else decideComputerMove, the dice redrawn when
// the search asked, the pause, then the play of the side to move.
void computerPlaysMove();

// The same with computerMovesForHuman set: only the best-plays lists are filled.
void computerPlaysMoveFlagged();

// Puts the two best-move steps into the play search's service table.
void installFlowSearchServices();

}  // namespace bg
