#include "interaction/quit_question.h"

#include "display/board_overlay.h"
#include "display/message_line.h"
#include "interaction/board_question.h"
#include "interaction/board_waits.h"
#include "runtime/core/messages.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/quit_services.h"
#include "state/storage_state.h"
#include "storage/saved_game_file.h"

namespace bg {

bool saveAskedBeforeQuitFailed() {
  for (int i = 0; i < 2 && display.overlayActive != 0; ++i) closeBoardOverlay();
  InteractionState& I = interaction;
  overlay.messageBoxSeconds = 0;
  if (storage.gameModified != -1) return false;
  // A question waiting under this one (Keep this move?) is drawn again from its lines.
  const CheckedArray<Str255, 4> linesUnder = I.messageLines;
  const int16_t lineCountUnder = I.messageLineCount;
  I.messageLines[1] = messageWordsOf(kSaveBeforeQuitMessage);
  I.messageLines[2].clear();
  I.messageLines[3].clear();
  I.messageLineCount = 3;
  // A quit while the turn is being left would end the wait at once and lose the game:
  // the question waits with the request cleared, which is then put back.
  const uint8_t abortBefore = flow.abortTurn;
  flow.abortTurn = 0;
  drawBoardQuestion();
  waitForBoardClick();
  // Kept for a quit from the system that comes while this quit goes on: a Yes stands.
  quitState.saveAnswer = I.panelAnswer != 0 ? kSaveAnsweredYes : kSaveAnsweredNo;
  closeBoardOverlay();
  interactionDisplay.noButtonRect = Rect{};
  interactionDisplay.yesButtonRect = Rect{};
  I.messageLines = linesUnder;
  I.messageLineCount = lineCountUnder;
  flow.abortTurn = abortBefore;
  return I.panelAnswer != 0 && !saveGame(0);
}

}  // namespace bg
