#pragma once
// The menu commands of the shell itself: the player's name, fitting the window around
// the board, and taking the menus away while a turn waits for its click.
#include <string_view>

namespace bg {

inline constexpr std::string_view kNamePrompt = "Please Enter Your Name";
inline constexpr std::string_view kNoName = "No Name";
inline constexpr std::string_view kEasyMovesTitle = "       Easy Moves";
inline constexpr std::string_view kEasyMovesNote =
    "This changes the way that pieces are moved. \r\rPlease read 'Help - Easy Moves' in the Info menu";

// Against the computer: the human's name (message 208 welcomes a real one). Two people:
// both names, each cut to 40 bytes; an empty answer gives the side its default.
void enterPlayerName();
// Player menu item 1: the name labels' strip is cleared first and redrawn for two people.
void enterNameCommand();
// Settings item 12: the note comes only when Easy Moves is turned on.
void easyMovesCommand();
// The window fitted around the board with a 20-pixel margin (8 above and below at the
// largest size).
void resizeBoardWindow();
// While a turn waits for a click after a move: File, Edit, Game, Settings and Options
// are taken away, and Commands too on the computer's turn.
void disableGameMenusDuringWait();

}  // namespace bg
