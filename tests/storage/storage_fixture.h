#pragma once
// The storage tests' fixture: the flow fixture's fresh program, a data folder of the
// test's own (removed afterwards), and fakes that record the boxes and dialogs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "flow/flow_fixture.h"
#include "runtime/core/files.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/game_record_state.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "storage/saved_game.h"
#include "storage/saved_game_file.h"
#include "storage/saved_game_writer.h"
#include "storage/storage_services.h"

namespace bg::testing {

inline std::vector<std::string> infoBoxes;
inline std::string dialogAnswer;  // what the next file dialog returns ("" cancels)
inline int dialogsShown = 0;

inline std::string fileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
inline void writeBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Everything a reading may change, to show that a refused file changed nothing.
struct GameSnapshot {
  SavedGame values = currentGameValues();
  GameRecord rec = record;
  Position pos = position;
  DiceState dice = diceState;
  int16_t movesLeft = flow.movesLeft, movesAllowed = flow.movesAllowed, turnNumber = flow.turnNumber;
  uint8_t abortTurn = flow.abortTurn, tournamentGoing = flow.tournamentGoing;
  int16_t gameModified = storage.gameModified;
  CubeState cubeState = cube;
  bool operator==(const GameSnapshot& o) const {
    return values == o.values && rec.gameRecord == o.rec.gameRecord && rec.gameRecordCount == o.rec.gameRecordCount &&
           pos.board == o.pos.board && pos.piecesOnBoard == o.pos.piecesOnBoard &&
           pos.currentPlayer == o.pos.currentPlayer && pos.openingPhase == o.pos.openingPhase &&
           dice.dice == o.dice.dice && dice.rolledDice == o.dice.rolledDice && movesLeft == o.movesLeft &&
           movesAllowed == o.movesAllowed && turnNumber == o.turnNumber && abortTurn == o.abortTurn &&
           tournamentGoing == o.tournamentGoing && gameModified == o.gameModified &&
           cubeState.cubeValue == o.cubeState.cubeValue && cubeState.cubeOwner == o.cubeState.cubeOwner &&
           cubeState.playerDeclined == o.cubeState.playerDeclined;
  }
};

class StorageTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() /
              ("bg-storage-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    ASSERT_TRUE(setDataFolder(folder_));
    dialogAnswer.clear();
    dialogsShown = 0;
    installFakes();
  }
  void installFakes() {
    infoBoxes.clear();
    flowLog = FlowLog{};
    interactionServices.displayMessage = [] {
      if (interaction.messageNumber != kNoMessage) flowLog.messages.push_back("#" + std::to_string(interaction.messageNumber));
      if (interaction.messageText.len() > 2) flowLog.messages.push_back(interaction.messageText.str().substr(2));
    };
    turnServices.showInformation = [](std::string_view text) { infoBoxes.emplace_back(text); };
    storageServices.chooseSaveFile = storageServices.chooseOpenFile = [](std::string_view, std::string_view) {
      ++dialogsShown;
      return dialogAnswer;
    };
  }
  // A fresh program for the next row of a table, with the fakes and the folder.
  void freshProgram() {
    resetProgramState();
    resetGameRecord();
    installFakes();
  }
  void TearDown() override {
    closeAllFiles();
    std::filesystem::remove_all(folder_);
    FlowTest::TearDown();
  }
  std::filesystem::path savedFile() const { return folder_ / "SavedGame"; }
  std::filesystem::path folder_;
};

}  // namespace bg::testing
