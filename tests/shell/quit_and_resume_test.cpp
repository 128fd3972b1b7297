// The ways out of the started program and the start after them: a game that is over is
// not kept to be played again, a session is credited once, a file opened is resumed as the
// game being played, a cube is saved as the board shows it, and the notices of the saved game reach
// the message line.
#include <QGuiApplication>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "dialogs/note_pad.h"
#include "dialogs/text_windows.h"
#include "dialogs/scoreboard_dialogs.h"
#include "dialogs/statistics_dialogs.h"
#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/board_rebuild.h"
#include "display/dice_display.h"
#include "display/message_line.h"
#include "flow/game_loop.h"
#include "flow/sessions.h"
#include "flow/turn.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "interaction/quit_question.h"
#include "runtime/core/clock.h"
#include "runtime/core/files.h"
#include "runtime/core/random.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/file_chooser.h"
#include "runtime/qt/input.h"
#include "runtime/qt/text_view_window.h"
#include "rules/dice.h"
#include "shell/board_window_events.h"
#include "shell/hide_game.h"
#include "shell/quit_game.h"
#include "shell/saved_game_commands.h"
#include "started_program.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/quit_services.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "state/game_record_state.h"
#include "storage/preferences_file.h"
#include "storage/saved_game_file.h"
#include "support/dice_chooser_spot.h"
#include "support/position_text.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

constexpr int16_t kQuitButton = 2;
constexpr int16_t kPlayOnButton = 18;

std::vector<std::string> shown;  // what the message line drew: "#n" or the free text
int questions = 0;
int exits = 0;
void (*lineOfTheBoard)() = nullptr;
std::filesystem::path chosen;

void watchMessageLine() {
  const int16_t number = interaction.messageNumber;
  const std::string text = interaction.messageText.str();
  // The line sets its length whenever it draws a message.
  const int16_t length = messageLine.messageLength;
  messageLine.messageLength = -1;
  lineOfTheBoard();
  if (messageLine.messageLength == -1) {
    messageLine.messageLength = length;
    return;
  }
  shown.push_back(number != kNoMessage ? "#" + std::to_string(number) : text.substr(2));
}

std::filesystem::path answerWithChosen(std::string_view, const std::filesystem::path&) { return chosen; }

// A terminate signal raised in the program's first pause once `signalWhen` holds; the
// pause, the program's own, then pumps it to the quit. What the quit left of the saved
// game is kept as the process would end there.
bool (*signalWhen)() = nullptr;
void (*pauseAfterMoveOfTheProgram)(double) = nullptr;
void (*pauseOfTheProgram)(double) = nullptr;
std::string savedGameAtExit;

void raiseSignalWhenDue() {
  if (signalWhen == nullptr || !signalWhen()) return;
  signalWhen = nullptr;
  std::raise(SIGTERM);
}

void signalInAPause(bool (*when)()) {
  signalWhen = when;
  pauseAfterMoveOfTheProgram = shellServices.pauseAfterMove;
  pauseOfTheProgram = shellServices.pauseSeconds;
  shellServices.pauseAfterMove = [](double s) { raiseSignalWhenDue(), pauseAfterMoveOfTheProgram(s); };
  shellServices.pauseSeconds = [](double s) { raiseSignalWhenDue(), pauseOfTheProgram(s); };
}

Point diceSpot() {
  const BoardLayout& L = layout;
  return {static_cast<int16_t>(L.boardCentreX + 70), static_cast<int16_t>((L.fieldTop + L.fieldBottom) / 2)};
}

// A quit whose write fails: how it is set up and answered, and what its box says.
struct FailedWriteRow {
  int16_t saveOnExit;
  bool notePad;
  bool stay;
  const char* told;
  bool escape = false;  // answered by Escape, which leaves nothing behind
  bool closeBox = false;  // answered by the window manager's close box, as Escape
  int failingWrite = 1;  // the game's, or the note pad's; the preferences' come after the game's
  bool sizeLimit = false;  // instead, a file-size limit too small for any of them
  bool notesGivenUp = false;  // the note pad's box answered Quit Anyway, the disk still full
};

