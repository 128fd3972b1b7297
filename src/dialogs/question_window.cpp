#include "dialogs/question_window.h"

#include <algorithm>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_state.h"
#include "flow/sessions.h"
#include "runtime/core/messages.h"
#include "runtime/core/pstring.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/designed_windows.h"
#include "runtime/qt/events.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/message_numbers.h"
#include "state/program_state.h"

namespace bg {

QuestionState questionState;
BG_RESETS_WITH_PROGRAM(questionState);

namespace {

constexpr int16_t kYesButton = 1;
constexpr int16_t kNoButton = 2;
constexpr int16_t kQuestionText = 11;
constexpr int16_t kExplanationText = 100;
constexpr int16_t kCloseSessionMessage = 225;
constexpr int16_t kYesTitleMessage = 226;
constexpr int16_t kNoTitleMessage = 227;

constexpr int16_t kQuestionWidth = 260;
constexpr int16_t kQuestionHeight = 100;
constexpr int16_t kButtonPadding = 25;
constexpr int16_t kMinimumButtonWidth = 75;
constexpr int16_t kButtonTop = kQuestionHeight - 30;
constexpr int16_t kButtonHeight = 20;
constexpr int16_t kButtonGap = 2 * 25;   // between the two buttons at their usual places
constexpr int16_t kNarrowestGap = 10;     // when wide titles need the room
constexpr int16_t kButtonTextSize = 12;
constexpr int16_t kQuestionTextSize = 14;
constexpr int16_t kQuestionTop = 25;
constexpr int16_t kQuestionTextHeight = 20;
constexpr int16_t kQuestionMargin = 12;
// The label's own room beside the glyphs.
constexpr int16_t kLabelSlack = 4;

// The leading blanks the message loader keeps in front of the words.
std::string_view trimmedWords(const Str255& words) {
  std::string_view v = words.view();
  while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
  return v;
}

struct ButtonPlaces {
  int16_t width;
  int16_t noLeft;
  int16_t yesLeft;
};

// Yes right of the centre and No left of it, each 25 from the middle; titles too wide for
// that close the gap and, at the last, narrow the buttons, so both stay inside the window.
ButtonPlaces questionButtons(int16_t titleWidth, int16_t windowWidth) {
  int16_t w = std::max<int16_t>(static_cast<int16_t>(titleWidth + kButtonPadding), kMinimumButtonWidth);
  const int16_t half = windowWidth / 2;
  if (half - kButtonGap / 2 - w >= 0) {
    return {w, static_cast<int16_t>(half - kButtonGap / 2 - w), static_cast<int16_t>(half + kButtonGap / 2)};
  }
  int16_t gap = static_cast<int16_t>(windowWidth - 2 * w);
  if (gap < kNarrowestGap) {
    gap = kNarrowestGap;
    w = static_cast<int16_t>((windowWidth - kNarrowestGap) / 2);
  }
  return {w, 0, static_cast<int16_t>(w + gap)};
}

}  // namespace

void askQuestion(std::string_view question, int16_t kind) {
  const std::string_view asked = question.substr(0, std::min(question.size(), kQuestionLength));
  dialogWindows.savedOutputWnd = dialogWindows.modalDialogWnd;
  dialogWindows.modalDialogWnd = kQuestionWindow;
  questionState.questionKind = kind;
  // The window is as wide as the question on one line, as far as the screen allows.
  textSize(kQuestionTextSize);
  const int16_t widest = std::max<int16_t>(kQuestionWidth, static_cast<int16_t>(availableScreenRect().width() - 2 * kQuestionMargin));
  const int16_t width = std::clamp<int16_t>(
      static_cast<int16_t>(stringWidth(asked) + kLabelSlack + 2 * kQuestionMargin), kQuestionWidth, widest);
  windowOpen(kQuestionWindow, "", makeRect(0, 0, width, kQuestionHeight), kFixedWindow, false);
  setOutputWindow(kQuestionWindow);
  textSize(kButtonTextSize);
  const Str255 yes = messageWordsOf(kYesTitleMessage);
  const Str255 no = messageWordsOf(kNoTitleMessage);
  const std::string_view yesTitle = trimmedWords(yes);
  const std::string_view noTitle = trimmedWords(no);
  const ButtonPlaces b = questionButtons(std::max(stringWidth(yesTitle), stringWidth(noTitle)), width);
  addPushButton(kQuestionWindow, kYesButton, yesTitle,
                makeRect(b.yesLeft, kButtonTop, b.yesLeft + b.width, kButtonTop + kButtonHeight));
  addPushButton(kQuestionWindow, kNoButton, noTitle,
                makeRect(b.noLeft, kButtonTop, b.noLeft + b.width, kButtonTop + kButtonHeight));
  dialogWindows.dialogFlags[1] = kButtonPresent;
  dialogWindows.dialogFlags[2] = kButtonPresent;
  addStaticText(kQuestionWindow, kQuestionText, asked,
                makeRect(kQuestionMargin, kQuestionTop, width - kQuestionMargin, kQuestionTop + kQuestionTextHeight),
                true);
  setControlFont(kQuestionWindow, kQuestionText, 0, kQuestionTextSize);
  // A question too long for one line wraps, and the window grows to hold it.
  fitStaticText(kQuestionWindow, kQuestionText);
  showModalWindow(kQuestionWindow);
  setDialogVector(dialogEventHandler);
  FBInstallDialogHandler();
  setCursor(kArrowCursor);
  disableAllMenus();
}

void answerQuestionDialog(int16_t answer) {
  if (dialogWindows.modalDialogWnd != kQuestionWindow) return;
  returnToBoardWindow();
  if (questionState.questionKind == kCloseSessionQuestion && answer != 0) closeSessionTotals();
}

void askCloseSession() {
  if (frontWindow() != kBoardWindowNumber) return;
  askQuestion(trimmedWords(messageWordsOf(kCloseSessionMessage)), kCloseSessionQuestion);
}

void blotRiskDialog(std::string_view title, std::string_view text) {
  if (frontWindow() != kBoardWindowNumber) return;
  if (!openDesignedWindow(kExplanationWindow, "blotRiskDialog")) return;
  setWindowTitle(kExplanationWindow, title);
  setControlText(kExplanationWindow, kExplanationText, text);
  dialogWindows.dialogFlags[1] = kButtonPresent;
  dialogWindows.dialogFlags[2] = 0;
  setOutputWindow(kExplanationWindow);
  disableAllMenus();
  runModalDialog();
  windowClose(kExplanationWindow);
  setOutputWindow(kBoardWindowNumber);
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  dialogWindows.modalDialogWnd = kBoardWindowNumber;
  enableAllMenus();
}

}  // namespace bg
