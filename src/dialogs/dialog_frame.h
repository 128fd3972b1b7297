#pragma once
// The frame every designed dialog shares: opening it over the board, the OK tail, the
// way back to the board, and the help buttons.
#include <cstdint>
#include <string_view>

namespace bg {

enum class DialogOpening : int16_t {
  kFromBoard,      // only with the board in front; goes back to the board
  kOverFront,      // only with the board in front; goes back to the front window
  kOverAnyWindow,  // over whatever is in front (a dialog opened from another dialog)
};

// Opens dialog window n from its form, runs fill on its controls, then shows it
// application-modal with the menus disabled and the dispatcher installed. False (and
// nothing changed) when the board is not in front where that is needed, or the form is
// missing.
bool openNibDialog(int16_t n, std::string_view formName, void (*fill)(), DialogOpening opening);
// Notes which of the controls 1 (default) and 2 (cancel) window n has, for Return and Escape.
void markPushButtons(int16_t n);
// After a reader: close the front window and go back to the board with the menus enabled
// (savedOutputWnd keeps its value).
void dialogOkTail();
// Closes the front window and goes back to the board, putting the submenus back.
void closeCurrentDialog();
// The window a nested window goes back to: close the front one, make the saved window the
// dialog in front again (it keeps the dispatcher and the disabled menus).
void returnToSavedDialog();
// A help button: the named help text in the info box over the dialog, nothing when the
// text is shorter than 2 characters.
void showNamedHelp(std::string_view helpName);
void showHelpText(std::string_view title, std::string_view text);

}  // namespace bg
