#pragma once
// The end of a turn with dice left over, the end of a game with its scoring, and what
// follows the end-of-game dialog.
#include <string_view>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr std::string_view kMoneyResultsTitle = " Money Game Results";

// The dice words by die value: [v][0] "one" .. "six", [v][1] "ones" .. "sixes".
extern const CheckedArray<CheckedArray<std::string_view, 1>, 6> diceWords;

// Records one entry per unplayed die and ends the turn; the computer says which dice it
// could not use. Only notes that no die is playable while wholeRoll.endCheckOnly is set.
// Installed as recordTurnEnd.
void recordUnplayedDice();

// Decides the winner and the multiplier, scores the game into the match or money
// totals and the statistics, handles the Crawford game and the end of a match, appends
// the game-end entry and opens the end-of-game dialog (not under noPause). Nothing for a
// game abandoned by New Game (no checkers on the board on either side).
void announceGameResult();

// Abandons the game in hand as New Game does: a held checker goes back, both sides are
// emptied so that no result is announced, and a new game is asked for.
void dropGameInProgress();

// After the end-of-game dialog: ends a won match, then starts a new game, or goes on with
// the same game when the winner chose to play on after a dropped double or a resignation
// (not when that game won the match).
void finishGameAndContinue();

}  // namespace bg
