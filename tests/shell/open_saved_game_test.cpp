// File, Open asks for the game in the data folder: the chosen file is loaded, a cancel
// changes nothing; with the command key held, the board alone is read; and a money
// session's game opened without one shows no money as points.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../display/board_fixture.h"
#include "dialog_script.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/game_setup_dialogs.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "runtime/core/files.h"
#include "runtime/qt/events.h"
#include "runtime/qt/file_chooser.h"
#include "runtime/qt/input.h"
#include "shell/saved_game_commands.h"
#include "shell/startup.h"
#include "started_program.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/storage_state.h"
#include "support/position_text.h"

namespace bg {
namespace {

std::filesystem::path chosen;
std::filesystem::path offeredFolder;

std::filesystem::path answerWithChosen(std::string_view, const std::filesystem::path& start) {
  offeredFolder = start;
  return chosen;
}

class OpenSavedGame : public testing::StartedProgram {};

TEST_F(OpenSavedGame, TheChosenGameIsLoadedAndACancelChangesNothing) {
  const auto folder = std::filesystem::temp_directory_path() / ("bg-open-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  ASSERT_TRUE(setDataFolder(folder));
  installSavedGameServices();
  const OpenFilePresenter previous = setOpenFilePresenter(answerWithChosen);
  testing::setPosition("start | side 0");
  const auto before = position.board;

  chosen.clear();
  choose(1, 4);
  EXPECT_EQ(offeredFolder, dataFolder());
  EXPECT_EQ(position.board, before);

  // The starting position with one back checker moved on, every line ending with CR.
  const char* lines[] = {"",
                         "Board  0  1  1  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2  0",
                         "Scores 3 -2", "CubeValue 1", "CubeOwner 2", "PlayerDeclined  0", "DiceShowing  0",
                         "Dice  0 0", "PlayerRolledOver  0  0", "TournamentGoing  0", "TournamentPoints 0",
                         "CrawfordRestrictions  0  0", "LastPlayerToMove 1", "MoveTable",
                         " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0"};
  chosen = folder / "A Game";
  {
    std::ofstream out(chosen, std::ios::binary);
    for (const char* l : lines) out << l << '\r';
  }
  choose(1, 4);
  EXPECT_EQ(position.board[1], 1);
  EXPECT_EQ(position.board[2], 1);
  EXPECT_EQ(flow.scores[0], 3);
  EXPECT_EQ(flow.scores[1], -2);

  // Opened with the command key held: the board alone, each count on its own point.
  testing::setPosition("start | side 0");
  testing::setModifiers(kCmdKeyBit);
  choose(1, 4);
  testing::clearSimulatedModifiers();
  EXPECT_EQ(position.board[1], 1);
  EXPECT_EQ(position.board[2], 1);
  EXPECT_EQ(position.board[24], -2);
  EXPECT_EQ(position.currentPlayer, 1);

  setOpenFilePresenter(previous);
  std::filesystem::remove_all(folder);
}

// A game whose record is almost full (the starting board, 1,090 rows of dice that could not
// be played), opened by File, Open and played on by the computers past the record's room:
// every turn is the other side's, and File, Save writes a game that File, Open takes again.
TEST_F(OpenSavedGame, ALongRecordPlayedOnAlternatesTheSidesAndSavesAGameThatOpensAgain) {
  const auto folder = std::filesystem::temp_directory_path() / ("bg-open-long-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  ASSERT_TRUE(setDataFolder(folder));
  installSavedGameServices();
  const OpenFilePresenter previous = setOpenFilePresenter(answerWithChosen);
  chosen = folder / "A Long Game";
  {
    std::ofstream out(chosen, std::ios::binary);
    out << "\rBoard  0  2  0  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2  0\rScores 0 0\r"
           "CubeValue 1\rCubeOwner 2\rPlayerDeclined  0\rDiceShowing  0\rDice  0 0\rPlayerRolledOver  0  0\r"
           "TournamentGoing  0\rTournamentPoints 0\rCrawfordRestrictions  0  0\rLastPlayerToMove 1\rMoveTable\r"
           " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r";
    for (int n = 0; n < 1090; ++n) out << (n % 2 == 0 ? " 0" : " 1") << ", 0, 0, 3, 3, 1, 1, 0, 0, 0\r";
  }
  choose(kFileMenu, 4);
  ASSERT_TRUE(notices.empty()) << notices.front();
  ASSERT_EQ(record.gameRecordCount, 1090);

  flow.opponentMode = kComputersOnly;
  position.playerType[0] = position.playerType[1] = kComputerPlayer;
  shellFlags.fastPlay = kFastPlayOn;
  settings.soundOptions.soundOn = 0;
  cube.cubeUsed = 0;
  options.autoConcessions = 0;
  options.showPipCounts = -1;
  static std::vector<int16_t> movers;
  movers.clear();
  turnServices.drawPipCounts = [] {
    movers.push_back(position.currentPlayer);
    if (movers.size() >= 12) shellFlags.quitRequested = -1;
  };
  runMainLoop();
  shellFlags.quitRequested = 0;
  ASSERT_EQ(movers.size(), 12u);
  for (std::size_t n = 1; n < movers.size(); ++n) EXPECT_NE(movers[n], movers[n - 1]) << "turn " << n;

  choose(kFileMenu, 5);  // Save Game
  ASSERT_TRUE(std::filesystem::exists(folder / "SavedGame"));
  const auto saved = position.board;
  testing::setPosition("start | side 0");
  chosen = folder / "SavedGame";
  choose(kFileMenu, 4);
  EXPECT_TRUE(notices.empty()) << notices.front();
  EXPECT_EQ(position.board, saved);
  setOpenFilePresenter(previous);
  std::filesystem::remove_all(folder);
}

// A game saved in a money session with the computer $10 up, opened by File, Open in a
// later run without a session: the dollars are not taken for points, and the board shows
// no score for either side, as the run has none.
TEST_F(OpenSavedGame, AMoneySessionsGameOpenedWithoutASessionShowsNoMoneyAsPoints) {
  const auto folder = std::filesystem::temp_directory_path() / ("bg-open-money-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  auto startInFolder = [&folder](std::initializer_list<void (*)()> services) {
    releaseEveryWindow();
    testing::startRuntime();
    testing::startShell(services);
    installBoardServices();  // as the program's start installs them
    ASSERT_TRUE(setDataFolder(folder));
    installSavedGameServices();
    upperServices.showInformation = [](std::string_view text) { notices.emplace_back(text); };
  };
  startInFolder({installDialogServices});
  ASSERT_TRUE(testing::openFromMenu(kGameMenu, kMoneySessionItem, kMoneyGameWindow));
  testing::clickControl(kMoneyGameWindow, 1);
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kMoneyGameWindow); }, 6));
  ASSERT_EQ(flow.moneySessionActive, 255);
  testing::setPosition("start | side 0");
  record.gameRecordCount = 0;
  flow.scores[0] = 0;
  flow.scores[1] = 10;
  choose(kFileMenu, 5);  // Save Game
  ASSERT_TRUE(std::filesystem::exists(folder / "SavedGame"));

