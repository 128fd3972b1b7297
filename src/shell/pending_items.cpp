#include "shell/pending_items.h"

#include "runtime/qt/menus.h"
#include "state/menu_numbers.h"

namespace bg {

namespace {

struct PendingItem {
  int16_t menu;
  int16_t item;
};

constexpr PendingItem kPendingItems[] = {
    // File: hide game, print the record.
    {kFileMenu, 1},
    {kFileMenu, 8},
    // Info: the help pages, the About box and the web pages (no addresses yet).
    {kInfoMenu, 1},
    {kInfoMenu, 2},
    {kInfoMenu, 3},
    {kInfoMenu, 4},
    {kInfoMenu, 5},
    {kInfoMenu, 6},
    {kInfoMenu, 7},
    {kInfoMenu, 8},
    {kInfoMenu, 9},
    {kInfoMenu, 11},
    {kInfoMenu, 12},
    {kInfoMenu, 13},
    {kInfoMenu, 15},
    {kInfoMenu, 17},
    {kInfoMenu, 18},
    {kInfoMenu, 19},
    {kInfoMenu, 20},
    {kInfoMenu, 21},
    {kInfoMenu, 22},
    {kInfoMenu, 23},
    {kInfoMenu, 24},
    // Help (merged into Info at start-up).
    {kHelpMenu, 1},
    {kHelpMenu, 2},
    {kHelpMenu, 3},
    {kHelpMenu, 4},
    {kHelpMenu, 5},
    {kHelpMenu, 6},
    {kHelpMenu, 7},
    {kHelpMenu, 9},
    // Settings: Display Settings, Show Possible Moves (set only from the preferences).
    {kSettingsMenu, 1},
    {kSettingsMenu, kShowPossibleMovesItem},
    // Commands: the letters whose commands are not built (H N).
    {kComputerMenu, 12},
    {kComputerMenu, 14},
    // Printing the help text, resuming a hidden game, About and the help topics.
    {kPrintMenu, 1},
    {kHiddenGameMenu, 1},
    {kApplicationMenu, 1},
    {kApplicationMenu, 2},
};

}  // namespace

bool itemAwaitsCommand(int16_t menu, int16_t item) {
  for (const PendingItem& p : kPendingItems)
    if (p.menu == menu && p.item == item) return true;
  return false;
}

void disablePendingItems() {
  for (const PendingItem& p : kPendingItems) setMenuItemEnabled(p.menu, p.item, false);
}

}  // namespace bg
