// Every way out: the farewell for the hour, the session credited, the game saved when
// asked, the question before the preferences, and one run however many ways out come.
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialogs/message_boxes.h"
#include "flow/game_end.h"
#include "flow/sessions.h"
#include "rules/new_game.h"
#include "runtime/core/clock.h"
#include "runtime/core/files.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/quit_game.h"
#include "state/board_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/quit_services.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/speech_state.h"
#include "state/storage_state.h"
#include "storage/saved_game_file.h"
#include "support/message_stand_in.h"
#include "support/position_text.h"
#include "started_program.h"

namespace bg {
namespace {

std::vector<std::string> shown;
std::vector<double> pauses;
int exits = 0;
int questions = 0;
bool savedGameAtQuestion = false;
int quitsDuringPause = 0;

class QuitGame : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    folder_ = std::filesystem::temp_directory_path() /
              ("bg-quit-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    ASSERT_TRUE(setDataFolder(folder_ / "data"));
    ASSERT_TRUE(setPreferencesFolder(folder_ / "config"));
    shown.clear();
    pauses.clear();
    exits = questions = quitsDuringPause = 0;
    installFakes();
    clock_.clock.setLocalTime(2026, 12, 7, 12, 0, 0);
    testing::setPosition("start | side 0");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  // The message line's rules: a bare marker shows nothing.
  static void installFakes() {
    interactionServices.displayMessage = [] {
      testing::showLikeMessageLine([](int16_t number, const std::string& text) {
        if (number != kNoMessage) shown.push_back("#" + std::to_string(number));
        if (!text.empty()) shown.push_back(text);
      });
    };
    shellServices.pauseSeconds = [](double s) { pauses.push_back(s); };
    quitServices.endProcess = [](int status) {
      EXPECT_EQ(status, 0);
      ++exits;
    };
    shellServices.saveAskedBeforeQuitFailed = [] {  // No
      ++questions;
      savedGameAtQuestion = std::filesystem::exists(dataFilePath("SavedGame"));
      quitState.saveAnswer = kSaveAnsweredNo;
      return false;
    };
  }
  bool saw(const std::string& s) const { return std::find(shown.begin(), shown.end(), s) != shown.end(); }
  std::filesystem::path folder_;
  UseVirtualClock clock_;
};

TEST_F(QuitGame, TheFarewellFollowsTheHour) {
  const struct {
    int hour, minute;
    const char* words;
  } rows[] = {{2, 59, "Good night"},         {3, 0, "Have a good day"},       {16, 59, "Have a good day"},
              {17, 0, "Have a good evening"}, {20, 59, "Have a good evening"}, {21, 0, "Good night"},
              {0, 0, "Good night"},           {23, 59, "Good night"}};
  for (const auto& r : rows) {
    quitState.quitRunning = 0;
    shown.clear();
    clock_.clock.setLocalTime(2026, 12, 7, r.hour, r.minute, 0);
    quitGame();
    EXPECT_TRUE(saw(r.words)) << r.hour << ":" << r.minute;
    EXPECT_EQ(farewellForHour(r.hour), std::string("MM") + r.words);
  }
}

std::string bytesOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// The game flow's own end of a game: side 1 has borne off its last checker.
void endAGame() {
  testing::setPosition("13:15 | side 1");
  announceGameResult();
}

TEST_F(QuitGame, TheClosingMessageFollowsTheSessionsEnd) {
  const struct {
    void (*before)();
    const char* what;
    const char* message;
  } rows[] = {{[] {}, "no game ended", "#215"},
              {endAGame, "a game ended", "#67"},
              {[] { endAGame(), startNewGame(); }, "a game ended and the next begun", "#67"},
              {[] { endAGame(), closeSessionTotals(); }, "the session closed", "#215"},
              {[] { flow.sessionEndState = 2; }, "another end", "#187"},
              {[] { flow.sessionEndState = -1; }, "another end", "#187"}};
  for (const auto& r : rows) {
    resetProgramState();
    installFakes();
    r.before();
    shown.clear();
    quitGame();
    ASSERT_FALSE(shown.empty()) << r.what;
    EXPECT_EQ(shown.front(), r.message) << r.what;
  }
}

// The session goes on at the next start with its scores: a quit credits none.
TEST_F(QuitGame, AQuitCreditsNoSession) {
  const struct {
    int32_t s0, s1;
  } rows[] = {{0, 0}, {3, 1}, {1, 3}, {2, 2}, {-4, 2}};
  for (const auto& r : rows) {
    resetProgramState();
    quitServices.endProcess = [](int) { ++exits; };
    flow.scores[0] = r.s0;
    flow.scores[1] = r.s1;
    quitGame();
    EXPECT_EQ(playerCounter(kSessionsWonWord, 0), 0) << r.s0 << ":" << r.s1;
    EXPECT_EQ(playerCounter(kSessionsWonWord, 1), 0) << r.s0 << ":" << r.s1;
    EXPECT_EQ(flow.scores[0], r.s0);
    EXPECT_EQ(flow.scores[1], r.s1);
  }
}

TEST_F(QuitGame, SaveOnExitSavesWithoutAQuestionOrAPause) {
  shell.saveGameOnExit = -1;
  storage.gameModified = -1;
  quitGame();
  EXPECT_TRUE(std::filesystem::exists(dataFilePath("SavedGame")));
  EXPECT_EQ(storage.gameWasSaved, -1);
  EXPECT_EQ(shell.savedGameName.view(), "SavedGame");
  EXPECT_EQ(questions, 0);
  EXPECT_TRUE(pauses.empty());
  EXPECT_EQ(interaction.messageNumber, 82);
  EXPECT_FALSE(saw("#82"));  // saved quietly
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(shellFlags.quitRequested, -1);
}

TEST_F(QuitGame, ASaveOnExitThatFailsIsNotRememberedAsSaved) {
  shell.saveGameOnExit = -1;
  storage.gameModified = -1;
  std::filesystem::create_directories(dataFilePath("SavedGame"));  // a folder in its place
  std::string told;
  QTimer answerer;  // Quit Anyway
  QObject::connect(&answerer, &QTimer::timeout, [&told] {
    if (!windowExists(kInformationWindow)) return;
    told = controlText(kInformationWindow, 4);
    pressButton(kInformationWindow, 2);
  });
  answerer.start(0);
  quitGame();
  EXPECT_EQ(told.rfind("The game could not be saved. SavedGame is a folder, not a file.", 0), 0u) << told;
  EXPECT_EQ(storage.gameWasSaved, 0);
  EXPECT_EQ(storage.gameModified, -1);
  EXPECT_EQ(exits, 1);
}

TEST_F(QuitGame, WithoutSaveOnExitTheQuestionComesAndAYesIsRemembered) {
  storage.gameModified = -1;
  shellServices.saveAskedBeforeQuitFailed = [] {  // Yes
    ++questions;
    quitState.saveAnswer = kSaveAnsweredYes;
    return !saveGame(0);
  };
  quitGame();
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(storage.gameWasSaved, -1);
  EXPECT_EQ(pauses, std::vector<double>{2.0});
}

TEST_F(QuitGame, NoQuestionForAnUnchangedGameOrAStandingResult) {
  quitGame();
  EXPECT_EQ(questions, 0);
  quitState.quitRunning = 0;
  endAGame();
  storage.gameModified = -1;
  quitGame();
  EXPECT_EQ(questions, 0);
}

// A finished game is not saved at quit, and no save made before its end is resumed.
TEST_F(QuitGame, AFinishedGameIsNotKeptToResume) {
  shell.saveGameOnExit = -1;
  ASSERT_TRUE(saveGame(0));
  const std::string before = bytesOf(dataFilePath("SavedGame"));
  endAGame();
  storage.gameModified = -1;
  quitGame();
  EXPECT_EQ(bytesOf(dataFilePath("SavedGame")), before);
  EXPECT_TRUE(shell.savedGameName.empty());
  EXPECT_EQ(storage.gameWasSaved, 0);
}

// While the position editor runs the board is half laid out: a quit saves nothing over
// the game saved before and asks nothing, and the next start does not resume that file as
// the game just quit. The farewell says so, with the time to read it.
TEST_F(QuitGame, AQuitDuringTheEditorLeavesTheSavedFileAndResumesNothing) {
  for (const int16_t saveOnExit : {-1, 0}) {
    quitState.quitRunning = 0;
    questions = 0;
    shell.saveGameOnExit = saveOnExit;
    testing::setPosition("start | side 0");
    ASSERT_TRUE(saveGame(0));
    const std::string before = bytesOf(dataFilePath("SavedGame"));
    testing::setPosition("6:1 | side 0");  // one checker laid so far
    boardState.setupInProgress = -1;
    storage.gameModified = -1;
    shown.clear();
    pauses.clear();
    quitGame();
    EXPECT_TRUE(saw("The position being set up is not kept.")) << saveOnExit;
    EXPECT_EQ(pauses, std::vector<double>{2.0}) << saveOnExit;
    EXPECT_EQ(bytesOf(dataFilePath("SavedGame")), before) << saveOnExit;
    EXPECT_EQ(questions, 0) << saveOnExit;
    EXPECT_TRUE(shell.savedGameName.empty()) << saveOnExit;
    EXPECT_EQ(storage.gameWasSaved, 0) << saveOnExit;
    boardState.setupInProgress = 0;
  }
}

TEST_F(QuitGame, ASignalAsksNothingAndDoesNotPause) {
  storage.gameModified = -1;
  quitWithoutQuestion();
  EXPECT_EQ(questions, 0);
  EXPECT_TRUE(pauses.empty());
  EXPECT_EQ(exits, 1);
}

TEST_F(QuitGame, WithSpeechOnThereIsNoPause) {
  speech.speechOn = -1;
  quitGame();
  EXPECT_TRUE(pauses.empty());
}

// A second way out while the farewell waits (the pause pumps events) does nothing twice;
// the system's, which nobody answers, ends the program from there without the question.
TEST_F(QuitGame, ASecondQuitDuringTheFarewellDoesNothing) {
  storage.gameModified = -1;
  shellServices.pauseSeconds = [](double) {
    ++quitsDuringPause;
    quitGame();
    EXPECT_EQ(exits, 0);
    quitWithoutQuestion();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(questions, 0);
    quitWithoutQuestion();
    EXPECT_EQ(exits, 1);
  };
  shellServices.saveAskedBeforeQuitFailed = [] { return ++questions, quitState.saveAnswer = kSaveAnsweredNo, false; };  // No
  quitGame();
  EXPECT_EQ(quitsDuringPause, 1);
}

// The quit routes of the board's callbacks all reach the same routine.
TEST_F(QuitGame, TheCloseBoxAndTheQuitEventTakeTheSameRoad) {
  windowOpen(1, "board", makeRect(0, 0, 300, 200), kDocumentWindow, true);
  setDialogVector(doDialogEvent);
  for (const int16_t route : {0, 1}) {
    quitState.quitRunning = 0;
    exits = 0;
    shown.clear();
    if (route == 0)
      FBRaiseDialogEvent(kDialogWindowClosed, 1);
    else
      FBRaiseDialogEvent(kDialogPrivate, 98);
    FBHandleEvents();
    EXPECT_EQ(exits, 1) << route;
    EXPECT_TRUE(saw("#215")) << route;
  }
  windowClose(1);
}

}  // namespace
}  // namespace bg
