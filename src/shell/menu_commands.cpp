#include "shell/menu_commands.h"

#include <algorithm>
#include <string>

#include "dialogs/message_boxes.h"
#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/board_redraw.h"
#include "state/display_settings.h"
#include "flow/turn_services.h"
#include "runtime/core/messages.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/windows.h"
#include "shell/option_toggles.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/shell_state.h"
#include "state/display_state.h"
#include "rules/numbered_message.h"

namespace bg {

namespace {

constexpr int16_t kPlayerTwoMessage = 160;
constexpr int16_t kPlayerOneMessage = 161;
constexpr int16_t kWindowMargin = 20;
constexpr int16_t kLargestSizeMargin = 8;
constexpr int16_t kMenusTakenDuringWait[] = {kFileMenu, kEditMenu, kGameMenu, kSettingsMenu, kOptionsMenu};

void enterBothNames() {
  CheckedArray<Str40, 1> names;
  for (int16_t side = 0; side <= 1; ++side) {
    names[side] = std::string_view(enterNameDialog(kNamePrompt, shell.playerNames[side].view()));
    if (names[side].len() == 0) names[side] = messageWordsOf(side == 0 ? kPlayerOneMessage : kPlayerTwoMessage);
    shell.playerNames[side] = names[side].view();
  }
  PlayerRecord& r = players.playerRecords[players.activePlayers];
  r.secondName = names[0];
  r.firstName = names[1];
}

}  // namespace

void enterPlayerName() {
  if (flow.opponentMode == kTwoPeople) {
    enterBothNames();
    return;
  }
  const std::string answer = enterNameDialog(kNamePrompt, shell.playerNames[0].view());
  shell.playerNames[0] = answer.empty() ? kNoName : std::string_view(answer);
  players.playerRecords[players.activePlayers].secondName = shell.playerNames[0].view();
  if (shell.playerNames[0] == kNoName) return;
  showMessageText(Str255("MM") + messageWordsOf(kGreetingMessage) + shell.playerNames[0]);
}

void enterNameCommand() {
  hook::copyStripAboveBoard();
  enterPlayerName();
  if (flow.opponentMode == kTwoPeople) hook::layoutNameLabels();
}

void easyMovesCommand() {
  if (options.easyMoves == 0) hook::showTitledText(kEasyMovesTitle, kEasyMovesNote);
  toggleEasyMoves();
}

void resizeBoardWindow() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  BoardWindowPlacement& W = windowPlacement;
  const int16_t v = shellWindow.boardSizeIndex == kBoardSizeHighest ? kLargestSizeMargin : kWindowMargin;
  setPortOrigin(window, 0, 0);
  // The board keeps its place on the screen; the window closes round it.
  const Rect content = windowContentRect(kBoardWindow);
  const int left = content.left - W.boardWidthOffset - kWindowMargin;
  const int lowest = shellWindow.menuBarHeight + shellWindow.titleBarHeight;
  const int top = std::max(content.top - W.boardHeightOffset - v, lowest);
  W.boardHeightOffset = static_cast<int16_t>(-v);
  W.boardWidthOffset = -kWindowMargin;
  sizeWindow(kBoardWindow, display.boardWidth + 2 * kWindowMargin, layout.boardHeight + 2 * v, true);
  moveWindow(kBoardWindow, left, top, false);
  setPortOrigin(window, W.boardWidthOffset, W.boardHeightOffset);
  redrawBoardWindow();
}

void disableGameMenusDuringWait() {
  for (int16_t m : kMenusTakenDuringWait) setMenuItemEnabled(m, 0, false);
  if (position.playerType[position.currentPlayer] == kComputerPlayer) setMenuItemEnabled(kComputerMenu, 0, false);
}

}  // namespace bg
