#pragma once
// The human's move entry with the mouse: a click on an own point picks its top checker
// up (up to nine held, each following the mouse), a click on the destination puts it
// down once the check of put_down_check.h allows it, and the step is played through
// moveOneChecker. A refusal leaves the checker in the hand with its message.
#include <cstdint>

namespace bg {

// The human's move phase; installed as turnServices.humanTurn.
void humanTurn();
void humanMoveInput();
void handleMoveEntryClick();
void checkPickUpClick();
void selectPiece();
// The put-down position test on a point with own checkers: moveEntry.clickOnOwnStack
// and clickOnTopSlot.
void pieceFromClick();
void returnHeldChecker();
void returnAllHeldCheckers();
// The last held checker back to its point (a click on the middle of the bar).
void putBackLastHeld();
// Every held checker back to its point, the last picked first.
void putBackHeldCheckers();
// A put-down behind the held checker's from-point: a put-back, or right after a pick-up
// the take-back of the turn's last step.
void takeBackByPutDown(int16_t to, int16_t bar);

// The one-line refusals, with the alert sound where they have it.
void beepSetMessage44();
void beepShowMessage207();
void beepShowMessage46();
void showMessage4();

}  // namespace bg
