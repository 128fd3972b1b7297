#include "interaction/board_commands.h"

#include <string_view>

#include "computer/cube_actions.h"
#include "computer/late_race.h"
#include "state/display_settings.h"
#include "display/score_display.h"
#include "display/upper_services.h"
#include "flow/best_move_commands.h"
#include "flow/opponent_modes.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rules/dice.h"
#include "rules/numbered_message.h"
#include "rules/starting_position.h"
#include "rules/take_back.h"
#include "state/board_command_services.h"
#include "state/board_input.h"
#include "state/board_requests.h"
#include "state/dice_state.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/play_options.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr std::string_view kAfterComputerText = "MMThis option is available only after the computer has made a move";
constexpr int16_t kFrameHelpWidth = 435;
constexpr int16_t kFrameHelpHeight = 210;
constexpr std::string_view kFrameHelpText =
    "The cursor will change to different letters as you move it along the bottom board frame.\r\r"
    "You can activate these actions by clicking the mouse once when the cursor changes to the appropriate "
    "letter.\r\r"
    "For example, P will display the pip count. Read Help - Commands in the Info menu for more information.\r\r";

void countInHeader(int16_t GameRecordEntry::*field) {
  GameRecordEntry& header = record.gameRecord[0];
  header.*field = static_cast<int16_t>(header.*field + 1);
}

void togglePipCounts() {
  options.showPipCounts = options.showPipCounts != 0 ? int16_t{0} : int16_t{-1};
  hook::drawPipCounts();
  interaction.clickedPoint = kNoClickYet;
}

// The turn goes back to the human; the game loop's hand-over gives it to the computer.
void humanOnRoll(int16_t human) {
  position.currentPlayer = human;
  position.turnPlayer = human;
  position.otherPlayer = static_cast<int16_t>(1 - human);
}

int16_t computerSide() { return position.playerType[0] == kComputerPlayer ? int16_t{0} : int16_t{1}; }

// Commands on the roll in hand: while the turn is being left its side and board are about
// to change, and what they would play or list would be for the wrong one.
bool onTheRollInHand(char letter) { return letter == 'S' || letter == 'M'; }

void runLetterCommand(char letter) {
  switch (letter) {
    case 'B': hook::showBlotRisk(); break;
    case 'P':
      hook::drawStatsLeft();
      countInHeader(&GameRecordEntry::die2);  // header field 5
      break;
    case 'R':
      hook::drawStatsRight();
      countInHeader(&GameRecordEntry::moveNumber);  // header field 6: the rolls remaining
      break;
    case 'I': replayComputerMove(); break;
    case 'S': displayBestMovesCommand(); break;
    case 'M':
      if (flow.bestMoveForHuman != -1) makeBestMoveCommand();
      break;
    case 'D':
      cubeAdvice();
      countInHeader(&GameRecordEntry::distance);  // header field 3
      break;
    case 'C': showLastMoveAnalysis(); break;
    case 'N': hook::openNotePad(); break;
    case '#': togglePipCounts(); break;
    case 'W': evaluateWhoIsAhead(); break;
    default: break;
  }
}

}  // namespace

void runBoardCommand() {
  const char letter = firstRequest();
  if (!onTheRollInHand(letter) || !turnBeingLeft()) runLetterCommand(letter);
  boardRequests = BoardRequests{};
}

void replayComputerMove() {
  const int16_t side = position.currentPlayer;
  // Refused on the message line, as the other commands refuse.
  if (display.overlayActive == -1) {
    showNumberedMessage(kCloseBoxFirstMessage);
    return;
  }
  if (position.playerType[side] == kHumanPlayer && diceState.diceShowing != 0) {
    showNumberedMessage(kNotNowMessage);
    return;
  }
  if (hand.pieceInHand != 0) {
    refuseCommandBusy();
    return;
  }
  const int16_t computer = computerSide();
  // Only a turn the computer played can be played again.
  const bool computerMovedLast = record.gameRecordCount >= 1 &&
                                 record.gameRecord[record.gameRecordCount].side == computer &&
                                 record.gameRecord[record.gameRecordCount].moveNumber >= 1;
  if (position.openingPhase != 0 || flow.opponentMode != kComputerOpponent || !computerMovedLast) {
    showMessageText(kAfterComputerText);
    return;
  }
  const int16_t human = static_cast<int16_t>(1 - computer);
  interaction.replayingMove = -1;
  if (position.playerType[side] == kComputerPlayer) {
    hook::setDiceDisplayFlags(0);
    humanOnRoll(human);
    flow.rollWaitActive = 0;
  }
  drawDiceBackground();
  undoTurnEntries();
  hook::setDiceDisplayFlags(0);
  removeDice();
  checkStartingPosition();
  interaction.replayingMove = 0;
  flow.firstRollNeedsClick = 0;
  humanOnRoll(human);
  turnState.replayRecordedPlay = -1;
  flow.abortTurn = kLeaveTurn;
  display.redrawPending = -1;
}

void showBoardFrameHelp() {
  upperServices.showLargeMessageYesNoDone(kFrameHelpText, kFrameHelpWidth, kFrameHelpHeight);
}

}  // namespace bg
