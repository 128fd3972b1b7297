#include "interaction/typed_moves.h"

#include <string_view>

#include "display/board_layout.h"
#include "state/display_settings.h"
#include "display/message_line.h"
#include "flow/turn_state.h"
#include "display/move_markers.h"
#include "interaction/auto_moves.h"
#include "interaction/board_waits.h"
#include "interaction/move_entry.h"
#include "interaction/move_entry_state.h"
#include "rules/checker_move.h"
#include "rules/numbered_message.h"
#include "runtime/qt/qd_types.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/shell_services.h"
#include "state/sound_services.h"

namespace bg {

TypedMoveState typedMove;
BG_RESETS_WITH_PROGRAM(typedMove);

namespace {

constexpr char kReturnKey = 13;
constexpr char kEnterKey = 3;
constexpr int16_t kInsideButton = 2;   // a posted button click lies this far inside
constexpr int16_t kRollKeyOffset = 60;  // "+" clicks this far right of the board centre
constexpr int16_t kMoverBar = 25;       // typed: the mover's bar
constexpr double kPickUpShowSeconds = 2.0;
constexpr std::string_view kInvalidFromText = "MMInvalid From Row";
constexpr std::string_view kNoDistanceText = "MMThere is no move distance";
constexpr std::string_view kInvalidToText = "MMInvalid To Row";

bool isMoveKey(char k) { return (k >= '0' && k <= '9') || k == '.' || k == kReturnKey || k == kEnterKey; }

void postClick(int16_t h, int16_t v) {
  boardInput.clickH = h;
  boardInput.clickV = v;
  interactionDisplay.mousePoint = {h, v};
  flow.keyCommandBusy = -1;
}

void postInside(const Rect& r) { postClick(static_cast<int16_t>(r.left + kInsideButton), static_cast<int16_t>(r.top + kInsideButton)); }

bool questionUp() { return panelWait.questionPanelUp != 0; }

// Typed moves go in only while a human side's move entry waits for its click: under a
// question, or before the roll, a step would be played behind the person's back.
bool takingTypedMoves() {
  return moveEntry.waitingForMove != 0 && !questionUp() && diceState.diceShowing != 0 && flow.movesLeft > 0 &&
         position.playerType[position.currentPlayer] == kHumanPlayer;
}

// The numeric value of a two-character field: leading blanks skipped, reading stops at
// the first character that is not part of a number.
int16_t fieldValue(const char field[2]) {
  int k = 0;
  while (k < 2 && field[k] == ' ') ++k;
  int sign = 1;
  if (k < 2 && (field[k] == '-' || field[k] == '+')) {
    if (field[k] == '-') sign = -1;
    ++k;
  }
  int value = 0;
  while (k < 2 && field[k] >= '0' && field[k] <= '9') value = value * 10 + (field[k++] - '0');
  return static_cast<int16_t>(sign * value);
}

// Copies text into the field from its first place; what does not fit is dropped.
void fillField(char field[2], std::string_view text) {
  for (std::size_t k = 0; k < 2 && k < text.size(); ++k) field[k] = text[k];
}

// The mover's typed point as a program point: side 0 counts from the other end; 25 is
// always the mover's bar.
int16_t programFrom(int16_t typed) {
  const bool side0 = position.currentPlayer == kPlayer0;
  if (typed == kMoverBar) return position.barPoint[position.currentPlayer];
  if (typed == 0) return side0 ? int16_t{0} : int16_t{25};
  return side0 ? static_cast<int16_t>(25 - typed) : typed;
}

int16_t programTo(int16_t typed) {
  if (typed < 1) return -1;
  return position.currentPlayer == kPlayer0 ? static_cast<int16_t>(25 - typed) : typed;
}

void clearPending() {
  interactionDisplay.pickedCheckers[boardInput.pickedCount > 0 ? boardInput.pickedCount : 1] = kEmptyPickSlot;
  boardInput.pickedCount = 0;
  hand.pieceInHand = 0;
  hand.typedMovePending = 0;
}

void evaluateTypedMove() {
  TypedMoveState& t = typedMove;
  std::string text = t.typedMoveText.str();
  if (text.size() == 1) {
    if (diceState.rolledDoubles != 0) {
      text = t.lastTypedMoveText.str();
    } else if (diceState.dice[0].value == 0 || diceState.dice[1].value == 0) {
      // Nothing says which checker the remaining die should move.
      t.typedMoveText.clear();
      return;
    }
  }
  char field[2] = {' ', ' '};
  const std::size_t dot = text.find('.');
  fillField(field, std::string_view(text).substr(0, dot));
  int16_t from = fieldValue(field);
  if (from < 0 || from > kMoverBar) {
    showMessageText(kInvalidFromText);
    t.typedMoveText.clear();
    return;
  }
  t.typedPickUpOnly = 0;
  int16_t distance = 0;
  if (dot == std::string::npos) {
    if (displaySettings.showPossibleMoves == 0) {
      showMessageText(kNoDistanceText);
      t.typedMoveText.clear();
      return;
    }
    t.typedPickUpOnly = -1;
  } else {
    const std::size_t next = text.find('.', dot + 1);
    fillField(field, std::string_view(text).substr(dot + 1, next == std::string::npos ? std::string::npos : next - dot - 1));
    distance = fieldValue(field);
  }
  t.lastTypedMoveText = std::string_view(text);
  t.typedMoveText.clear();
  int16_t to = static_cast<int16_t>(from - distance);
  if (to < 0) to = 0;
  if (t.typedPickUpOnly == 0 && (to > 24 || to == from)) {
    showMessageText(kInvalidToText);
    return;
  }
  hand.typedMovePending = -1;
  const int16_t programFromPoint = programFrom(from);
  interaction.clickedPoint = programFromPoint;
  hand.selectedPoint = programFromPoint;
  hand.pieceInHand = 0;
  humanMoveInput();
  if (t.typedPickUpOnly != 0) {
    if (moveEntry.pickUpAccepted != 0) {
      hand.piecePicked = -1;
      showPossibleMoveMarkers();
      hand.piecePicked = 0;
      clearPending();
      hook::pauseAfterMove(kPickUpShowSeconds);
    } else {
      hand.typedMovePending = 0;
      hook::playAlertSound();
    }
    return;
  }
  // A refused pick-up (no checker of the mover there) has shown its message: nothing
  // may be moved from that point.
  if (moveEntry.pickUpAccepted == 0) {
    clearPending();
    return;
  }
  boardInput.pickedCount = 1;
  interaction.clickedPoint = programTo(to);
  applyTypedMove();
  // Played inside the move entry's wait, which goes on waiting: Auto Pass looks at the dice
  // left here, as the move loop does after a clicked move.
  if (options.autoPass != 0 && flow.abortTurn == 0) reportNoMoreMoves();
}

void answerKey(char k) {
  const InteractionDisplayState& ui = interactionDisplay;
  const BoardLayout& L = layout;
  if (k == '+' || k == 'Y') {
    if (questionUp())
      postInside(ui.yesButtonRect);
    else if (k == '+')
      postDiceClick();
  } else if (k == '-' || k == 'N') {
    if (questionUp())
      postInside(ui.noButtonRect);
    else if (k == '-')
      postClick(L.boardCentreX, L.boardCentreY);
  } else if (k == '*') {
    if (diceState.diceShowing == 0) {
      const int16_t c = displaySettings.playDirection;
      const int16_t owner = cube.cubeOwner < 0 ? int16_t{0} : cube.cubeOwner > 2 ? int16_t{2} : cube.cubeOwner;
      postClick(static_cast<int16_t>(L.cubeX[c] + kInsideButton), static_cast<int16_t>(L.cubeY[owner] + kInsideButton));
    } else if (!questionUp() && position.playerType[position.currentPlayer] == kHumanPlayer) {
      // With the roll thrown no double is offered: the cube says why, as the Cube item does.
      // A posted click would end a wait that a click ends.
      handleCubeClick();
    }
  }
}

}  // namespace

void postDiceClick() {
  // The other side's opening die is thrown on that side's own dice, where it will show.
  const int16_t side = turnState.openingDieAwaited;
  if (side != kNoOpeningDieAwaited) {
    postClick(static_cast<int16_t>(layout.dicePosition[0][side][kOpeningDiceLayout] + layout.dieWidth / 2),
              static_cast<int16_t>(layout.diceTop + layout.dieHeight / 2));
    return;
  }
  postClick(static_cast<int16_t>(layout.boardCentreX + kRollKeyOffset), layout.boardCentreY);
}

void typedMoveEntry() {
  flow.keyCommandBusy = 0;
  if (typedMove.typedPickUpOnly != 0 && displaySettings.showPossibleMoves != 0) {
    typedMove.typedPickUpOnly = 0;
    erasePossibleMoveMarkers();
  }
  const std::string_view key = interactionDisplay.keyBuffer.view();
  if (key.empty()) return;
  const char k = key[0];
  if (!isMoveKey(k)) {
    answerKey(k);
    return;
  }
  if (!takingTypedMoves()) return;
  typedMove.typedMoveText += key.substr(0, 1);
  if (k != kReturnKey && k != kEnterKey) return;
  // With checkers in the hand the key is refused as every other one is, and the entry it
  // ended goes with it: kept, it would be read in front of the next one typed.
  if (boardInput.pickedCount > 0) {
    typedMove.typedMoveText.clear();
    return;
  }
  evaluateTypedMove();
}

void applyTypedMove() {
  auto& picked = interactionDisplay.pickedCheckers;
  boardInput.pickedCount = 1;
  picked[1] = hand.selectedPoint;
  moveEntry.typedMoveChecked = 0;
  humanMoveInput();
  if (moveEntry.typedMoveChecked != -1) {
    picked[boardInput.pickedCount > 0 ? boardInput.pickedCount : 1] = kEmptyPickSlot;
    boardInput.pickedCount = 0;
    hand.pieceInHand = 0;
    hand.typedMovePending = 0;
    return;
  }
  picked[1] = kEmptyPickSlot;
  boardInput.pickedCount = 0;
  for (int16_t step = 1; step <= hand.moveStepCount; ++step) {
    hand.typedMoveStep = step;
    hand.moveDistance = hand.stepDistances[step - 1];
    if (step > 1) hand.selectedPoint = hand.moveToPoint;
    moveOneChecker();
    hand.selectedPoint = kNoPointSelected;
    if (hand.moveToPoint < 0) break;  // borne off: nothing left to carry on
  }
  hand.moveEntryActive = -1;
  hand.typedMovePending = 0;
  moveEntry.easyMoveReady = 0;
  if (flow.newGameRequested != 0) return;
  if (diceState.dice[0].value + diceState.dice[1].value <= 0) {
    flow.abortTurn = kLeaveTurn;
    // Ends the wait of the move entry the key arrived in; outside a wait nothing is
    // posted, or the next wait would take a stale click.
    if (panelWait.clickWaitRunning != 0) flow.keyCommandBusy = -1;
  }
}

}  // namespace bg
