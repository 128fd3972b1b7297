#include "shell/startup.h"

#include "display/board_ids.h"
#include "display/board_rebuild.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/events.h"
#include "runtime/qt/user_folders.h"
#include "runtime/qt/windows.h"
#include "shell/program_data.h"

namespace bg {

namespace {

constexpr int16_t kEventSliceTicks = 2;

bool quitWanted = false;

// Until the shell's own callback is installed: the board window's close box quits.
void startupDialogEvent() {
  if (dialogEventKind() == kDialogWindowClosed && dialogEventId() == kBoardWindow) quitWanted = true;
}

bool startupAppEvent(AppEvent& e) {
  if (e.kind == AppEvent::kQuitRequest) {
    quitWanted = true;
    return true;
  }
  return false;
}

}  // namespace

int runApplication(int argc, char** argv) {
  rtInit(argc, argv);
  setDialogVector(startupDialogEvent);
  setAppEventHandler(startupAppEvent);
  setEventSlice(kEventSliceTicks);
  initUserFolders();
  initProgramData();
  // The board: colour tables, size for the screen, layout, then the window with the board.
  initBoardDisplay();
  installDisplayServices();
  openBoardWindow();
  // The program owns its main loop: one slice of events per pass, never exec().
  while (!quitWanted) FBHandleEvents();
  FBShutdown(0);
}

}  // namespace bg
