#include "dialogs/help_window.h"

#include <QByteArray>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <string>

#include "dialogs/dialog_state.h"
#include "dialogs/text_windows.h"
#include "runtime/core/pstring.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/rich_text_file.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {
constexpr std::string_view kHelpExtension = ".rtf";
constexpr std::string_view kEnglishPrefix = "English ";
constexpr std::string_view kHelpFolder = "help/";
}  // namespace

void openHelpWindow(int16_t menu, int16_t item) {
  const PString<kHelpFileNameMost> fileName(menuItemText(menu, item) + std::string(kHelpExtension));
  // Another page asked for while one is shown takes its place: the page chosen is the page
  // shown.
  if (textWindows.helpOpen != 0 && !checkerHeld()) {
    showHelpPage(kHelpWindow, fileName.view());
    windowSelect(kHelpWindow);
    return;
  }
  if (textWindowRefused()) return;
  dialogWindows.savedOutputWnd = frontWindow();
  dialogWindows.modalDialogWnd = kHelpWindow;
  textWindows.helpOpen = 255;
  if (!createHelpWindow(kHelpWindow, fileName.view())) {
    textWindows.helpOpen = 0;
    returnFromClosedDialog();
  }
}

std::string englishHelpName(std::string_view fileName) {
  const auto blank = fileName.find(' ');
  return std::string(kEnglishPrefix) + std::string(blank == std::string_view::npos ? fileName : fileName.substr(blank + 1));
}

namespace {

// The title is the item's text: the file name less its extension.
std::string_view helpTitle(std::string_view fileName) {
  std::string_view title = fileName;
  if (title.size() >= kHelpExtension.size() && title.substr(title.size() - kHelpExtension.size()) == kHelpExtension)
    title.remove_suffix(kHelpExtension.size());
  return title;
}

}  // namespace

bool createHelpWindow(int16_t n, std::string_view fileName) {
  if (!openTextWindow(n, helpTitle(fileName), true)) return false;
  showHelpPage(n, fileName);
  return true;
}

void showHelpPage(int16_t n, std::string_view fileName) {
  setWindowTitle(n, helpTitle(fileName));
  // A page missing under both names leaves the window empty, not showing the last one.
  if (QTextDocument* doc = textViewDocument(n)) doc->clear();
  if (loadHelpRTF(n, fileName) == kHelpPageMissing) loadHelpRTF(n, englishHelpName(fileName));
  if (QTextEdit* view = textViewWidget(n)) view->moveCursor(QTextCursor::Start);
}

int16_t loadHelpRTF(int16_t n, std::string_view fileName) {
  QTextDocument* doc = textViewDocument(n);
  QByteArray bytes;
  const QString path = QString::fromUtf8(kHelpFolder.data(), static_cast<int>(kHelpFolder.size())) +
                       QString::fromUtf8(fileName.data(), static_cast<int>(fileName.size()));
  if (doc == nullptr || !readResourceFile(path, bytes)) return kHelpPageMissing;
  readRichOrPlainText(bytes, *doc);
  return 0;
}

void helpEditOps() {
  if (textWindows.helpOpen != 0) printTextWindowContents(kHelpWindow, "Help");
}

void closeHelpWindow() {
  if (textWindows.helpOpen == 0) return;
  textWindows.helpOpen = 0;
  closeTextWindow(kHelpWindow);
}

}  // namespace bg
