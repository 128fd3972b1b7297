#pragma once
// What the game flow asks of the areas above it that the rules' service tables do not
// already carry: the board display, the board interaction, the shell, speech, the
// rollouts, and the flow's own commands that later parts of the flow build. Each service
// is a plain call through a table the owner fills at start-up. The defaults are the least
// forms: the state change each service makes, nothing drawn, and every wait answered at
// once as if the user had clicked the dice, so whole games run with no window. Tests
// install fakes.
#include <cstdint>
#include <string_view>

namespace bg {

// isModifierDown codes.
inline constexpr int16_t kCommandModifier = 8;
inline constexpr int16_t kShiftModifier = 9;

// Cursors of the game.
inline constexpr int16_t kGameCursor = 2;
inline constexpr int16_t kBusyCursor = 4;

struct BoardPoint {
  int16_t h = 0;
  int16_t v = 0;
};

namespace flowLeast {
void nothing();
void setCursor(int16_t cursor);
void waitForPointClick();
void waitForClickOrKey();
void waitForPanelClose();
void humanTurn();
bool isModifierDown(int16_t code);
bool isNever();
BoardPoint boardCentre();
void showEndGameDialog(std::string_view text);
void quitGame();
void applyOpponentMode();
void showText(std::string_view text);
void showTitledText(std::string_view title, std::string_view text);
void tournamentSetupDialog();
void switchRollOver();
}  // namespace flowLeast

struct TurnServices {
  // Board display.
  void (*drawPipCounts)() = flowLeast::nothing;
  // True when the board is shown the other way round (the home side at the top).
  bool (*boardReversed)() = flowLeast::isNever;
  // Erases the strip above the board where the name labels stand.
  void (*copyStripAboveBoard)() = flowLeast::nothing;
  // Puts back the board area a session dialog covered.
  void (*restoreSavedScreenRect)() = flowLeast::nothing;
  // Lays out the two players' name labels over the board.
  void (*layoutNameLabels)() = flowLeast::nothing;
  // Switches roll-over once and redraws the turn arrow and its marker; the least form
  // only switches the option.
  void (*updateRollOverDisplay)() = flowLeast::switchRollOver;
  // The board centre in board coordinates.
  BoardPoint (*boardCentre)() = flowLeast::boardCentre;

  // Board interaction.
  // Every checker held in the hand back to the point it came from.
  void (*putBackHeldCheckers)() = flowLeast::nothing;
  // The human's move entry until the turn is left; the least form plays the first legal
  // play of the roll with the most pips for the human.
  void (*humanTurn)() = flowLeast::humanTurn;
  // Waits for a click on the board (a posted click is taken first) and hit-tests it into
  // interaction.clickedPoint, boardInput.hitDice, hitCube and requestAutoMove. The least
  // form clicks the dice.
  void (*waitForPointClick)() = flowLeast::waitForPointClick;
  // Waits for a click or key; the click's place is left in boardInput.clickH/clickV.
  void (*waitForClickOrKey)() = flowLeast::waitForClickOrKey;
  // The same wait under a board panel that any click or key takes down; the least form
  // is the plain wait above.
  void (*waitForPanelClose)() = flowLeast::waitForPanelClose;
  // Hit-tests the click in boardInput.clickH/clickV into interaction.clickedPoint,
  // boardInput.diceAreaClicked and boardRequests.
  void (*hitTestBoard)() = flowLeast::nothing;
  // Runs the first board command requested (boardRequests) and clears every request.
  void (*runBoardCommand)() = flowLeast::nothing;
  // Asks the opening winner whether to roll again (message 142); the answer in
  // interaction.panelAnswer.
  void (*askRollOver)() = flowLeast::nothing;
  void (*autoEnterFromBar)() = flowLeast::nothing;
  void (*autoBearOffMoves)() = flowLeast::nothing;
  void (*reportNoMoreMoves)() = flowLeast::nothing;
  void (*undoLastPartMove)() = flowLeast::nothing;
  // The Choose Dice window: the chosen dice in the die entries, or none.
  void (*chooseDiceWindow)() = flowLeast::nothing;

  // Shell.
  void (*pumpEvents)() = flowLeast::nothing;  // one slice of the event pump
  void (*pollEvents)() = flowLeast::nothing;  // one look at the event queue
  void (*setCursor)(int16_t cursor) = flowLeast::setCursor;
  void (*disableGameMenusDuringWait)() = flowLeast::nothing;
  void (*enableAllMenus)() = flowLeast::nothing;
  void (*switchHumanComputerSide)() = flowLeast::nothing;
  bool (*isModifierDown)(int16_t code) = flowLeast::isModifierDown;
  // Opens the end-of-game dialog; while it is open shellFlags.modalBusy is set and its
  // close calls finishGameAndContinue. The least form opens nothing.
  void (*showEndGameDialog)(std::string_view text) = flowLeast::showEndGameDialog;
  // Closes the end-of-game dialog and makes the board the output window again.
  void (*closeEndGameDialog)() = flowLeast::nothing;
  // Saves, says goodbye and ends the program; the least form only stops the main loop.
  void (*quitGame)() = flowLeast::quitGame;

