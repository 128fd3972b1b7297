#pragma once
// Fast Play: the user's own options kept in one record while the fastest ones are in
// force, and given back when Fast Play is turned off.
#include <cstdint>

namespace bg {

inline constexpr int16_t kFastPieceSpeed = 11;

// The options Fast Play changes, as they were when it was turned on. Flags are kept in
// one byte each (-1 as 255).
struct FastPlaySaved {
  int16_t pieceSpeed = 0;
  uint8_t clickAfterHumanMove = 0;
  uint8_t clickAfterComputerMove = 0;
  uint8_t autoPass = 0;
  uint8_t autoEnterFromBarOn = 0;
  uint8_t autoBearOffOn = 0;
  uint8_t autoPlayForHumanOn = 0;
  uint8_t autoPlayForcedOn = 0;
  int16_t autoMoves = 0;
  uint8_t soundOn = 0;
  uint8_t automaticRolls = 0;
  uint8_t speechOn = 0;
  int16_t voiceIndex = 0;
  uint8_t savedMarker = 0;  // 255 once Fast Play has been turned on in this run
};
extern FastPlaySaved fastPlaySaved;

// Keeps the user's options, then sets the fast ones and moves their menu marks.
void enterFastPlay();
// Gives the kept options back (automatic rolls only while the cube is off) with their
// marks; when nothing was kept (Fast Play came from the preferences) only clears the flag.
void leaveFastPlay();

}  // namespace bg
