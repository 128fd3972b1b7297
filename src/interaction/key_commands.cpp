#include "interaction/key_commands.h"

#include <cstdint>

#include "computer/late_race.h"
#include "display/message_line.h"
#include "flow/opponent_modes.h"
#include "interaction/board_commands.h"
#include "interaction/board_hit_test.h"
#include "interaction/board_waits.h"
#include "interaction/typed_moves.h"
#include "runtime/qt/events.h"
#include "state/board_command_services.h"
#include "state/board_requests.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"

namespace bg {

namespace {

constexpr uint8_t kEventArrived = 255;

// A letter command that is still running waits for a click or key of its own (a panel):
// the key ends that wait instead of starting the command again.
void endRunningCommandWait() {
  if (anyRequest() && panelWait.clickWaitRunning != 0) interactionDisplay.boardInputEvent = kEventArrived;
}

bool isHelpKey(char k) { return k == static_cast<char>(kHelpChar) || k == 'H' || k == 'h'; }

bool helpKeyTyped() {
  const std::string_view key = interactionDisplay.keyBuffer.view();
  return !key.empty() && isHelpKey(key[0]);
}

void runLetter(char letter) {
  int16_t* request = letterRequest(letter);
  if (*request != 0) {
    endRunningCommandWait();
    return;
  }
  *request = -1;
  runBoardCommand();
}

}  // namespace

void doKeyDown() {
  handleKeyCommand();
  if (flow.keyCommandBusy != 0) interactionDisplay.boardInputEvent = kEventArrived;
  interactionDisplay.keyBuffer.clear();
}

void handleKeyCommand() {
  // A panel that waits for any key (the move list, a statistics panel): the key only takes
  // it down (help aside). A letter would run a command behind the panel, whose closing
  // then puts back a stale board, and digits would play a typed move under it.
  if (!helpKeyTyped() && endPanelCloseWait()) return;
  typedMoveEntry();
  if (flow.keyCommandBusy != 0) return;
  if (hand.pieceInHand != 0) {
    refuseCommandBusy();
    return;
  }
  const std::string_view key = interactionDisplay.keyBuffer.view();
  if (key.empty()) return;
  char k = key[0];
  if (k >= 'a' && k <= 'z') k = static_cast<char>(k - 'a' + 'A');
  const bool helpKey = isHelpKey(k);
  if (hook::helpTextShowing()) {
    if (helpKey) hook::endHelpTextWait();
    return;
  }
  switch (k) {
    case 'I':
    case 'P':
    case 'R':
    case 'S':
    case 'M':
    case 'C':
    case 'D':
    case 'B': runLetter(k); return;
    case 'N': hook::openNotePad(); return;
    case 'W': evaluateWhoIsAhead(); return;
    case 'X':
      dropClicksNotTaken();
      return;
    default: break;
  }
  if (helpKey) {
    boardHit.requestHelp = -1;
    hook::showContextHelp();
    return;
  }
  // Every other key runs nothing and posts nothing.
  endRunningCommandWait();
}

}  // namespace bg
