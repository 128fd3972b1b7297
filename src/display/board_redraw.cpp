#include "display/board_redraw.h"

#include <utility>

#include "display/bear_off.h"
#include "display/board_buttons.h"
#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_overlay.h"
#include "display/board_animations.h"
#include "display/board_picture.h"
#include "display/checker_animation.h"
#include "state/board_state.h"
#include "display/checker_stacks.h"
#include "display/colour_roles.h"
#include "display/colour_schemes.h"
#include "display/cube_display.h"
#include "display/dice_display.h"
#include "state/display_settings.h"
#include "display/drag_feedback.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/move_markers.h"
#include "display/offscreen.h"
#include "display/row_numbers.h"
#include "display/piece_images.h"
#include "display/upper_services.h"
#include "flow/turn_services.h"
#include "rules/dice.h"
#include "runtime/core/messages.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/events.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_state.h"
#include "state/search_services.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/speech_state.h"
#include "state/storage_state.h"

namespace bg {

BoardRedrawState redrawState;
BG_RESETS_WITH_PROGRAM(redrawState);

namespace {

constexpr int16_t kTwoHumans = 3;
constexpr int16_t kWelcomeBoxWidth = 410;
constexpr int16_t kWelcomeBoxHeight = 310;
constexpr int16_t kWelcomeFont = 1;
constexpr int16_t kWelcomeTextSize = 13;
constexpr int16_t kWelcomeRetryColour = 2;
constexpr const char* kProgramName = "Tavrik's Backgammon";
constexpr const char* kNoName = "No Name";

void setBoardOrigin(GrafPtr window) {
  setPortOrigin(window, windowPlacement.boardWidthOffset, windowPlacement.boardHeightOffset);
}

void paintWindowMargin(GrafPtr window) {
  BoardRedrawState& R = redrawState;
  setBoardOrigin(window);
  layout.boardWindowRect = portBounds(kBoardWindow);
  clipRect(layout.boardWindowRect);
  if (R.windowMarginRgn == nullptr) R.windowMarginRgn = newRgn();
  rectRgn(R.windowMarginRgn, layout.boardWindowRect);
  RgnHandle board = newRgn();
  rectRgn(board, layout.boardRect);
  diffRgn(R.windowMarginRgn, board, R.windowMarginRgn);
  disposeRgn(board);
  setDrawColor(roles.windowBackColor);
  paintRgn(R.windowMarginRgn);
  penNormal();
  clipRect(layout.boardRect);
}

void drawAllCheckersKeepingTheHand() {
  const int16_t pickedUp = interactionDisplay.checkerPickedUp;
  interactionDisplay.checkerPickedUp = 0;
  const int16_t selected = hand.selectedPoint;
  const int16_t target = hand.moveToPoint;
  const int16_t player = position.currentPlayer;
  // A landing's sound lets a resize or the help in while a move is half made: a hit
  // checker is on the bar while its point still holds the stand-in for it, and while a hit
  // flies or comes back the sides are swapped, so the hand would be counted for the wrong
  // side. The board is not the game's there; the move's own counts are kept instead.
  const bool midMove = animation.movesUnderWay > 0;
  const auto counts = position.piecesOnBoard;
  drawAllPieces();
  position.currentPlayer = player;
  if (midMove)
    position.piecesOnBoard = counts;
  else
    position.piecesOnBoard[player] = static_cast<int16_t>(position.piecesOnBoard[player] + boardInput.pickedCount);
  hand.selectedPoint = selected;
  hand.moveToPoint = target;
  interactionDisplay.checkerPickedUp = pickedUp;
  position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
}

// The recorded board shown: revealed block by block on the welcome, else drawn at once.
void showRecordedBoard(GrafPtr window) {
  BoardRedrawState& R = redrawState;
  const bool welcome = boardState.welcomePending != 0;
  closePicture();
  setBoardOrigin(window);
  R.welcomeWorld = nullptr;
  if (welcome && offscreen.worldCreationFailed == 0) {
    offscreen.quietWorldCreation = -1;
    R.welcomeWorld = makeBoardOffscreen();
    offscreen.quietWorldCreation = 0;
  }
  if (maxMem() / 1024 < kWelcomeMemoryK) lowMemoryAlert(kWelcomeMemoryK);
  GrafPtr target = R.welcomeWorld != nullptr ? R.welcomeWorld : window;
  setPort(target);
  drawPicture(R.framePictureHandle, R.framePictureHandle != nullptr ? R.framePictureHandle->frame : Rect{});
  setPort(window);
  killPicture(R.framePictureHandle);
  R.framePictureHandle = nullptr;
  if (welcome) {
    if (R.welcomeWorld != nullptr) animateWelcome(layout.boardRect, R.welcomeWorld, window);
    layout.boardWindowRect = portBounds(kBoardWindow);
    if (R.welcomeWorld == nullptr && display.boardColor == kWelcomeRetryColour && R.extraRedrawAsked == 0)
      R.extraRedrawAsked = -1;
    disposeOffscreenWorld(R.welcomeWorld);
    R.welcomeDone = -1;
  }
  boardState.welcomePending = 0;
}

// The game kept at the last quit is put on the board before the greeting lets any choice
// of the person's in: a save, a roll or a setting chosen while the start greets acts on
// that game, not on the board it replaces. False when there is none, or it was refused.
bool resumeKeptGame() {
  if (storage.gameWasSaved == 0 || storage.loadGameOnStartup == 0 || !hook::resumeKeptGame()) return false;
  storage.resumeOffered = -1;
  return true;
}

void announceResumedGame() {
  std::string body = "The ";
  if (flow.tournamentGoing != 0)
    body += "Tournament ";
  else if (flow.moneySessionActive != 0)
    body += "Money ";
  body += "game that was being played when the game was quit is being resumed.\r\r"
          "You can start a new game by selecting New Game in the Game menu";
  searchServices.showTitledText("    Saved Game Resumed", body);
}

void showResumeNotices(bool resumed) {
  const auto& F = flow;
  // Told over the game it announces.
  if (resumed) {
    announceResumedGame();
    return;
  }
  if (F.tournamentGoing != 0) {
    searchServices.showTitledText("    Tournament Resumed",
                                 "The tournament that was being played when the game was quit has been resumed.\r\r"
                                 "You can end the tournament by selecting End Tournament in the Game menu.");
  }
  if (F.moneySessionActive != 0) {
    searchServices.showTitledText(" Money Session Resumed",
                                 "The Money Session that was being played when the game was quit has been resumed.\r\r"
                                 "You can end the Money Session in the Game menu.");
  }
}

void greetOnce() {
  const std::string name = players.playerRecords[players.activePlayers].secondName.str();
  // A record without a name (every record but the first, until named) asks like "No Name".
  const bool named = name != kNoName && !name.empty();
  const std::string preferences = std::string(kProgramName) + " Preferences";
  if (storage.openDocumentPending != 0 && storage.openedDocumentName.str() != preferences) {
    // Asked before the game comes in: once it is on the board, what is typed goes to the
    // board as key commands.
    if (!named) upperServices.enterPlayerName();
    storage.resumeOffered = -1;
    FBRaiseDialogEvent(kDialogPrivate, kLoadGameEvent);
    hook::pumpEvents();
    display.boardClearing = 0;
    return;
  }
  storage.openedDocumentName = "";
  const bool resumed = resumeKeptGame();
  if (named) {
    interaction.messageText.assign("MM" + messageWordsOf(kGreetingMessage).str() + name);
    speech.waitForSpeechEnd = -1;
    hook::displayMessage();
  } else {
    upperServices.enterPlayerName();
  }
  showResumeNotices(resumed);
}

}  // namespace

void drawAllCheckers() {
  const int16_t redrawing = redrawState.boardRedrawing;
  redrawState.boardRedrawing = -1;
  drawAllCheckersKeepingTheHand();
  redrawState.boardRedrawing = redrawing;
}

std::string welcomeText() {
  const char* lines[] = {"Click on one of the dice to start", "Click once on a piece to pick it up",
                         "Click once to put it down", "Click on BAR to take back moves & to put a piece back",
                         "The game has many hidden features. Please check out the Info menu and the other menu "
                         "items to help find them. ",
                         "Enjoy!"};
  std::string text = std::string("Welcome to ") + kProgramName;
  for (const char* line : lines) text += std::string("\r\r") + line;
  return text;
}

void redrawBoardWindow() {
  BoardRedrawState& R = redrawState;
  const int16_t front = frontWindow();
  setOutputWindow(kBoardWindow);
  if (boardState.boardRebuildBusy != 0 || rolloutHidesBoard() || shellFlags.quitRequested != 0) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  if (!windowVisible(kBoardWindow)) windowShow(kBoardWindow);
  const GrafPtr saved = getPort();
  setPort(window);
  const bool outermost = R.boardRedrawing != -1;
  // Nothing the redraw calls plays a sound.
  const QuietStretch quiet;
  R.boardRedrawing = -1;
  textMode(srcCopy);
  if (flow.rollWaitActive != 0) hook::setDiceDisplayFlags(-1);
  if (display.firstBoardBuild != -1) paintWindowMargin(window);
  // Area a resize by hand adds shows the window's background until the refit paints it.
  const int16_t back = roles.windowBackColor;
  setWindowBackground(kBoardWindow, colours.boardPalette[back],
                      roleDrawnWithPattern(back) ? boardImages.rolePixPats[back] : nullptr);
  drawBoardAndWelcome();
  setPort(window);
  if (flow.rollWaitActive != 0 || flow.bestMoveForHuman != 0) {
    hook::setDiceDisplayFlags(-1);
    showRolledDice();
  }
  setPort(window);
  clipRect(layout.boardRect);
  if (overlay.overlayShown != 0 && overlay.overlaySaveB != nullptr) {
    const Rect& u = overlay.overlayUnionRect;
    copyOffscreenToWindow(overlay.overlaySaveB, window, makeRect(0, 0, u.width(), u.height()), u);
  }
  if (overlay.overlayPicture != nullptr) drawPicture(overlay.overlayPicture, offscreen.messageBoxRect);
  if (diceChooser.chooseDiceOpen != 0) drawDiceChooserFaces();
  if (messageLine.messageLineShown != 0 && messageLine.messageLinePicture != nullptr && front == kBoardWindow)
    redrawMessageLine();
  redrawMarkedAreas();
  if (boardInput.pickedCount != 0) redrawHeldPiece();
  R.boardRedrawing = 0;
  publishDisplayValues();
  flushWindow(kBoardWindow);
  // Output goes back to the window that was in front (a dialog over the board keeps it).
  if (front > 0 && windowExists(front)) setOutputWindow(front);
  setPort(saved);
  // A failed welcome world on this scheme is made good by one more redraw, once.
  if (outermost && R.extraRedrawAsked == -1) {
    R.extraRedrawAsked = 1;
    redrawBoardWindow();
  }
}

void drawBoardAndWelcome() {
  BoardRedrawState& R = redrawState;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  setPort(window);
  setBoardOrigin(window);
  const bool recording = display.firstBoardBuild != 0 || boardState.boardSizeChangePending != 0;
  if (recording) {
    buildBoardPicture();
    buildPieceImages();
    setPort(window);
    if (R.framePictureHandle != nullptr) killPicture(R.framePictureHandle);
    R.framePictureHandle = openPicture(portBounds(kBoardWindow));
    if (display.firstBoardBuild != 0) {
      display.firstBoardBuild = 0;
      boardState.welcomePending = -1;
    }
  }
  clipRect(layout.boardRect);
  copyOffscreenToWindow(boardImages.boardWorld, window, layout.boardRect, layout.boardRect);
  if (boardState.welcomePending != -1) redrawTrays();
  hook::drawPipCounts();
  drawAllCheckersKeepingTheHand();
  setPort(window);
  if (displaySettings.rowNumbersShown != 0) {
    drawRowNumbers();
    setPort(window);
  }
  if (boardState.welcomePending != -1) {
    if (flow.opponentMode == kTwoHumans) hook::drawNameLabels();
    if (storage.loadingGame != 0 || display.boardClearing != 0) {
      if (display.overlayActive != 0) interactionDisplay.boardInputEvent = 255;
      while (display.overlayActive != 0) closeBoardOverlay();
      hook::clearMessageLine(0);
      if (overlay.overlayPicture != nullptr) killPicture(overlay.overlayPicture);
      overlay.overlayPicture = nullptr;
    }
  }
  hook::drawTurnArrow();
  setPort(window);
  if (recording) showRecordedBoard(window);
  setPort(window);
  if (cube.cubeUsed != 0) drawCube();
  if (boardState.setupInProgress != -1 && flow.rollWaitActive != -1) {
    if (diceState.diceShowing != 0)
      showRolledDice();
    else
      redrawDice();
  }
  // Both taken before the box: a redraw while it is up (the window sized under it) neither
  // welcomes again nor greets over it.
  const bool greet = std::exchange(R.welcomeDone, int16_t{0}) == -1;
  if (std::exchange(storage.firstRun, uint8_t{0}) != 0) {
    textFont(kWelcomeFont);
    textSize(kWelcomeTextSize);
    upperServices.showLargeMessageYesNoDone(welcomeText(), kWelcomeBoxWidth, kWelcomeBoxHeight);
  }
  if (storage.loadingGame != 0 && (position.piecesOnBoard[0] == 0 || position.piecesOnBoard[1] == 0)) {
    flow.abortTurn = kLeaveTurn;
    flow.newGameRequested = -1;
  }
  setPort(window);
  clipRect(layout.boardRect);
  drawCentreEmblem();
  if (greet) greetOnce();
}

}  // namespace bg
