#include "dialogs/text_windows.h"

#include <QTextDocument>

#include <vector>

#include "dialogs/dialog_state.h"
#include "dialogs/help_window.h"
#include "dialogs/note_pad.h"
#include "flow/turn_services.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/printing.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/menu_numbers.h"
#include "state/program_state.h"
#include "state/shell_services.h"

namespace bg {

TextWindowsState textWindows;
BG_RESETS_WITH_PROGRAM(textWindows);

namespace {
constexpr int kTextWindowWidth = 560;
constexpr int kTextWindowHeight = 440;
constexpr int kHelpLeftMargin = 8;
constexpr int kEditItems = 6;
constexpr const char* kStandardEditItems[] = {"Undo", "-", "Cut", "Copy", "Paste", "Clear"};
constexpr std::string_view kStandardQuitItem = "Quit";
}  // namespace

bool checkerHeld() { return boardInput.pickedCount >= 1; }

bool textWindowRefused() {
  // Only one is open at a time; asked for either, the open one comes to the front and takes
  // the keys, so the refusal is never of a window out of sight.
  if (textWindows.helpOpen != 0) windowSelect(kHelpWindow);
  if (textWindows.notePadOpen != 0) windowSelect(kNotePadWindow);
  return checkerHeld() || textWindows.helpOpen != 0 || textWindows.notePadOpen != 0;
}

void setTextWindowCommands(TextViewWindowForm& form, std::string_view menuTitle) {
  const bool fileMenu = menuExists(kFileMenu);
  const std::string quit = fileMenu ? menuItemText(kFileMenu, kQuitItem) : std::string();
  form.commandMenuTitle = std::string(menuTitle);
  form.commandItems = {"Print...", "-", "Close", "-", quit.empty() ? std::string(kStandardQuitItem) : quit};
  if (fileMenu) form.commandShortcuts[kTextQuitItem] = menuItemShortcut(kFileMenu, kQuitItem);
}

bool openTextWindow(int16_t n, std::string_view title, bool readOnly) {
  TextViewWindowForm form;
  form.number = n;
  form.title = std::string(title);
  form.content = makeRect(0, 0, kTextWindowWidth, kTextWindowHeight);
  form.readOnly = readOnly;
  if (n == kHelpWindow) form.margins.left = kHelpLeftMargin;
  setTextWindowCommands(form, n == kHelpWindow ? "Help" : "Note Pad");
  form.onCommand = helpNotePadEditCommand;
  // The Edit menu as the main bar has it.
  form.editMenuTitle = menuExists(kEditMenu) ? menuTitle(kEditMenu) : std::string("Edit");
  for (int16_t i = 1; i <= kEditItems; ++i) {
    const std::string text = menuExists(kEditMenu) ? menuItemText(kEditMenu, i) : std::string();
    form.editItems.push_back(text.empty() ? kStandardEditItems[i - 1] : text);
  }
  return openTextViewWindow(form);
}

void printTextWindowContents(int16_t n, std::string_view title) {
  if (const QTextDocument* doc = textViewDocument(n)) printTextDocument(*doc, title);
}

void printTextWindow(std::string_view title, std::string_view text) {
  QTextDocument doc;
  doc.setPlainText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
  printTextDocument(doc, title);
}

void helpNotePadEditCommand(int16_t window, int16_t item) {
  if (item == kTextPrintItem) {
    if (window == kNotePadWindow) notePadEditOps();
    if (window == kHelpWindow) helpEditOps();
  } else if (item == kTextCloseItem) {
    if (window == kNotePadWindow) saveNotePad();
    if (window == kHelpWindow) closeHelpWindow();
  } else if (item == kTextQuitItem) {
    // File > Quit's own road: the notes are saved before the window goes.
    hook::quitGame();
  }
}

void closeTextWindow(int16_t n) {
  windowClose(n);
  returnFromClosedDialog();
  if (frontWindow() == kBoardWindowNumber) hook::installMenuSubmenus();
}

}  // namespace bg
