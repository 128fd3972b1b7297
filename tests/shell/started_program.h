#pragma once
// A program after its real start-up, with the menus wired to their commands, a speech
// engine with one voice, and a snapshot of every menu for comparing the marks.
#include <QTimer>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "audio/speech_engine.h"
#include "display/upper_services.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/user_folders.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/menu_dispatch.h"
#include "shell/shared_services.h"
#include "shell/startup.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/program_state.h"
#include "support/qt_helpers.h"

namespace bg::testing {

struct OneVoiceEngine final : SpeechEngine {
  int available() override { return 0; }
  int16_t countVoices() override { return 1; }
  int describeVoice(int16_t v, Str255& name) override { return v == 1 ? (name = "Alex", 0) : kVoiceNotFoundStatus; }
  int openChannel(int16_t v) override { return v == 1 ? 0 : kVoiceNotFoundStatus; }
  void closeChannel() override {}
  int speak(std::string_view) override { return 0; }
  bool busy() override { return false; }
  void stop() override {}
};

// Every numbered menu, item by item: text, enabled, checked, and which submenus hang.
inline std::string menuSnapshot() {
  static constexpr int16_t kMenus[] = {127, 1, 3, 4, 5, 6, 8, 11, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23, 24, 25};
  std::string s;
  for (int16_t m : kMenus) {
    s += std::to_string(m) + (menuItemEnabled(m, 0) ? "+" : "-") + (submenuInserted(m) ? "h" : "") + ":";
    for (int16_t i = 1; i <= menuItemCount(m); ++i)
      s += menuItemText(m, i) + (menuItemEnabled(m, i) ? "" : "~") + (menuItemChecked(m, i) ? "!" : "") + "|";
    s += "\n";
  }
  for (int16_t m : menuBarMenus()) s += std::to_string(m) + " ";
  return s;
}

// A fresh program state and the platform layer started as the program starts it, with the
// user's folders (those of the test's own home): without them the files would land in the
// working folder.
inline void startRuntime() {
  resetProgramState();
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  rtInit(argc, argv);
  initUserFolders();
}

// The real start-up after startRuntime: menus wired to their commands, a game on the board
// and every event handed out at once. moreServices install after the shell's own, before
// the menus.
inline void startShell(std::initializer_list<void (*)()> moreServices = {}) {
  initProgram();
  installShellServices();
  for (auto install : moreServices) install();
  installMenuCommands();
  installAppEventHandlers();
  setEventSlice(0);
  display.firstBoardBuild = 0;  // a game is on
  flow.newGameRequested = 0;
}

class StartedProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    // The program starts with no window up, whatever ran before it in this process.
    releaseEveryWindow();
    startRuntime();
    // A key an earlier test left held would change what the commands do.
    ASSERT_EQ(currentKeyModifiers(), 0) << "a modifier key is still held from an earlier test";
    previousEngine_ = setSpeechEngine(&engine_);
    startShell();
    notices.clear();
    upperServices.showInformation = [](std::string_view text) { notices.emplace_back(text); };
  }
  void TearDown() override {
    // Every window the test leaves up goes with it: a box left open would take the input
    // of whatever runs next.
    releaseEveryWindow();
    setEventSlice(2);
    setSpeechEngine(previousEngine_);
  }
  static void choose(int16_t menu, int16_t item) { chooseMenuItem(menu, item), FBHandleEvents(); }
  // Presses Return in every large-text box that opens (the Fast Play notice).
  void answerLargeBoxes() {
    QObject::connect(&answerer_, &QTimer::timeout, [this] {
      if (!windowExists(kLargeBox)) return;
      ++boxesAnswered;
      typeKey(kLargeBox, Qt::Key_Return);
    });
    answerer_.start(0);
  }
  int boxesAnswered = 0;
  static inline std::vector<std::string> notices;  // the board's notices, in order

 private:
  static constexpr int16_t kLargeBox = 239;
  OneVoiceEngine engine_;
  SpeechEngine* previousEngine_ = nullptr;
  QTimer answerer_;
};

}  // namespace bg::testing
