#pragma once
// Numbered windows whose content is a rich-text view filling the window inside its
// margins, with a menu bar of their own: a command menu whose choices go to the window's
// callback, and an Edit menu that acts on the view. The close box raises the usual
// window-closed dialog event; the program closes the window.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "runtime/qt/qd_types.h"

class QTextDocument;
class QTextEdit;

namespace bg {

struct TextViewMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

using TextViewCommand = void (*)(int16_t window, int16_t item);

struct TextViewWindowForm {
  int16_t number = 0;
  std::string title;
  Rect content{};  // global; left and top 0 centre it
  bool readOnly = false;
  TextViewMargins margins;
  // The command menu: its title and items ("-" a separator); a choice calls onCommand with
  // the item's number.
  std::string commandMenuTitle;
  std::vector<std::string> commandItems;
  // Keys of command items by item number, as the platform writes them ("Ctrl+Q").
  std::map<int16_t, std::string> commandShortcuts;
  TextViewCommand onCommand = nullptr;
  // The Edit menu's title and items in the standard order: Undo, -, Cut, Copy, Paste, Clear.
  // Empty: no Edit menu.
  std::string editMenuTitle;
  std::vector<std::string> editItems;
};

// Opens (or reopens) the window, shown and in front; false when it could not be made.
bool openTextViewWindow(const TextViewWindowForm& form);
bool textViewExists(int16_t n);
// nullptr when window n has no text view.
QTextDocument* textViewDocument(int16_t n);
QTextEdit* textViewWidget(int16_t n);
void setTextViewMargins(int16_t n, const TextViewMargins& margins);
// Chooses an item of the window's command or Edit menu as the user would (tests).
void chooseTextViewCommand(int16_t n, int16_t item);
void chooseTextViewEdit(int16_t n, int16_t item);
// The titles of the window's menu bar, left to right.
std::vector<std::string> textViewMenuTitles(int16_t n);

}  // namespace bg
