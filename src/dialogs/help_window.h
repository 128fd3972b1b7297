#pragma once
// The help window: a formatted help page, named after the menu item that asks for it
// ("<item text>.rtf" among the help pages), titled with the item's text.
#include <cstdint>
#include <string_view>

namespace bg {

inline constexpr int16_t kHelpPageMissing = -43;
inline constexpr std::size_t kHelpFileNameMost = 63;

// Refused while a checker is held or the note pad is open; with the help window open, the
// page asked for takes the place of the one shown.
void openHelpWindow(int16_t menu, int16_t item);
// Opens window n with the page of that file name; a missing page is tried again as
// "English " + the name after its first word.
bool createHelpWindow(int16_t n, std::string_view fileName);
// Shows the page of that file name in window n, titled with it, from its start.
void showHelpPage(int16_t n, std::string_view fileName);
// Loads the page into window n's view: 0, or kHelpPageMissing when there is no such page.
int16_t loadHelpRTF(int16_t n, std::string_view fileName);
// The name a missing page is tried under next.
std::string englishHelpName(std::string_view fileName);
// Prints the page shown.
void helpEditOps();
// The menus come back with the window underneath, as after any box, unless a box is still up.
void closeHelpWindow();

}  // namespace bg
