#include "interaction/position_setup.h"

#include <cmath>
#include <string>

#include "display/board_buttons.h"
#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/board_overlay.h"
#include "display/colour_roles.h"
#include "display/display_platform.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "display/statistics_panels.h"
#include "display/world_housekeeping.h"
#include "flow/turn.h"
#include "flow/turn_services.h"
#include "interaction/board_hit_test.h"
#include "interaction/board_waits.h"
#include "interaction/move_entry.h"
#include "interaction/move_entry_state.h"
#include "rules/dice.h"
#include "rules/game_record.h"
#include "rules/new_game.h"
#include "rules/play_search.h"
#include "rules/starting_position.h"
#include "runtime/core/messages.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/display_services.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/message_numbers.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/storage_state.h"

namespace bg {

PositionSetupState positionSetup;
BG_RESETS_WITH_PROGRAM(positionSetup);

namespace {

constexpr int16_t kCheckersPerSide = 15;
constexpr int16_t kHighestBoardIndex = 25;
constexpr uint8_t kDone = 255;
constexpr int16_t kMiddleAnswer = 1;
constexpr double kPauseBeforeChoosers = 0.3;
constexpr double kPauseBeforeDice = 0.1;
constexpr int16_t kTurnAfterSetup = 2;
constexpr int16_t kOrMode = 1;
constexpr char kClickWhenFinished[] = "Click When Finished";
constexpr char kDeselectFirst[] = "MMDe-select the piece first";
constexpr char kWrongColor[] = "MMWrong Color";
constexpr char kWrongSide[] = "MMWrong Side";
constexpr char kBothSidesFirst[] = "MMPut checkers of both sides on the board first";

struct MenuItem {
  int16_t menu;
  int16_t item;
};
constexpr MenuItem kSetupItems[] = {
    {kGameMenu, kNewGameItem},       {kGameMenu, kCloseSessionItem},     {kGameMenu, kTournamentItem},
    {kGameMenu, kResignItem},        {kGameMenu, kTwoPlayersItem},       {kGameMenu, kComputerOpponentItem},
    {kFileMenu, kOpenSavedGameItem}, {kFileMenu, kOpenGameItem},         {kFileMenu, kSaveGameItem},
    {kFileMenu, kSaveGameAsItem},    {kSettingsMenu, kSetupCurrentItem}, {kSettingsMenu, kSetupEmptyItem},
};

auto& picked() { return interactionDisplay.pickedCheckers; }
int16_t trayOf(int16_t side) { return side == 0 ? kLowerTrayZone : kUpperTrayZone; }
int16_t sideCount(int16_t side, int16_t p) {
  return static_cast<int16_t>(position.board[p] * position.playerDirection[side]);
}
// A checker that came from a tray goes out from the side's off-board end.
int16_t offBoardIndexOf(int16_t side) { return side == 0 ? kHighestBoardIndex : 0; }

void message(const char* text) {
  interaction.messageText = text;
  hook::displayMessage();
}

// The items are disabled while the editor runs and given back their state afterwards; a
// check mark is never touched, and an item that was grey stays grey.
void disableSetupMenus() {
  int k = 0;
  for (const MenuItem& m : kSetupItems) {
    positionSetup.itemsEnabledBefore[k++] = menuItemEnabled(m.menu, m.item) ? 1 : 0;
    setMenuItemEnabled(m.menu, m.item, false);
  }
}

void restoreSetupMenus() {
  int k = 0;
  for (const MenuItem& m : kSetupItems) setMenuItemEnabled(m.menu, m.item, positionSetup.itemsEnabledBefore[k++] != 0);
}

void boardTextStyle() {
  textFont(shellWindow.textFont);
  textSize(layout.textSize);
  textFace(shellWindow.textFace);
  textMode(kOrMode);
}

int16_t trunc16(double v) { return static_cast<int16_t>(std::trunc(v)); }

// The box was recorded, not drawn: the recording ends and is drawn on the window.
void showRecordedBox() {
  closePicture();
  if (overlay.overlayPicture != nullptr) drawPicture(overlay.overlayPicture, offscreen.messageBoxRect);
  flushWindow(kBoardWindow);
}

void drawSetupDoneButton() {
  GrafPtr window = windowPort(kBoardWindow);
  InteractionState& I = interaction;
  const Str255 title = I.messageLines[1];
  I.messageLines[1] = " ";
  I.messageLines[2].clear();
  I.messageLineCount = 2;
  overlay.messageBoxSeconds = 0;
  drawOverlayMessage();
  I.messageLines[1] = title;
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  boardTextStyle();
  const Rect box = offscreen.messageBoxRect;
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  drawFramedText(title.str(), static_cast<int16_t>(box.top + h / 3), box.left, box.right);
  boardTextStyle();
  Rect& done = interactionDisplay.doneButtonRect;
  done = makeRect(box.left + w / 3, box.top + h / 2, box.right - w / 3, box.bottom - trunc16(0.12 * h));
  drawRoundButton(done, 0);
  boardTextStyle();
  setDrawColor(roles.panelTextColor);
  const int bw = done.right - done.left;
  const int bh = done.bottom - done.top;
  moveTo(done.left + (bw - stringWidth("Done")) / 2, done.bottom - (bh - layout.textSize) / 2 - 1);
  drawString(messageWordsOf(kDoneButtonMessage).str());
  penNormal();
  showRecordedBox();
  setPort(saved);
}

// The prompt box sized for the board as it is now, with its Done button.
void showDoneBox() {
  interaction.messageLines[1] = kClickWhenFinished;
  offscreen.messageBoxWidth = trunc16(1.3 * boardTextWidth(kClickWhenFinished, layout.textSize));
  offscreen.messageBoxHeight = trunc16(0.141 * layout.boardHeight);
  offscreen.messageBoxOffsetY = -4;
  offscreen.messageBoxFixedSize = -1;
  drawSetupDoneButton();
}

// The tray test: a click on the side's stack of checkers in its tray.
void trayClickTest(int16_t side) {
  moveEntry.clickOnOwnStack = 0;
  moveEntry.clickOnTopSlot = 0;
  // An empty tray has nothing to pick up.
  if (position.piecesOnBoard[side] >= kCheckersPerSide) return;
  const int16_t y = trayPiecePosition(side, static_cast<int16_t>(kCheckersPerSide - position.piecesOnBoard[side])).v;
  const int16_t v = boardHit.clickVSaved;
  if (side == 1 && v < y + layout.trayPieceThickness + 2) moveEntry.clickOnOwnStack = -1;
  if (side == 0 && v > y - 2) moveEntry.clickOnOwnStack = -1;
}

// The last held checker to `to` (a point, a bar or a tray code).
void putDownHeld(int16_t to) {
  Position& P = position;
  const int16_t side = P.currentPlayer;
  const int16_t from = picked()[boardInput.pickedCount];
  hand.selectedPoint = from < 0 ? offBoardIndexOf(side) : from;
  picked()[boardInput.pickedCount] = kEmptyPickSlot;
  hand.moveToPoint = to;
  display.moveFromHand = -1;
  display.liftFromPoint = 0;
  interactionDisplay.checkerPickedUp = 0;
  if (to < 0) {
    hand.moveToPoint = offBoardIndexOf(side);
    display.movingPieceSide = side;
    hook::bearOffToTray();
  } else {
    hook::animateCheckerMove(0, 0);
  }
  if (boardInput.pickedCount <= 0) {
    boardInput.pickedCount = 0;
    hand.pieceInHand = 0;
  }
  hand.selectedPoint = kNoPointSelected;
}

void pickUp(int16_t p) {
  hand.selectedPoint = p;
  interactionDisplay.checkerPickedUp = 0;
  if (p < 0) interactionDisplay.trayPickUp = -1;
  selectPiece();
  interactionDisplay.trayPickUp = 0;
  interactionDisplay.checkerPickedUp = 0;
  if (boardInput.pickedCount > 0) hand.pieceInHand = -1;
}

bool ownsClick(int16_t side, int16_t p) { return p == trayOf(side) || (p >= 0 && sideCount(side, p) > 0); }

void setupPlaceOrTakePiece() {
  Position& P = position;
  const int16_t p = interaction.clickedPoint;
  if (p < kUpperTrayZone || p > kHighestBoardIndex) return;
  const bool holding = boardInput.pickedCount > 0;
  if (!holding && !ownsClick(P.currentPlayer, p)) {
    std::swap(P.currentPlayer, P.otherPlayer);
  }
  const int16_t side = P.currentPlayer;
  const int16_t other = P.otherPlayer;
  if (p < 0) {
    if (p == trayOf(side)) trayClickTest(side);
    else moveEntry.clickOnOwnStack = 0;
  } else {
    pieceFromClick();
  }
  const bool onOwnStack = moveEntry.clickOnOwnStack != 0;
  if (onOwnStack && !(holding && moveEntry.clickOnTopSlot != 0)) {
    pickUp(p);
    return;
  }
  if (!holding) return;
  if (p == trayOf(other) || (p >= 0 && sideCount(other, p) > 0 && p != P.barPoint[other])) {
    message(kWrongColor);
  } else if (p >= 0 && p == P.barPoint[other]) {
    message(kWrongSide);
  } else {
    putDownHeld(p);
  }
}

void setupClickPiece() {
  const Point at{boardInput.clickH, boardInput.clickV};
  if (ptInRect(at, interactionDisplay.doneButtonRect)) {
    if (boardInput.pickedCount > 0) {
      message(kDeselectFirst);
      return;
    }
    waitForBoardClick();
    // A position without both sides is no game to go on with.
    if (panelWait.doneAnswered == kDone && !bothSidesPlaced()) {
      panelWait.doneAnswered = 0;
      message(kBothSidesFirst);
    }
    return;
  }
  setupPlaceOrTakePiece();
}

void setupClick() {
  panelWait.doneAnswered = 0;
  while (panelWait.doneAnswered != kDone) {
    waitForSetupClick();
    if (flow.abortTurn != 0) return;
    interaction.clickedPoint = kNoClickYet;
    handleBoardClick();
    if (flow.abortTurn != 0) return;
    if (interaction.clickedPoint != kNoClickYet) setupClickPiece();
    if (flow.abortTurn != 0) return;
  }
  hand.selectedPoint = kNoPointSelected;
}

int16_t iconRowY(const Rect& box) {
  return trunc16(box.top + 0.6 * (box.bottom - box.top) + layout.textSize / 3.0 + 0.5 - 1);
}

void drawSetupChooser() {
  InteractionState& I = interaction;
  const Str255 title = I.messageLines[1];
  I.messageLines[1] = "              ";
  I.messageLines[2] = "      ";
  I.messageLineCount = 2;
  overlay.messageBoxSeconds = 0;
  drawOverlayMessage();
  I.messageLines[1] = title;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  boardTextStyle();
  const Rect box = offscreen.messageBoxRect;
  drawFramedText(title.str(), static_cast<int16_t>(box.top + (box.bottom - box.top) / 3), box.left, box.right);
  const int16_t y = iconRowY(box);
  const auto r = trunc16(layout.textSize * 0.75 + 0.5);
  InteractionDisplayState& ui = interactionDisplay;
  for (int16_t side = 0; side <= 1; ++side) {
    const int16_t x = layout.setupButtonX[1 - side];
    drawPieceIcon(x, y, r, side);
    (side == 0 ? ui.noButtonRect : ui.yesButtonRect) = pieceIconRect(x, y, r);
  }
  ui.middleButtonRect =
      makeRect(ui.yesButtonRect.right + 2, ui.yesButtonRect.top, ui.noButtonRect.left - 2, ui.yesButtonRect.bottom);
  setPort(saved);
}

void drawCubeChoice() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  boardTextStyle();
  const std::string value = std::to_string(cube.cubeValue);
  const int16_t baseline = static_cast<int16_t>(iconRowY(offscreen.messageBoxRect) + layout.textSize / 3);
  setDrawColor(roles.panelTextColor);
  moveTo(layout.boardCentreX - stringWidth(value) / 2 + 1, baseline);
  drawString(value);
  penNormal();
  setPort(saved);
}

void finishChooser() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  showRecordedBox();
  setPort(saved);
}

