#pragma once
// The help a person may ask of the computer on their roll: the best play made (and kept
// or taken back), the best plays listed, the opponent's last play analysed; and the click
// on the dice that takes back or passes the roll.
#include <cstdint>
#include <string_view>

namespace bg {

inline constexpr std::string_view kNoValidMovesText = "You have no valid moves";
inline constexpr int16_t kFinishSelection = 33;  // hand.selectedPoint: the play is complete

// Refused (message 4) once a part-move of the roll is made or when no roll is left.
void makeBestMoveCommand();

// Plays the best play of the human's roll and asks whether it stands; a forced play, or a
// roll with no play, is kept without the question. Also the forced-play aid's player.
void playBestMoveForHuman();

// Searches the human's roll (counted in record entry 0) and shows the candidate plays.
void displayBestMovesCommand();

void showLastMoveAnalysis();

// The analysis displays' text for a side without input of its own.
void buildOpponentMessage();

// A click on the dice: passes the roll at the start of a game, takes back the last
// part-move, or the last unit of the game record.
void diceClickTakeBack();

// takeBack without the dice sounds; the board is redrawn afterwards.
void takeBackQuietly();

}  // namespace bg
