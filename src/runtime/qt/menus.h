#pragma once
// Menus by number and menu bars by number. A menu is read from text/menus/<id>.txt: the
// title on the first line, then one item a line. An item line may end in a tab and
// attributes: "^K" the key equivalent (Ctrl+K), ">N" the host of submenu N, "!" checked,
// "(" at the start of the text disabled; "-" alone is a separator (it keeps its number);
// an empty line is an item the program names.
// A bar is read from text/menubars/<id>.txt: the menu numbers, blank-separated.
// On this platform the bar sits inside the board window, above its content. A choice is
// posted to the menu callback as (menu, item).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QMenu;

namespace bg {

// Loads (or reloads) menu id from its resource; false when the resource is missing.
bool loadMenu(int16_t menu);
bool menuExists(int16_t menu);
// The menu's widget, for tests that look at what it shows; nullptr when not loaded.
QMenu* menuWidget(int16_t menu);
// The menu numbers of bar id; empty when the resource is missing.
std::vector<int16_t> loadMenuBarList(int16_t bar);
// Shows the menus in the bar of window n, in order (missing menus are skipped).
void setMenuBar(int16_t window, const std::vector<int16_t>& menus);
// The menus now in the bar of the window holding it, in order.
std::vector<int16_t> menuBarMenus();
void removeMenuFromBar(int16_t menu);
// Hangs submenu `sub` on its host item (from the host's resource); false when no item hosts it.
bool insertSubmenu(int16_t sub);
bool submenuInserted(int16_t sub);

int16_t menuItemCount(int16_t menu);
std::string menuTitle(int16_t menu);
std::string menuItemText(int16_t menu, int16_t item);
void setMenuItemText(int16_t menu, int16_t item, std::string_view text);
// Item 0 stands for the whole menu.
void setMenuItemEnabled(int16_t menu, int16_t item, bool enabled);
bool menuItemEnabled(int16_t menu, int16_t item);
// False when the item, or a menu above it, is disabled now: a choice made before a dialog
// opened is not carried out under it.
bool menuItemReachable(int16_t menu, int16_t item);
void setMenuItemChecked(int16_t menu, int16_t item, bool checked);
bool menuItemChecked(int16_t menu, int16_t item);
// Checks one item and clears the others.
void checkMenuItemOnly(int16_t menu, int16_t item);
// The key equivalent as "Ctrl+K", empty when none.
std::string menuItemShortcut(int16_t menu, int16_t item);
// Chooses the item as the user would (it must be enabled).
void chooseMenuItem(int16_t menu, int16_t item);
// Appends an item; inserts one after item `after` (0: at the top).
void appendMenuItem(int16_t menu, std::string_view text);
void insertMenuItem(int16_t menu, int16_t after, std::string_view text);

}  // namespace bg
