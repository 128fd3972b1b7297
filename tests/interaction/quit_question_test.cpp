// The quit-time question on the board: nothing for an unchanged game, No keeps the saved
// game as it was to the byte, Yes writes it, also when the quit comes while the turn is
// being left; the answer is kept for the quit.
#include "interaction/quit_question.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "../display/board_fixture.h"
#include "flow/turn_services.h"
#include "interaction/interaction_install.h"
#include "runtime/core/files.h"
#include "runtime/qt/events.h"
#include "state/flow_state.h"
#include "state/quit_services.h"
#include "state/storage_state.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

std::string bytesOf(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class QuitQuestion : public testing::ScriptedBoardTest {
 protected:
  void SetUp() override {
    ScriptedBoardTest::SetUp();
    testing::loadShippedMessages();
    script_.budget = 3000;
    ASSERT_TRUE(dir.isValid());
    previousData = dataFolder();
    ASSERT_TRUE(setDataFolder(std::filesystem::path(dir.path().toStdString())));
  }
  void TearDown() override {
    if (!previousData.empty()) setDataFolder(previousData);
    ScriptedBoardTest::TearDown();
  }
  // Answers the question once it is up; records what it asked.
  void answer(bool yes) {
    script_.clickWhere([this, yes] {
      asked = interaction.messageLines[1].str();
      return testing::middleOf(yes ? interactionDisplay.yesButtonRect : interactionDisplay.noButtonRect);
    });
  }
  std::filesystem::path savedGame() const {
    for (const auto& e : std::filesystem::directory_iterator(dataFolder())) return e.path();
    return {};
  }
  QTemporaryDir dir;
  std::filesystem::path previousData;
  std::string asked;
};

TEST_F(QuitQuestion, AnUnchangedGameQuitsWithoutTheQuestion) {
  storage.gameModified = 0;
  saveAskedBeforeQuitFailed();
  EXPECT_EQ(script_.pumps, 0);
  EXPECT_EQ(display.overlayActive, 0);
  EXPECT_TRUE(savedGame().empty());
}

TEST_F(QuitQuestion, YesWritesTheGameAndNoLeavesTheFileAsItWas) {
  storage.gameModified = -1;
  answer(true);
  saveAskedBeforeQuitFailed();
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(asked, "Save this game before quitting?");
  EXPECT_EQ(quitState.saveAnswer, kSaveAnsweredYes);
  const std::filesystem::path file = savedGame();
  ASSERT_FALSE(file.empty()) << "Yes wrote nothing";
  const std::string written = bytesOf(file);
  EXPECT_FALSE(written.empty());

  // The game changes; No keeps the file to the byte.
  testing::setPosition("6:5 13:5 | dice 4 2");
  storage.gameModified = -1;
  answer(false);
  saveAskedBeforeQuitFailed();
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(bytesOf(file), written);
  EXPECT_EQ(quitState.saveAnswer, kSaveAnsweredNo);
  EXPECT_EQ(display.overlayActive, 0);
}

TEST_F(QuitQuestion, AQuitWhileTheTurnIsLeftStillAsksAndKeepsTheRequest) {
  storage.gameModified = -1;
  flow.abortTurn = kLeaveTurn;
  answer(true);
  saveAskedBeforeQuitFailed();
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(asked, "Save this game before quitting?");
  EXPECT_FALSE(savedGame().empty());
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
}

}  // namespace
}  // namespace bg
