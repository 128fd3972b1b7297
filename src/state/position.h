#pragma once
// The position: the board encoding, the two sides, the bar and the borne-off checkers.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kPlayer0 = 0;
inline constexpr int16_t kPlayer1 = 1;
// A side of the game, not one of the record's other entry kinds.
inline constexpr bool isPlayerSide(int16_t side) { return side == kPlayer0 || side == kPlayer1; }
inline constexpr int16_t kCheckersPerSide = 15;
inline constexpr int16_t kHumanPlayer = 2;     // playerType values
inline constexpr int16_t kComputerPlayer = 1;
inline constexpr int16_t kNoInputPlayer = 3;

struct StartingPoint {
  int16_t point;
  int16_t count;
};

// The starting position; every other index of `board` is 0.
inline constexpr StartingPoint kStartingPosition[] = {
    {1, +2}, {6, -5}, {8, -3}, {12, +5}, {13, -5}, {17, +3}, {19, +5}, {24, -2},
};

struct Position {
  // Indices 1..24 are points: player 0 positive, player 1 negative. board[25] is
  // player 0's bar (positive count), board[0] player 1's bar (negative count).
  CheckedArray<int16_t, 25> board;
  CheckedArray<int16_t, 1> playerDirection{{{+1, -1}}};
  CheckedArray<int16_t, 1> barPoint{{{25, 0}}};
  CheckedArray<int16_t, 1> piecesOnBoard{{{15, 15}}};
  CheckedArray<int16_t, 1> playerType{{{kHumanPlayer, kComputerPlayer}}};
  int16_t currentPlayer = 0;
  int16_t otherPlayer = 1;
  int16_t turnPlayer = 0;
  int16_t openingPhase = -1;  // -1 until the opening roll has decided who starts
  int16_t gameContinued = 0;
  int16_t newBoardRedraw = 0;
};

extern Position position;

}  // namespace bg
