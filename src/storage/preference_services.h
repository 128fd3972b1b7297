#pragma once
// What the preference appliers and the writer ask of the areas above them: the option
// toggles and radio choices with their check marks, the board's redraw requests and the
// board window's place. The least forms only store the setting (a toggle flips it), so
// the preferences are read and written without menus or a window.
#include <cstdint>

namespace bg {

// The on/off options a preferences line can switch through its toggle.
enum class PrefToggle : int16_t {
  kSelectOneOnly,
  kInputDice,
  kCubeUsed,
  kBeaverAllowed,
  kAcceptDoubles,
  kJacobyRule,
  kBackgammonAllowed,
  kRerollFirstRoll,
  kAutoConcessions,
  kAutomaticRolls,
  kAutoPass,
  kEasyMoves,
  kSaveGameOnExit,
  kLoadGameOnStartup,
  kShowPossibleMoves,
};

// The board window's content in screen coordinates.
struct WindowContent {
  int16_t left = 0;
  int16_t top = 0;
  int16_t width = 0;
  int16_t height = 0;
};

namespace prefsLeast {
void flipOption(PrefToggle t);
void noMark(int16_t menu, int16_t item);
void nothing();
void storePieceSpeed(int16_t speed);
void storePieceShape(int16_t shape);
void storeAutoDoubleMax(int16_t choice);
bool noBoardWindow(WindowContent& content);
void takeFrameDesign();
}  // namespace prefsLeast

struct PreferenceServices {
  // Flips the option, sets its check mark and carries out its side effects.
  void (*toggleOption)(PrefToggle t) = prefsLeast::flipOption;
  // Checks one item of a menu and clears the others.
  void (*checkMenuItemOnly)(int16_t menu, int16_t item) = prefsLeast::noMark;
  void (*markSkillLevelMenus)() = prefsLeast::nothing;
  // The radio choices: each stores its value and moves its check mark.
  void (*selectPieceSpeed)(int16_t speed) = prefsLeast::storePieceSpeed;
  void (*applyPieceShape)(int16_t shape) = prefsLeast::storePieceShape;
  void (*selectAutoDoubleMax)(int16_t choice) = prefsLeast::storeAutoDoubleMax;
  // Fast Play read as on: its check mark, without entering Fast Play.
  void (*markFastPlay)() = prefsLeast::nothing;
  void (*mirrorPointTables)() = prefsLeast::nothing;
  // Puts the chosen frame design in force and has the board drawn again.
  void (*invalidateBoard)() = prefsLeast::takeFrameDesign;
  // Board colour 11: the custom colour file; the least form keeps the scheme.
  void (*readCustomColors)() = prefsLeast::nothing;
  // False when there is no board window (the stored rectangle is written then).
  bool (*boardWindowContent)(WindowContent& content) = prefsLeast::noBoardWindow;
};

extern PreferenceServices preferenceServices;

namespace hook {
inline void togglePrefOption(PrefToggle t) { preferenceServices.toggleOption(t); }
inline void checkPrefMenuItemOnly(int16_t menu, int16_t item) { preferenceServices.checkMenuItemOnly(menu, item); }
inline void markPrefSkillMenus() { preferenceServices.markSkillLevelMenus(); }
inline void choosePrefPieceSpeed(int16_t speed) { preferenceServices.selectPieceSpeed(speed); }
inline void choosePrefPieceShape(int16_t shape) { preferenceServices.applyPieceShape(shape); }
inline void choosePrefAutoDoubleMax(int16_t choice) { preferenceServices.selectAutoDoubleMax(choice); }
inline void markPrefFastPlay() { preferenceServices.markFastPlay(); }
inline void mirrorPrefPointTables() { preferenceServices.mirrorPointTables(); }
inline void invalidatePrefBoard() { preferenceServices.invalidateBoard(); }
inline void readPrefCustomColors() { preferenceServices.readCustomColors(); }
inline bool prefBoardWindowContent(WindowContent& content) { return preferenceServices.boardWindowContent(content); }
}  // namespace hook

}  // namespace bg