  // The information box with its OK button.
  void (*showInformation)(std::string_view text) = flowLeast::showText;
  // A titled box of text with its OK button.
  void (*showTitledText)(std::string_view title, std::string_view text) = flowLeast::showTitledText;
  // Puts the check marks and item states of the option menus back in step with the
  // options after a session changed them.
  void (*markOptionItems)() = flowLeast::nothing;

  // Dialogs. Each least form makes only the state change its dialog makes when accepted
  // unchanged.
  // Saves the options into flow's saved values and starts the match to tournamentPoints.
  void (*tournamentSetupDialog)() = flowLeast::tournamentSetupDialog;
  // The stake and the currency of a money session.
  void (*moneyGameDialog)() = flowLeast::nothing;
  // Two people: the points conceded, answered through concedeOrCancel. The least form
  // gets no answer.
  void (*showConcedePointsDialog)() = flowLeast::nothing;
  void (*tournamentStatsDialog)() = flowLeast::nothing;
  // The analysis window with the candidate plays of the last search.
  void (*showAnalysisWindow)() = flowLeast::nothing;

  // Speech.
  void (*speakDiceRoll)() = flowLeast::nothing;

  // Rollouts.
  void (*updateRolloutStatistics)() = flowLeast::nothing;

  // Later parts of the game flow.
  // Applies opponentMode to the player kinds; the least form: mode 2 both computer,
  // mode 3 both human, else player 0 human against the computer.
  void (*applyOpponentMode)() = flowLeast::applyOpponentMode;
  void (*tournamentCommand)() = flowLeast::nothing;
  void (*diceClickTakeBack)() = flowLeast::nothing;
  void (*makeBestMoveCommand)() = flowLeast::nothing;
  // Runs after a game is scored.
  void (*endGameHook)() = flowLeast::nothing;
};

extern TurnServices turnServices;

namespace hook {
inline void drawPipCounts() { turnServices.drawPipCounts(); }
inline void humanTurn() { turnServices.humanTurn(); }
inline void waitForPointClick() { turnServices.waitForPointClick(); }
inline void waitForClickOrKey() { turnServices.waitForClickOrKey(); }
inline void waitForPanelClose() { turnServices.waitForPanelClose(); }
inline void hitTestBoard() { turnServices.hitTestBoard(); }
inline void runBoardCommand() { turnServices.runBoardCommand(); }
inline void askRollOver() { turnServices.askRollOver(); }
inline void autoEnterFromBar() { turnServices.autoEnterFromBar(); }
inline void autoBearOffMoves() { turnServices.autoBearOffMoves(); }
inline void reportNoMoreMoves() { turnServices.reportNoMoreMoves(); }
inline void undoLastPartMove() { turnServices.undoLastPartMove(); }
inline void chooseDiceWindow() { turnServices.chooseDiceWindow(); }
inline void pumpEvents() { turnServices.pumpEvents(); }
inline void pollEvents() { turnServices.pollEvents(); }
inline void setCursor(int16_t cursor) { turnServices.setCursor(cursor); }
inline void disableGameMenusDuringWait() { turnServices.disableGameMenusDuringWait(); }
inline void enableAllMenus() { turnServices.enableAllMenus(); }
inline void switchHumanComputerSide() { turnServices.switchHumanComputerSide(); }
inline bool isModifierDown(int16_t code) { return turnServices.isModifierDown(code); }
inline void showEndGameDialog(std::string_view text) { turnServices.showEndGameDialog(text); }
inline void closeEndGameDialog() { turnServices.closeEndGameDialog(); }
inline void quitGame() { turnServices.quitGame(); }
inline void speakDiceRoll() { turnServices.speakDiceRoll(); }
inline void updateRolloutStatistics() { turnServices.updateRolloutStatistics(); }
inline void applyOpponentMode() { turnServices.applyOpponentMode(); }
inline void tournamentCommand() { turnServices.tournamentCommand(); }
inline void diceClickTakeBack() { turnServices.diceClickTakeBack(); }
inline void makeBestMoveCommand() { turnServices.makeBestMoveCommand(); }
inline bool boardReversed() { return turnServices.boardReversed(); }
inline void copyStripAboveBoard() { turnServices.copyStripAboveBoard(); }
inline void restoreSavedScreenRect() { turnServices.restoreSavedScreenRect(); }
inline void layoutNameLabels() { turnServices.layoutNameLabels(); }
inline void returnCheckersInHand() { turnServices.putBackHeldCheckers(); }
inline void updateRollOverDisplay() { turnServices.updateRollOverDisplay(); }
inline void showInformation(std::string_view text) { turnServices.showInformation(text); }
inline void showTitledText(std::string_view title, std::string_view text) {
  turnServices.showTitledText(title, text);
}
inline void markOptionItems() { turnServices.markOptionItems(); }
inline void tournamentSetupDialog() { turnServices.tournamentSetupDialog(); }
inline void moneyGameDialog() { turnServices.moneyGameDialog(); }
inline void showConcedePointsDialog() { turnServices.showConcedePointsDialog(); }
inline void tournamentStatsDialog() { turnServices.tournamentStatsDialog(); }
inline void showAnalysisWindow() { turnServices.showAnalysisWindow(); }
}  // namespace hook

}  // namespace bg
