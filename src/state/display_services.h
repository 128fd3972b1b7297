#pragma once
// What the rules ask of the board display. Each service is a plain call through a
// table that the display fills at start-up; the defaults make only the state change
// the service makes (the checker moves in `board`, the dice flags change) and draw
// nothing, which is also what the tests start from.
#include <cstdint>

namespace bg {

struct BoardRect {
  int16_t left = 0;
  int16_t top = 0;
  int16_t right = 0;
  int16_t bottom = 0;
  bool operator==(const BoardRect&) const = default;
};

namespace least {
void setDiceDisplayFlags(int16_t show);
void frameAllDice();
void showDieUsed(int16_t die);
void animateCheckerMove(int16_t targetX, int16_t targetY);
void drawHitToBar();
void bearOffToTray();
void redrawBoardWindow();
void redrawBoardPicture();
void closeBoardOverlay();
void drawDieImage(int16_t faceIndex, int16_t mask, int16_t left, int16_t top);
void restoreBoardBackground(BoardRect area);
void refreshDragSaveUnder(BoardRect area);
void flushBoardWindow();
void drawCube();
void drawTurnArrow();
void drawNameLabels();
}  // namespace least

struct DisplayServices {
  // show -1: dice on the board (the places of the side not on turn hidden, one die per
  // end in the opening roll); 0: no dice, every place drawn. Flags only.
  void (*setDiceDisplayFlags)(int16_t show) = least::setDiceDisplayFlags;
  // Draws or erases the four die places of the frame by their flags.
  void (*frameAllDice)() = least::frameAllDice;
  // Draws die n as used; once all four dice are used, clears the dice display.
  void (*showDieUsed)(int16_t die) = least::showDieUsed;
  // Moves a checker of currentPlayer from hand.selectedPoint (-1: its tray) to
  // hand.moveToPoint, on screen and in `board`.
  void (*animateCheckerMove)(int16_t targetX, int16_t targetY) = least::animateCheckerMove;
  // Puts the checker hit on hand.moveToPoint on the bar of the other side.
  void (*drawHitToBar)() = least::drawHitToBar;
  // Moves the checker on hand.selectedPoint into the tray of display.movingPieceSide
  // and lowers that side's piecesOnBoard.
  void (*bearOffToTray)() = least::bearOffToTray;
  void (*redrawBoardWindow)() = least::redrawBoardWindow;
  // Redraws the board picture and closes an open overlay.
  void (*redrawBoardPicture)() = least::redrawBoardPicture;
  // Takes the top overlay box down; nothing unless one is up.
  void (*closeBoardOverlay)() = least::closeBoardOverlay;
  // Copies a die face image through a mask, clipped to the board, onto the window.
  void (*drawDieImage)(int16_t faceIndex, int16_t mask, int16_t left, int16_t top) = least::drawDieImage;
  // Copies the board image under the area back onto the window.
  void (*restoreBoardBackground)(BoardRect area) = least::restoreBoardBackground;
  // Refreshes the held checker's save-under image where the board changed.
  void (*refreshDragSaveUnder)(BoardRect area) = least::refreshDragSaveUnder;
  void (*flushBoardWindow)() = least::flushBoardWindow;
  // Draws the cube with its value (sliding it when cube.cubeJustDoubled is set).
  void (*drawCube)() = least::drawCube;
  void (*drawTurnArrow)() = least::drawTurnArrow;
  void (*drawNameLabels)() = least::drawNameLabels;
};

extern DisplayServices displayServices;

namespace hook {
inline void setDiceDisplayFlags(int16_t show) { displayServices.setDiceDisplayFlags(show); }
inline void frameAllDice() { displayServices.frameAllDice(); }
inline void showDieUsed(int16_t die) { displayServices.showDieUsed(die); }
inline void animateCheckerMove(int16_t targetX, int16_t targetY) {
  displayServices.animateCheckerMove(targetX, targetY);
}
inline void drawHitToBar() { displayServices.drawHitToBar(); }
inline void bearOffToTray() { displayServices.bearOffToTray(); }
inline void redrawBoardWindow() { displayServices.redrawBoardWindow(); }
inline void redrawBoardPicture() { displayServices.redrawBoardPicture(); }
inline void closeBoardOverlay() { displayServices.closeBoardOverlay(); }
inline void drawDieImage(int16_t faceIndex, int16_t mask, int16_t left, int16_t top) {
  displayServices.drawDieImage(faceIndex, mask, left, top);
}
inline void restoreBoardBackground(BoardRect area) { displayServices.restoreBoardBackground(area); }
inline void refreshDragSaveUnder(BoardRect area) { displayServices.refreshDragSaveUnder(area); }
inline void flushBoardWindow() { displayServices.flushBoardWindow(); }
inline void drawCube() { displayServices.drawCube(); }
inline void drawTurnArrow() { displayServices.drawTurnArrow(); }
inline void drawNameLabels() { displayServices.drawNameLabels(); }
}  // namespace hook

}  // namespace bg
