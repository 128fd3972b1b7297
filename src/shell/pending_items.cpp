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
    // Info: the web pages (no addresses).
    {kInfoMenu, 18},
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
