// The real way out and back in, each run in a child process with its folders in a
// temporary place: a game played with the mouse, a checker held, the board window closed;
// the file then holds the whole game, and the program opened with it resumes it.
#include <QApplication>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "audio/speech_engine.h"
#include "dialogs/note_pad.h"
#include "dialogs/text_windows.h"
#include "display/board_layout.h"
#include "display/board_redraw.h"
#include "display/dice_display.h"
#include "interaction/board_waits.h"
#include "flow/turn_services.h"
#include "runtime/core/files.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"
#include "dialogs/message_boxes.h"
#include "shell/app_events.h"
#include "shell/startup.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_state.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/quit_services.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "storage/saved_game.h"
#include "storage/saved_game_reader.h"
#include "storage/resume_note.h"
#include "support/mouse_script.h"
#include "own_folders.h"
#include "started_program.h"

namespace bg {
namespace {

constexpr int kScriptWentWrong = 7;
constexpr int kNotResumed = 6;
constexpr int kAskedAtSignal = 5;
constexpr int kSignalDropped = 4;
constexpr int kHangUpIgnored = 3;
constexpr int kHangUpTaken = 2;

using testing::OwnFolders;

testing::MouseScript* script = nullptr;
int menuStep = 0;

// When a row's signal comes: at once, while the person's own quit waits for an answer,
// while a box of the toolkit's own (file, print) is up, while the position editor runs, or
// once the person's quit has stayed at its failed write's box.
enum class SignalAt { kOnce, kInTheQuit, kInAToolkitBox, kInTheEditor, kAfterStay };
struct FullFolderRow {
  void (*before)();
  const char* told;
  SignalAt at = SignalAt::kOnce;
  int signal = SIGTERM;
  int failingWrite = 1;  // the game's, or the note pad's; the preferences' come after the game's
  Qt::Key answer = Qt::Key_unknown;  // to the quit's save question: Qt::Key_Y or Qt::Key_N
  const char* notTold = nullptr;  // what standard error must not say
};
const FullFolderRow* row = nullptr;
constexpr int kBoxTicks = 250;  // polls of a box left up after the signal: the quit never ran

Point diceSpot() {
  const BoardPoint c = turnServices.boardCentre();
  return {static_cast<int16_t>(c.h + 70), c.v};
}

Point pointSpot(int16_t p) {
  const BoardLayout& L = layout;
  return {static_cast<int16_t>(L.pointGeometry[p][5] + L.pieceWidth / 2),
          static_cast<int16_t>(L.pointGeometry[p][0] + L.pieceHeight / 2)};
}

bool humanOnRoll() { return position.playerType[position.currentPlayer] == kHumanPlayer; }

// Turns on saving at exit and loading at start-up, rolls when asked, and once the human
// has a roll to play picks up a checker and closes the board window while holding it.
void planCloseWithCheckerHeld() {
  if (menuStep < 2) {
    const int16_t item = menuStep == 0 ? 7 : 8;
    ++menuStep;
    script->then([item] {
      postMenuSelection(3, item);
      FBHandleEvents();
    });
    return;
  }
  if (hand.pieceInHand != 0) {
    script->then([] {
      if (contentWidget(1) != nullptr) contentWidget(1)->close();
    });
    return;
  }
  if (!humanOnRoll()) return;
  if (flow.rollWaitActive != 0) {
    script->click(diceSpot());
    return;
  }
  if (diceState.diceShowing != 0 && flow.movesLeft == 0) {
    script->click(diceSpot());  // the roll is played: the dice hand the turn over
    return;
  }
  if (diceState.diceShowing == 0) {
    script->click(diceSpot());  // the opening roll and every roll start with the dice
    return;
  }
  const bool human0 = position.currentPlayer == 0;
  auto own = [human0](int16_t p) { return human0 ? position.board[p] > 0 : position.board[p] < 0; };
  auto open = [human0](int16_t p) { return human0 ? position.board[p] >= -1 : position.board[p] <= 1; };
  const int16_t bar = human0 ? 25 : 0;
  if (flow.movesLeft == flow.movesAllowed) {
    // One step of the roll, checker by mouse: from the bar first, else any point.
    for (int16_t p = 0; p <= 25; ++p) {
      if (!own(p) || (own(bar) && p != bar)) continue;
      for (int16_t k = 0; k <= 1; ++k) {
        const int16_t d = diceState.dice[k].value;
        if (d == 0) continue;
        const int16_t start = p == 25 ? 0 : (p == 0 ? 25 : p);
        const int16_t to = static_cast<int16_t>(human0 ? start + d : start - d);
        if (to < 1 || to > 24 || !open(to)) continue;
        script->click(pointSpot(p));
        script->click(pointSpot(to));
        return;
      }
    }
    return;
  }
  // Part of the roll is played: the next checker is picked up and held.
  for (int16_t p = 1; p <= 24; ++p) {
    if (own(p)) {
      script->click(pointSpot(p));
      return;
    }
  }
}

void startWith(int argc, char** argv, void (*action)()) {
  QTimer::singleShot(0, action);
  runApplication(argc, argv);
}

void runScript(void (*planner)(), void (*spent)()) {
  // A box over the board (the first start's name question, a notice) is answered with
  // Return, as a person would.
  static QTimer boxes;
  QObject::connect(&boxes, &QTimer::timeout, [] {
    const int16_t front = frontWindow();
    if (front != 1 && contentWidget(front) != nullptr)
      QTest::keyClick(contentWidget(front)->windowHandle(), Qt::Key_Return);
  });
  boxes.start(20);
  static testing::MouseScript s;
  script = &s;
  s.planner = planner;
  s.onBudgetSpent = spent;
  s.budget = 20000;
  turnServices.pumpEvents = [] { script->pump(); };
}

// Once the started game waits for the person, a box of the start answered with Return.
void whenTheGameWaits(void (*then)()) {
  static QTimer poll;
  static void (*action)() = nullptr;
  action = then;
  QObject::connect(&poll, &QTimer::timeout, [] {
    const int16_t front = frontWindow();
    if (front != 1 && contentWidget(front) != nullptr) {
      QTest::keyClick(contentWidget(front)->windowHandle(), Qt::Key_Return);
      return;
    }
    if (flow.rollWaitActive == 0 && flow.rollClickWaitActive == 0 && panelWait.clickWaitRunning == 0) return;
    poll.stop();
    action();
  });
  poll.start(20);
}

bool toolkitBoxUp() {
  QWidget* box = QApplication::activeModalWidget();
  return box != nullptr && detail::windowNumberOf(box) == 0;
}

// A changed game, with what the row adds, then the row's signal with the disk full: at
// once, once Ctrl+Q's question or its Stay box waits for the person, or once a toolkit box
// is up.
void signalWithTheFolderFull() {
  storage.gameModified = -1;
  row->before();
  failNthFileWrite(row->failingWrite);
  if (row->at == SignalAt::kOnce) {
    std::raise(row->signal);
    return;
  }
  // A quit request the program comes back from was dropped.
  setAppEventHandler([](AppEvent& e) {
    const bool handled = appEventHandler(e);
    if (e.kind == AppEvent::kQuitRequest) std::_Exit(kSignalDropped);
    return handled;
  });
  static QTimer poll;
  static int ticksAfter = -1;
  QObject::connect(&poll, &QTimer::timeout, [] {
    if (ticksAfter >= 0) {
      if (toolkitBoxUp() && ++ticksAfter > kBoxTicks) std::_Exit(kSignalDropped);
      return;
    }
    const bool asked = panelWait.questionPanelUp != 0 && panelWait.clickWaitRunning != 0;
    if (asked && row->answer != Qt::Key_unknown) {
      static bool answered = false;
      if (!answered) answered = true, QTest::keyClick(contentWidget(1)->windowHandle(), row->answer);
      return;
    }
    if (row->at == SignalAt::kAfterStay) {
      static bool stayed = false;
      if (windowExists(kInformationWindow)) {
        if (!stayed) stayed = true, pressButton(kInformationWindow, 1);
        return;
      }
      if (!stayed || quitState.quitRunning != 0) return;
      ticksAfter = 0;
      std::raise(row->signal);
      return;
    }
    const bool due = row->at == SignalAt::kInAToolkitBox ? toolkitBoxUp()
                     : row->at == SignalAt::kInTheEditor ? boardState.setupInProgress != 0
                                                         : asked || windowExists(kInformationWindow);
    if (!due) return;
    ticksAfter = 0;
    failNthFileWrite(1);  // still full
    std::raise(row->signal);
  });
  poll.start(row->at == SignalAt::kInAToolkitBox ? 20 : 0);
  if (row->at == SignalAt::kInTheQuit || row->at == SignalAt::kAfterStay)
    QTest::keyClick(contentWidget(1)->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
}

void expectEachSays(std::span<const FullFolderRow> rows) {
  static char name[] = "backgammon";
  static char* argv[] = {name, nullptr};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.told);
    row = &r;
    using Said = ::testing::Matcher<const std::string&>;
    const Said said = r.notTold == nullptr ? Said(::testing::ContainsRegex(r.told))
                                           : Said(::testing::AllOf(::testing::ContainsRegex(r.told),
                                                                   ::testing::Not(::testing::HasSubstr(r.notTold))));
    EXPECT_EXIT(startWith(1, argv, [] { whenTheGameWaits(signalWithTheFolderFull); }), ::testing::ExitedWithCode(0),
                said);
  }
}

void gameSavedOnExit() { shell.saveGameOnExit = -1; }

SavedGame readGameFile(const std::filesystem::path& path) {
  EXPECT_TRUE(openInput(kSavedGameFileNumber, path));
  const SavedGameReading r = readSavedGameFields(kSavedGameFileNumber, false);
  closeFile(kSavedGameFileNumber);
  EXPECT_TRUE(r.complete);
  return r.game;
}

SavedGame expectedGame;

bool resumedAsSaved() {
  const SavedGame now = currentGameValues();
  if (now.board != expectedGame.board || now.scores != expectedGame.scores || now.dice != expectedGame.dice)
    return false;
  if (cube.cubeValue != expectedGame.cubeValue || cube.cubeOwner != expectedGame.cubeOwner) return false;
  if (record.gameRecordCount + 1 != static_cast<int16_t>(expectedGame.rows.size())) return false;
  for (std::size_t n = 0; n < expectedGame.rows.size(); ++n)
    if (record.gameRecord[static_cast<long>(n)] != expectedGame.rows[n]) return false;
  return true;
}

TEST(QuitChildDeathTest, ClosingWithACheckerHeldSavesTheWholeGameAndOpeningTheFileResumesIt) {
  const OwnFolders folders("bg-child-");
  static char name[] = "backgammon";
  static char* argv1[] = {name, nullptr};
  EXPECT_EXIT(startWith(1, argv1,
                        [] { runScript(planCloseWithCheckerHeld, [] { std::_Exit(kScriptWentWrong); }); }),
              ::testing::ExitedWithCode(0), "");
  ASSERT_TRUE(std::filesystem::exists(folders.savedGame()));
  expectedGame = readGameFile(folders.savedGame());
  int own = 0, other = 0;
  for (const int16_t c : expectedGame.board) (c > 0 ? own : other) += c > 0 ? c : -c;
  EXPECT_EQ(own + other, 30);  // the held checker went back before the save
  EXPECT_TRUE(expectedGame.diceShowing != 0);
  EXPECT_TRUE(savedGameFault(expectedGame).empty());

  static std::string path = folders.savedGame().string();
  static char* argv2[] = {name, path.data(), nullptr};
  EXPECT_EXIT(startWith(2, argv2,
                        [] {
                          runScript(
                              [] {
                                if (storage.openDocumentPending == 0 && resumedAsSaved()) std::_Exit(0);
                              },
                              [] { std::_Exit(kNotResumed); });
                        }),
              ::testing::ExitedWithCode(0), "");
}

// The temporaries a run killed inside the quit's writes left long ago beside the program's
// files go at the next start, whatever process number they carry; a file that only looks
// like one stays, a person's saved game among them.
TEST(QuitChildDeathTest, ATerminateSignalQuitsWithoutAQuestion) {
  const OwnFolders folders("bg-child-");
  const pid_t killed = ::fork();
  if (killed == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(killed, nullptr, 0), killed);
  const std::string run = ".tmp-" + std::to_string(killed) + "-";
  const std::filesystem::path data = folders.savedGame().parent_path();
  const std::filesystem::path stale[] = {data / ("notePad.txt" + run + "1"), data / ("SavedGame" + run + "2"),
                                         folders.preferences().string() + run + "3",
                                         data / "Rollout Result.txt.tmp-1-4"};
  const std::filesystem::path kept[] = {data / ("notePad.txt" + run + "1.bak"), data / ("Club final" + run + "11")};
  for (const auto& path : {stale[0], stale[1], stale[2], stale[3], kept[0], kept[1]}) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "half";
    // Long untouched: a fresh one might be a live run's that this start cannot see.
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  }
  static char name[] = "backgammon";
  static char* argv[] = {name, nullptr};
  EXPECT_EXIT(startWith(1, argv,
                        [] {
                          storage.gameModified = -1;
                          shellServices.saveAskedBeforeQuitFailed = []() -> bool { std::_Exit(kAskedAtSignal); };
                          std::raise(SIGTERM);
                        }),
              ::testing::ExitedWithCode(0), "");
  for (const auto& path : stale) EXPECT_FALSE(std::filesystem::exists(path)) << path;
  for (const auto& path : kept) EXPECT_TRUE(std::filesystem::exists(path)) << path;

