#include "dialogs/message_boxes.h"

#include <algorithm>
#include <initializer_list>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_state.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/designed_windows.h"
#include "runtime/qt/events.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

constexpr int16_t kDoneButton = 1;
constexpr int16_t kMessageText = 4;
constexpr int16_t kQuitAnywayButton = 2;
constexpr int16_t kButtonGap = 20;  // between two buttons in a row
constexpr std::string_view kStayTitle = "Stay";
constexpr std::string_view kQuitAnywayTitle = "Quit Anyway";
constexpr int16_t kNamePrompt = 10;
constexpr int16_t kNameField = 11;
constexpr int16_t kInfoText = 40;
constexpr int16_t kInfoSeparator = 100;
constexpr int16_t kMinimumButtonWidth = 75;
constexpr int16_t kBoxFont = 3;
constexpr int16_t kInfoTextFont = 5;

constexpr int16_t kInformationWidth = 380;
constexpr int16_t kInformationHeight = 200;
constexpr int16_t kInfoBoxWidth = 325;
constexpr int16_t kInfoBoxHeight = 195;
constexpr int16_t kNameBoxWidth = 270;
constexpr int16_t kNameBoxHeight = 150;
constexpr int16_t kNameFieldWidth = 105;
constexpr int16_t kTextLineHeight = 17;

// Opens a box centred on the screen with its port current and its text style set.
void openBox(int16_t n, std::string_view title, int16_t width, int16_t height, int16_t font, int16_t size) {
  windowOpen(n, title, makeRect(0, 0, width, height), kFixedWindow, false);
  setOutputWindow(n);
  textFont(font);
  textSize(size);
}

int16_t textWidth(std::string_view text, int16_t font, int16_t size) {
  textFont(font);
  textSize(size);
  return stringWidth(text);
}

constexpr int16_t kCentredText = 1;  // text justification: 0 the platform's (left), 1 centred

void runLargeBox(int16_t width, int16_t height, std::string_view title, std::string_view button,
                 std::string_view text, int16_t textPointSize, bool centred) {
  dialogWindows.savedOutputWnd = frontWindow();
  dialogWindows.modalDialogWnd = kLargeMessageWindow;
  openBox(kLargeMessageWindow, title, width, height, kBoxFont, 13);
  const int16_t w = std::max<int16_t>(static_cast<int16_t>(textWidth(button, kBoxFont, 13) + 25), kMinimumButtonWidth);
  const int16_t left = static_cast<int16_t>((width - w) / 2);
  addPushButton(kLargeMessageWindow, kDoneButton, button, makeRect(left, height - 40, left + w, height - 19));
  markPushButtons(kLargeMessageWindow);
  addStaticText(kLargeMessageWindow, kMessageText, text, makeRect(20, 20, width - 17, height - 50), centred);
  setControlFont(kLargeMessageWindow, kMessageText, kBoxFont, textPointSize);
  fitStaticText(kLargeMessageWindow, kMessageText);
  disableAllMenus();
  runModalDialog();
  windowClose(kLargeMessageWindow);
  returnFromClosedDialog();
}

// The information box with its buttons in a row at the bottom, all as wide as the widest
// title, button 1 (the default) at the right; returns how the box ended, as
// runModalDialogUntilButton tells it.
int16_t runInformationBox(std::string_view text, std::initializer_list<std::string_view> titles) {
  const int16_t front = frontWindow();
  openBox(kInformationWindow, "Information", kInformationWidth, kInformationHeight, 0, 12);
  int16_t widest = 0;
  for (std::string_view title : titles) widest = std::max(widest, stringWidth(title));
  const int16_t w = static_cast<int16_t>(widest + 35);
  const auto count = static_cast<int16_t>(titles.size());
  int16_t right = static_cast<int16_t>((kInformationWidth + count * w + (count - 1) * kButtonGap) / 2);
  int16_t id = 1;
  for (std::string_view title : titles) {
    addPushButton(kInformationWindow, id, title, makeRect(right - w, 171, right, 191));
    right = static_cast<int16_t>(right - w - kButtonGap);
    ++id;
  }
  markPushButtons(kInformationWindow);
  addStaticText(kInformationWindow, kMessageText, text, makeRect(30, 40, 350, 160));
  fitStaticText(kInformationWindow, kMessageText);
  const int16_t ended = runModalDialogUntilButton();
  windowClose(kInformationWindow);
  if (front > 0) setOutputWindow(front);
  return ended;
}

}  // namespace