class QuitAndResume : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    folder_ = std::filesystem::temp_directory_path() /
              ("bg-resume-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    startAgain(false);
  }
  void TearDown() override {
    setMouseVector(nullptr);
    for (int16_t n : {kEndGameWindow}) windowClose(n);
    StartedProgram::TearDown();
    std::filesystem::remove_all(folder_);
  }
  // The program as it starts: its folders, the preferences written at the last quit, the
  // routines the start installs; a quit ends in a recorder instead of the process.
  void startAgain(bool fromPreferences) {
    windowClose(kEndGameWindow);
    windowClose(1);
    testing::startRuntime();
    if (!fromPreferences) std::filesystem::remove_all(folder_);
    ASSERT_TRUE(setDataFolder(folder_ / "data"));
    ASSERT_TRUE(setPreferencesFolder(folder_ / "config"));
    testing::startShell({installFlowServices, installDialogServices});
    storage.firstRun = 0;  // no welcome box
    installDisplayServices();
    installInteractionServices();
    installSavedGameServices();
    testing::takeBoardClicks();
    seedRandom(20261207);
    fillDicePool();
    turnServices.quitGame = quitGame;
    quitServices.endProcess = [](int) {
      ++exits;
      std::ifstream in(dataFilePath("SavedGame"), std::ios::binary);
      savedGameAtExit.assign(std::istreambuf_iterator<char>(in), {});
    };
    shellServices.saveAskedBeforeQuitFailed = [] { return ++questions, quitState.saveAnswer = kSaveAnsweredNo, false; };  // No
    lineOfTheBoard = interactionServices.displayMessage;
    interactionServices.displayMessage = watchMessageLine;
    shown.clear();
    questions = exits = 0;
    settings.soundOptions.soundOn = 0;
    settings.automaticRolls = 0;
    options.autoMoves = 0;
    cube.cubeUsed = 0;
  }
  // Ctrl+Q with the write the row names failing, answered as the row says: what the box
  // told, what was kept, and the next start.
  void quitWithAFailedWrite(const FailedWriteRow& r);
  std::string savedGameBytes() const {
    std::ifstream in(dataFilePath("SavedGame"), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  // The computer, on roll with its last checker on its one-point, bears it off against a
  // person with all fifteen on the board: a double game for the computer, the end-of-game
  // box up on the board.
  void computerEndsTheGame() { computerPlaysItsTurn("1:-1 13:15 | side 0"); }
  // The computer's turn in `position` (side 0 the person, to have moved last), its roll
  // thrown by a click on the dice.
  void computerPlaysItsTurn(const char* at) {
    testing::setPosition(at);
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kComputerPlayer;
    flow.opponentMode = kComputerOpponent;
    diceState.diceShowing = 0;
    for (DiceEntry& d : diceState.dice) d.value = 0;
    position.openingPhase = 0;
    record.gameRecordCount = 0;
    storage.gameModified = -1;  // moves made since the last save
    redrawBoardWindow();
    testing::pumpWithScript(script_, 3000);
    script_.planner = [this] {
      if (flow.rollClickWaitActive == -1) script_.click(diceSpot());
      // A double is taken, once what is done while it is asked is done.
      if (panelWait.clickWaitRunning == -1 && panelWait.questionPanelUp != 0 && (!whileAsked_ || whileAsked_()))
        script_.click(testing::middleOf(interactionDisplay.yesButtonRect));
    };
    flow.abortTurn = 0;
    playTurn();
    script_.planner = nullptr;
    turnServices.pumpEvents = FBHandleEvents;
  }
  // A game against the computer, to be resumed at the next start, in which the computer
  // has made the record's last move and the person is to roll.
  static void computerHasMovedLast() {
    storage.loadGameOnStartup = -1;
    testing::setPosition("1:2 12:5 17:3 19:4 6:-5 8:-3 10:-1 13:-4 24:-2 | side 1");
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kComputerPlayer;
    flow.opponentMode = kComputerOpponent;
    position.openingPhase = 0;
    record.gameRecordCount = 1;
    record.gameRecord[1] = {1, 13, 10, 3, 3, 1, 1, 0, 0, 0};
  }
  // The person resigns with Game > Resign before rolling and the computer takes it, the
  // computer's turns played as they come: the End Of Game box is up.
  void personResigns() {
    bool chosen = false;
    testing::pumpWithScript(script_, 3000);
    script_.planner = [this, &chosen] {
      if (panelWait.clickWaitRunning == -1 && panelWait.questionPanelUp != 0) {
        script_.click(testing::middleOf(interactionDisplay.yesButtonRect));
      } else if (flow.rollClickWaitActive == -1 && position.currentPlayer == kPlayer0 && !chosen) {
        chosen = true;
        script_.then([] { chooseMenuItem(kGameMenu, kResignItem), FBHandleEvents(); });
      } else if (flow.rollClickWaitActive == -1 && position.currentPlayer == kPlayer1) {
        script_.click(diceSpot());
      }
    };
    for (int turn = 0; turn < 3 && !windowExists(kEndGameWindow); ++turn) {
      flow.abortTurn = 0;
      playTurn();
    }
    script_.planner = nullptr;
    turnServices.pumpEvents = FBHandleEvents;
  }
  std::filesystem::path folder_;
  std::function<bool()> whileAsked_;  // true when the question may be answered
  testing::MouseScript script_;
  UseVirtualClock clock_;
};

// Quitting while the end-of-game box is up, by each way out (the menus are the box's to
// take, so File > Quit waits for it): the farewell thanks for the games, nothing is asked,
// no game is kept to resume, and the next start counts the game once and resumes nothing.
TEST_F(QuitAndResume, AQuitWithTheEndOfGameBoxUpKeepsNothingToPlayAgain) {
  enum Way { kSignal, kBoxQuit };
  const struct {
    Way way;
    int16_t saveOnExit;
    const char* name;
  } rows[] = {{kBoxQuit, -1, "the box's Quit, save on exit"},
              {kBoxQuit, 0, "the box's Quit"},
              {kSignal, -1, "terminate signal"},
              {kSignal, 0, "terminate signal, no save on exit"}};
  for (const auto& r : rows) {
    startAgain(false);
    shell.saveGameOnExit = r.saveOnExit;
    storage.loadGameOnStartup = -1;
    // A save made while the game was still on: the game before its end.
    ASSERT_TRUE(saveGame(0));
    computerEndsTheGame();
    ASSERT_TRUE(windowExists(kEndGameWindow)) << r.name;
    ASSERT_EQ(position.piecesOnBoard[1], 0) << r.name;
    const int16_t points = playerCounter(kPointsWonWord, 1);
    const int16_t games = playerCounter(kGamesWonWord, 1);
    EXPECT_EQ(points, 2) << r.name;
    EXPECT_EQ(games, 1) << r.name;
    std::filesystem::remove(dataFilePath("SavedGame"));
    shown.clear();
    switch (r.way) {
      case kSignal:
        std::raise(SIGTERM);
        testing::pumpUntil([] { return exits > 0; }, 20);
        break;
      case kBoxQuit:
        QTest::mouseClick(controlWidget(kEndGameWindow, kQuitButton), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        testing::pumpUntil([] { return exits > 0; }, 20);
        break;
    }
    ASSERT_EQ(exits, 1) << r.name;
    ASSERT_FALSE(shown.empty()) << r.name;
    EXPECT_EQ(shown.front(), "#67") << r.name << ": thanks for the games";
    EXPECT_EQ(questions, 0) << r.name;
    EXPECT_FALSE(std::filesystem::exists(dataFilePath("SavedGame"))) << r.name << ": the finished game was saved";

    startAgain(true);
    EXPECT_EQ(storage.loadGameOnStartup, -1) << r.name;
    EXPECT_EQ(storage.gameWasSaved, 0) << r.name << ": a game is offered for resuming";
    EXPECT_EQ(playerCounter(kPointsWonWord, 1), points) << r.name;
    EXPECT_EQ(playerCounter(kGamesWonWord, 1), games) << r.name;
  }
}

// A signal in a pause at the end of a game (the pauses pump events): the pause after the
// computer's last checker is borne off, or the one that shows the result. The game saved
// before the end is not written over with a board the next start would refuse; once the
// result is shown the game is over for the quit, nothing is offered again and the next
// start has the game counted.
TEST_F(QuitAndResume, ASignalInThePausesAtAGamesEndSavesNothingOverTheSavedGame) {
  const struct {
    bool (*when)();
    bool resultShown;
    const char* name;
  } rows[] = {{[] { return position.piecesOnBoard[1] == 0; }, false, "the last checker borne off"},
              {[] { return turnState.gameValueMultiplier[1] != 0; }, true, "the result shown"}};
  for (const auto& r : rows) {
    for (const int16_t saveOnExit : {-1, 0}) {
      SCOPED_TRACE(std::string(r.name) + (saveOnExit != 0 ? ", save on exit" : ""));
      startAgain(false);
      shell.saveGameOnExit = saveOnExit;
      storage.loadGameOnStartup = -1;
      ASSERT_TRUE(saveGame(0));
      const std::string before = savedGameBytes();
      signalInAPause(r.when);
      computerEndsTheGame();
      ASSERT_EQ(exits, 1);
      EXPECT_EQ(savedGameAtExit, before) << "the finished game was saved";
      EXPECT_EQ(questions, 0);
      if (!r.resultShown) continue;

      startAgain(true);
      EXPECT_EQ(storage.gameWasSaved, 0) << "a game is offered for resuming";
      EXPECT_EQ(playerCounter(kPointsWonWord, 1), 2);
      EXPECT_EQ(playerCounter(kGamesWonWord, 1), 1);
    }
  }
}

// A signal in the computer's pause after it redoubles its own cube at 2 (the person wins
// the match with it anyway), or while the person answers after the board window was made
// smaller and back, saves the cube the board still shows, at 2 on the computer's side, and
// the next start puts it back there.
TEST_F(QuitAndResume, ASignalAfterTheComputersRedoubleSavesTheCubeTheBoardShows) {
  for (const bool resized : {false, true}) {
    SCOPED_TRACE(resized ? "resized while the person answers" : "in the computer's pause");
    startAgain(false);
    shell.saveGameOnExit = -1;
    storage.loadGameOnStartup = -1;
    cube.cubeUsed = -1;
    flow.tournamentGoing = 255;
    flow.tournamentPoints = 5;
    flow.scores[0] = 3;
    bool signalled = false;
    int16_t width = 0;  // the board's first width; negative once the window goes back to it
    Rect content;
    if (resized) {
      installBoardWindowHandler();  // as the program starts: a resize refits the board
      whileAsked_ = [&] {
        if (width == 0) {
          width = display.boardWidth;
          content = windowContentRect(1);
          testing::userResize(1, content.width() - 80, content.height() - 60);
        } else if (width > 0 && display.boardWidth != width) {
          testing::userResize(1, content.width(), content.height());
          width = static_cast<int16_t>(-width);
        } else if (width < 0 && display.boardWidth == -width && !signalled) {
          signalled = true;
          std::raise(SIGTERM);
        }
        return exits > 0;
      };
    } else {
      signalInAPause([] { return cube.doublePending == -1; });
    }
    computerPlaysItsTurn("start | cube 2 1 | side 0");
    whileAsked_ = nullptr;
    ASSERT_EQ(exits, 1) << "the computer did not double";
    ASSERT_FALSE(savedGameAtExit.empty());
    EXPECT_EQ(signalled, resized);

    startAgain(true);
    ASSERT_EQ(storage.gameWasSaved, -1);
    loadGame(0);
    EXPECT_EQ((std::vector<int>{cube.cubeValue, cube.cubeOwner}), (std::vector<int>{2, 1}));
  }
}

// A session is kept from one run to the next with its scores: the quits that keep it
// credit nothing, and closing it credits it once.
TEST_F(QuitAndResume, ThreeQuitsOfOneSessionCreditItOnlyWhenItIsClosed) {
  const struct {
    int32_t s0, s1;
    int16_t side0Wins, side1Wins;
  } rows[] = {{0, 0, 0, 0}, {3, 1, 1, 0}, {1, 3, 0, 1}, {2, 2, 0, 1}, {-4, 2, 0, 0}};
  for (const auto& r : rows) {
    startAgain(false);
    flow.scores[0] = r.s0;
    flow.scores[1] = r.s1;
    for (int quit = 1; quit <= 3; ++quit) {
      quitGame();
      ASSERT_EQ(exits, 1);
      startAgain(true);
      EXPECT_EQ(flow.scores[0], r.s0) << "after quit " << quit;
      EXPECT_EQ(flow.scores[1], r.s1) << "after quit " << quit;
      EXPECT_EQ(playerCounter(kSessionsWonWord, 0), 0) << r.s0 << ":" << r.s1 << " after quit " << quit;
      EXPECT_EQ(playerCounter(kSessionsWonWord, 1), 0) << r.s0 << ":" << r.s1 << " after quit " << quit;
    }
    closeSessionTotals();
    EXPECT_EQ(playerCounter(kSessionsWonWord, 0), r.side0Wins) << r.s0 << ":" << r.s1;
    EXPECT_EQ(playerCounter(kSessionsWonWord, 1), r.side1Wins) << r.s0 << ":" << r.s1;
  }
}

// Against the computer, a session at 6 - 2, Ann chooses Two Players with her roll in hand
// and types a new pair into row 2; the pair's first player plays it, and Ctrl+Q quits. Two
// people are not kept from one run to the next: the next start plays against the computer
// in its own row, named as before, with the session's score; the pair's row is as it was.
// The game saved (on exit, or on Yes) is resumed between the pair, in their row, the
// session against the computer kept for after them.
TEST_F(QuitAndResume, AQuitWhileTwoPeoplePlayStartsAgainAgainstTheComputerInItsRow) {
  const struct {
    int16_t saveOnExit;
    const char* name;
    const char* pairName = "Hanna";
  } rows[] = {{0, "Ann"}, {-1, "Ann"}, {0, " 3 ", "Hanna, \"Jo\" 100%"}};  // a name typed with a blank before it
  for (const auto& r : rows) {
    const int16_t saveOnExit = r.saveOnExit;
    SCOPED_TRACE(std::string(saveOnExit != 0 ? "save on exit" : "asked at the quit") + ", named '" + r.name + "'");
    startAgain(false);
    shell.saveGameOnExit = saveOnExit;
    shellServices.saveAskedBeforeQuitFailed = [] { return ++questions, quitState.saveAnswer = kSaveAnsweredYes, !saveGame(0); };  // Yes
    storage.loadGameOnStartup = -1;
    static const char* pairName = nullptr;
    pairName = r.pairName;
    players.playerRecords[1].secondName = r.name;  // as Player > Enter Name leaves them
    shell.playerNames[0] = r.name;
    flow.scores = {{{6, 2}}};
    testing::personToPlay("start | dice 3 1 | side 0");
    turnState.resumeWithDiceShown = -1;
    redrawBoardWindow();
    PlayerRecord pairAtQuit;
    enum Stage { kChoose, kBox, kPlay, kQuit, kQuitting } stage = kChoose;
    testing::pumpWithScript(script_, 20000);
    script_.planner = [&] {
      if (stage == kQuitting && exits > 0) flow.abortTurn = kLeaveTurn;  // the process ended there
      if (panelWait.clickWaitRunning == 0 || stage == kQuitting) return;
      if (stage == kChoose) {
        script_.then([] { choose(kGameMenu, kTwoPlayersItem); });
      } else if (stage == kBox) {
        if (!windowExists(kScoreboardWindow)) return;
        script_.then([] {
          QTest::keyClicks(controlWidget(kScoreboardWindow, 10), "Cleo");
          QTest::keyClicks(controlWidget(kScoreboardWindow, 11), pairName);
          testing::clickRadioValue(kScoreboardWindow, 4, 2);
          focusControl(kScoreboardWindow, 11);
          testing::typeKey(kScoreboardWindow, Qt::Key_Return);
        });
      } else if (stage == kPlay) {
        // The box's OK leaves the turn: the pair plays at the wait after it.
        if (windowExists(kScoreboardWindow) || flow.abortTurn != 0) return;
        EXPECT_EQ(shell.playerNames[0], r.pairName);
        for (const int16_t p : {17, 20, 19, 20}) script_.click(testing::pointSpot(p));
      } else {
        if (turnState.awaitingDiceClick == 0) return;
        EXPECT_EQ(position.board[20], 2) << "the roll was played";
        pairAtQuit = players.playerRecords[2];
        script_.then([] {
          testing::typeKey(1, Qt::Key_Q, Qt::ControlModifier), FBHandleEvents();
          QTest::keyRelease(contentWidget(1)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
        });
      }
      stage = static_cast<Stage>(stage + 1);
    };
    gameLoopStep();
    script_.planner = nullptr;
    turnServices.pumpEvents = FBHandleEvents;
    ASSERT_EQ(exits, 1);
    EXPECT_EQ(questions, saveOnExit != 0 ? 0 : 1);
    EXPECT_EQ(pairAtQuit.firstName, "Cleo");

    startAgain(true);
    EXPECT_TRUE(menuItemChecked(kGameMenu, kComputerOpponentItem));
    EXPECT_EQ(players.activePlayers, 1);
    EXPECT_EQ((std::vector<std::string>{shell.playerNames[0].str(), shell.playerNames[1].str()}),
              (std::vector<std::string>{r.name, "Computer"}));
    EXPECT_EQ(players.playerRecords[1].secondName, r.name);
    EXPECT_EQ((std::vector<int32_t>{flow.scores[0], flow.scores[1]}), (std::vector<int32_t>{6, 2}));
    EXPECT_EQ(players.playerRecords[2], pairAtQuit);

    ASSERT_EQ(storage.gameWasSaved, -1);
    loadGame(0);
    EXPECT_EQ(position.board[20], 2);
    EXPECT_TRUE(menuItemChecked(kGameMenu, kTwoPlayersItem));
    EXPECT_FALSE(menuItemChecked(kGameMenu, kComputerOpponentItem));
    EXPECT_EQ((std::vector<int>{position.playerType[0], position.playerType[1]}),
              (std::vector<int>{kHumanPlayer, kHumanPlayer}));
    EXPECT_EQ((std::vector<std::string>{shell.playerNames[0].str(), shell.playerNames[1].str()}),
              (std::vector<std::string>{r.pairName, "Cleo"}));
    EXPECT_EQ((std::vector<int>{players.activePlayers, players.savedActivePlayers}), (std::vector<int>{2, 1}));
    EXPECT_EQ((std::vector<int32_t>{flow.scores[0], flow.scores[1], flow.savedScores[0], flow.savedScores[1]}),
              (std::vector<int32_t>{0, 0, 6, 2}));

    // A pair no row holds any more plays in record 0, and finds its names there after a quit.
    players.playerRecords[2] = PlayerRecord{};
    loadGame(0);
    ASSERT_EQ(players.activePlayers, 0);
    const PlayerRecord unheld = players.playerRecords[0];
    quitGame();
    startAgain(true);
    EXPECT_EQ(players.playerRecords[0], unheld);
  }
}

// A game played on after the person resigned it, saved by File > Save and quit: the game
// resumed at the next start is the one already counted, and resigned again it scores
// nothing more.
TEST_F(QuitAndResume, AGamePlayedOnAfterItsResignationIsNotScoredAgainWhenResumed) {
  computerHasMovedLast();
  redrawBoardWindow();
  personResigns();
  ASSERT_TRUE(windowExists(kEndGameWindow));
  EXPECT_EQ((std::vector<int32_t>{flow.scores[0], flow.scores[1]}), (std::vector<int32_t>{0, 1}));
  QTest::mouseClick(controlWidget(kEndGameWindow, kPlayOnButton), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kEndGameWindow); }, 20));
  ASSERT_EQ(position.gameContinued, -1) << "the game is played on";
  choose(kFileMenu, kSaveGameItem);
  ASSERT_TRUE(std::filesystem::exists(dataFilePath("SavedGame")));
  quitGame();
  ASSERT_EQ(exits, 1);

  startAgain(true);
  ASSERT_EQ(storage.gameWasSaved, -1);
  loadGame(0);
  ASSERT_EQ(record.gameRecordCount, 1) << "the game played on is resumed";
  personResigns();
  ASSERT_TRUE(windowExists(kEndGameWindow));
  EXPECT_EQ((std::vector<int32_t>{flow.scores[0], flow.scores[1]}), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(playerCounter(kPointsWonWord, 1), 1);
  EXPECT_EQ(playerCounter(kGamesWonWord, 1), 1);
}

// Winner Rolls First: the person resigns, the computer takes it and Continue starts the next
// game, in which the computer rolls first. The click that game posted for its first roll
// is not the person's: the person's first roll waits for a click, in the game as played and
// in one resumed at the next start; with Automatic Rolls the wait after the computer's move
// (Click After Move) waits for one.
TEST_F(QuitAndResume, AfterTheComputersWinThePersonsFirstRollIsNotThrownByItself) {
  const struct {
    bool resumed, automaticRolls;
    const char* name;
  } rows[] = {{false, false, "as played"}, {true, false, "resumed"}, {false, true, "automatic rolls"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    startAgain(false);
    computerHasMovedLast();
    if (r.resumed) {
      choose(kFileMenu, kSaveGameItem);
      quitGame();
      startAgain(true);
      loadGame(0);
    }
    settings.whoRollsFirst = kWinnerRollsFirst;
    flow.gamesThisRun = 1;  // the game on the board is the run's first
    redrawBoardWindow();
    personResigns();
    ASSERT_TRUE(windowExists(kEndGameWindow));
    settings.automaticRolls = r.automaticRolls ? -1 : 0;
    options.clickAfterComputerMove = r.automaticRolls ? 255 : 0;
    testing::clickControl(kEndGameWindow, 1);  // Continue
    ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kEndGameWindow); }, 20));
    int16_t side = -1, rollAwaited = 0, diceShowing = 0, afterMoveAwaited = 0;
    testing::pumpWithScript(script_, 3000);
    script_.planner = [&] {
      if (panelWait.clickWaitRunning == 0 || side != -1) return;
      side = position.currentPlayer;
      rollAwaited = turnState.awaitingDiceClick;
      diceShowing = diceState.diceShowing;
      afterMoveAwaited = flow.rollWaitActive;
      shellFlags.quitRequested = -1;
      flow.abortTurn = kLeaveTurn;
    };
    gameLoopStep();
    script_.planner = nullptr;
    turnServices.pumpEvents = FBHandleEvents;
    shellFlags.quitRequested = 0;
    EXPECT_GE(record.gameRecordCount, 1) << "the computer rolled first and played";
    EXPECT_EQ(record.gameRecord[1].side, 1);
    if (r.automaticRolls) {
      EXPECT_EQ(side, 1) << "the computer's move waits for a click";
      EXPECT_EQ(afterMoveAwaited, -1);
    } else {
      EXPECT_EQ(side, 0);
      EXPECT_EQ(rollAwaited, -1) << "the person's roll waits for a click";
      EXPECT_EQ(diceShowing, 0) << "no dice thrown by themselves";
    }
  }
}