void emptyChooserButtons() {
  InteractionDisplayState& ui = interactionDisplay;
  ui.noButtonRect = Rect{};
  ui.yesButtonRect = Rect{};
  ui.middleButtonRect = Rect{};
}

void chooserBoxSize() {
  offscreen.messageBoxWidth = trunc16(0.2 * display.boardWidth);
  offscreen.messageBoxHeight = trunc16(0.17 * layout.boardHeight);
  offscreen.messageBoxFixedSize = -1;
}

void showCubeChooser() {
  interaction.messageLines[1] = "Whose Cube?";
  chooserBoxSize();
  drawSetupChooser();
  interactionDisplay.middleButtonActive = -1;
  drawCubeChoice();
  finishChooser();
}

void showRollChooser() {
  interaction.messageLines[1] = "Whose Roll?";
  chooserBoxSize();
  drawSetupChooser();
  finishChooser();
}

void askWhoseCube() {
  CubeState& C = cube;
  if (C.cubeUsed != -1) return;
  InteractionDisplayState& ui = interactionDisplay;
  C.cubeValue = 1;
  interaction.panelAnswer = kMiddleAnswer;
  while (interaction.panelAnswer == kMiddleAnswer) {
    // The box is drawn again for every value, so the redraw's picture always shows it.
    showCubeChooser();
    ui.whoseCubeWaiting = -1;
    waitForBoardClick();
    ui.whoseCubeWaiting = 0;
    closeBoardOverlay();
    if (flow.abortTurn != 0) break;
    if (interaction.panelAnswer == kMiddleAnswer) {
      C.cubeValue = static_cast<int16_t>(C.cubeValue * 2);
      if (C.cubeValue > kHighestCube) C.cubeValue = 1;
    }
  }
  ui.middleButtonActive = 0;
  emptyChooserButtons();
  if (flow.abortTurn != 0) return;
  C.cubeOwnerBeforeDouble = C.cubeOwner;
  C.cubeOwner = interaction.panelAnswer != 0 ? 1 : 0;
  if (C.cubeValue == 1) C.cubeOwner = kCubeCentred;
  hook::drawCube();
  record.gameRecord[0].cubeOwner = 0;
  record.gameRecord[0].cubeValue = 0;
}

