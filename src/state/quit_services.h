#pragma once
// What quitting asks of the areas that own the note pad and the end of the process, and
// the values only quitting reads.
#include <cstdint>
#include <string>

namespace bg {

// The person's answer to the save question of the quit that waits (for Stay or Quit Anyway).
inline constexpr int16_t kSaveNotAnswered = 0;
inline constexpr int16_t kSaveAnsweredYes = 1;
inline constexpr int16_t kSaveAnsweredNo = 2;

struct QuitState {
  int16_t quitRunning = 0;        // -1 once a way out has started: a second one does nothing,
  int16_t systemQuitRunning = 0;  // unless it is the system's first (-1 once that has started)
  int16_t saveAnswer = kSaveNotAnswered;  // a quit from the system inside it keeps the answer
};
extern QuitState quitState;

namespace least {
std::string keepNotePad();
void noNotePad();
void endProcess(int status);
}  // namespace least

struct QuitServices {
  // Saves the note pad and closes it, when it is open; what could not be saved and why,
  // empty when nothing failed (the note pad then stays open).
  std::string (*saveNotePad)() = least::keepNotePad;
  // Closes the note pad, when it is open, without saving its notes.
  void (*closeNotePadUnsaved)() = least::noNotePad;
  // Opens the note pad again with the notes closeNotePadUnsaved gave up, if any.
  void (*reopenGivenUpNotePad)() = least::noNotePad;
  // Ends the process with the status after the shutdown routines; never returns in the
  // program (tests put a recorder in its place).
  void (*endProcess)(int status) = least::endProcess;
};
extern QuitServices quitServices;

namespace hook {
inline std::string saveOpenNotePad() { return quitServices.saveNotePad(); }
inline void giveUpNotePad() { quitServices.closeNotePadUnsaved(); }
inline void bringBackGivenUpNotePad() { quitServices.reopenGivenUpNotePad(); }
inline void endTheProcess(int status) { quitServices.endProcess(status); }
}  // namespace hook

}  // namespace bg
