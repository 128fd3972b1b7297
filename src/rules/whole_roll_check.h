#pragma once
// Whether the human, still holding dice, can play any of them, and whether the part-moves
// made so far used as much of the roll as the rules demand. Reads the real board in the
// side's own direction.
#include <cstdint>
#include <string_view>

#include "state/message_numbers.h"

namespace bg {

inline constexpr std::string_view kInvalidMoveTitle = "       Invalid Move";
inline constexpr std::string_view kInvalidMoveText =
    "You must use as much of your roll as possible. There is a move that uses more of the "
    "roll. Clear this then click on BAR to take back your move.\r\rIf you can't find the "
    "correct move, use either Make Best Move or Display Best Moves for help.";

struct WholeRollState {
  int16_t wholeRollRefused = 0;  // -1 while the play stands refused
  int16_t bothDiceRefusal = 0;   // -1: refused because both dice could have been played
  int16_t morePipsRefusal = 0;   // -1: refused because a play with more pips existed
  int16_t noMovesLeft = 0;       // -1: no die can be played (callers clear it first)
  int16_t endCheckOnly = 0;      // -1: only report noMovesLeft; show and record nothing
};

extern WholeRollState wholeRoll;

// Returns at once when a die of the side to move can still be played; otherwise sets
// noMovesLeft and runs checkUsesWholeRoll.
void anyDieStillPlayable();

// The same question asked quietly: nothing is shown, recorded or refused, and
// noMovesLeft is clear again afterwards.
bool someDieLeftPlayable();

// Refuses the play (message 55 or 56 and the "Invalid Move" box) or ends the move phase.
void checkUsesWholeRoll();

// Whether the checker lifted from fromPoint may bear off with both dice of a non-double,
// the smaller die first, else the larger: the point it stops on must hold no opposing
// checker and no own checker may lie further back. The order that works is left in
// hand.stepDistances[0..1].
bool isFurthestBackPiece(int16_t fromPoint);

}  // namespace bg
