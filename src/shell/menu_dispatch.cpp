#include "shell/menu_dispatch.h"

#include "audio/sound_effects.h"
#include "audio/speech.h"
#include "computer/late_race.h"
#include "dialogs/about_box.h"
#include "dialogs/dialog_state.h"
#include "dialogs/option_dialogs.h"
#include "dialogs/help_window.h"
#include "dialogs/game_setup_dialogs.h"
#include "dialogs/question_window.h"
#include "dialogs/rollout_dialogs.h"
#include "dialogs/scoreboard_dialogs.h"
#include "dialogs/statistics_dialogs.h"
#include "display/board_redraw.h"
#include "display/checker_animation.h"
#include "display/message_line.h"
#include "display/upper_services.h"
#include "flow/best_move_commands.h"
#include "flow/opponent_modes.h"
#include "flow/resignation.h"
#include "flow/sessions.h"
#include "flow/turn_services.h"
#include "state/board_state.h"
#include "interaction/board_commands.h"
#include "interaction/board_waits.h"
#include "interaction/key_commands.h"
#include "interaction/position_setup.h"
#include "rollout/game_record_printout.h"
#include "rules/play_search.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "shell/app_events.h"
#include "shell/board_options.h"
#include "shell/help_text_window.h"
#include "shell/hide_game.h"
#include "shell/display_settings_window.h"
#include "shell/menu_commands.h"
#include "shell/option_toggles.h"
#include "shell/pending_items.h"
#include "shell/radio_groups.h"
#include "shell/saved_game_commands.h"
#include "shell/shell_settings.h"
#include "state/display_state.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/flow_state.h"

