#pragma once
// The one-line refusals of the menu commands: the alert with "Put your checker down
// first" while a checker is in the hand, "not now" while a question waits, and a refusal
// that says why in its own words.
#include <string_view>

namespace bg {

void refuseWithCheckerInHand();
void refuseWhileQuestionWaits();
// The text as the message line takes a free text ("MM" first).
void refuseSaying(std::string_view text);

}  // namespace bg