  // With the data folder full nobody can answer a box: what could not be kept, and why, goes
  // to standard error. So it does when the signal comes while the person's own quit waits
  // for an answer: the program ends all the same.
  const auto askAtQuit = [] { shell.saveGameOnExit = 0; };
  const FullFolderRow full[] = {
      {gameSavedOnExit, "The game could not be saved. The disk is full."},
      {[] {
         openNotePad();
         QTest::keyClicks(textViewWidget(kNotePadWindow), "notes");
       },
       "The note pad could not be saved. The disk is full."},
      {askAtQuit, "The changed game was not saved: nobody could answer whether to save it.", SignalAt::kInTheQuit},
      {gameSavedOnExit, "The game could not be saved. The disk is full.", SignalAt::kInTheQuit},
      // The person's Yes stands; the save asked for failed, and why.
      {askAtQuit, "The game could not be saved. The disk is full.", SignalAt::kInTheQuit, SIGINT, 1, Qt::Key_Y},
      // The editor's board is not kept, nor saved over the game kept before.
      {[] { gameSavedOnExit(), postMenuSelection(kSettingsMenu, kSetupCurrentItem); },
       "The position being set up is not kept.", SignalAt::kInTheEditor, SIGHUP},
      // The box's sentences, each on its own line (no note in the data folder stands in for
      // the preferences, so the box says what the next start will not resume).
      {[] {
         shell.saveGameOnExit = -1, storage.loadGameOnStartup = -1;
         std::filesystem::create_directories(resumeNotePath());
       },
       "The preferences could not be saved[^\r]*\nThe game saved now will not come back by itself",
       SignalAt::kInTheQuit, SIGTERM, 2}};
  expectEachSays(full);
}

