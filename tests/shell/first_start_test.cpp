// The very first start as a person meets it: the board window with its menu bar is up
// before any box asks anything, and once the name is typed the line greets with it. Through
// the real start in a child process, with or without a game to open: the name is asked
// before the game comes in or is refused.
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialogs/message_boxes.h"
#include "display/audio_install.h"
#include "display/board_ids.h"
#include "display/board_rebuild.h"
#include "display/message_line.h"
#include "display/score_display.h"
#include "display/upper_services.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "interaction/interaction_install.h"
#include "rules/new_game.h"
#include "runtime/core/messages.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/user_folders.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/board_window_events.h"
#include "shell/menu_dispatch.h"
#include "shell/shared_services.h"
#include "shell/startup.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/storage_state.h"
#include "support/mouse_script.h"
#include "support/qt_helpers.h"
#include "own_folders.h"
#include "started_program.h"

namespace bg {
namespace {

std::vector<std::string> shownTexts;
bool barUpWhenAsked = true;
int boxesAnswered = 0;

void answerTheBoxes() {
  for (const int16_t box : {kLargeMessageWindow, kNameEntryWindow}) {
    if (!windowExists(box)) continue;
    const auto* bar = contentWidget(1) != nullptr ? contentWidget(1)->findChild<QMenuBar*>() : nullptr;
    barUpWhenAsked = barUpWhenAsked && bar != nullptr && bar->isVisible() && !bar->actions().isEmpty();
    if (box == kNameEntryWindow) testing::typeText(box, "Ann");
    testing::typeKey(box, Qt::Key_Return);
    ++boxesAnswered;
  }
}

TEST(FirstStart, TheMenuBarIsUpBeforeTheNameBoxAndTheGreetingUsesItsWords) {
  QTemporaryDir home;
  const QByteArray config = qgetenv("XDG_CONFIG_HOME"), data = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
  qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
  testing::startRuntime();
  initUserFolders();
  installMenuCommands();
  installFlowServices();
  installShellServices();
  initProgram();
  installDisplayServices();
  installInteractionServices();
  installScoreDisplay();
  installBoardWindowHandler();
  installAppEventHandlers();
  shownTexts.clear();
  interactionServices.displayMessage = [] {
    shownTexts.push_back(interaction.messageText.str());
    displayMessage();
  };
  QTimer answering;
  QObject::connect(&answering, &QTimer::timeout, answerTheBoxes);
  answering.start(5);
  startNewGame();
  answering.stop();
  EXPECT_GE(boxesAnswered, 1);
  EXPECT_TRUE(barUpWhenAsked);
  const std::string greeting = "MM" + messageWordsOf(kGreetingMessage).str() + "Ann";
  EXPECT_NE(std::find(shownTexts.begin(), shownTexts.end(), greeting), shownTexts.end());
  windowClose(1);
  qputenv("XDG_CONFIG_HOME", config);
  qputenv("XDG_DATA_HOME", data);
}

// How a child started for the first time ends.
enum FirstStartEnd {
  kAsItShould,
  kNameNotAsked = 3,
  kNameAskedAfterLoad,
  kNameLost,
  kWrongRefusal,
  kGaveUp,
  kRolledByItself,
  kClickNotTaken,
  kGreetedAsReturning,
  kWelcomedAgain,
  kNameOverTheWelcome
};
constexpr int kEnoughTicks = 2000;
constexpr int16_t kInformationText = 4;  // the information box's words

struct StartRow {
  const char* what;
  bool opened;          // started with a file to open
  std::string file;     // what the file holds
  const char* refusal;  // the words of the box refusing it, or null when it loads
};

const StartRow* row = nullptr;
bool nameAsked = false;
bool diceClicked = false;
std::string greeting;  // the line's words once the name is typed
int ticks = 0;

// The starting position with one back checker moved on.
const char* kLoadableGame =
    "\rBoard  0  1  1  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2  0\rScores 3 -2\r"
    "CubeValue 1\rCubeOwner 2\rPlayerDeclined  0\rDiceShowing  0\rDice  0 0\rPlayerRolledOver  0  0\r"
    "TournamentGoing  0\rTournamentPoints 0\rCrawfordRestrictions  0  0\rLastPlayerToMove 1\rMoveTable\r"
    " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r";

bool gameLoaded() { return storage.openDocumentPending == 0 && position.board[2] == 1; }

// Once the name is in: the greeting speaks to a newcomer as well.
int named() {
  if (!nameAsked) return kNameNotAsked;
  if (players.playerRecords[players.activePlayers].secondName != "Ann") return kNameLost;
  return greeting == "Welcome, Ann" ? kAsItShould : kGreetedAsReturning;
}

// With nothing to open, the welcome's "Click on one of the dice to start" is what starts
// the first roll.
void clickTheDiceAsTold() {
  if (!nameAsked) return;
  if (diceClicked) std::_Exit(diceState.dice[0].value == 0 && diceState.dice[1].value == 0 ? kClickNotTaken : named());
  if (diceState.diceShowing != 0) std::_Exit(kRolledByItself);
  if (flow.rollClickWaitActive == 0) return;
  const BoardPoint c = turnServices.boardCentre();
  diceClicked = true;
  testing::MouseScript::clickNow({static_cast<int16_t>(c.h + 70), c.v});
}

constexpr int kResizeSettleTicks = 20;
int ticksSinceResize = -1;

// The window manager sizes the board while the welcome is up (a window placed larger than the
// screen): the board is built anew under the box, which is to stay the only welcome.
bool boardResizedUnderTheWelcome() {
  if (ticksSinceResize < 0) {
    upperServices.showLargeMessageYesNoDone = [](std::string_view, int16_t, int16_t) { std::_Exit(kWelcomedAgain); };
    const Rect board = windowContentRect(kBoardWindow);
    testing::userResize(kBoardWindow, board.width() - 40, board.height() - 40);
    ticksSinceResize = 0;
  }
  return ++ticksSinceResize > kResizeSettleTicks;
}

// Runs inside whatever loop is running: answers each box as a person would and ends the
// child with what it found.
void watchTheFirstStart() {
  if (++ticks > kEnoughTicks) std::_Exit(kGaveUp);
  if (windowExists(kNameEntryWindow)) {
    if (gameLoaded()) std::_Exit(kNameAskedAfterLoad);
    if (windowExists(kLargeMessageWindow)) std::_Exit(kNameOverTheWelcome);
    nameAsked = true;
    testing::typeText(kNameEntryWindow, "Ann");
    testing::typeKey(kNameEntryWindow, Qt::Key_Return);
    return;
  }
  if (nameAsked && greeting.empty() && messageLine.lineText.str().find("Ann") != std::string::npos)
    greeting = messageLine.lineText.str();
  if (windowExists(kInformationWindow)) {
    const std::string words = controlText(kInformationWindow, kInformationText);
    const bool refused = row->refusal != nullptr && words.find(row->refusal) != std::string::npos;
    std::_Exit(refused ? named() : kWrongRefusal);
  }
  const int16_t front = frontWindow();
  if (front != 1 && contentWidget(front) != nullptr) {
    if (boardResizedUnderTheWelcome()) testing::typeKey(front, Qt::Key_Return);  // the welcome
  } else if (!row->opened) {
    clickTheDiceAsTold();
  } else if (row->refusal == nullptr && gameLoaded()) {
    std::_Exit(named());
  }
}

TEST(FirstStartDeathTest, TheNameIsAskedFirstThenTheGameOpensOrTheDiceWaitForTheClick) {
  const StartRow rows[] = {
      {"nothing to open", false, "", nullptr},
      {"a saved game", true, kLoadableGame, nullptr},
      {"a file that cannot be read", true, "", "The file is empty."},
  };
  for (const StartRow& r : rows) {
    SCOPED_TRACE(r.what);
    const testing::OwnFolders folders("bg-first-start-");
    static std::string path;
    path = (folders.root() / "A Game").string();
    std::ofstream(path, std::ios::binary) << r.file;
    row = &r;
    static char name[] = "backgammon";
    static char* argv[] = {name, nullptr, nullptr};
    argv[1] = path.data();
    EXPECT_EXIT(
        {
          static QTimer watcher;
          QObject::connect(&watcher, &QTimer::timeout, watchTheFirstStart);
          watcher.start(5);
          runApplication(r.opened ? 2 : 1, argv);
        },
        ::testing::ExitedWithCode(kAsItShould), "");
  }
}

}  // namespace
}  // namespace bg
