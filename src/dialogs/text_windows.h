#pragma once
// The two rich-text windows, the help window and the note pad: only one of them is open
// at a time, and neither opens while a checker is held. Both bring their own menu bar: a
// command menu (Print, Close, Quit) and the Edit menu acting on the text.
#include <cstdint>
#include <string>
#include <string_view>

namespace bg {

struct TextViewWindowForm;

inline constexpr int16_t kNotePadWindow = 2;
inline constexpr int16_t kHelpWindow = 3;
// The command menu's items.
inline constexpr int16_t kTextPrintItem = 1;
inline constexpr int16_t kTextCloseItem = 3;
inline constexpr int16_t kTextQuitItem = 5;

struct TextWindowsState {
  uint8_t helpOpen = 0;     // 255 while the help window is open
  uint8_t notePadOpen = 0;  // 255 while the note pad is open
  // The note pad file did not read whole: a copy of it is kept before it is replaced.
  bool notePadDamaged = false;
  std::string notePadKeptCopy;  // where that copy is; empty: none made yet
  std::string givenUpNotes;  // RTF of the changed notes a quit closed unsaved; empty: none
};
extern TextWindowsState textWindows;

// The command menu of a window of text: Print, Close, and the program's Quit with the key
// the File menu gives it, so the quit key works with the text in front.
void setTextWindowCommands(TextViewWindowForm& form, std::string_view menuTitle);
// A checker held keeps the text windows as they are: none opens and no page changes.
bool checkerHeld();
// Refused while a checker is held or either window is open; the open one is brought to the
// front.
bool textWindowRefused();
// Opens window n with its text view, its title and its menu bar; false when it could not.
bool openTextWindow(int16_t n, std::string_view title, bool readOnly);
// Prints the text of window n as a job of its own (its own print dialog).
void printTextWindowContents(int16_t n, std::string_view title);
// Prints a plain text, titled, with its own print dialog.
void printTextWindow(std::string_view title, std::string_view text);
// The command menu of either window: 1 print, 3 close, 5 quit.
void helpNotePadEditCommand(int16_t window, int16_t item);
// Closes window n and goes back to the board, its submenus and its menus.
void closeTextWindow(int16_t n);

}  // namespace bg