// The person's answer at the quit is that quit's: a No is not taken for nobody there to
// answer, and a Yes given to a quit that then stayed does not save the game at a later one.
TEST(QuitChildDeathTest, ASignalTakesThePersonsAnswerOnlyInTheQuitItWasGivenTo) {
  const OwnFolders folders("bg-child-");
  const auto askAtQuit = [] { shell.saveGameOnExit = 0; };
  const FullFolderRow full[] = {
      {askAtQuit, "The preferences could not be saved", SignalAt::kInTheQuit, SIGTERM, 1, Qt::Key_N,
       "nobody could answer"},
      {askAtQuit, "The changed game was not saved: nobody could answer whether to save it.", SignalAt::kAfterStay,
       SIGTERM, 1, Qt::Key_Y}};
  expectEachSays(full);
}

// Started to outlive its terminal (nohup), the program takes a hang-up for nothing. The
// child is the test program started afresh, so that the start meets the hang-up ignored.
TEST(QuitChildDeathTest, AHangUpIgnoredAtTheStartStaysIgnored) {
  const OwnFolders folders("bg-child-");
  static char name[] = "backgammon";
  static char* argv[] = {name, nullptr};
  const std::string style = GTEST_FLAG_GET(death_test_style);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::signal(SIGHUP, SIG_IGN);
        startWith(1, argv, [] {
          whenTheGameWaits([] {
            setAppEventHandler([](AppEvent& e) {
              if (e.kind == AppEvent::kQuitRequest) std::_Exit(kHangUpTaken);
              return appEventHandler(e);
            });
            std::raise(SIGHUP);
            static QTimer poll;
            static int ticks = 0;
            QObject::connect(&poll, &QTimer::timeout, [] {
              if (++ticks > kBoxTicks) std::_Exit(kHangUpIgnored);
            });
            poll.start(0);
          });
        });
      },
      ::testing::ExitedWithCode(kHangUpIgnored), "");
  GTEST_FLAG_SET(death_test_style, style);
}