// A saved game opened unchanged; Settings > Set Up Position moves a checker, gives side 1
// the cube at 2 and side 0 a roll of 6-4; Ctrl+Q. The laid-out position is the game now:
// saved on exit, or asked for and saved on Yes, it is the one the next start resumes.
TEST_F(QuitAndResume, APositionLaidOutInTheEditorIsTheGameTheNextStartResumes) {
  for (const int16_t saveOnExit : {int16_t{0}, int16_t{-1}}) {
    SCOPED_TRACE(saveOnExit != 0 ? "save on exit" : "Yes to the question");
    startAgain(false);
    shell.saveGameOnExit = saveOnExit;
    storage.loadGameOnStartup = -1;
    cube.cubeUsed = -1;
    shellServices.saveAskedBeforeQuitFailed = [] { return ++questions, saveAskedBeforeQuitFailed(); };
    testing::setPosition("start | side 1");
    diceState.diceShowing = 0;
    ASSERT_TRUE(saveGame(0));
    loadGame(0);
    ASSERT_EQ(storage.gameModified, 0);
    flow.abortTurn = 0;  // the loaded game's turn begins
    redrawBoardWindow();
    CheckedArray<int16_t, 25> laid{};
    script_.then([] { chooseMenuItem(kSettingsMenu, kSetupCurrentItem); });
    script_.click(testing::pointSpot(1));
    script_.click(testing::pointSpot(2));
    script_.clickWhere([] { return testing::middleOf(interactionDisplay.doneButtonRect); });
    script_.clickWhere([] { return testing::middleOf(interactionDisplay.middleButtonRect); });  // cube at 2
    script_.clickWhere([] { return testing::middleOf(interactionDisplay.yesButtonRect); });     // side 1's
    script_.clickWhere([] { return testing::middleOf(interactionDisplay.noButtonRect); });      // side 0 rolls
    script_.clickWhere([] { return testing::chooserFaceSpot(6); });
    script_.clickWhere([] { return testing::chooserFaceSpot(4); });
    script_.then([&laid] {
      laid = position.board;
      testing::typeKey(1, Qt::Key_Q, Qt::ControlModifier), FBHandleEvents();
      QTest::keyRelease(contentWidget(1)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
    });
    script_.planner = [this] {
      if (panelWait.clickWaitRunning == -1 && panelWait.questionPanelUp != 0)
        script_.click(testing::middleOf(interactionDisplay.yesButtonRect));
    };
    testing::pumpWithScript(script_, 3000);
    while (exits == 0 && !script_.spent) hook::pumpEvents();
    script_.planner = nullptr;
    turnServices.pumpEvents = FBHandleEvents;
    ASSERT_EQ(exits, 1);
    ASSERT_EQ(laid[2], 1) << "the checker was moved";
    EXPECT_EQ(questions, saveOnExit != 0 ? 0 : 1);

    startAgain(true);
    ASSERT_EQ(storage.gameWasSaved, -1) << "no game is offered for resuming";
    loadGame(0);
    EXPECT_EQ(position.board, laid);
    EXPECT_EQ((std::vector<int>{cube.cubeValue, cube.cubeOwner}), (std::vector<int>{2, 1}));
    EXPECT_EQ((std::vector<int>{diceState.dice[0].value, diceState.dice[1].value}), (std::vector<int>{6, 4}));
  }
}

// The person sets the dice by hand and Ctrl+Q comes with one die chosen, the other not yet:
// the game saved on exit is the one the next start resumes, its roll to be set again.
TEST_F(QuitAndResume, AQuitWithOneDieChosenByHandIsResumedAtTheNextStart) {
  shell.saveGameOnExit = -1;
  storage.loadGameOnStartup = -1;
  turnServices.pumpEvents = FBHandleEvents;
  settings.inputDice = -1;
  testing::setPosition("1:2 12:5 17:3 19:4 6:-5 8:-3 10:-1 13:-4 24:-2 | side 1");  // side 0 rolls next
  position.playerType[0] = kHumanPlayer;
  position.playerType[1] = kComputerPlayer;
  flow.opponentMode = kComputerOpponent;
  diceState.diceShowing = 0;
  position.openingPhase = 0;
  record.gameRecordCount = 1;
  record.gameRecord[1] = {1, 13, 10, 3, 3, 1, 1, 0, 0, 0};  // the computer moved last
  storage.gameModified = -1;
  const CheckedArray<int16_t, 25> atQuit = position.board;
  redrawBoardWindow();
  bool chosen = false;
  testing::pumpWithScript(script_, 3000);
  script_.planner = [this, &chosen] {
    if (exits > 0) {
      flow.abortTurn = kLeaveTurn;  // the process ended there
    } else if (flow.rollClickWaitActive == -1) {
      script_.click(diceSpot());
    } else if (diceChooser.chooseDiceOpen != 0 && !chosen) {
      chosen = true;
      script_.click(testing::chooserFaceSpot(3));
      script_.then([] {
        testing::typeKey(1, Qt::Key_Q, Qt::ControlModifier), FBHandleEvents();
        QTest::keyRelease(contentWidget(1)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
      });
    }
  };
  flow.abortTurn = 0;
  playTurn();
  script_.planner = nullptr;
  turnServices.pumpEvents = FBHandleEvents;
  ASSERT_TRUE(chosen);
  ASSERT_EQ(exits, 1);

  startAgain(true);
  ASSERT_EQ(storage.gameWasSaved, -1);
  loadGame(0);
  EXPECT_EQ(position.board, atQuit) << "the saved game was refused";
  EXPECT_EQ(diceState.diceShowing, 0);
}

// A game hidden by File > Hide Game, then Ctrl+Q typed on the hidden game's window or its
// Game > Quit chosen, also with a help page open and with the rolls-to-go panel up (hidden
// and quit while it waits for its closing click). A changed game is asked about on the
// board, shown for the question, which Hide Game does not take out of sight; the key typed
// or the button clicked answers it at once and the next start resumes what Yes saved. An
// unchanged game ends at once, still hidden.
TEST_F(QuitAndResume, AQuitFromTheHiddenGameAsksWithTheBoardInSight) {
  enum Way { kKey, kItem };
  constexpr int16_t kOptionsHelpItem = 6;
  constexpr int kAnswerTries = 5;  // then the person gives up, as a wait ended answers No
  const struct {
    Way way;
    bool changed;
    Qt::Key answer;
    const char* name;
    bool click = false;
    bool helpOpen = false;
    bool underPanel = false;
  } rows[] = {{kKey, true, Qt::Key_Y, "Ctrl+Q, Yes"},
              {kItem, true, Qt::Key_N, "the Quit item, No"},
              {kItem, true, Qt::Key_Y, "the Quit item, Yes"},
              {kKey, false, Qt::Key_unknown, "Ctrl+Q, unchanged"},
              {kItem, false, Qt::Key_unknown, "the Quit item, unchanged"},
              {kItem, true, Qt::Key_Y, "a help page open, Yes clicked", true, true},
              {kItem, true, Qt::Key_Y, "under the panel, a help page open, Yes clicked", true, true, true},
              {kKey, true, Qt::Key_N, "Ctrl+Q under the panel, No typed", false, false, true}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    startAgain(false);
    storage.loadGameOnStartup = -1;
    shellServices.saveAskedBeforeQuitFailed = [] { return ++questions, saveAskedBeforeQuitFailed(); };
    turnServices.pumpEvents = FBHandleEvents;
    setMouseVector(mouseEventHook);
    testing::setPosition("1:2 12:5 17:3 19:5 6:-5 8:-4 13:-4 24:-2 | side 0");
    diceState.diceShowing = 0;
    storage.gameModified = r.changed ? int16_t{-1} : int16_t{0};
    const CheckedArray<int16_t, 25> atQuit = position.board;
    redrawBoardWindow();
    if (r.helpOpen) choose(kInfoMenu, kOptionsHelpItem);
    // Looked at once the question waits; a board out of sight is resumed, as the person
    // would have to, to answer it.
    bool inSight = false, keptInSight = false;
    std::string hideItem;
    int answers = 0;
    const auto resume = [] {
      if (!windowVisible(1)) chooseMenuItem(kHiddenGameMenu, kResumeGameItem), FBHandleEvents();
    };
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (panelWait.questionPanelUp == 0 || panelWait.clickWaitRunning == 0) return;
      if (answers == 0) {
        inSight = windowVisible(1) && !windowExists(kHiddenGameWindow);
        hideItem = menuItemText(kFileMenu, kHideGameItem);
        resume();
        testing::typeKey(1, Qt::Key_H, Qt::ControlModifier), FBHandleEvents();
        QTest::keyRelease(contentWidget(1)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
        keptInSight = windowVisible(1);
        resume();
      }
      if (++answers > kAnswerTries) {
        flow.abortTurn = kLeaveTurn;
      } else if (r.click) {
        const Rect& button = r.answer == Qt::Key_Y ? interactionDisplay.yesButtonRect : interactionDisplay.noButtonRect;
        testing::MouseScript::clickNow(testing::middleOf(button));
      } else {
        testing::typeKey(1, r.answer);
      }
    });
    const auto hideAndQuit = [&] {
      choose(kFileMenu, kHideGameItem);
      ASSERT_TRUE(gameHidden());
      watcher.start(0);
      if (r.way == kKey) {
        testing::typeKey(kHiddenGameWindow, Qt::Key_Q, Qt::ControlModifier);
        QTest::keyRelease(contentWidget(kHiddenGameWindow)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
      } else {
        chooseMenuItem(kHiddenGameMenu, kHiddenQuitItem);
      }
      testing::pumpUntil([] { return exits > 0; }, 20);
      watcher.stop();
    };
    if (r.underPanel) {
      // Hidden and quit inside the panel's wait, which ends there as the process would.
      QTimer under;
      QObject::connect(&under, &QTimer::timeout, [&] {
        if (panelWait.panelCloseWait == 0 || panelWait.clickWaitRunning == 0) return;
        under.stop();
        hideAndQuit();
        flow.abortTurn = kLeaveTurn;
      });
      under.start(0);
      testing::typeText(1, "r"), FBHandleEvents();
      flow.abortTurn = 0;
    } else {
      hideAndQuit();
    }
    ASSERT_EQ(exits, 1);
    EXPECT_EQ(questions, r.changed ? 1 : 0);
    if (r.changed) {
      EXPECT_TRUE(inSight) << "the question waited on the hidden board";
      EXPECT_EQ(hideItem, "Hide Game");
      EXPECT_TRUE(keptInSight) << "Hide Game took the waiting question out of sight";
      EXPECT_EQ(answers, 1) << "the question did not take its answer";
    } else {
      EXPECT_TRUE(gameHidden()) << "the game was shown for a quit that asks nothing";
      windowClose(kHiddenGameWindow);
    }
    const bool saved = r.answer == Qt::Key_Y;
    EXPECT_EQ(std::filesystem::exists(dataFilePath("SavedGame")), saved);

    startAgain(true);
    EXPECT_EQ(storage.gameWasSaved, saved ? -1 : 0);
    if (!saved) continue;
    loadGame(0);
    EXPECT_EQ(position.board, atQuit);
  }
}

constexpr int kCloseBoxTries = 30;
constexpr rlim_t kSmallFileLimit = 64;  // bytes: less than any file the quit writes

void QuitAndResume::quitWithAFailedWrite(const FailedWriteRow& r) {
  startAgain(false);
  shell.saveGameOnExit = r.saveOnExit;
  storage.loadGameOnStartup = -1;
  shellServices.saveAskedBeforeQuitFailed = [] { return ++questions, saveAskedBeforeQuitFailed(); };
  turnServices.pumpEvents = FBHandleEvents;
  testing::setPosition("1:2 12:5 17:3 19:5 6:-5 8:-4 13:-4 24:-2 | side 0");
  diceState.diceShowing = 0;
  redrawBoardWindow();
  EXPECT_TRUE(saveGame(0));
  const std::string before = savedGameBytes();
  testing::setPosition("1:1 2:1 12:5 17:3 19:5 6:-5 8:-4 13:-4 24:-2 | side 0");  // one more turn
  storage.gameModified = -1;
  const CheckedArray<int16_t, 25> atQuit = position.board;
  const int16_t quitFrom = r.notePad ? kNotePadWindow : int16_t{1};
  if (r.notePad) {
    openNotePad();
    EXPECT_TRUE(windowExists(kNotePadWindow));
    if (!windowExists(kNotePadWindow)) return;
    QTest::keyClicks(textViewWidget(kNotePadWindow), "new notes");
  }
  std::string told;
  int closes = 0;
  bool answerUnseen = false;
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    // Yes is typed where the keys go; typed elsewhere the question never hears it, and the
    // board is given it so the row ends.
    if (panelWait.questionPanelUp != 0 && panelWait.clickWaitRunning != 0) {
      QWindow* keys = QGuiApplication::focusWindow();
      if (keys != nullptr) QTest::keyClick(keys, Qt::Key_Y);
      if (keys != contentWidget(1)->windowHandle()) answerUnseen = true, testing::typeKey(1, Qt::Key_Y);
    }
    if (!windowExists(kInformationWindow)) return;
    told = controlText(kInformationWindow, 4);
    // A close box that leaves the box up is given up on with Quit Anyway, so the row ends.
    if (r.closeBox && controlExists(kInformationWindow, 2))
      ++closes < kCloseBoxTries ? testing::clickCloseBox(kInformationWindow) : pressButton(kInformationWindow, 2);
    else if (r.notesGivenUp && told.rfind("The note pad", 0) == 0)
      failNthFileWrite(1), pressButton(kInformationWindow, 2);
    else if (r.escape && controlExists(kInformationWindow, 2))
      testing::typeKey(kInformationWindow, Qt::Key_Escape);
    else
      pressButton(kInformationWindow, r.stay || !controlExists(kInformationWindow, 2) ? 1 : 2);
  });
  answerer.start(0);
  const auto quit = [quitFrom] {
    testing::typeKey(quitFrom, Qt::Key_Q, Qt::ControlModifier), FBHandleEvents();
    // The quit may have closed the note pad: the key is let go over the board then.
    const int16_t holder = contentWidget(quitFrom) != nullptr ? quitFrom : int16_t{1};
    if (contentWidget(holder) != nullptr)
      QTest::keyRelease(contentWidget(holder)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
    testing::pumpUntil([] { return exits > 0 || (quitState.quitRunning == 0 && !windowExists(kInformationWindow)); }, 20);
  };
  const bool gameSaved = r.failingWrite > 1;  // before the preferences failed
  failNthFileWrite(r.failingWrite);  // the disk is full
  rlimit room{};
  ::getrlimit(RLIMIT_FSIZE, &room);
  rlimit small = room;
  small.rlim_cur = kSmallFileLimit;
  if (r.sizeLimit) ::setrlimit(RLIMIT_FSIZE, &small);
  quit();
  ::setrlimit(RLIMIT_FSIZE, &room);
  clearFileFaults();
  for (const auto& entry : std::filesystem::directory_iterator(folder_ / "data"))
    EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
  EXPECT_EQ(told.substr(0, told.find_first_of("\r\n")), r.told);
  // The game saved at this quit was to be named for the next start by the file not written.
  if (r.failingWrite > 1) {
    EXPECT_NE(told.find("File > Open Saved Game brings it"), std::string::npos) << told;
  }
  EXPECT_FALSE(answerUnseen) << "the question was asked out of the keys' reach";
  // Past the note pad, the game is saved as usual.
  if (gameSaved) {
    EXPECT_NE(savedGameBytes(), before) << "the game was not saved before the preferences";
  } else if (r.stay || !r.notePad) {
    EXPECT_EQ(savedGameBytes(), before) << "the game saved before was written over";
  }
  if (!r.stay) {
    EXPECT_EQ(exits, 1);
    answerer.stop();
    return;
  }
  EXPECT_EQ(exits, 0) << "the program ended";
  if (exits != 0) {
    answerer.stop();
    return;
  }
  EXPECT_EQ(position.board, atQuit);
  // The farewell is gone from the line.
  for (const char* farewell : {"Good night", "Have a good"})
    EXPECT_EQ(messageLine.lineText.view().find(farewell), std::string_view::npos) << messageLine.lineText.str();
  EXPECT_EQ(storage.gameModified, gameSaved ? 0 : -1);
  EXPECT_EQ((std::vector<int>{shell.quitting, flow.newGameRequested}), (std::vector<int>{0, 0}));
  if (r.notePad) {
    EXPECT_TRUE(windowExists(kNotePadWindow));
    if (windowExists(kNotePadWindow)) {
      EXPECT_EQ(textViewDocument(kNotePadWindow)->toPlainText(), QStringLiteral("new notes"));
    }
  } else {
    EXPECT_FALSE(windowExists(kNotePadWindow)) << "a note pad that nobody gave up";
  }
  told.clear();
  quit();  // with room again
  answerer.stop();
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(told, "");
  std::ifstream notes(dataFilePath("notePad.txt"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(notes), {}).find("new notes") != std::string::npos, r.notePad);

  startAgain(true);
  EXPECT_EQ(storage.gameWasSaved, -1) << "the game is not resumed";
  if (storage.gameWasSaved != -1) return;
  loadGame(0);
  EXPECT_EQ(position.board, atQuit);
}

// Ctrl+Q with the disk full: the game (saved on exit, or on Yes to the question), the open,
// changed note pad or, after the game is saved, the preferences cannot be written. A box
// says what was not kept and why; Stay leaves the game and the note pad as they were and
// the file saved before whole, and once there is room again the next Ctrl+Q keeps both and
// the next start resumes the game. Quit Anyway ends the program with the file saved before
// still whole.
TEST_F(QuitAndResume, AQuitWhoseWriteFailsSaysWhyAndStaysWhenAsked) {
  static constexpr const char* kPreferencesNotSaved =
      "The preferences could not be saved. The disk is full.";  // no file before it to keep
  const FailedWriteRow rows[] = {
      {-1, false, true, "The game could not be saved. The disk is full."},
      {0, false, true, "The game could not be saved. The disk is full."},
      {-1, true, true, "The note pad could not be saved. The disk is full."},
      {-1, false, false, "The game could not be saved. The disk is full."},
      {0, true, false, "The note pad could not be saved. The disk is full."},
      {-1, false, true, "The game could not be saved. The disk is full.", true},
      {-1, true, true, "The note pad could not be saved. The disk is full.", true},
      {-1, false, true, "The game could not be saved. The disk is full.", false, true},
      {-1, false, true, kPreferencesNotSaved, false, false, 2},
      {0, false, true, kPreferencesNotSaved, false, false, 2},
      {-1, false, false, kPreferencesNotSaved, false, false, 2},
      {-1, false, true, kPreferencesNotSaved, true, false, 2},
      {-1, false, true, kPreferencesNotSaved, false, true, 2},
      {-1, true, true, "The game could not be saved. The disk is full.", false, false, 1, false, true}};
  for (const FailedWriteRow& r : rows) {
    SCOPED_TRACE(std::string(r.told) + (r.saveOnExit != 0 ? " Save on exit" : " Yes") + (r.stay ? ", Stay" : "") +
                 (r.escape ? " by Escape" : "") + (r.closeBox ? " by the close box" : ""));
    quitWithAFailedWrite(r);
  }
}

// Past a file-size limit the system signals the writer, which ends a program that does not
// ignore it: the quit runs in a child, so that it fails by its own name. The child is the
// test program started afresh (a forked one would wait on the drawing threads it lost),
// running this test alone up to the quit.
TEST_F(QuitAndResume, AQuitPastTheFileSizeLimitSaysWhyAndStays) {
  const FailedWriteRow r{.saveOnExit = -1,
                         .notePad = true,
                         .stay = true,
                         .told = "The note pad could not be saved. The file is larger than the system allows.",
                         .failingWrite = 0,
                         .sizeLimit = true};
  const std::string style = GTEST_FLAG_GET(death_test_style);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT({
    quitWithAFailedWrite(r);
    std::_Exit(HasFailure() ? 1 : 0);
  }, ::testing::ExitedWithCode(0), "");
  GTEST_FLAG_SET(death_test_style, style);
}

// A game saved at a quit, then at the next run a turn played, Ctrl+Q, No, and the
// preferences cannot be written: the file kept names the older game to resume. The next
// start resumes nothing, as the quit meant; where nothing can note that, the quit's box says
// the next start brings the older game back.
TEST_F(QuitAndResume, AQuitWhosePreferencesFailDoesNotResumeAnOlderGameUntold) {
  static constexpr const char* kOlderGameComes =
      "The next start will bring back the game saved earlier in SavedGame, not this one.";
  for (const bool noteBlocked : {false, true}) {
    SCOPED_TRACE(noteBlocked ? "nothing can note it" : "noted");
    startAgain(false);
    shell.saveGameOnExit = -1;
    storage.loadGameOnStartup = -1;
    testing::setPosition("1:2 12:5 17:3 19:5 6:-5 8:-4 13:-4 24:-2 | side 0");
    storage.gameModified = -1;
    quitGame();
    ASSERT_EQ(exits, 1);

    startAgain(true);
    ASSERT_EQ(storage.gameWasSaved, -1);
    shell.saveGameOnExit = 0;
    turnServices.pumpEvents = FBHandleEvents;
    testing::setPosition("1:1 2:1 12:5 17:3 19:5 6:-5 8:-4 13:-4 24:-2 | side 0");  // one more turn
    storage.gameModified = -1;
    if (noteBlocked) std::filesystem::create_directories(folder_ / "data" / "Game To Resume");
    std::string told;
    QTimer answerer;  // Quit Anyway
    QObject::connect(&answerer, &QTimer::timeout, [&told] {
      if (!windowExists(kInformationWindow)) return;
      told = controlText(kInformationWindow, 4);
      pressButton(kInformationWindow, 2);
    });
    answerer.start(0);
    failNthFileWrite(1);  // the preferences, the first file this quit writes
    quitGame();
    answerer.stop();
    clearFileFaults();
    ASSERT_EQ(exits, 1);
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(told.find(kOlderGameComes) != std::string::npos, noteBlocked) << told;

    startAgain(true);
    EXPECT_EQ(storage.gameWasSaved, noteBlocked ? -1 : 0);
  }
}

// File, Save Game tells the person on the message line, drawn on the board.
TEST_F(QuitAndResume, SaveGameSaysSoOnTheMessageLine) {
  testing::personToPlay("start | dice 3 1 | side 0");
  redrawBoardWindow();
  clearMessageLine(0);
  choose(kFileMenu, kSaveGameItem);
  ASSERT_TRUE(std::filesystem::exists(dataFilePath("SavedGame")));
  EXPECT_EQ(shown, std::vector<std::string>{"#82"});
  EXPECT_EQ(messageLine.messageLineShown, -1);
  const std::string words = "Your game has been saved";
  EXPECT_GE(messageLine.messageLength, static_cast<int16_t>(words.size()));
}

// The farewell's first line is drawn too.
TEST_F(QuitAndResume, TheFarewellIsDrawnOnTheMessageLine) {
  quitGame();
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown[0], "#215");
  EXPECT_EQ(shown[1], "Have a good day");
}