void (*infoBoxDialogEvent)() = dialogEventHandler;

void showMessageBox(std::string_view text) { runInformationBox(text, {"Done"}); }

bool askStayOrQuit(std::string_view text) {
  // Only a click quits: Escape or the close box leaves the person where nothing is lost.
  return runInformationBox(text, {kStayTitle, kQuitAnywayTitle}) != kQuitAnywayButton;
}

void showLargeMessageYesNoDone(int16_t width, int16_t height, std::string_view text) {
  runLargeBox(width, height, "", "Done", text, 13, true);
}

void showLargeMessageContinue(int16_t width, int16_t height, std::string_view title, std::string_view text,
                              int16_t justification) {
  runLargeBox(width, height, title, "Continue", text, 12, justification == kCentredText);
}

void showInfoDialog(std::string_view title, std::string_view text) {
  const int16_t w = std::max<int16_t>(static_cast<int16_t>(textWidth("Done", 0, 12) + 25), kMinimumButtonWidth);
  const int16_t left = static_cast<int16_t>(kInfoBoxWidth / 2 - w / 2);
  // A second call opens the box again with the new content; it goes back where the first came from.
  if (!windowExists(kInfoBoxWindow)) dialogWindows.savedOutputWnd = frontWindow();
  dialogWindows.modalDialogWnd = kInfoBoxWindow;
  openBox(kInfoBoxWindow, title, kInfoBoxWidth, kInfoBoxHeight, 1, 12);
  addSeparatorLine(kInfoBoxWindow, kInfoSeparator, makeRect(20, kInfoBoxHeight - 48, 305, kInfoBoxHeight - 46));
  addPushButton(kInfoBoxWindow, kDoneButton, "Done", makeRect(left, 160, left + w, 181));
  markPushButtons(kInfoBoxWindow);
  addStaticText(kInfoBoxWindow, kInfoText, text, makeRect(20, 20, 305, 146));
  setControlFont(kInfoBoxWindow, kInfoText, kInfoTextFont, 12);
  fitStaticText(kInfoBoxWindow, kInfoText);
  // Over a dialog too: the dialog underneath takes no input until the box is closed.
  showModalWindow(kInfoBoxWindow);
  setDialogVector(infoBoxDialogEvent);
  disableAllMenus();
}

std::string enterNameDialog(std::string_view prompt, std::string_view defaultName) {
  dialogWindows.modalDialogWnd = kNameEntryWindow;
  openBox(kNameEntryWindow, "", kNameBoxWidth, kNameBoxHeight, 0, 12);
  const int16_t w = static_cast<int16_t>(stringWidth("Done") + 45);
  const int16_t left = static_cast<int16_t>((kNameBoxWidth - w) / 2);
  addPushButton(kNameEntryWindow, kDoneButton, "Done", makeRect(left, 120, left + w, 140));
  markPushButtons(kNameEntryWindow);
  textSize(13);
  const int16_t pw = stringWidth(prompt);
  const int16_t pl = static_cast<int16_t>((kNameBoxWidth - pw) / 2);
  addStaticText(kNameEntryWindow, kNamePrompt, prompt, makeRect(pl, 15, pl + pw + 6, 15 + kTextLineHeight));
  const int16_t fl = (kNameBoxWidth - kNameFieldWidth) / 2;
  addEditText(kNameEntryWindow, kNameField, defaultName, makeRect(fl, 45, fl + kNameFieldWidth, 45 + kTextLineHeight));
  // Escape leaves the name as it was.
  const bool done = runModalDialog();
  std::string name = done ? controlText(kNameEntryWindow, kNameField) : std::string(defaultName);
  windowClose(kNameEntryWindow);
  returnFromClosedDialog();
  return name;
}

}  // namespace bg
