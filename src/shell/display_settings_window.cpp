#include "shell/display_settings_window.h"

#include <string>
#include <string_view>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_state.h"
#include "display/board_rebuild.h"
#include "display/board_redraw.h"
#include "display/board_resources.h"
#include "display/row_numbers.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/designed_windows.h"
#include "runtime/qt/events.h"
#include "runtime/qt/windows.h"
#include "shell/radio_groups.h"
#include "shell/shell_settings.h"
#include "shell/submenus.h"
#include "state/board_state.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/menu_numbers.h"
#include "state/program_state.h"
#include "state/settings.h"

namespace bg {

DisplaySettingsWindow displaySettingsWindow;
BG_RESETS_WITH_PROGRAM(displaySettingsWindow);

namespace {

constexpr int16_t kW = kDisplaySettingsWindow;
constexpr int16_t kWidth = 378;
constexpr int16_t kHeight = 340;
constexpr int16_t kDone = 1;
constexpr int16_t kEscape = 2;
constexpr int16_t kRowNumbersBox = 3;
constexpr int16_t kPossibleMovesBox = 5;
constexpr int16_t kFourDiceBox = 7;
constexpr int16_t kSolidColoursBox = 9;
constexpr int16_t kImmediateBox = 11;
constexpr int16_t kSpeedPopUp = 13;
constexpr int16_t kShapePopUp = 15;
constexpr int16_t kSizePopUp = 17;
constexpr int16_t kColourPopUp = 19;
constexpr int16_t kFramePopUp = 21;
constexpr int16_t kBoardSizeMenu = 14;
constexpr int16_t kFrameMenu = 22;
// The picture board is drawn at its own size, the one of this item.
constexpr int16_t kPictureBoardSize = 5;
constexpr int16_t kControlLeft = 30;
constexpr int16_t kControlRight = 240;
constexpr int16_t kRowHeight = 25;
// A pop-up's title is a label of its own, numbered apart from the controls.
constexpr int16_t kTitleOffset = 100;
constexpr int16_t kPopUpTitleWidth = 92;
constexpr int16_t kPopUpHeight = 23;
constexpr int16_t kTitleDrop = 4;
constexpr int16_t kHelpLeft = 270;
constexpr int16_t kHelpRight = 350;
constexpr int16_t kHelpHeight = 17;
constexpr uint8_t kSizeChange = 255;

struct CheckBoxRow {
  int16_t id;
  const char* title;
  int16_t top;
};
constexpr CheckBoxRow kCheckBoxes[] = {{kPossibleMovesBox, "Show Possible Moves", 20},
                                       {kRowNumbersBox, "Show Row Numbers", 45},
                                       {kFourDiceBox, "Display 4 Dice on Doubles", 70},
                                       {kSolidColoursBox, "Use Solid Piece Colours", 95},
                                       {kImmediateBox, "Show Changes Immediately", 130}};

struct PopUpRow {
  int16_t id;
  const char* title;
  int16_t top, menu;
};
constexpr PopUpRow kPopUps[] = {{kShapePopUp, "Piece Shape: ", 165, kPieceShapeMenu},
                                {kSpeedPopUp, "Piece Speed: ", 190, kPieceSpeedMenu},
                                {kColourPopUp, "Board Colour: ", 215, kBoardColourMenu},
                                {kFramePopUp, "Board Frame:", 240, kFrameMenu},
                                {kSizePopUp, "Board Size:   ", 265, kBoardSizeMenu}};

// "Use Solid Piece Colours" has no help.
struct HelpRow {
  int16_t id, top;
  std::string_view topic;
};
constexpr HelpRow kHelpButtons[] = {{6, 23, "Show Possible Moves Help"},
                                    {4, 48, "Show Row Numbers Help"},
                                    {8, 73, "Display 4 Dice Help"},
                                    {12, 135, "Show Changes Immediately Help"},
                                    {16, 169, "Piece Shape Help"},
                                    {14, 194, "Piece Speed Help"},
                                    {20, 219, "Board Colour Help"},
                                    {22, 244, "Board Frame Help"},
                                    {18, 269, "Board Size Help"}};
constexpr Rect kDoneRect{160, 304, 230, 324};
// Tab goes row by row: each setting, then its help button.
constexpr int16_t kTabOrder[] = {5, 6, 3, 4, 7, 8, 9, 11, 12, 15, 16, 13, 14, 19, 20, 21, 22, 17, 18, kDone};

int16_t value(int16_t id) { return controlValue(kW, id); }
int16_t boxOf(long flag) { return flag != 0 ? int16_t{1} : int16_t{0}; }
int16_t negated(int16_t id) { return static_cast<int16_t>(0 - value(id)); }
bool onPictureBoard() { return display.boardColor == kPictureBoard; }

// A free-size board has no size item; leaving the picture board then takes its size.
int16_t sizeItemOrPictureSize(int16_t item) { return item >= 1 ? item : kPictureBoardSize; }

// A board sized freely has no item of its own: the box says so, with the width.
void showBoardSize() {
  setControlValue(kW, kSizePopUp, shellWindow.boardSizeIndex);
  setControlText(kW, kSizePopUp, "Free (" + std::to_string(display.boardWidth) + " wide)");
}

// The board is drawn again and the pop-ups' menus marked with what it now shows; the
// window stays in front for the next change.
void redrawUnderWindow() {
  redrawBoardWindow();
  installDisplayPopUps();
  if (windowExists(kW)) {
    windowSelect(kW);
    setOutputWindow(kW);
  }
}

void colourHit() {
  BoardState& B = boardState;
  B.pendingBoardColor = value(kColourPopUp);
  const bool leaving = onPictureBoard() && B.pendingBoardColor != kPictureBoard;
  const bool entering = !onPictureBoard() && B.pendingBoardColor == kPictureBoard;
  if (leaving || entering) {
    B.boardColorChangePending = -1;
    B.boardSizeChangePending = kSizeChange;
    B.pendingBoardSize = entering ? kPictureBoardSize : sizeItemOrPictureSize(shellWindow.boardSizeIndex);
  } else if (B.pendingBoardColor != display.boardColor) {
    B.boardColorChangePending = -1;
  }
  if (B.boardColorChangePending == 0) return;
  if (leaving || entering) {
    reloadColourCursors();
    B.boardRelayoutRequested = -1;
  }
  rebuildBoardWindow();
  B.boardRelayoutRequested = 0;
  // An unreadable colour file leaves the colour in use; the pop-up shows it again.
  if (B.pendingBoardColor == kCustomColours && B.customColoursRead == 0) {
    B.boardSizeChangePending = 0;
    setControlValue(kW, kColourPopUp, display.boardColor);
  }
  showBoardSize();
  redrawUnderWindow();
}

void sizeHit() {
  if (onPictureBoard() || value(kSizePopUp) < 1) return;
  displaySettingsWindow.sizeWaitsForDone = 0;
  if (value(kSizePopUp) == shellWindow.boardSizeIndex) return;
  boardState.pendingBoardSize = value(kSizePopUp);
  boardState.boardSizeChangePending = kSizeChange;
  rebuildBoardWindow();
  boardState.boardSizeChangePending = 0;
  redrawUnderWindow();
}

// The board's menus back, every mark in line with what the window left in force.
void backToTheBoard() {
  returnToBoardWindow();
  installSubmenus();
}

// Done: read, close, apply.
void finishDisplaySettings() {
  controlsToSettings();
  windowClose(kW);
  setOutputWindow(kBoardWindowNumber);
  applyDisplaySettings();
  returnFromClosedDialog();
  installSubmenus();
}

}  // namespace

void buildDisplaySettingsDialog() {
  if (frontWindow() != kBoardWindowNumber) return;
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  windowOpen(kW, "Display Settings", makeRect(0, 0, kWidth, kHeight), kFixedWindow, false);
  setOutputWindow(kW);
  for (const CheckBoxRow& c : kCheckBoxes)
    addCheckBox(kW, c.id, c.title, makeRect(kControlLeft, c.top, kControlRight, c.top + kRowHeight));
  for (const PopUpRow& p : kPopUps) {
    constexpr int16_t kPopUpLeft = kControlLeft + kPopUpTitleWidth;
    addStaticText(kW, static_cast<int16_t>(p.id + kTitleOffset), p.title,
                  makeRect(kControlLeft, p.top + kTitleDrop, kPopUpLeft, p.top + kRowHeight));
    addPopUpMenu(kW, p.id, p.menu, makeRect(kPopUpLeft, p.top, kControlRight, p.top + kPopUpHeight));
  }
  for (const HelpRow& h : kHelpButtons)
    addPushButton(kW, h.id, "<- Info", makeRect(kHelpLeft, h.top, kHelpRight, h.top + kHelpHeight));
  addPushButton(kW, kDone, "Done", kDoneRect);
  setControlTabOrder(kW, kTabOrder);
  dialogWindows.dialogFlags[1] = kButtonPresent;
  dialogWindows.dialogFlags[2] = 0;
  settingsToControls();
  showModalWindow(kW);
  dialogWindows.modalDialogWnd = kW;
  setDialogVector(dialogEventHandler);
  FBInstallDialogHandler();
  disableAllMenus();
  setCursor(kArrowCursor);
}

void settingsToControls() {
  setControlValue(kW, kRowNumbersBox, boxOf(displaySettings.rowNumbersShown));
  setControlValue(kW, kPossibleMovesBox, boxOf(displaySettings.showPossibleMoves));
  setControlValue(kW, kFourDiceBox, boxOf(settings.display4OnDoubles));
  setControlValue(kW, kSolidColoursBox, boxOf(displaySettings.solidPieceColors));
  setControlValue(kW, kImmediateBox, boxOf(shellSettings.showChangesImmediately));
  setControlValue(kW, kShapePopUp, displaySettings.pieceShapeApplied);
  setControlValue(kW, kSpeedPopUp, displaySettings.pieceSpeed);
  setControlValue(kW, kColourPopUp, display.boardColor);
  setControlValue(kW, kFramePopUp, static_cast<int16_t>(boardState.boardFrameDesign + 1));
  showBoardSize();
  displaySettingsWindow.sizeWaitsForDone = 0;
}

void controlsToSettings() {
  BoardState& B = boardState;
  displaySettings.rowNumbersShown = negated(kRowNumbersBox);
  displaySettings.showPossibleMoves = negated(kPossibleMovesBox);
  settings.display4OnDoubles = negated(kFourDiceBox);
  shellSettings.pendingSolidColors = static_cast<uint8_t>(negated(kSolidColoursBox));
  shellSettings.pieceSpeedChoice = value(kSpeedPopUp);
  selectPieceSpeed();
  shellSettings.pieceShape = value(kShapePopUp);
  B.pendingBoardSize = value(kSizePopUp);
  B.pendingBoardColor = value(kColourPopUp);
  B.frameDesignChoice = static_cast<int16_t>(value(kFramePopUp) - 1);
  if (B.pendingBoardColor == kPictureBoard) {
    B.pendingBoardSize = kPictureBoardSize;
    shellSettings.pieceShape = displaySettings.pieceShapeApplied;
  }
  redrawBoardWindow();
}

void displaySettingsItemHit(int16_t n) {
  shellSettings.showChangesImmediately = negated(kImmediateBox);
  if (shellSettings.showChangesImmediately != -1) {
    if (n == kSizePopUp) displaySettingsWindow.sizeWaitsForDone = -1;
    return;
  }
  switch (n) {
    case kColourPopUp: colourHit(); break;
    case kFramePopUp:
      if (onPictureBoard()) return;
      boardState.frameDesignChoice = static_cast<int16_t>(value(kFramePopUp) - 1);
      invalidateBoard();
      redrawUnderWindow();
      break;
    case kSizePopUp: sizeHit(); break;
    case kShapePopUp:
      if (onPictureBoard()) return;
      shellSettings.pieceShape = value(kShapePopUp);
      applyPieceShape();
      redrawUnderWindow();
      break;
    case kRowNumbersBox:
      if (displaySettings.rowNumbersShown == negated(kRowNumbersBox)) return;
      updateRowNumbers();
      redrawUnderWindow();
      break;
    case kSolidColoursBox:
      if (onPictureBoard() || displaySettings.solidPieceColors == negated(kSolidColoursBox)) return;
      shellSettings.pendingSolidColors = static_cast<uint8_t>(negated(kSolidColoursBox));
      applySolidPieceColors();
      redrawUnderWindow();
      break;
    default: break;  // the others take effect at Done
  }
}

void displaySettingsHelp(int16_t n) {
  for (const HelpRow& h : kHelpButtons)
    if (h.id == n) showHelpText(h.topic, hook::helpTextNamed(h.topic));
}

void applyDisplaySettings() {
  BoardState& B = boardState;
  const bool leaving = onPictureBoard() && B.pendingBoardColor != kPictureBoard;
  const bool entering = !onPictureBoard() && B.pendingBoardColor == kPictureBoard;
  if (leaving || entering) {
    B.boardColorChangePending = -1;
    B.boardSizeChangePending = kSizeChange;
    B.pendingBoardSize = sizeItemOrPictureSize(B.pendingBoardSize);
  } else {
    if (B.pendingBoardColor != display.boardColor) B.boardColorChangePending = -1;
    // Only a size the user chose and that was not applied at once.
    if (displaySettingsWindow.sizeWaitsForDone != 0 && B.pendingBoardSize >= 1 &&
        B.pendingBoardSize != shellWindow.boardSizeIndex && !onPictureBoard())
      B.boardSizeChangePending = kSizeChange;
  }
  bool changed = false;
  if (B.frameDesignChoice != B.boardFrameDesign && !onPictureBoard()) {
    invalidateBoard();
    changed = true;
  }
  if (B.boardColorChangePending != 0 && (leaving || entering)) {
    reloadColourCursors();
    B.boardRelayoutRequested = -1;
  }
  if (B.boardColorChangePending != 0 || B.boardSizeChangePending != 0) {
    rebuildBoardWindow();
    changed = true;
    B.boardRelayoutRequested = 0;
    // An unreadable colour file leaves the size waiting too: nothing of it is applied.
    B.boardSizeChangePending = 0;
  }
  if (shellSettings.pieceShape != displaySettings.pieceShapeApplied && !onPictureBoard()) {
    applyPieceShape();
    changed = true;
  }
  if (static_cast<int8_t>(shellSettings.pendingSolidColors) != displaySettings.solidPieceColors && !onPictureBoard()) {
    applySolidPieceColors();
    changed = true;
  }
  displaySettingsWindow.sizeWaitsForDone = 0;
  // The closing redraw runs at the first close in a run only; every later Done that
  // changed the board repaints it here, or the board keeps showing the old picture.
  if (changed && shellSettings.displayRedrawPending == 0) {
    setOutputWindow(kBoardWindowNumber);
    redrawBoardWindow();
  }
  closeDisplaySettings(kBoardWindowNumber);
}

void closeDisplaySettings(int16_t n) {
  if (shellSettings.displayRedrawPending == 0) return;
  setOutputWindow(kBoardWindowNumber);
  if (n == kBoardWindowNumber) {
    redrawBoardWindow();
  } else {
    invalidateWindow(kBoardWindowNumber);
    setOutputWindow(n);
  }
  shellSettings.displayRedrawPending = 0;
}

void displaySettingsEvent(int16_t id) {
  if (!windowExists(kW)) return;
  if (id == kDone) {
    finishDisplaySettings();
  } else if (id == kEscape) {
    // What waits for Done is dropped; what was applied at once stays.
    backToTheBoard();
  } else if (id % 2 == 1) {
    displaySettingsItemHit(id);
  } else {
    displaySettingsHelp(id);
  }
}

}  // namespace bg
