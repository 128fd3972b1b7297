#include "shell/hide_game.h"

#include "display/board_ids.h"
#include "display/board_redraw.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/menu_marks.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "shell/submenus.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/quit_services.h"

namespace bg {

namespace {

constexpr int16_t kShown = -1;
constexpr int kHiddenWidth = 300;
constexpr int kHiddenHeight = 60;
constexpr int16_t kHiddenNote = 10;
// The windows that go with the game: the board, the note pad and help windows, the
// statistics panel and the plain help text.
constexpr int16_t kGameWindows[] = {2, 3, 4, 5};

}  // namespace

bool gameHidden() { return shellSettings.gameShown != kShown; }

void toggleHideGame() {
  if (!gameHidden()) {
    // The quit's question waits on the board: hidden, it would wait out of sight.
    if (quitState.quitRunning != 0) return;
    shellSettings.gameShown = 0;
    windowHide(kBoardWindow);
    for (int16_t n : kGameWindows)
      if (windowExists(n)) windowHide(n);
    // Linux has no hidden application: the hidden-game bar lives in a small window.
    windowOpen(kHiddenGameWindow, "Tavrik's Backgammon", makeRect(0, 0, kHiddenWidth, kHiddenHeight), kFixedWindow,
               true);
    // The bar first: the note goes below it.
    setMenuBar(kHiddenGameWindow, menuBars.hiddenMenuBar);
    addStaticText(kHiddenGameWindow, kHiddenNote, "The game is hidden. Choose Resume Game to go on.",
                  makeRect(10, 10, kHiddenWidth - 10, kHiddenHeight - 10));
    fitStaticText(kHiddenGameWindow, kHiddenNote);
    windowSelect(kHiddenGameWindow);
    setMenuItemState(kFileMenu, kHideGameItem, kItemEnabled, "Resume Game");
  } else {
    showGameWindows();
  }
  flow.keyCommandBusy = 0;
}

void showGameWindows() {
  shellSettings.gameShown = kShown;
  windowShow(kBoardWindow);
  for (int16_t n : kGameWindows)
    if (windowExists(n)) windowShow(n);
  if (windowExists(kHiddenGameWindow)) windowClose(kHiddenGameWindow);
  // The bar belongs to the board again, whatever window is in front; the submenus
  // keep the hidden bar while it is up, so the main bar goes back first.
  setMenuBar(kBoardWindow, menuBars.mainMenuBar);
  setMenuItemState(kFileMenu, kHideGameItem, kItemEnabled, "Hide Game");
  installSubmenus();
  redrawBoardWindow();
}

}  // namespace bg