void askWhoseRoll() {
  showRollChooser();
  interactionDisplay.whoseRollWaiting = -1;
  waitForBoardClick();
  interactionDisplay.whoseRollWaiting = 0;
  closeBoardOverlay();
  emptyChooserButtons();
  if (flow.abortTurn != 0) return;
  position.currentPlayer = interaction.panelAnswer != 0 ? 1 : 0;
  position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
}

void chooseTheRoll() {
  Position& P = position;
  DiceState& D = diceState;
  P.openingPhase = 0;
  flow.turnNumber = kTurnAfterSetup;
  checkStartingPosition();
  hook::pauseSeconds(kPauseBeforeDice);
  for (int k = 0; k <= 3; ++k) {
    D.dice[k].value = 0;
    D.rolledDice[k] = 0;
  }
  hook::chooseDiceWindow();
  if (flow.abortTurn != 0) return;
  const bool swapped = P.openingPhase != 0 && D.dice[P.currentPlayer].value < D.dice[P.otherPlayer].value;
  if (swapped) std::swap(D.dice[0].value, D.dice[1].value);
  // The dice are shown as they now stand: swapped ones change places on the board, and a
  // roll made at random, not shown yet, would be recorded as no roll while the flow, told
  // the dice are set, plays them.
  const bool unshown = D.diceShowing == 0 && D.dice[0].value > 0 && D.dice[1].value > 0;
  if (!swapped && !unshown) return;
  if (swapped && D.diceShowing != 0) eraseDice();
  for (int k = 0; k <= 3; ++k) D.rolledDice[k] = D.dice[k].value;
  showRolledDice();
}

