#pragma once
// What the rules and the dialogs ask of the application shell: menu item states, pauses,
// the option toggles and the submenus.
#include <cstdint>
#include <string>
#include <string_view>

namespace bg {

inline constexpr int16_t kItemDisabled = 0;
inline constexpr int16_t kItemEnabled = 1;
inline constexpr int16_t kItemChecked = 2;

// The board's look, built by the shell; its control hits come through the dispatcher.
inline constexpr int16_t kDisplaySettingsWindow = 322;

namespace least {
void setMenuItemState(int16_t menu, int16_t item, int16_t state, std::string_view text);
void pause(double seconds);

void noSubmenus();
std::string noHelpText(std::string_view name);
void toggleBeaverAllowed();
void toggleJacobyRule();
void toggleRerollFirstRoll();
void toggleAcceptDoubles();
void selectAutoDoubleMax(int16_t choice);
bool askNothing();
inline void noDisplaySettingsEvent(int16_t) {}
}  // namespace least

struct ShellServices {
  // state 0 disabled, 1 enabled, 2 enabled and checked; a non-empty text replaces the item's.
  void (*setMenuItemState)(int16_t menu, int16_t item, int16_t state, std::string_view text) =
      least::setMenuItemState;
  // Polls events, then waits; nothing in the no-delay and Fast Play states.
  void (*pauseSeconds)(double seconds) = least::pause;
  // Flushes the board window, then waits; nothing in the no-delay, Fast Play and no-pause
  // states.
  void (*pauseAfterMove)(double seconds) = least::pause;

  // For the dialogs. The option toggles flip their option and its menu mark.
  void (*toggleBeaverAllowed)() = least::toggleBeaverAllowed;
  void (*toggleJacobyRule)() = least::toggleJacobyRule;
  void (*toggleRerollFirstRoll)() = least::toggleRerollFirstRoll;
  void (*toggleAcceptDoubles)() = least::toggleAcceptDoubles;
  // The most automatic doubles: 0 off, v the value v (the choice of its menu).
  void (*selectAutoDoubleMax)(int16_t choice) = least::selectAutoDoubleMax;
  // Puts the submenus into the bar with their marks.
  void (*installSubmenus)() = least::noSubmenus;
  // A control hit in the Display Settings window.
  void (*displaySettingsEvent)(int16_t id) = least::noDisplaySettingsEvent;
  // The help text of the given name, empty when there is none.
  std::string (*loadHelpText)(std::string_view name) = least::noHelpText;
  // At quit, with saving on exit off: asks on the board whether to save a changed game,
  // keeps the answer in quitState.saveAnswer and saves on Yes; true when Yes was answered
  // and the save failed. The least form asks nothing.
  bool (*saveAskedBeforeQuitFailed)() = least::askNothing;
};

extern ShellServices shellServices;

namespace hook {
inline void setMenuItemState(int16_t menu, int16_t item, int16_t state, std::string_view text) {
  shellServices.setMenuItemState(menu, item, state, text);
}
inline void pauseSeconds(double seconds) { shellServices.pauseSeconds(seconds); }
inline void pauseAfterMove(double seconds) { shellServices.pauseAfterMove(seconds); }
inline void toggleBeaverOption() { shellServices.toggleBeaverAllowed(); }
inline void toggleJacobyOption() { shellServices.toggleJacobyRule(); }
inline void toggleRerollOption() { shellServices.toggleRerollFirstRoll(); }
inline void toggleAcceptDoublesOption() { shellServices.toggleAcceptDoubles(); }
inline void chooseAutoDoubleMax(int16_t choice) { shellServices.selectAutoDoubleMax(choice); }
inline void installMenuSubmenus() { shellServices.installSubmenus(); }
inline void displaySettingsHit(int16_t id) { shellServices.displaySettingsEvent(id); }
inline std::string helpTextNamed(std::string_view name) { return shellServices.loadHelpText(name); }
inline bool askedSaveAtQuitFailed() { return shellServices.saveAskedBeforeQuitFailed(); }
}  // namespace hook

}  // namespace bg
