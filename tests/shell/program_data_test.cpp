// Start-up data: the dice pool is filled from the seeded generator, the computer's
// tables and the message texts are loaded, and the user's folders exist.
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

#include "computer/factors.h"
#include "computer/program_data.h"
#include "rules/dice.h"
#include "state/search_services.h"
#include "runtime/core/files.h"
#include "runtime/core/messages.h"
#include "runtime/qt/user_folders.h"
#include "shell/program_data.h"

namespace bg {
namespace {

TEST(ProgramData, StartUpFillsThePoolTheTablesAndTheMessages) {
  diceState = DiceState{};
  initProgramData();
  for (long slot = 0; slot <= 30; ++slot) {
    EXPECT_GE(diceState.dicePool[slot], 1) << slot;
    EXPECT_LE(diceState.dicePool[slot], 6) << slot;
  }
  EXPECT_EQ(diceState.dicePool[31], 0) << "the last slot is never filled";
  EXPECT_EQ(factorRegistry.factorCount, 154);
  EXPECT_FALSE(messageWordsOf(2).empty()) << "the busy message has words";
  EXPECT_NE(searchServices.handleEvents, SearchServices{}.handleEvents) << "a search keeps the window alive";
}

TEST(UserFolders, DataAndPreferencesGoToTheUsersOwnFoldersAndAreCreated) {
  QStandardPaths::setTestModeEnabled(true);
  ASSERT_TRUE(initUserFolders());
  EXPECT_TRUE(std::filesystem::is_directory(dataFolder()));
  EXPECT_TRUE(std::filesystem::is_directory(preferencesFolder()));
  EXPECT_NE(dataFolder(), preferencesFolder());
  EXPECT_NE(dataFolder().string().find(kApplicationName), std::string::npos);
  QStandardPaths::setTestModeEnabled(false);
}

}  // namespace
}  // namespace bg
