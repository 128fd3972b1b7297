#pragma once
// The person's own options while Fast Play is on: kept when it is turned on, given back
// when it is turned off, and kept in the preferences across a quit with Fast Play on.
#include <cstdint>

namespace bg {

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
  uint8_t savedMarker = 0;  // 255 once the options are kept (Fast Play turned on, or read back)
};
extern FastPlaySaved fastPlaySaved;

}  // namespace bg
