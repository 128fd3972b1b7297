#pragma once
// The settings the game flow reads, each stored by its option toggle and by the
// preferences reader; the defaults are those of a first start.
#include <cstdint>

#include "runtime/core/pstring.h"

namespace bg {

// rightMouseActionNP: a right click with no checker held takes back the last step.
inline constexpr int16_t kRightClickTakesBack = 4;
// rightMouseActionP: a right click with a checker held clicks the board centre.
inline constexpr int16_t kRightClickCentre = 1;

struct PlayOptions {
  int16_t autoConcessions = 0;     // AUTOCONCESSIONS: the computer may resign
  int16_t wagerAmount = 1;         // WAGERAMOUNT: stake per point
  Str40 wagerCurrency = "Dollars"; // WAGERCURRENCY
  Str40 wagerSymbol = "$";         // drawn with a money balance
  int16_t wagerSymbolLocation = 12;  // 12: the symbol before the amount, else after
  int16_t rollOverOnce = 0;        // the opening winner may roll over once
  int16_t rollOverItemState = 0;   // the roll-over item: 0 disabled, 1 enabled
  int16_t speakHumanDice = 0;
  int16_t speakComputerDice = 0;
  int16_t shortDiceMessage = 0;  // SHORTDICEMESSAGE: rolls spoken as " 5 AND 3"
  int16_t showPipCounts = 0;
  int16_t easyMoves = 0;
  int16_t selectOneOnly = 0;     // SELECTONEONLY: one checker in the hand at a time
  int16_t rightMouseActionNP = 0;
  int16_t rightMouseActionP = 0;
  // AUTOMOVES and its four flags.
  uint8_t autoMoves = 0;
  int16_t autoBearOffOn = 0;
  int16_t autoEnterFromBarOn = 0;
  int16_t autoPlayForcedOn = 0;
  int16_t autoPlayForHumanOn = 0;
  // The click-after-move block: 255 = on.
  uint8_t clickAfterHumanMove = 0;     // CLICKAFTERHUMANMOVE
  uint8_t clickAfterComputerMove = 0;  // CLICKAFTERCOMPUTERMOVE
  uint8_t autoPass = 0;                // pass a roll with no legal play without a click
};

extern PlayOptions options;

}  // namespace bg
