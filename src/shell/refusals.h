#pragma once
// The one-line refusals of the menu commands: the alert with "Put your checker down
// first" while a checker is in the hand, and "not now" while a question waits.
namespace bg {

void refuseWithCheckerInHand();
void refuseWhileQuestionWaits();

}  // namespace bg
