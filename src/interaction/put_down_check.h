#pragma once
// The check of a put-down before anything moves: the die or dice the distance uses, the
// landing, the bar, combined steps and the bear-off rule, and a backward put-down turned
// into a put-back or a take-back. From hand.selectedPoint to interaction.clickedPoint;
// a valid step clears hand.moveEntryActive and leaves hand.moveDistance,
// hand.moveStepCount and hand.stepDistances; a refusal leaves its number in
// interaction.messageNumber (999 none) for the caller to show.
namespace bg {

// Orders the held checkers so that the one with the smallest point x direction is tried
// first (the checks run from the last slot back).
void sortPickedCheckers();
void validateCheckerMove();
void selectDieForDistance();
void checkCombinedMove();
void checkBearOffAllowed();

}  // namespace bg
