#pragma once
// The option dialogs of the Settings menu: the sounds, the automatic moves, the speaking
// of the dice and the click after a move. Each filler shows the settings, each reader
// stores the controls on OK.
#include <cstdint>

namespace bg {

inline constexpr int16_t kClickAfterMoveWindow = 327;
inline constexpr int16_t kAutomaticMovesWindow = 330;
inline constexpr int16_t kSpeakDiceWindow = 331;
inline constexpr int16_t kSoundWindow = 332;

inline constexpr int16_t kSoundHelpButton = 6;
inline constexpr int16_t kAutoMovesHelpButton = 7;
inline constexpr int16_t kClickAfterMoveHelpButton = 5;

void soundDialog();
void automaticMovesDialog();
void speakDiceDialog();
void clickAfterMoveDialog();

void handleSoundDialog();
void handleAutomaticMoves();
void handleSpeakDice();
void handleClickAfterMove();

}  // namespace bg
