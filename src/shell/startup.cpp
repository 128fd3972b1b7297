#include "shell/startup.h"

#include "audio/speech.h"
#include "dialogs/dialog_state.h"
#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/statistics_dialogs.h"
#include "display/audio_install.h"
#include "interaction/interaction_install.h"
#include "rollout/rollout_engine.h"
#include "dialogs/blot_risk_window.h"
#include "state/board_command_services.h"
#include "display/board_rebuild.h"
#include "display/colour_schemes.h"
#include "state/display_settings.h"
#include "display/score_display.h"
#include "display/upper_services.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "runtime/qt/app_init.h"
#include "runtime/core/fatal.h"
#include "runtime/qt/events.h"
#include "runtime/qt/fatal_alert.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/regions.h"
#include "runtime/qt/user_folders.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/board_window.h"
#include "shell/board_window_events.h"
#include "shell/menu_dispatch.h"
#include "shell/menu_marks.h"
#include "shell/pending_items.h"
#include "shell/program_data.h"
#include "shell/settings_defaults.h"
#include "runtime/core/files.h"
#include "runtime/core/own_files.h"
#include "shell/preference_install.h"
#include "shell/shared_services.h"
#include "shell/quit_game.h"
#include "shell/saved_game_commands.h"
#include "shell/submenus.h"
#include "storage/preferences_file.h"
#include "storage/saved_game_file.h"
#include "storage/startup_notices.h"
#include "shell/start_picture.h"
#include "state/display_state.h"
#include "state/rollout_state.h"
#include "state/shell_flags.h"

namespace bg {

namespace {

constexpr int16_t kEventSliceTicks = 2;
// Assumed when the screen reports no menu bar of its own (the bar is inside the window).
constexpr int16_t kMenuBarAllowance = 22;

void makeRegion(RgnHandle& rgn) {
  if (rgn == nullptr) rgn = newRgn();
}

void measureTheScreen() {
  const Rect screen = mainScreenRect();
  const Rect available = availableScreenRect();
  const int16_t menuBar = static_cast<int16_t>(available.top - screen.top);
  computeWindowGeometry(screen.width(), screen.height(), menuBar > 0 ? menuBar : kMenuBarAllowance);
}

void pumpOneSlice() {
  // A rollout's turns wait for nobody: its pump takes the events there are and goes on.
  if (rolloutPlaysUnattended())
    handleWaitingEvents();
  else
    FBHandleEvents();
  // A game that ended under another window shows its end once the board is in front.
  showHeldEndGameDialog();
}

}  // namespace

void initProgram(StartupStepObserver observer) {
  auto step = [observer](int16_t n) {
    if (observer != nullptr) observer(n);
  };
  step(1);
  setOrigin(0, 0);
  step(2);
  makeRegion(boardImages.boardClipRgn);
  step(3);
  initAppConstants();
  step(4);
  measureTheScreen();
  step(5);
  initGlobalDefaults();
  step(6);
  initColourAndStyleTables();
  step(7);
  initSettingsDefaults();
  step(8);
  loadMenuBars();
  step(9);
  initTextAndSystem();
  step(10);
  display.firstBoardBuild = -1;
  step(11);
  loadPreferences();
  // The picture board takes its size from its frame, whenever it comes into force.
  if (display.boardColor == kPictureBoard) measureFramePicture();
  step(12);
  mergeHelpMenuIntoInfoMenu();
  disablePendingItems();
  step(13);
  installSubmenus();
  step(14);
  initSpeech();
  step(15);
  buildBoardDisplay();
  step(16);
  openBoardWindow();
  // The bar chosen at step 13 goes into the window now that it exists.
  setMenuBar(kBoardWindow, menuBarMenus());
  step(17);
  drawStartPicture();
  step(18);
  initProgramData();
  step(19);
  dialogReturn.boardDialogEvent = doDialogEvent;
  setDialogVector(doDialogEvent);
  FBInstallDialogHandler();
}

void installBoardServices() {
  installDisplayServices();
  installInteractionServices();
  installRolloutServices();
  boardCommandServices.showBlotRisk = showBlotRisk;
  installScoreDisplay();
  installBoardWindowHandler();
  installAppEventHandlers();
  shellFlags.modalBusy = 0;
}

void installProgramServices() {
  installMenuCommands();
  setMouseVector(mouseEventHook);
  setDialogVector(doDialogEvent);
  setEventSlice(kEventSliceTicks);
  installFlowServices();
  turnServices.pumpEvents = pumpOneSlice;
  turnServices.quitGame = quitGame;
  installShellServices();
  setFileErrorAlertPresenter(showFileErrorAlert);
  installPreferenceServices();
  installDialogServices();
  installSavedGameServices();
  upperServices.endWaitLoop = endWaitLoop;
  installAudioServices();
}

int runApplication(int argc, char** argv) {
  rtInit(argc, argv);
  setFatalHandler(showFatalAlert);
  const bool foldersMade = initUserFolders();
  takeDocumentFromCommandLine(argc, argv);
  installProgramServices();
  initProgram();
  removeLeftoverTemporaries();
  installBoardServices();
  if (!foldersMade) tellFoldersNotMade();
  tellPreferencesNotReadWhole();
  runMainLoop();
  quitGame();
  // Only reached when a quit already under way let the main loop end.
  FBShutdown(0);
}

}  // namespace bg
