#pragma once
// Least forms of routines whose owners land later: each makes only its state change.
#include <cstdint>

namespace bg {

void loadPreferences();       // the preferences file: the defaults stay
[[noreturn]] void quitGame();  // ends the process
void loadGame(int16_t askFile);
void installSubmenus();
void handleDialogEvent(int16_t kind, int16_t id);
void doKeyDown();
void markSkillLevelMenus();
void enterPlayerName();
void showGameWindows();

}  // namespace bg
