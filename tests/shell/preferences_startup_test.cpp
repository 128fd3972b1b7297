// Start-up with a preferences file: each line goes through its menu command's routine, so
// the settings and their check marks agree.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "computer/personalities.h"
#include "runtime/core/files.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/preference_install.h"
#include "shell/startup.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/program_state.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "storage/preferences_file.h"

namespace bg {
namespace {

class PreferencesAtStartup : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    folder_ = std::filesystem::temp_directory_path() / ("bg-prefs-start-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    ASSERT_TRUE(setPreferencesFolder(folder_));
  }
  void TearDown() override {
    windowClose(1);
    setPreferencesFolder({});
    std::filesystem::remove_all(folder_);
  }
  void startWith(const std::string& lines) {
    std::ofstream(folder_ / "Tavrik's Backgammon Preferences", std::ios::binary) << lines;
    installPreferenceServices();
    initProgram(nullptr);
  }
  // Quits the way the program does (preferences written, board window gone) and starts
  // again from what was written.
  void restartFromSavedPreferences() {
    ASSERT_EQ(writePreferences(), "");
    windowClose(1);
    resetProgramState();
    ASSERT_TRUE(setPreferencesFolder(folder_));
    installPreferenceServices();
    initProgram(nullptr);
  }
  std::string savedText() {
    std::ifstream in(folder_ / "Tavrik's Backgammon Preferences", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  std::filesystem::path folder_;
};

// The saved corner is the content's, below the window's menu bar; starting from it must put
// the content back there, or the window creeps down by the bar's height at every start.
TEST_F(PreferencesAtStartup, SavingAndStartingAgainLeavesTheBoardWindowWhereItWas) {
  installPreferenceServices();
  initProgram(nullptr);
  ASSERT_TRUE(windowExists(1));
  const Rect first = windowContentRect(1);
  for (int cycle = 1; cycle <= 4; ++cycle) {
    restartFromSavedPreferences();
    ASSERT_TRUE(windowExists(1));
    EXPECT_EQ(windowContentRect(1), first) << "after start " << cycle;
  }
}

TEST_F(PreferencesAtStartup, AFileGivesTheBoardContentsTopLeftCorner) {
  installPreferenceServices();
  initProgram(nullptr);
  ASSERT_EQ(writePreferences(), "");
  const Rect saved = windowContentRect(1);
  struct Row {
    int dx;
    int dy;
  };
  for (const Row row : {Row{0, 0}, Row{-13, 9}, Row{21, 37}}) {
    const Rect wanted = makeRect(static_cast<int16_t>(saved.left + row.dx), static_cast<int16_t>(saved.top + row.dy),
                                 static_cast<int16_t>(saved.right + row.dx), static_cast<int16_t>(saved.bottom + row.dy));
    std::string text = savedText();
    const auto put = [&text](const std::string& key, int v) {
      const size_t at = text.find("\r" + key + " ");
      ASSERT_NE(at, std::string::npos) << key;
      const size_t end = text.find('\r', at + 1);
      text.replace(at, end - at, "\r" + key + "  " + std::to_string(v));
    };
    put("WINDOWX1", wanted.left);
    put("WINDOWY1", wanted.top);
    put("WINDOWX2", wanted.right);
    put("WINDOWY2", wanted.bottom);
    windowClose(1);
    resetProgramState();
    ASSERT_TRUE(setPreferencesFolder(folder_));
    startWith(text);
    ASSERT_TRUE(windowExists(1));
    EXPECT_EQ(windowContentRect(1), wanted) << row.dx << "," << row.dy;
  }
}

TEST_F(PreferencesAtStartup, TheSettingsAndTheirMarksComeFromTheFile) {
  startWith(
      "VERSION 6.4\rSKILLLEVEL   3\rAUTOPASS   0\rCUBEMAXIMUM   16\rPERSONALITY   3\rACCEPTDOUBLES  -1\r"
      "PLAYERNAME  Ann, Lee\rWAGERCURRENCY  Euro\rENDOFPREFERENCES\r");
  EXPECT_EQ(storage.firstRun, 0);
  EXPECT_EQ(skill.skillLevel, 3);
  EXPECT_EQ(options.autoPass, 0);
  EXPECT_FALSE(menuItemChecked(kSettingsMenu, kAutoPassItem));
  EXPECT_EQ(cube.cubeMaximum, 16);
  EXPECT_TRUE(menuItemChecked(kCubeMaximumMenu, 4));
  EXPECT_FALSE(menuItemChecked(kCubeMaximumMenu, 6));
  EXPECT_TRUE(menuItemChecked(kPersonalityMenu, 3));
  EXPECT_EQ(cube.acceptDoubles, -1);
  EXPECT_EQ(shell.playerNames[0], "Ann, Lee");
  EXPECT_EQ(options.wagerCurrency, "Euro");
  EXPECT_EQ(storage.prefsVersion, "6.4");
}

TEST_F(PreferencesAtStartup, NoFileIsAFirstStartAndTheFileIsWrittenAtTheEnd) {
  installPreferenceServices();
  initProgram(nullptr);
  EXPECT_EQ(storage.firstRun, 255);
  ASSERT_EQ(writePreferences(), "");
  std::ifstream in(preferencesPath(), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text.substr(0, 29), "LANGUAGE  English\rVERSION 6.4");
  // Only the first player record has names at a first start.
  EXPECT_NE(text.find("\rPLAYERSCORE 1L 0 0 0 0 0 0 0 0 0 0 0 0 Computer\rPLAYERSCORE 1R 0 0 0 0 0 0 0 0 0 0 0 0 No Name\r"
                      "ACTIVEPLAYERS"),
            std::string::npos);
  // The window that is open gives the rectangle.
  const Rect content = windowContentRect(1);
  EXPECT_NE(text.find("\rWINDOWX2  " + std::string(content.right < 0 ? "" : " ") + std::to_string(content.right) + "\r"),
            std::string::npos);
}

}  // namespace
}  // namespace bg
