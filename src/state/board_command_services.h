#pragma once
// What the board's letter commands and keys ask of the areas above the board
// interaction: the blot-risk report, the two statistics panels, the note pad and the
// context help. Each owner installs its routine at start-up; the least forms show
// nothing (the commands' own counts and flags are kept by the caller).
namespace bg {

namespace least {
void nothing();
bool isNever();
}  // namespace least

struct BoardCommandServices {
  void (*showBlotRisk)() = least::nothing;
  // The pip-count panel (P) and the race-estimate panel (R); each waits for a click or
  // key and takes itself down.
  void (*drawStatsLeft)() = least::nothing;
  void (*drawStatsRight)() = least::nothing;
  void (*openNotePad)() = least::nothing;
  void (*showContextHelp)() = least::nothing;
  // The plain help-text window: whether it shows, and ending its wait.
  bool (*helpTextShowing)() = least::isNever;
  void (*endHelpTextWait)() = least::nothing;
  bool (*notePadShowing)() = least::isNever;
};
extern BoardCommandServices boardCommandServices;

namespace hook {
inline void showBlotRisk() { boardCommandServices.showBlotRisk(); }
inline void drawStatsLeft() { boardCommandServices.drawStatsLeft(); }
inline void drawStatsRight() { boardCommandServices.drawStatsRight(); }
inline void openNotePad() { boardCommandServices.openNotePad(); }
inline void showContextHelp() { boardCommandServices.showContextHelp(); }
inline bool helpTextShowing() { return boardCommandServices.helpTextShowing(); }
inline void endHelpTextWait() { boardCommandServices.endHelpTextWait(); }
inline bool notePadShowing() { return boardCommandServices.notePadShowing(); }
}  // namespace hook

}  // namespace bg
