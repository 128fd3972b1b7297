#pragma once
// The computer's move step of a turn, and the best-move steps that search on the
// human's behalf.
namespace bg {

// Analysis, doubling evaluation, the hitting and contact-breaking searches, the analysis
// again and the normal search: the best-plays lists for the side to move, nothing played.
void decideComputerMove();

// decideComputerMove, then the play of the side to move.
void computerPlaysMove();

// The same with computerMovesForHuman set: only the best-plays lists are filled.
void computerPlaysMoveFlagged();

// Plays row 1 of bestPlaysTrue for the side to move, without skill errors; message 138
// when there is no play.
void playBestMoveForHuman();

// Puts the two best-move steps into the play search's service table.
void installFlowSearchServices();

}  // namespace bg
