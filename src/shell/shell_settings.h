#pragma once
// The shell's own values: the menu marks, and the settings and start-up values no other
// area holds yet (their owners take them over when they land).
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"
#include "runtime/qt/qd_types.h"

namespace bg {

// Menu marks: 1 enabled without check, 2 enabled and checked, 0 disabled (the roll-over
// item's is options.rollOverItemState).
inline constexpr int16_t kMarkOff = 1;
inline constexpr int16_t kMarkOn = 2;
struct MenuMarks {
  int16_t cubeUsedMark = kMarkOn;
  int16_t beaverAllowedMark = kMarkOff;
  int16_t jacobyRuleMark = kMarkOff;
  int16_t acceptDoublesMark = kMarkOff;
  int16_t inputDiceMark = kMarkOff;
  int16_t fastPlayMark = kMarkOff;
};
extern MenuMarks menuMarks;

inline constexpr long kHelpTopicHighest = 40;

struct ShellSettings {
  int16_t showChangesImmediately = 0;
  uint8_t displayRedrawPending = 0;
  int16_t lastCursorPoint = 0;
  CheckedArray<int16_t, 1> trayPoint;
  CheckedArray<int16_t, 1> barPointAlt;
  CheckedArray<int16_t, 1> perspectiveBase;
  int16_t stackWrap = 0;
  int16_t borderDesign = 0;
  int16_t moneyPanelFlag = 0;
  int16_t windowFitState = 0;
  int16_t autoDoubleMaxChoice = 0;
  int16_t cubeMaximumChoice = 0;
  int16_t pieceSpeedChoice = 0;
  int16_t pieceShape = 0;            // the piece shape Display Settings chose
  uint8_t pendingSolidColors = 0;    // the solid-colour choice of Display Settings
  int16_t helpTopicCode = 0;         // the item last chosen in the Game, Info, Settings or Help menu
  int16_t takeBackClickFlag = 0;
  float statsLayoutFactor = 0;
  int16_t keyLogOn = 0;
  int16_t searchDisplayFlag = 0;
  int16_t gameShown = 0;             // -1 while the game's windows show, 0 while hidden
  int16_t menuEnableState = 1;       // File items 3 and 4 and Options item 11: 0 disabled, 1 enabled
  int16_t alertSoundIndex = 0;
  int16_t checkerAnimFlag = 0;
  Str255 moveListScoreMask;
  CheckedArray<Str255, kHelpTopicHighest> helpTopicTitles;  // 'STR#' 128, from item 1
  Point startPicturePoint{};
};
extern ShellSettings shellSettings;

}  // namespace bg
