#pragma once
// The rolled-out position as the reports draw it: one mark per point and row, "Y" for a
// checker of player 0, "C" for one of player 1, counted in rows from the edge of the board.
#include <string>

namespace bg {

inline constexpr int kHighestPictureRow = 15;
// The rollout plays without the cube: its column stays empty.
inline constexpr char kCubeMark = ' ';

// The mark of the point labelled `label` (1..24) in row r.
char labelMark(int label, int r);
// Player 1's bar shows in the top half, player 0's in the bottom half.
char topBarMark(int r);
char bottomBarMark(int r);
// Whether some column of the half shows a mark in row r.
bool topRowMarked(int r);
bool bottomRowMarked(int r);
// The dice of the roll line, the second die first when player 0 is to move.
std::string rolloutDiceText();

}  // namespace bg
