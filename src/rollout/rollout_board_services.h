#pragma once
// The board's menus and dialog handler come back when a rollout gives the person's game
// back after its window has closed; the dialogs install the routine here.
namespace bg {

namespace least {
void giveBoardBack();
}  // namespace least

struct RolloutBoardServices {
  void (*giveBoardBack)() = least::giveBoardBack;
};
extern RolloutBoardServices rolloutBoardServices;

namespace hook {
inline void giveBoardBackAfterRollout() { rolloutBoardServices.giveBoardBack(); }
}  // namespace hook

}  // namespace bg