void writeFirstEntry() {
  DiceState& D = diceState;
  GameRecordEntry& e = record.gameRecord[record.gameRecordCount + 1];
  // The dice panel's mark of a roll chosen by hand stays with the roll.
  const int16_t byHand = static_cast<int16_t>(e.flags & kFlagDiceByHand);
  e = blankRecordEntry;
  e.flags = byHand;
  e.side = position.currentPlayer;
  if (D.diceShowing == 0) {
    for (int k = 0; k <= 3; ++k) D.dice[k].value = 0;
    e.side = -1;
  }
  e.die1 = D.dice[0].value;
  e.die2 = D.dice[1].value;
  flow.movesLeft = flow.movesAllowed;
}

void keepGameBeforeEditor() {
  if (positionSetup.gameKept != 0) return;
  GameBeforeEditor& b = positionSetup.before;
  b.position = position;
  b.dice = diceState.dice;
  b.rolledDice = diceState.rolledDice;
  b.rolledDoubles = diceState.rolledDoubles;
  b.diceShowing = diceState.diceShowing;
  b.cubeValue = cube.cubeValue;
  b.cubeOwner = cube.cubeOwner;
  b.record = record;
  b.turnNumber = flow.turnNumber;
  b.movesAllowed = flow.movesAllowed;
  b.movesLeft = flow.movesLeft;
  b.moveNumber = flow.moveNumber;
  positionSetup.gameKept = -1;
}

