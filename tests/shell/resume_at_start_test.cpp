// The game saved at the last quit, at the first drawing of the board: a sound one is
// resumed and announced over its own board; one that cannot be resumed is refused before
// anything announces it, and the game on the board stays.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../display/board_fixture.h"
#include "rules/new_game.h"
#include "display/board_rebuild.h"
#include "display/board_redraw.h"
#include "flow/turn_services.h"
#include "runtime/core/files.h"
#include "runtime/qt/save_file_chooser.h"
#include "shell/saved_game_commands.h"
#include "started_program.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/search_services.h"
#include "state/settings.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "support/position_text.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

std::vector<std::string> seen;  // titled notices and boxes, in order
bool point2DrawnUnderBox = false;  // a checker showed on point 2 while the last box was up

std::string savedGameWithBoard(const std::string& board) {
  const char* rest[] = {"Scores 0 0", "CubeValue 1", "CubeOwner 2", "PlayerDeclined  0", "DiceShowing  0",
                        "Dice  0 0", "PlayerRolledOver  0  0", "TournamentGoing  0", "TournamentPoints 0",
                        "CrawfordRestrictions  0  0", "LastPlayerToMove 1", "MoveTable",
                        " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0"};
  std::string bytes = "\r" + board + "\r";
  for (const char* line : rest) bytes += std::string(line) + "\r";
  return bytes;
}

class ResumeAtStart : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    folder_ = std::filesystem::temp_directory_path() / ("bg-resume-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    ASSERT_TRUE(setDataFolder(folder_));
    installDisplayServices();  // as the program's start installs them
    installSavedGameServices();
    seen.clear();
    searchServices.showTitledText = [](std::string_view title, std::string_view) {
      seen.emplace_back(title);
      const Point at = testing::pointSpot(2);
      point2DrawnUnderBox = QColor(testing::pixelAt(at.h, at.v)) != testing::boardPixel(at.h, at.v);
    };
    turnServices.showInformation = [](std::string_view text) { seen.emplace_back(text); };
    upperServices.enterPlayerName = [] {};
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    StartedProgram::TearDown();
  }
  std::filesystem::path folder_;
};

TEST_F(ResumeAtStart, OnlyAGameThatCanBeResumedIsAnnounced) {
  struct Row {
    std::string file;
    std::vector<std::string> seen;
    int16_t onPoint2;  // side 0's checkers on point 2 afterwards
  } rows[] = {
      {savedGameWithBoard("Board  0  1  1  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2  0"),
       {"    Saved Game Resumed"}, 1},
      {savedGameWithBoard("Board  0  0  0  0  0  0 -5  0 -3  0  0  0  0 -5  0  0  0  0  0  0  0  0  0  0 -2  0"),
       {"The saved game could not be loaded. A side has no checker on the board."}, 0},
      {"", {"The saved game could not be loaded. The file is empty."}, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.file);
    seen.clear();
    testing::setPosition("start | side 0");
    std::ofstream(folder_ / "SavedGame", std::ios::binary) << r.file;
    storage.gameWasSaved = -1;
    storage.loadGameOnStartup = -1;
    shell.savedGameName = "SavedGame";
    display.firstBoardBuild = -1;
    redrawBoardWindow();
    FBHandleEvents();
    EXPECT_EQ(seen, r.seen);
    // The box stands over the game it announces, not over the board that game replaces.
    EXPECT_TRUE(r.onPoint2 == 0 || point2DrawnUnderBox);
    EXPECT_EQ(position.board[2], r.onPoint2);
    EXPECT_EQ(position.board[1], 2 - r.onPoint2);
    EXPECT_EQ(storage.gameWasSaved, 0);
    // A die place of the frame shows a die with its face or the board under it.
    for (int16_t end = 0; end <= 1; ++end) {
      for (int16_t place = 0; place <= 1; ++place) {
        if (display.dieSlots[end][place].value != 0) continue;
        const Point at = layout.dieSlotPositions[displaySettings.playDirection][end][place];
        const int x = at.h + layout.dieWidth / 2, y = at.v + layout.dieHeight / 2;
        EXPECT_EQ(QColor(testing::pixelAt(x, y)), testing::boardPixel(x, y)) << "a blank die at " << end << "/" << place;
      }
    }
  }
}

// A save chosen while the board comes up (its choice handled in the start's pumps) is taken
// once the game kept at the quit is on the board: that game is saved, not the board it
// replaces, and it is the game the next quit keeps.
TEST_F(ResumeAtStart, ASaveChosenWhileTheStartComesUpSavesTheGameResumed) {
  static std::filesystem::path other;
  other = folder_ / "Tuesday";
  const SaveFilePresenter previous = setSaveFilePresenter([](std::string_view, const std::filesystem::path&) { return other; });
  const std::string board = "Board  0  1  1  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2  0";
  const struct {
    int16_t item;
    const char* savedIn;
  } rows[] = {{kSaveGameItem, "SavedGame"}, {kSaveGameAsItem, "Tuesday"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.savedIn);
    testing::setPosition("start | side 0");
    std::ofstream(folder_ / "SavedGame", std::ios::binary) << savedGameWithBoard(board);
    storage.gameWasSaved = -1;
    storage.loadGameOnStartup = -1;
    shell.savedGameName = "SavedGame";
    players.playerRecords[players.activePlayers].secondName = "Ann";
    display.firstBoardBuild = -1;
    chooseMenuItem(kFileMenu, r.item);
    FBHandleEvents();  // the main loop's pump before its first game draws the board
    redrawBoardWindow();
    FBHandleEvents();
    EXPECT_EQ(seen, std::vector<std::string>{"    Saved Game Resumed"});
    EXPECT_EQ(position.board[2], 1);
    std::ifstream in(folder_ / r.savedIn, std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(saved.find(board + "\r"), std::string::npos) << saved;
    EXPECT_EQ(shell.savedGameName.view(), std::string_view(r.savedIn));
    seen.clear();
  }
  setSaveFilePresenter(previous);
}

// The start's new game shows the side that rolls first after a won game by turning the
// sides round for its drawing: the game resumed in that drawing keeps its own side to move.
TEST_F(ResumeAtStart, TheGameResumedByTheStartsNewGameKeepsItsSideToMove) {
  std::ofstream(folder_ / "SavedGame", std::ios::binary)
      << savedGameWithBoard("Board  0  1  1  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2  0");
  storage.gameWasSaved = -1;
  storage.loadGameOnStartup = -1;
  shell.savedGameName = "SavedGame";
  settings.whoRollsFirst = kWinnerRollsFirst;
  flow.scores = {{1, 0}};
  flow.winnerSide = 0;
  display.firstBoardBuild = -1;
  startNewGame();
  FBHandleEvents();
  ASSERT_EQ(position.board[2], 1);
  EXPECT_EQ(position.currentPlayer, 1);  // the file's last player to move: the turn hands it over
}

}  // namespace
}  // namespace bg
