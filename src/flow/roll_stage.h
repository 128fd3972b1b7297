#pragma once
// The roll of a turn: the roll click, hand-set dice, a fresh roll or the replay of the
// roll already in the game record (a take-back never changes the dice), the opening roll
// under the who-rolls-first setting, the opening re-roll, automatic doubles, and the roll
// written into the record with its statistics, counted once per entry.
#include <cstdint>

namespace bg {

// The re-roll notice and the cube texts of the opening.
inline constexpr const char* kComputerReRollText = "MMComputer Decided to Re Roll The Dice";
inline constexpr const char* kCubeDoubledText = "MMThe Cube Was Doubled";
inline constexpr const char* kRollAgainSuffix = " - Roll Again";
inline constexpr const char* kGoodLuckText = "MMGood Luck";

void rollDiceStage();
// Fills the dice: a fresh roll when the next record entry is empty, else its roll.
void generateDiceRoll();
// True when the next record entry holds no roll to replay.
bool nextRollIsFresh();
void waitForDiceClick();
// Two humans: the side whose die was clicked first is shown first; the other side
// clicks the other die.
void openingRollTie(bool chosenByHand);
// Who rolls first 4: higher die first, and the header records the fixed pairs.
void orderOpeningDice();
// The opening winner may roll again: the computer keeps 3-1, 4-2 and 6-1, a human is
// asked. Leaves interaction.panelAnswer -1 when the dice are rolled again.
void computerReRollDecision();
// interaction.panelAnswer: 0 keep, -1 roll again.
void keepOpeningRoll();
// Opening doubles: the cube turns while below 2 to the autoDoubleMax, else they are
// rolled again; either way a cube entry is recorded.
void automaticDouble();
void showGoodLuck();
// Flips the four-dice-on-doubles display and draws dice that show in the new form.
void copyPartMoveDice();

}  // namespace bg
