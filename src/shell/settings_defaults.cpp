#include "shell/settings_defaults.h"

#include <QOperatingSystemVersion>

#include "computer/personalities.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "state/board_state.h"
#include "state/display_settings.h"
#include "display/message_line.h"
#include "rules/game_record.h"
#include "rollout/rollout_settings.h"
#include "runtime/core/random.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/text.h"
#include "shell/menu_marks.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "state/app_constants.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/storage_state.h"
#include "state/shell_flags.h"
#include "state/shell_state.h"
#include "state/speech_state.h"

namespace bg {

namespace {

constexpr int16_t kPieceSpeedMenu = 12;
constexpr int16_t kBoardSizeMenu = 14;
constexpr int16_t kScreenMenu = 23;
constexpr int16_t kNoCursorPoint = 99;
constexpr int16_t kMediumScreen = 651;   // from here: the screen rules apply
constexpr int16_t kLargeScreen = 901;
constexpr int32_t kPowerPcArchitecture = 2;
constexpr int32_t kFastProcessor = 5;

// Frame designs 1 to 8: the frame tile and the shade tile.
constexpr int16_t kDesignPictures[9][2] = {{0, 0},     {143, 138}, {135, 138}, {141, 138}, {139, 138},
                                            {144, 134}, {142, 134}, {145, 134}, {132, 134}};

}  // namespace

int32_t osVersionParts() {
  const QOperatingSystemVersion v = QOperatingSystemVersion::current();
  return v.minorVersion() < 0 ? 0 : v.minorVersion();
}

void initAppConstants() {
  appConstants.programName = "Tavrik's Backgammon";
  appConstants.versionText = "6.4";
  appConstants.buildText = "0";
  shellWindow.osVersionValue = static_cast<int16_t>(osVersionParts());
}

void initGlobalDefaults() {
  shellSettings.showChangesImmediately = -1;
  shellSettings.displayRedrawPending = 255;
  for (int d = 1; d <= 8; ++d) {
    shellWindow.designTilePictures[d][0] = kDesignPictures[d][0];
    shellWindow.designTilePictures[d][1] = kDesignPictures[d][1];
  }
  shellSettings.lastCursorPoint = kNoCursorPoint;
  rolloutSettings.rolloutStopFlag = 0;
  rollout.rolloutRunning = 0;
  rolloutSettings.rolloutAutoConcessions = 0;
  rolloutSettings.gamesWanted = 1000;
  rolloutSettings.minMaxStart = 200;
  rollout.rolloutShowBoard = 0;
  rolloutSettings.rolloutCubeUsed = 0;
  rolloutSettings.rolloutJacobyRule = 0;
  rolloutSettings.rolloutBackgammonsAllowed = -1;
  shellSettings.trayPoint[0] = -1;
  shellSettings.trayPoint[1] = -2;
  position.currentPlayer = 0;
  position.otherPlayer = 1;
  resetGameRecord();
  position.barPoint[0] = 25;
  position.barPoint[1] = 0;
  shellSettings.barPointAlt[0] = 25;
  shellSettings.barPointAlt[1] = 0;
  flow.newGameRequested = -1;
  speech.waitForSpeechEnd = 0;
  for (int side = 0; side <= 1; ++side) {
    for (int die = 0; die <= 1; ++die) {
      display.dieSlots[side][die].value = static_cast<int16_t>(rnd(6));
      display.dieSlots[side][die].hidden = 0;
    }
  }
  shellSettings.stackWrap = 5;
}

void initSettingsDefaults() {
  skill.personality = 2;
  displaySettings.solidPieceColors = 0;
  shellSettings.borderDesign = 1;
  boardState.frameDesignChoice = 7;
  boardState.boardFrameDesign = 7;
  // The design in force is drawn from the first start on, as after choosing it.
  boardState.designTilesChoice = 1;
  boardState.designTilesOn = 1;
  options.wagerSymbol = "$";
  options.wagerSymbolLocation = 12;
  options.wagerAmount = 1;
  options.wagerCurrency = "Dollars";
  options.autoEnterFromBarOn = 0;
  options.autoBearOffOn = 0;
  options.autoPlayForHumanOn = 0;
  options.autoPlayForcedOn = 0;
  options.easyMoves = 0;
  options.autoMoves = 0;
  options.rightMouseActionNP = 4;
  options.rightMouseActionP = 1;
  storage.loadGameOnStartup = 0;
  shell.saveGameOnExit = 0;
  shell.quitting = 0;
  shell.savedGameName = "";
  options.showPipCounts = 0;
  flow.moneySessionActive = 0;
  shell.moneySessionGoing = 999;
  shellSettings.moneyPanelFlag = 0;
  settings.whoRollsFirst = 1;
  settings.display4OnDoubles = -1;
  options.speakHumanDice = 0;
  options.speakComputerDice = 0;
  options.shortDiceMessage = 0;
  options.selectOneOnly = -1;
  displaySettings.showPossibleMoves = -1;
  displaySettings.rowNumbersShown = -1;
  displaySettings.pieceShapeApplied = 3;
  displaySettings.pieceShapeBase = 6;
  cube.cubeMaximum = 64;
  options.autoPass = 255;
  shellFlags.fastPlay = 0;
  menuMarks.fastPlayMark = kMarkOff;
  options.clickAfterHumanMove = 0;
  options.clickAfterComputerMove = 0;
  settings.automaticRolls = 0;
  displaySettings.customColorsFileName = "None";
  displaySettings.pieceSize = 3;
  display.boardColor = 10;
  shellWindow.boardSizeIndex = defaultBoardSizeIndex(shellWindow.screenWidth);
  display.boardWidth = shellWindow.boardSizeTable[shellWindow.boardSizeIndex];
  shellSettings.windowFitState = 0;
  settings.rerollFirstRoll = 0;
  settings.backgammonAllowed = 255;
  options.autoConcessions = 0;
  flow.opponentMode = kComputerOpponent;
  shell.originateCall = 0;
  shell.modemSpeed = 2400;
  shell.phoneNumber = "No Phone #";
  shell.playerNames[0] = "No Name";
  shell.playerNames[1] = "Computer";
  players.activePlayers = 1;
  players.playerRecords[1].firstName = "Computer";
  players.playerRecords[1].secondName = "No Name";
  settings.soundOptions.soundOn = 255;
  settings.soundOptions.diceSoundOn = 255;
  settings.longDiceSound = -1;
  settings.soundOptions.soundLevel = 8;
  shellSettings.autoDoubleMaxChoice = 0;
  cube.autoDoubleMax = 0;
  shellSettings.cubeMaximumChoice = 0;
  speech.speechOn = 0;
  speech.voiceName = "Bruce";
  skill.skillLevel = 5;
  cube.cubeUsed = -1;
  menuMarks.cubeUsedMark = kMarkOn;
  menuMarks.jacobyRuleMark = kMarkOff;
  cube.jacobyRule = 0;
  cube.crawfordRule = 255;
  cube.beaverAllowed = 0;
  menuMarks.beaverAllowedMark = kMarkOff;
  cube.acceptDoubles = 0;
  menuMarks.acceptDoublesMark = kMarkOff;
  options.rollOverOnce = 0;
  options.rollOverItemState = kMarkOff;
  shell.languageName = "English";
  position.playerDirection[0] = 1;
  position.playerDirection[1] = -1;
  position.playerType[0] = kHumanPlayer;
  position.playerType[1] = kComputerPlayer;
  displaySettings.playDirection = 0;
  shellSettings.perspectiveBase[0] = 25;
  shellSettings.perspectiveBase[1] = 0;
  display.playerColors[0] = 1;
  display.playerColors[1] = 0;
  // Every system this runs on is newer than the one that slowed the pieces down.
  displaySettings.pieceSpeed = 6;
  settings.inputDice = 0;
  menuMarks.inputDiceMark = kMarkOff;
  shellSettings.takeBackClickFlag = 0;
}

void initTextAndSystem() {
  shellWindow.textFont = 3;
  shellWindow.textFace = 0;
  textFont(shellWindow.textFont);
  textSize(layout.textSize);
  textMode(0);
  textFace(0);
  shellSettings.statsLayoutFactor = 0.88f;
  const int16_t depth = mainDeviceDepth();
  if (depth < 3) {
    setMenuItemState(kScreenMenu, 19, kItemDisabled, "");
    setMenuItemState(kScreenMenu, 2, kItemDisabled, "");
  }
  const bool powerPc = gestaltValue("sysa") == kPowerPcArchitecture;
  if (!powerPc && gestaltValue("proc") < kFastProcessor) {
    shellWindow.slowMachine = -1;
    displaySettings.pieceSpeed = 9;
    checkMenuItemOnly(kPieceSpeedMenu, 9);
  }
  const int16_t width = shellWindow.screenWidth;
  if (depth != 32 && width < kMediumScreen) return;
  int16_t sizeIndex = shellWindow.boardSizeIndex;
  int16_t speed = displaySettings.pieceSpeed;
  if (width >= kLargeScreen) {
    if (depth == 32 || depth == 16) sizeIndex = 6;
    speed = 9;
  } else if (width >= kMediumScreen) {
    if (depth == 32) sizeIndex = 6;
    speed = 8;
  }
  if (sizeIndex != shellWindow.boardSizeIndex) {
    shellWindow.boardSizeIndex = sizeIndex;
    checkMenuItemOnly(kBoardSizeMenu, sizeIndex);
    display.boardWidth = shellWindow.boardSizeTable[sizeIndex];
  }
  if (speed != displaySettings.pieceSpeed) {
    displaySettings.pieceSpeed = speed;
    checkMenuItemOnly(kPieceSpeedMenu, speed);
  }
}

}  // namespace bg
