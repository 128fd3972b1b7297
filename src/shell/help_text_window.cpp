#include "shell/help_text_window.h"

#include <QTextDocument>
#include <QTextEdit>

#include "dialogs/text_windows.h"
#include "display/board_ids.h"
#include "state/display_state.h"
#include "state/board_state.h"
#include "display/dice_display.h"
#include "display/message_line.h"
#include "display/board_redraw.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/position_setup.h"
#include "rules/whole_roll_check.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/text.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "shell/submenus.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/shell_flags.h"

namespace bg {

namespace {

constexpr int16_t kTextResourceOffset = 130;
constexpr int kTextInset = 20;
constexpr int16_t kTextFont = 3;
constexpr int16_t kTextSize = 14;
constexpr int16_t kWideBoard = 700;
constexpr int16_t kBoardLayoutTopic = 39;
constexpr int16_t kLastPageTopic = 9;

struct TopicText {
  int16_t topic;
  int16_t resource;
};
// Topics whose text is not topic + 130.
constexpr TopicText kMappedTexts[] = {{1, 130}, {2, 133}, {3, 138}, {4, 128},  {5, 131},  {6, 132},  {7, 139},
                                      {8, 134}, {9, 136}, {11, 142}, {12, 143}, {13, 144}, {39, 137}};

// Context help topics.
constexpr int16_t kPlacingTopic = 20;
constexpr int16_t kWhoRollsTopic = 21;
constexpr int16_t kWhereCubeTopic = 22;
constexpr int16_t kChooseDiceTopic = 23;
constexpr int16_t kMorePipsTopic = 16;
constexpr int16_t kBothDiceTopic = 15;
constexpr int16_t kInHandTopic = 33;
constexpr int16_t kDoubleTopic = 35;
constexpr int16_t kQuestionTopic = 36;
constexpr int16_t kClickTopic = 37;
constexpr int16_t kRollTopic = 31;
constexpr int16_t kNoMovesTopic = 17;
constexpr int16_t kStartMoveTopic = 32;
constexpr int16_t kRestOfMoveTopic = 34;

constexpr int16_t kSet = -1;

void helpTextCommand(int16_t /*window*/, int16_t item) {
  if (item == kTextPrintItem) printHelpWindow();
  if (item == kTextCloseItem) dismissHelpText();
  if (item == kTextQuitItem) hook::quitGame();
}

// Print Help Text has something to print only while the help text shows.
void markHelpTextShowing(bool showing) {
  appEvents.helpTextShowing = showing ? kSet : int16_t{0};
  setMenuItemEnabled(kPrintMenu, kPrintHelpTextItem, showing);
}

}  // namespace

int16_t contextHelpTopic() {
  if (boardState.setupInProgress != 0) {
    // Between the editor's phases the topic stays as it was.
    if (interactionDisplay.doneButtonShown != 0) return kPlacingTopic;
    if (positionSetup.askingWhoseRoll != 0) return kWhoRollsTopic;
    if (positionSetup.askingWhoseCube != 0) return kWhereCubeTopic;
    return shellSettings.helpTopicCode;
  }
  if (diceChooser.chooseDiceOpen != 0) return kChooseDiceTopic;
  if (wholeRoll.morePipsRefusal != 0) {
    wholeRoll.morePipsRefusal = 0;
    return kMorePipsTopic;
  }
  if (wholeRoll.bothDiceRefusal != 0) {
    wholeRoll.bothDiceRefusal = 0;
    return kBothDiceTopic;
  }
  if (boardInput.pickedCount >= 1) {
    drawAllCheckers();
    return kInHandTopic;
  }
  if (cube.doublePending != 0) return kDoubleTopic;
  if (panelWait.questionPanelUp != 0) return kQuestionTopic;
  if (boardInput.waitHelpContext != 0) return kClickTopic;
  // Between two people one die of the opening may show while the other is still to roll.
  if (diceState.diceShowing != kSet || turnState.openingDieAwaited != kNoOpeningDieAwaited) return kRollTopic;
  if (!someDieLeftPlayable()) return kNoMovesTopic;
  if (flow.movesAllowed <= flow.movesLeft) return kStartMoveTopic;
  return kRestOfMoveTopic;
}

void showContextHelp() {
  shellSettings.helpTopicCode = contextHelpTopic();
  showHelpTextWindow();
}

int16_t helpTextResourceId(int16_t topic) {
  for (const TopicText& t : kMappedTexts)
    if (t.topic == topic) return t.resource;
  return static_cast<int16_t>(topic + kTextResourceOffset);
}

void helpTextWindowSize(int16_t topic, int& width, int& height) {
  if (topic == kBoardLayoutTopic) {
    const bool wide = display.boardWidth > kWideBoard;
    width = wide ? 700 : 600;
    height = wide ? 480 : 400;
  } else if (topic <= kLastPageTopic) {
    width = 700;
    height = 400;
  } else {
    width = 510;
    height = 360;
  }
}

void showHelpTextWindow() {
  if (appEvents.helpTextShowing != 0) return;
  FBHandleEvents();
  // The pump may have opened a modal box (a menu choice made just before the key): the help
  // window would sit blocked over it and the box could never be answered.
  if (modalWindowUp()) return;
  const int16_t topic = shellSettings.helpTopicCode;
  int width = 0;
  int height = 0;
  helpTextWindowSize(topic, width, height);
  markHelpTextShowing(true);
  // Cleared before the window shows: a close while it opens still ends the wait.
  appEvents.waitEnded = 0;
  TextViewWindowForm form;
  form.number = kHelpTextWindow;
  if (topic >= 1 && topic <= kHighestHelpTopic) form.title = shellSettings.helpTopicTitles[topic].str();
  form.content = makeRect(0, 0, width, height);
  form.readOnly = true;
  form.margins = {kTextInset, kTextInset, kTextInset, kTextInset};
  // Its own menu: a way to print and to close it that needs no window frame.
  setTextWindowCommands(form, "Help");
  form.onCommand = helpTextCommand;
  if (openTextViewWindow(form)) {
    GrafPort style;
    style.textFont = kTextFont;
    style.textSize = kTextSize;
    style.textFace = kBoldFace;
    QTextEdit* view = textViewWidget(kHelpTextWindow);
    view->setFont(detail::fontOf(&style));
    view->setPlainText(QString::fromStdString(getText(helpTextResourceId(topic))));
    installSubmenus();
    // The board's clicks wait with the help (a click would be taken by the wait under it
    // once the help closes); a board wait that a menu command starts meanwhile takes its own.
    const int16_t outerWait = panelWait.clickWaitRunning;
    panelWait.clickWaitRunning = 0;
    waitAndFlushEvents();
    panelWait.clickWaitRunning = outerWait;
  }
  windowClose(kHelpTextWindow);
  setOutputWindow(kBoardWindow);
  installSubmenus();
  markHelpTextShowing(false);
}

void dismissHelpText() {
  if (appEvents.helpTextShowing == 0) return;
  endWaitLoop();
  windowClose(kHelpTextWindow);
  // The board takes clicks again now, not when the wait unwinds: a question on the board
  // comes first.
  markHelpTextShowing(false);
}

void waitAndFlushEvents() {
  // A quit asked for meanwhile ends the wait too: nothing is left waiting for the window.
  while (appEvents.waitEnded != kSet && windowExists(kHelpTextWindow) && shellFlags.quitRequested == 0)
    FBHandleEvents();
  flushEvents();
}

void printHelpWindow() {
  const QTextDocument* doc = textViewDocument(kHelpTextWindow);
  if (doc == nullptr) return;
  printTextWindow("Help", doc->toPlainText().toStdString());
  // Chosen on the board's menu bar, the item gave the board the keys and the print dialog
  // handed them back to it: the help, still waiting, is put in front with them.
  windowSelect(kHelpTextWindow);
}

void setMenuItemsState() {
  const int16_t state = shellSettings.menuEnableState;
  setMenuItemState(kFileMenu, kOpenSavedGameItem, state, "");
  setMenuItemState(kFileMenu, kOpenGameItem, state, "");
  setMenuItemState(kOptionsMenu, 11, state, "");
}

}  // namespace bg
