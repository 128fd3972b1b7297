// A document named on the command line in a deep folder is remembered by its whole path.
#include <gtest/gtest.h>

#include <string>

#include "shell/saved_game_commands.h"
#include "state/program_state.h"
#include "state/storage_state.h"

namespace bg {
namespace {

TEST(LongPaths, ACommandLineDocumentKeepsItsWholePath) {
  for (const std::size_t depth : {200u, 300u, 3000u}) {
    resetProgramState();
    const std::string path = "/home/ann/" + std::string(depth, 'd') + "/saved game";
    std::string arg = path;
    char name[] = "backgammon";
    char* argv[] = {name, arg.data(), nullptr};
    takeDocumentFromCommandLine(2, argv);
    EXPECT_EQ(storage.openDocumentPending, -1);
    EXPECT_EQ(storage.openedDocumentName.view(), path) << depth;
  }
  resetProgramState();
}

}  // namespace
}  // namespace bg