// The game from before the editor, its turn given back to the side that had it: the
// hand-over swaps the sides, and a roll in hand is played, not rolled again.
void giveGameBeforeEditorBack() {
  const GameBeforeEditor& b = positionSetup.before;
  Position& P = position;
  P.board = b.position.board;
  P.piecesOnBoard = b.position.piecesOnBoard;
  P.turnPlayer = b.position.turnPlayer;
  P.openingPhase = b.position.openingPhase;
  P.currentPlayer = b.position.otherPlayer;
  P.otherPlayer = b.position.currentPlayer;
  diceState.dice = b.dice;
  diceState.rolledDice = b.rolledDice;
  diceState.rolledDoubles = b.rolledDoubles;
  hook::setDiceDisplayFlags(b.diceShowing);
  cube.cubeValue = b.cubeValue;
  cube.cubeOwner = b.cubeOwner;
  cube.cubeOwnerBeforeDouble = b.cubeOwner;
  record = b.record;
  flow.turnNumber = b.turnNumber;
  flow.movesAllowed = b.movesAllowed;
  flow.movesLeft = b.movesLeft;
  flow.moveNumber = b.moveNumber;
  const long next = record.gameRecordCount + 1;
  const bool rollInHand = b.diceShowing != 0 && b.movesLeft == b.movesAllowed && b.dice[0].value > 0;
  if (rollInHand && next <= kLastPlayEntry) {
    GameRecordEntry& e = record.gameRecord[next];
    e = blankRecordEntry;
    e.side = b.position.currentPlayer;
    e.die1 = b.dice[0].value;
    e.die2 = b.dice[1].value;
    hand.diceClicked = -1;
  }
  display.redrawPending = -1;
  hook::redrawBoardWindow();
}

// Every way out: no held checker, no editor flags, the menus back.
void leaveEditor() {
  putBackEveryHeldChecker();
  boardState.setupInProgress = 0;
  interactionDisplay.doneButtonShown = 0;
  interactionDisplay.doneButtonRect = Rect{};
  positionSetup.askingWhoseCube = 0;
  positionSetup.askingWhoseRoll = 0;
  restoreSetupMenus();
  positionSetup.gameKept = 0;
  // The dice there now are the editor's roll, or the game's given back.
  keepDiceOfGamePutInPlace();
}

}  // namespace

void keepSetupMenusOff() {
  if (boardState.setupInProgress == 0) return;
  for (const MenuItem& m : kSetupItems) setMenuItemEnabled(m.menu, m.item, false);
}

void showSetupBoxAgain() {
  if (boardState.setupInProgress == 0 || display.overlayActive != 0) return;
  if (interactionDisplay.doneButtonShown != 0)
    showDoneBox();
  else if (interactionDisplay.whoseCubeWaiting != 0)
    showCubeChooser();
  else if (interactionDisplay.whoseRollWaiting != 0)
    showRollChooser();
}

