// The preferences file met through the real start and quit, each run in a child process
// with its folders in a temporary place: a file that cannot be read is told once the board
// is up, and a write that fails at a quit from a signal shows no box.
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
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

namespace bg {
namespace {

constexpr int kToldAsItShould = 0;
constexpr int kNothingTold = 6;
constexpr int kBoxShown = 5;
constexpr int kBoardMissing = 4;
constexpr int kGaveUp = 3;
constexpr int kEnoughTicks = 500;

// HOME and the XDG folders in a temporary folder for the life of the test.
class OwnFolders {
 public:
  OwnFolders() : root_(std::filesystem::temp_directory_path() / ("bg-prefs-child-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
      const char* old = std::getenv(v);
      saved_.emplace_back(v, old ? std::optional<std::string>(old) : std::nullopt);
    }
    ::setenv("HOME", root_.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  ~OwnFolders() {
    for (const auto& [name, value] : saved_) {
      if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
      else
        ::unsetenv(name.c_str());
    }
    std::filesystem::remove_all(root_);
  }
  std::filesystem::path preferences() const {
    return root_ / "config" / "Tavrik's Backgammon" / "Tavrik's Backgammon Preferences";
  }

 private:
  std::filesystem::path root_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

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

TEST(PreferencesChildDeathTest, AFileThatCannotBeReadIsToldOverTheBoardAndSaysNothingWillBeSaved) {
  const OwnFolders folders;
  std::filesystem::create_directories(folders.preferences() / "inside");  // a folder in its place
  EXPECT_EXIT(startWatching(1, plainArgv,
                            [] {
                              const std::string text = informationText();
                              if (!text.empty()) {
                                if (!windowExists(1)) std::_Exit(kBoardMissing);
                                const bool named = text.find("Preferences") != std::string::npos;
                                const bool saysSo = text.find("will not be saved") != std::string::npos;
                                std::_Exit(named && saysSo ? kToldAsItShould : kGaveUp);
                              }
                              if (++ticks > kEnoughTicks && storage.prefsUnreadable != 0) std::_Exit(kNothingTold);
                            }),
              ::testing::ExitedWithCode(kToldAsItShould), "");
  EXPECT_TRUE(std::filesystem::is_directory(folders.preferences()));
}

TEST(PreferencesChildDeathTest, AFailedWriteAtASignalQuitGoesToStandardErrorWithoutABox) {
  const OwnFolders folders;
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
