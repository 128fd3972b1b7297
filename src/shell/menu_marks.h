#pragma once
// The menu bars and the first menu marks at start-up, and the Help menu's topics merged
// into the Info menu.
#include <cstdint>
#include <vector>

namespace bg {

struct MenuBars {
  std::vector<int16_t> mainMenuBar;    // 'MBAR' 129
  std::vector<int16_t> hiddenMenuBar;  // 'MBAR' 130, while the game is hidden
  std::vector<int16_t> submenuBar;     // 'MBAR' 227, set by installSubmenus
};
extern MenuBars menuBars;

void loadMenuBars();
void markSettingsMenus();
void markOptionsMenus();
void markOpponentModeItems();
void mergeHelpMenuIntoInfoMenu();

}  // namespace bg