bool setupEditorRunning() { return boardState.setupInProgress != 0 || positionSetup.gameKept != 0; }

bool bothSidesPlaced() {
  // Checkers in the hand are still the side's own, not back in its tray.
  return position.piecesOnBoard[0] > 0 && position.piecesOnBoard[1] > 0;
}

void putBackOneHeldChecker() {
  if (boardInput.pickedCount <= 0) return;
  if (boardState.setupInProgress == 0) {
    putBackLastHeld();
    return;
  }
  const int16_t from = picked()[boardInput.pickedCount];
  putDownHeld(from < 0 ? trayOf(position.currentPlayer) : from);
}

void putBackEveryHeldChecker() {
  for (int i = 0; i < kMostHeldCheckers && boardInput.pickedCount > 0; ++i) {
    const int16_t before = boardInput.pickedCount;
    putBackOneHeldChecker();
    if (boardInput.pickedCount >= before) break;  // nothing went back: never loop for ever
  }
}

void clearBoardForSetup() {
  Position& P = position;
  setStartingPosition();
  for (int p = 0; p <= kHighestBoardIndex; ++p) P.board[p] = 0;
  P.piecesOnBoard[0] = 0;
  P.piecesOnBoard[1] = 0;
  boardState.setupInProgress = -1;
  display.boardClearing = -1;
  hook::redrawBoardWindow();
  display.boardClearing = 0;
  resetGameRecord();
  P.openingPhase = 0;
  flow.turnNumber = 1;
}

void startPositionSetup() {
  // With a box up or a checker in the hand the editor cannot run: the board is left as it is.
  if (display.overlayActive != 0 || hand.pieceInHand != 0) return;
  keepGameBeforeEditor();
  clearBoardForSetup();
  setUpPosition();
}

void setUpPosition() {
  if (display.overlayActive != 0 || hand.pieceInHand != 0) return;
  keepGameBeforeEditor();
  disableSetupMenus();
  Position& P = position;
  boardState.setupInProgress = -1;
  playSearch.searchedPlayer = -1;
  interactionDisplay.doneButtonShown = -1;
  if (diceState.diceShowing != 0) removeDice();
  else redrawDice();
  resetGameRecord();
  record.gameRecordCount = 0;

  P.currentPlayer = 0;
  P.otherPlayer = 1;
  showDoneBox();
  boardInput.pickedCount = 0;
  setupClick();
  closeBoardOverlay();
  interactionDisplay.doneButtonRect = Rect{};
  interactionDisplay.doneButtonShown = 0;
  if (flow.abortTurn == 0) {
    // A refusal of the laying out ("Wrong Color") is not left standing over the questions.
    hook::clearMessageLine(0);
    hook::pauseSeconds(kPauseBeforeChoosers);
    positionSetup.askingWhoseCube = -1;
    askWhoseCube();
    positionSetup.askingWhoseCube = 0;
  }
  if (flow.abortTurn == 0) {
    positionSetup.askingWhoseRoll = -1;
    askWhoseRoll();
    positionSetup.askingWhoseRoll = 0;
  }
  if (flow.abortTurn == 0) {
    boardState.setupInProgress = 0;
    chooseTheRoll();
  }
  writeFirstEntry();
  if (flow.abortTurn != 0) {
    leaveEditor();
    // Left another way than Done: play never goes on from a board Done would refuse.
    if (!bothSidesPlaced() && flow.newGameRequested == 0) giveGameBeforeEditorBack();
    return;
  }
  leaveEditor();
  // The game resumed at the start is no longer on the board, and the laid-out one is
  // saved at the quit as any changed game is.
  shell.savedGameName.clear();
  storage.gameModified = -1;
  std::swap(P.currentPlayer, P.otherPlayer);
  flow.abortTurn = kLeaveTurn;
  display.redrawPending = -1;
  hand.diceClicked = -1;
  flow.moveNumber = 0;
  computeMaxPipsUsable();
}

}  // namespace bg