// A game opened from a file is the game being played: quit unchanged, the next start
// resumes it from that file; changed, from the game saved at the quit. Changed, and No
// answered to the question at the quit, it is not kept, and the file it came from is not
// resumed as if it were the game just quit.
TEST_F(QuitAndResume, OnlyTheGameKeptAtTheQuitIsResumedAfterAFileIsOpened) {
  const struct {
    int16_t item;
    bool changed;
    const char* resumedFrom;  // empty: nothing resumed
    const char* name;
    int16_t saveOnExit = -1;
    bool boardAlone = false;  // opened with the command key held
  } rows[] = {{kOpenGameItem, false, "Tuesday", "another file, unchanged"},
              {kOpenSavedGameItem, false, "SavedGame", "Open Saved Game, unchanged"},
              {kOpenGameItem, true, "SavedGame", "another file, changed"},
              {kOpenSavedGameItem, true, "", "Open Saved Game, changed, No", 0},
              {kOpenGameItem, false, "", "another file's board alone, unchanged", -1, true}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    startAgain(false);
    shellServices.saveAskedBeforeQuitFailed = [] { return ++questions, saveAskedBeforeQuitFailed(); };
    turnServices.pumpEvents = FBHandleEvents;
    QTimer answerer;  // No, typed on the board
    QObject::connect(&answerer, &QTimer::timeout, [] {
      if (panelWait.questionPanelUp != 0 && panelWait.clickWaitRunning != 0) testing::typeKey(1, Qt::Key_N);
    });
    answerer.start(0);
    storage.loadGameOnStartup = -1;
    testing::personToPlay("start | dice 3 1 | side 0");
    redrawBoardWindow();
    shell.saveGameOnExit = r.saveOnExit;
    testing::typeKey(1, Qt::Key_S, Qt::ControlModifier), FBHandleEvents();
    QTest::keyRelease(contentWidget(1)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
    ASSERT_TRUE(std::filesystem::exists(dataFilePath("SavedGame")));
    chosen = folder_ / "data" / "Tuesday";
    std::filesystem::copy_file(dataFilePath("SavedGame"), chosen);
    const OpenFilePresenter previous = setOpenFilePresenter(answerWithChosen);
    if (r.boardAlone) testing::setModifiers(kCmdKeyBit);
    choose(kFileMenu, r.item);
    testing::clearSimulatedModifiers();
    setOpenFilePresenter(previous);
    EXPECT_EQ(storage.gamesLoaded, 1);
    EXPECT_EQ(storage.gameModified, 0);
    if (r.changed) storage.gameModified = -1;  // a move made since
    const CheckedArray<int16_t, 25> atQuit = position.board;
    testing::typeKey(1, Qt::Key_Q, Qt::ControlModifier), FBHandleEvents();
    QTest::keyRelease(contentWidget(1)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
    testing::pumpUntil([] { return exits > 0; }, 20);
    answerer.stop();
    ASSERT_EQ(exits, 1);
    EXPECT_EQ(questions, r.saveOnExit == 0 && r.changed ? 1 : 0);
    startAgain(true);
    const bool resumed = *r.resumedFrom != '\0';
    EXPECT_EQ(storage.gameWasSaved, resumed ? -1 : 0);
    EXPECT_EQ(shell.savedGameName.view(), std::string_view(r.resumedFrom));
    if (!resumed) continue;
    loadGame(0);
    EXPECT_EQ(position.board, atQuit);
  }
}

}  // namespace
}  // namespace bg
