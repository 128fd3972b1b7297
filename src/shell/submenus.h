#pragma once
// The submenu bar with its submenus and pop-up menus hung in and every check mark put in
// line with the settings. Running it again gives the same menus.
namespace bg {

void installSubmenus();
// The pop-up menus of the board's look, each marked with the choice in force.
void installDisplayPopUps();

}  // namespace bg