namespace bg {

namespace {


// The Commands items that hand a letter to the keyboard command handler.
struct LetterItem {
  int16_t item;
  const char* letter;
};
constexpr LetterItem kLetterItems[] = {
    {kStatisticsBottomItem, "P"}, {kStatisticsTopItem, "R"},   {kBlotRiskItem, "B"},
    {kReplayComputerMoveItem, "I"}, {kCubeAdviceItem, "D"},    {kMakeBestMoveItem, "M"},
    {kShowBestMovesItem, "S"},    {kAnalyseLastPlayItem, "C"}, {kContextHelpItem, "H"},
    {kNotePadItem, "N"}};

constexpr int16_t kAboutItem = 1;          // the application menu
constexpr int16_t kHelpTopicsItem = 2;     // the application menu
// The Info items with a help page (17 and 19 came from the Help menu).
constexpr int16_t kHelpPageItems[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 17, 19};

bool boardWaiting() { return hand.boardWaitActive != 0; }

// Settings, Options and Commands: silent during a board wait, message 2 with a checker
// in the hand.
bool busyRefusal() {
  if (boardWaiting()) return true;
  if (hand.pieceInHand != 0) {
    refuseCommandBusy();
    return true;
  }
  return false;
}

// Commands that read or rewrite the position a running search works on.
bool searchRefusal() { return refuseWhileSearching(); }

void fileMenuCommand(int16_t item) {
  if (item == kHideGameItem) toggleHideGame();
  if (item == kPrintRecordItem) printGameRecord();
  if (item == kQuitItem) hook::quitGame();
  fileOpenSaveCommand(item);
}

void hiddenGameMenuCommand(int16_t item) {
  if (item == kResumeGameItem) toggleHideGame();
  if (item == kHiddenQuitItem) hook::quitGame();
}

// The sound dialog waits until the board is built.
void showSoundDialog() {
  if (display.firstBoardBuild != -1) soundDialog();
}

// The Settings items that draw the whole board anew.
constexpr int16_t kBoardRedrawingItems[] = {kDisplaySettingsItem, kPlayDirectionItem, kSwapColoursItem,
                                            kFlipBoardItem, kFitWindowItem, kRedrawBoardItem};

bool redrawsTheBoard(int16_t item) {
  for (const int16_t i : kBoardRedrawingItems)
    if (i == item) return true;
  return false;
}

void runSettingsItem(int16_t item) {
  switch (item) {
    case kSelectOneOnlyItem: toggleSelectOneOnly(); break;
    case kVoiceItem: applyVoiceChoice(); break;
    case kComputerOnlySettingItem: toggleInputDice(); break;
    case kAutomaticRollsItem: toggleAutomaticRolls(); break;
    case kAutoPassItem: toggleAutoPass(); break;
    case kEasyMovesItem: easyMovesCommand(); break;
    case kPlayDirectionItem: togglePlayDirection(); break;
    case kSwapColoursItem: swapPlayerColours(); break;
    case kFlipBoardItem:
      if (!searchRefusal()) flipBoard();
      break;
    // The editor lays checkers on the board a running search tries its plays on.
    case kSetupCurrentItem:
      if (!searchRefusal()) setUpPosition();
      break;
    case kSetupEmptyItem:
      if (!searchRefusal()) startPositionSetup();
      break;
    case kFitWindowItem: resizeBoardWindow(); break;
    case kFastPlayItem: toggleFastPlay(); break;
    case kSoundDialogItem: showSoundDialog(); break;
    case kDisplaySettingsItem: buildDisplaySettingsDialog(); break;
    case kSpeakDiceItem: speakDiceDialog(); break;
    case kAutomaticMovesItem: automaticMovesDialog(); break;
    case kClickAfterMoveItem: clickAfterMoveDialog(); break;
    case kRedrawBoardItem: redrawBoardWindow(); break;
    default: break;
  }
}

void printMenuCommand(int16_t item) {
  if (item == kPrintHelpTextItem && appEvents.helpTextShowing != 0) printHelpWindow();
}

// Nothing while the game is hidden.
void applicationMenuCommand(int16_t item) {
  if (gameHidden()) return;
  if (item == kAboutItem) showAboutBox();
  if (item == kHelpTopicsItem) {
    shellSettings.helpTopicCode = kHelpTopicsTopic;
    showHelpTextWindow();
  }
}

}  // namespace

void menuEventHook() { doMenuCommand(); }

void doMenuCommand() {
  const int16_t menu = menuSelectionMenu();
  const int16_t item = menuSelectionItem();
  layerSelection.fbSelectValues[1] = menu;
  layerSelection.fbSelectValues[2] = item;
  // A posted choice of an item the menu does not have, or one still greyed for want of
  // its command, does nothing.
  if (item < 1 || item > menuItemCount(menu) || itemAwaitsCommand(menu, item)) return;
  // Until the board is first drawn there is no game to act on: the start's game (the one
  // kept at the last quit among them) comes with the board, and the choice waits for it.
  if (display.firstBoardBuild == -1) {
    postMenuSelection(menu, item);
    return;
  }
  switch (menu) {
    case kGameMenu: gameMenuCommand(item); break;
    case kInfoMenu: infoMenuCommand(item); break;
    case kSettingsMenu: settingsMenuCommand(item); break;
    case kOptionsMenu: optionsMenuCommand(item); break;
    case kComputerMenu: commandMenuCommand(item); break;
    case kSkillMenu:
      if (!boardWaiting()) skillLevelMenuCommand(item);
      break;
    case kPlayerMenu: playerMenuCommand(item); break;
    case kPersonalityMenu: personalityMenuCommand(item); break;
    case kHelpMenu: helpMenuCommand(item); break;
    case kFileMenu: fileMenuCommand(item); break;
    case kHiddenGameMenu: hiddenGameMenuCommand(item); break;
    case kPrintMenu: printMenuCommand(item); break;
    case kApplicationMenu: applicationMenuCommand(item); break;
    case kAutoDoubleMenu:
      shellSettings.autoDoubleMaxChoice = static_cast<int16_t>(item - 1);
      selectAutoDoubleMax();
      break;
    case kSoundMenu: setSoundOption(static_cast<int16_t>(item - 1), true); break;
    case kCubeMaximumMenu:
      shellSettings.cubeMaximumChoice = item;
      selectCubeMaximum();
      break;
    case kPieceSpeedMenu:
      shellSettings.pieceSpeedChoice = item;
      selectPieceSpeed();
      break;
    case kPieceShapeMenu:  // hung in the bar under Speed and Sound as well as in Display Settings
      shellSettings.pieceShape = item;
      applyPieceShape();
      break;
    case kVoiceMenu:
      speechChannel.pendingVoiceIndex = item;
      applyVoiceChoice();
      break;
    default: break;
  }
}

void gameMenuCommand(int16_t item) {
  shellSettings.helpTopicCode = item;
  if (boardWaiting() && item != kMoneyGameItem && item != kQuitGameItem) return;
  if (hand.piecePicked != 0) return;
  // A landing's sound lets the menus in while a move is half made (a hit checker on the bar
  // and a stand-in on its point): the game's commands are not taken until it has landed.
  if (animation.movesUnderWay > 0 && item != kSaveOnExitItem && item != kLoadAtStartItem) return;
  // Every item but the two marks ends the turn, opens a window or starts a rollout: held
  // checkers go back to their points first, or they would be counted nowhere or twice.
  // The position editor's go back where it picked them up.
  if (item != kSaveOnExitItem && item != kLoadAtStartItem) {
    if (boardState.setupInProgress == 0)
      hook::returnCheckersInHand();
    else
      putBackEveryHeldChecker();
    // A click on the board that came with the choice goes unanswered: taken after the
    // window had opened, it would pick a checker up under it, and a rollout would start
    // holding it.
    dropClicksNotTaken();
  }
  switch (item) {
    case kNewGameItem: requestNewGame(); break;
    case kCloseSessionItem: askCloseSession(); break;
    case kTournamentItem: tournamentCommand(); break;
    case kMoneyGameItem: moneyGameDialog(); break;
    case kMoneySessionItem: moneySessionCommand(); break;
    case kSaveOnExitItem: toggleSaveGameOnExit(); break;
    case kLoadAtStartItem: toggleLoadGameOnStartup(); break;
    case kResignItem: concedeGame(); break;
    case kComputerOpponentItem: selectOpponentMode(kComputerOpponent); break;
    case kTwoPlayersItem: twoPlayersDialog(); break;
    case kQuitGameItem: hook::quitGame(); break;
    case kRolloutItem: openRolloutSetupDialog(); break;
    default: break;
  }
}

// The Info items open their help pages and the About box; the web pages have no
// addresses and stay greyed.
void infoMenuCommand(int16_t item) {
  shellSettings.helpTopicCode = item;
  if (item == kInfoAboutItem) {
    showAboutBox();
    return;
  }
  for (int16_t page : kHelpPageItems)
    if (page == item) openHelpWindow(kInfoMenu, item);
}

void helpMenuCommand(int16_t item) { shellSettings.helpTopicCode = item; }

void settingsMenuCommand(int16_t item) {
  shellSettings.helpTopicCode = item;
  if (busyRefusal()) return;
  // A board panel waiting for its closing click comes down first: the board drawn anew
  // under it would leave the panel's saved background stale, or the wait going on with
  // no panel shown. Its wait ends once the item is done.
  const bool panelTaken = redrawsTheBoard(item) && takeDownWaitingPanel();
  runSettingsItem(item);
  if (panelTaken) endTakenPanelWait();
}

void optionsMenuCommand(int16_t item) {
  if (busyRefusal()) return;
  switch (item) {
    case kCubeUsedItem: toggleCubeUsed(); break;
    case kAutoDoubleItem: selectAutoDoubleMax(); break;
    case kBeaverItem: toggleBeaverAllowed(); break;
    case kJacobyItem: toggleJacobyRule(); break;
    case kComputerOnlyOptionItem: toggleAcceptDoubles(); break;
    case kBackgammonItem: toggleBackgammonAllowed(); break;
    case kRerollItem: toggleRerollFirstRoll(); break;
    case kAutoConcessionsItem: toggleAutoConcessions(); break;
    case kRollOverItem: hook::updateRollOverDisplay(); break;
    case kWhoGetsFirstRollItem: whoGetsFirstRollDialog(); break;
    default: break;
  }
}

void commandMenuCommand(int16_t item) {
  if (busyRefusal()) return;
  // Under a board panel that waits for its closing click the dice, the cube and the
  // verdict would act behind it (after Analyse Last Play for the other side), and its
  // closing would put back a stale board: like a typed letter, the item only takes it down.
  if ((item == kDiceActionItem || item == kCubeActionItem || item == kWhoIsAheadItem) && endPanelCloseWait()) return;
  if (item == kWhoIsAheadItem) {
    evaluateWhoIsAhead();
    return;
  }
  if (item == kFrameHelpItem) {
    showBoardFrameHelp();
    return;
  }
  if (item == kDiceActionItem) {
    triggerDiceAction();
    return;
  }
  if (item == kCubeActionItem) {
    handleCubeClick();
    return;
  }
  for (const LetterItem& l : kLetterItems) {
    if (l.item != item) continue;
    // The menu and the typed letter take the same road.
    interactionDisplay.keyBuffer = l.letter;
    doKeyDown();
    return;
  }
}

void playerMenuCommand(int16_t item) {
  switch (item) {
    case kEnterNameItem: enterNameCommand(); break;
    case kGameStatsItem: gameStatsDialog(); break;
    case kSessionStatsItem: sessionStatsDialog(); break;
    case kTournamentStatsItem: tournamentStatsCommand(); break;
    case kScoreboardItem: scoreboardDialog(); break;
    default: break;
  }
}

void installMenuCommands() {
  setMenuVector(menuEventHook);
  turnServices.disableGameMenusDuringWait = disableGameMenusDuringWait;
  turnServices.enableAllMenus = enableAllMenus;
  turnServices.markOptionItems = markOptionItems;
  upperServices.enterPlayerName = enterPlayerName;
}

}  // namespace bg