// The terminal closed is a quit from the system as a terminate signal is, and a box of the
// toolkit's own (file, print) does not hold a quit from the system back.
TEST(QuitChildDeathTest, AHangUpOrASignalOverAToolkitBoxQuitsAsATerminateSignalDoes) {
  const OwnFolders folders("bg-child-");
  const FullFolderRow full[] = {
      {gameSavedOnExit, "The game could not be saved. The disk is full.", SignalAt::kOnce, SIGHUP},
      {[] { gameSavedOnExit(), postMenuSelection(kFileMenu, kSaveGameAsItem); },
       "The game could not be saved. The disk is full.", SignalAt::kInAToolkitBox},
      {[] { gameSavedOnExit(), postMenuSelection(kFileMenu, kOpenGameItem); },
       "The game could not be saved. The disk is full.", SignalAt::kInAToolkitBox, SIGINT},
      {[] {
         gameSavedOnExit();
         QTest::keyClick(contentWidget(1)->windowHandle(), Qt::Key_P, Qt::ControlModifier);
       },
       "The game could not be saved. The disk is full.", SignalAt::kInAToolkitBox}};
  expectEachSays(full);
}

// A quit while the program holds its sound back for a moment keeps the person's sound
// setting: the start's greeting (with a voice, which lets events in while it speaks), the
// first start's name box, a refused saved game's box, the dice chooser (a signal, or the
// person's own Ctrl+Q with the game saved on exit). The next start is not silent.
struct QuietRow {
  const char* name;
  const char* preferences;   // nullptr: a first start
  bool (*when)();            // the moment the quit comes
  void (*once)() = nullptr;  // done once the game waits for the person
  bool ownQuit = false;      // Ctrl+Q rather than a terminate signal
};
const QuietRow* quietRow = nullptr;
constexpr int kPollsWhileWaiting = 2000;  // the moment never came: the row went wrong

