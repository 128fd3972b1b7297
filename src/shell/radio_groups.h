#pragma once
// The multiple-choice options: each routine stores the choice its caller left in the
// choice value and moves the submenu's check mark to it.
#include <cstdint>

namespace bg {

void selectAutoDoubleMax();   // shellSettings.autoDoubleMaxChoice: 0 off, v = item v + 1
void selectCubeMaximum();     // shellSettings.cubeMaximumChoice: item n gives 2^n
void selectPieceSpeed();      // shellSettings.pieceSpeedChoice
void applyPieceShape();       // shellSettings.pieceShape
void applySolidPieceColors(); // shellSettings.pendingSolidColors
// Each bit set in options.autoMoves turns its flag on; clear bits leave theirs.
void unpackAutoMoveOptions();

// The skill level's check, the roll-over item that goes with it, and the personality.
void markSkillLevelMenus();
void skillLevelMenuCommand(int16_t item);
void personalityMenuCommand(int16_t item);

// Every radio group's check mark from its setting.
void markRadioGroups();

}  // namespace bg