  startInFolder({});
  ASSERT_EQ(flow.moneySessionActive, 0);
  buildBoardPicture();  // the board the redraws copy, as its first drawing builds it
  const OpenFilePresenter previous = setOpenFilePresenter(answerWithChosen);
  chosen = folder / "SavedGame";
  testing::setPosition("13:-2 6:5 | side 1");
  choose(kFileMenu, 4);
  setOpenFilePresenter(previous);
  EXPECT_TRUE(notices.empty()) << notices.front();
  EXPECT_EQ(position.board[12], 5) << "the game is loaded";
  EXPECT_EQ(flow.scores[0], 0);
  EXPECT_EQ(flow.scores[1], 0);
  testing::expectScoreShown(0, "", layout.textSize);
  testing::expectScoreShown(1, "", layout.textSize);
  std::filesystem::remove_all(folder);
}

// In a money session with the computer $10 up, File, Open of a plain game with points 3 and
// 2, and of a match game to 7: the session goes on with its balance, no match length is set.
TEST_F(OpenSavedGame, AGameOpenedInAMoneySessionKeepsTheSessionsBalance) {
  const auto folder = std::filesystem::temp_directory_path() / ("bg-open-balance-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  releaseEveryWindow();
  testing::startRuntime();
  testing::startShell({installDialogServices});
  installBoardServices();
  ASSERT_TRUE(setDataFolder(folder));
  installSavedGameServices();
  upperServices.showInformation = [](std::string_view text) { notices.emplace_back(text); };
  ASSERT_TRUE(testing::openFromMenu(kGameMenu, kMoneySessionItem, kMoneyGameWindow));
  testing::clickControl(kMoneyGameWindow, 1);
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kMoneyGameWindow); }, 6));
  ASSERT_EQ(flow.moneySessionActive, 255);
  storage.firstRun = 0;  // the welcome of a first start waits for a click
  buildBoardPicture();
  const int16_t lengthBefore = flow.tournamentPoints;
  const OpenFilePresenter previous = setOpenFilePresenter(answerWithChosen);
  for (const char* match : {"TournamentGoing  0\rTournamentPoints 0", "TournamentGoing -1\rTournamentPoints 7"}) {
    SCOPED_TRACE(match);
    testing::setPosition("13:-2 6:5 | side 1");
    flow.scores[0] = 0;
    flow.scores[1] = 10;
    chosen = folder / "A Game";
    std::ofstream(chosen, std::ios::binary)
        << "\rBoard  0  1  1  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2  0\rScores 3 2\r"
           "CubeValue 1\rCubeOwner 2\rPlayerDeclined  0\rDiceShowing  0\rDice  0 0\rPlayerRolledOver  0  0\r"
        << match << "\rCrawfordRestrictions  0  0\rLastPlayerToMove 1\rMoveTable\r 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r";
    choose(kFileMenu, 4);
    EXPECT_TRUE(notices.empty()) << notices.front();
    EXPECT_EQ(position.board[2], 1) << "the game is loaded";
    EXPECT_EQ(flow.scores[0], 0);
    EXPECT_EQ(flow.scores[1], 10);
    EXPECT_EQ(flow.tournamentGoing, 0);
    EXPECT_EQ(flow.tournamentPoints, lengthBefore);
    testing::expectScoreShown(0, "-$10", layout.textSize);
    testing::expectScoreShown(1, "$10", layout.textSize);
  }
  setOpenFilePresenter(previous);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace bg
