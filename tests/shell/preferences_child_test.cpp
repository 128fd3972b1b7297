// The preferences file met through the real start and quit, each run in a child process
// with its folders in a temporary place: a file that cannot be read is told once the board
// is up, and a write that fails at a quit from a signal shows no box.
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/message_boxes.h"
#include "runtime/core/files.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/windows.h"
#include "shell/startup.h"
#include "state/storage_state.h"
#include "own_folders.h"

namespace bg {
namespace {

constexpr int kToldAsItShould = 0;
constexpr int kNothingTold = 6;
constexpr int kBoxShown = 5;
constexpr int kBoardMissing = 4;
constexpr int kGaveUp = 3;
constexpr int kEnoughTicks = 500;

using testing::OwnFolders;

// The information box's text, or empty when none is up.
std::string informationText() {
  if (!windowExists(kInformationWindow)) return {};
  std::string all;
  for (int16_t id = 1; id <= 10; ++id) all += controlText(kInformationWindow, id);
  return all;
}

int ticks = 0;

// Started with a watcher that runs every few milliseconds inside whatever loop is running
// (the main loop, a box's own loop).
void startWatching(int argc, char** argv, void (*watch)()) {
  static QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, watch);
  watcher.start(5);
  runApplication(argc, argv);
}

char programName[] = "backgammon";
char* plainArgv[] = {programName, nullptr};

// The words the box over the board must hold.
const char* toldWords = "";

TEST(PreferencesChildDeathTest, AFileThatCannotBeReadOrIsDamagedIsToldOverTheBoard) {
  struct Row {
    const char* what;
    const char* bytes;  // nullptr: a folder in the file's place
    const char* told;
    bool foldersAreFiles = false;  // the XDG folders point at files
  };
  const Row rows[] = {{"a folder in its place", nullptr, "will not be saved"},
                      {"cut before its end mark", "VERSION 6.4\rSKILLLEVEL   3\rPLAYERN", "damaged file is kept"},
                      {"folders that cannot be made", "", "the settings will not be kept", true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const OwnFolders folders("bg-prefs-child-");
    if (r.foldersAreFiles) {
      for (const char* file : {"config", "data"}) std::ofstream(folders.root() / file) << "a file";
    } else if (r.bytes == nullptr) {
      std::filesystem::create_directories(folders.preferences() / "inside");
    } else {
      std::filesystem::create_directories(folders.preferences().parent_path());
      std::ofstream(folders.preferences(), std::ios::binary) << r.bytes;
    }
    toldWords = r.told;
    EXPECT_EXIT(startWatching(1, plainArgv,
                              [] {
                                const std::string text = informationText();
                                if (!text.empty()) {
                                  if (!windowExists(1)) std::_Exit(kBoardMissing);
                                  const bool named = text.find("Tavrik's Backgammon") != std::string::npos;
                                  const bool saysSo = text.find(toldWords) != std::string::npos;
                                  std::_Exit(named && saysSo ? kToldAsItShould : kGaveUp);
                                }
                                if (++ticks > kEnoughTicks) std::_Exit(kNothingTold);
                              }),
                ::testing::ExitedWithCode(kToldAsItShould), "");
    if (r.foldersAreFiles) continue;
    if (r.bytes == nullptr) {
      EXPECT_TRUE(std::filesystem::is_directory(folders.preferences()));
    } else {
      // The start's sweep of leftovers leaves the kept copy.
      std::ifstream kept(folders.preferences().string() + " damaged", std::ios::binary);
      EXPECT_EQ(std::string((std::istreambuf_iterator<char>(kept)), {}), r.bytes);
    }
  }
}

TEST(PreferencesChildDeathTest, AFailedWriteAtASignalQuitGoesToStandardErrorWithoutABox) {
  const OwnFolders folders("bg-prefs-child-");
  EXPECT_EXIT(startWatching(1, plainArgv,
                            [] {
                              if (windowExists(kInformationWindow)) std::_Exit(kBoxShown);
                              if (ticks++ != 0) return;
                              failNextFileRename();
                              std::raise(SIGTERM);
                            }),
              ::testing::ExitedWithCode(0), "preferences could not be saved");
  EXPECT_FALSE(std::filesystem::exists(folders.preferences()));
}

}  // namespace
}  // namespace bg