void quitWhenTheMomentComes() {
  static QTimer poll;
  static bool quitGiven = false;
  static bool onceDone = false;
  static int pollsWaiting = 0;
  QObject::connect(&poll, &QTimer::timeout, [] {
    if (quitGiven) return;
    if (quietRow->when()) {
      quitGiven = true;
      if (quietRow->ownQuit)
        QTest::keyClick(contentWidget(1)->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
      else
        std::raise(SIGTERM);
      return;
    }
    // The boxes before the moment (the first start's welcome) are answered as a person would.
    const int16_t front = frontWindow();
    if (front != 1 && contentWidget(front) != nullptr)
      QTest::keyClick(contentWidget(front)->windowHandle(), Qt::Key_Return);
    const bool waiting = flow.rollWaitActive != 0 || flow.rollClickWaitActive != 0 || panelWait.clickWaitRunning != 0;
    if (!waiting && pollsWaiting == 0) return;
    if (quietRow->once != nullptr && !onceDone) {
      onceDone = true;
      quietRow->once();
    }
    if (++pollsWaiting > kPollsWhileWaiting) std::_Exit(kScriptWentWrong);
  });
  poll.start(0);
}

TEST(QuitChildDeathTest, AQuitWhileSoundIsHeldBackForAMomentKeepsTheSoundSetting) {
  const QuietRow rows[] = {
      {"the start's greeting", "VOICENAME  Alex\rPLAYERNAME  Ann\rENDOFPREFERENCES\r",
       [] { return redrawState.boardRedrawing != 0; }},
      {"the first start's name box", nullptr, [] { return windowExists(kNameEntryWindow); }},
      {"a refused saved game's box", "PLAYERNAME  Ann\rENDOFPREFERENCES\r",
       [] { return storage.loadingGame != 0 && frontWindow() != 1; },
       [] { postMenuSelection(kFileMenu, kOpenSavedGameItem); }},
      {"the dice chooser", "INPUTDICE  -1\rPLAYERNAME  Ann\rENDOFPREFERENCES\r",
       [] { return diceChooser.chooseDiceOpen != 0; }},
      {"the dice chooser, Ctrl+Q", "INPUTDICE  -1\rSAVEGAMEONEXIT  -1\rPLAYERNAME  Ann\rENDOFPREFERENCES\r",
       [] { return diceChooser.chooseDiceOpen != 0; }, nullptr, true},
  };
  static char name[] = "backgammon";
  static char* argv[] = {name, nullptr};
  for (const QuietRow& r : rows) {
    SCOPED_TRACE(r.name);
    const OwnFolders folders("bg-child-");
    std::filesystem::create_directories(folders.savedGame().parent_path());
    std::ofstream(folders.savedGame(), std::ios::binary) << "";  // refused: the file is empty
    if (r.preferences != nullptr) {
      std::filesystem::create_directories(folders.preferences().parent_path());
      std::ofstream(folders.preferences(), std::ios::binary) << "SOUND  -1\r" << r.preferences;
    }
    quietRow = &r;
    // A voice, so that the greeting speaks; set in the child, whose start lists the voices.
    EXPECT_EXIT(
        {
          static testing::OneVoiceEngine voice;
          setSpeechEngine(&voice);
          startWith(1, argv, quitWhenTheMomentComes);
        },
        ::testing::ExitedWithCode(0), "");
    std::ifstream in(folders.preferences(), std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(written.find("\rSOUND  -1\r"), std::string::npos) << written.substr(0, 200);
  }
}

}  // namespace
}  // namespace bg
