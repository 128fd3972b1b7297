// The program's start: the steps in their order, the first-start state, the board window
// at the screen's default size with the menu bar inside it, and the ways out.
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QFile>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/speech.h"
#include "audio/speech_engine.h"
#include "computer/personalities.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "state/play_options.h"
#include "state/board_state.h"
#include "state/display_settings.h"
#include "runtime/core/fatal.h"
#include "runtime/core/messages.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/windows.h"
#include "shell/menu_marks.h"
#include "shell/program_data.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "shell/startup.h"
#include "state/app_constants.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/player_records.h"
#include "state/program_state.h"
#include "state/settings.h"
#include "state/shell_state.h"
#include "state/speech_state.h"
#include "state/program_state.h"

namespace bg {
namespace {

// What each step found when it began.
struct StepView {
  int16_t step;
  bool menusLoaded;
  bool windowOpen;
  int16_t boardWidth;
};
std::vector<StepView> steps;

void record(int16_t n) { steps.push_back({n, !menuBars.mainMenuBar.empty(), windowExists(1), display.boardWidth}); }

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    steps.clear();
    initProgram(record);
  }
  void TearDown() override { windowClose(1); }
};

TEST_F(StartupTest, StepsRunInTheirOrderEachAfterWhatItReads) {
  ASSERT_EQ(steps.size(), 19u);
  for (int16_t i = 0; i < 19; ++i) EXPECT_EQ(steps[i].step, i + 1);
  // Menus exist from step 9 (the marks need them); the window from step 17 (the picture).
  for (const StepView& s : steps) {
    EXPECT_EQ(s.menusLoaded, s.step > 8) << s.step;
    EXPECT_EQ(s.windowOpen, s.step > 16) << s.step;
  }
  // The setting defaults take the board width from the table the geometry made.
  EXPECT_EQ(steps[7].boardWidth, 844);
}

TEST_F(StartupTest, AFirstStartHasEverySettingsDefault) {
  struct Row {
    const char* name;
    long actual;
    long expected;
  };
  const Row rows[] = {
      {"skill level", skill.skillLevel, 5},
      {"personality", skill.personality, 2},
      {"cube used", cube.cubeUsed, -1},
      {"jacoby", cube.jacobyRule, 0},
      {"beavers", cube.beaverAllowed, 0},
      {"board colour", display.boardColor, 10},
      {"frame design", boardState.boardFrameDesign, 7},
      {"frame design drawn", boardState.designTilesOn, 1},
      {"cube maximum", cube.cubeMaximum, 64},
      {"auto double max", cube.autoDoubleMax, 0},
      {"piece shape", displaySettings.pieceShapeApplied, 3},
      {"sound level", settings.soundOptions.soundLevel, 8},
      {"money session going", shell.moneySessionGoing, 999},
      {"wager symbol location", options.wagerSymbolLocation, 12},
      {"who rolls first", settings.whoRollsFirst, 1},
      {"colour of side 0", display.playerColors[0], 1},
      {"colour of side 1", display.playerColors[1], 0},
      {"no pump during search", settings.noPumpDuringSearch, -1},
      {"highest cube", flow.highestCube, 1},
      {"selected point", hand.selectedPoint, 99},
      {"new game requested", flow.newGameRequested, -1},
      {"piece speed", displaySettings.pieceSpeed, 9},
  };
  for (const Row& r : rows) EXPECT_EQ(r.actual, r.expected) << r.name;
  EXPECT_EQ(shell.playerNames[0].view(), "No Name");
  EXPECT_EQ(shell.playerNames[1].view(), "Computer");
  EXPECT_EQ(players.playerRecords[1].firstName.view(), "Computer");
  EXPECT_EQ(players.playerRecords[1].secondName.view(), "No Name");
  EXPECT_EQ(displaySettings.customColorsFileName.view(), "None");
}

TEST_F(StartupTest, TheBoardWindowOpensAtTheScreensDefaultSizeBelowTheMenuBar) {
  EXPECT_EQ(shellWindow.boardSizeTable[6], 844);
  EXPECT_EQ(display.boardWidth, 839);
  EXPECT_EQ(layout.boardHeight, 623);
  const int bar = detail::menuBarHeightOf(1);
  EXPECT_GT(bar, 0);
  const Rect content = windowContentRect(1);
  EXPECT_EQ(contentWidget(1)->height(), content.height() + bar);
  EXPECT_GE(content.width(), display.boardWidth);
  EXPECT_GE(content.height(), layout.boardHeight);
  EXPECT_EQ(contentWidget(1)->minimumWidth(), shellWindow.windowMinWidth);
  EXPECT_EQ(shellWindow.windowMinWidth, 424 + 2 * 20);
  EXPECT_EQ(shellWindow.windowMinHeight, 326);
}

TEST_F(StartupTest, TheBarHoldsTheMenusWithTheirFirstMarks) {
  EXPECT_EQ(menuBarMenus(), (std::vector<int16_t>{127, 1, 2, 3, 5, 6, 8, 16, 17, 18, 4}));
  struct Mark {
    int16_t menu, item;
    bool checked;
  };
  const Mark marks[] = {{5, 1, true},   {5, 4, false}, {5, 5, false}, {22, 8, true}, {21, 6, true},
                        {11, 1, true},  {8, 20, false}, {8, 8, false}, {3, 12, true}, {3, 13, false},
                        {13, 2, true},  {6, 5, true},   {25, 2, true}, {20, 3, true}, {12, 9, true}};
  for (const Mark& m : marks) EXPECT_EQ(menuItemChecked(m.menu, m.item), m.checked) << m.menu << "/" << m.item;
  EXPECT_TRUE(menuItemEnabled(8, 20));
  EXPECT_EQ(menuItemText(13, 2), "MacinTalk1");
  for (int16_t sub : {11, 21, 13, 25, 12, 20, 24, 23}) EXPECT_TRUE(submenuInserted(sub)) << sub;
  EXPECT_FALSE(menuItemEnabled(5, 7));
}

TEST_F(StartupTest, TheVoiceMenuHoldsSpeechOffAndEveryInstalledVoiceOnce) {
  if (speechChannel.speechUsable == 0) GTEST_SKIP() << "no speech engine here";
  // As the program starts: the shell's services are in before the voices are listed.
  installShellServices();
  buildVoiceMenuTestChannel();
  const int16_t voices = speechEngine().countVoices();
  ASSERT_GT(voices, 1);
  EXPECT_EQ(menuItemCount(kVoiceMenu), voices + 1);
  EXPECT_EQ(menuItemText(kVoiceMenu, 1), "Speech Off");
  for (int16_t v = 1; v <= voices; ++v) {
    Str255 name;
    speechEngine().describeVoice(v, name);
    EXPECT_EQ(menuItemText(kVoiceMenu, static_cast<int16_t>(v + 1)), name.str()) << v;
  }
  buildVoiceMenuTestChannel();  // built again, the menu stays as it is
  EXPECT_EQ(menuItemCount(kVoiceMenu), voices + 1);
}

TEST_F(StartupTest, TheInfoMenusDividerIsALineWithoutText) {
  const int16_t count = menuItemCount(kInfoMenu);
  int lines = 0;
  for (int16_t i = 1; i <= count; ++i) {
    if (menuItemText(kInfoMenu, i).rfind("(-", 0) == 0) {
      ++lines;
      EXPECT_FALSE(menuItemEnabled(kInfoMenu, i)) << i;
    }
  }
  EXPECT_EQ(lines, 1);
  ASSERT_NE(menuWidget(kInfoMenu), nullptr);
  for (const QAction* a : menuWidget(kInfoMenu)->actions()) EXPECT_TRUE(!a->isSeparator() || a->text().isEmpty());
}

TEST_F(StartupTest, TheHelpTopicsFollowTheInfoMenusOwn) {
  ASSERT_EQ(menuItemCount(4), 24);
  EXPECT_EQ(menuItemText(4, 16), "(-------------");
  EXPECT_FALSE(menuItemEnabled(4, 16));
  loadMenu(10);
  const int16_t helpItems[] = {1, 2, 9, 3, 4, 5, 6, 7};
  for (int16_t k = 0; k < 8; ++k) EXPECT_EQ(menuItemText(4, 17 + k), menuItemText(10, helpItems[k])) << k;
}

TEST_F(StartupTest, OneRuleMarksTheOpponentModeForEveryMode) {
  const struct {
    int16_t mode;
    bool twelve, thirteen;
  } rows[] = {{1, true, false}, {2, false, true}, {3, false, true}};
  for (const auto& r : rows) {
    flow.opponentMode = r.mode;
    markOpponentModeItems();
    EXPECT_EQ(menuItemChecked(3, 12), r.twelve) << r.mode;
    EXPECT_EQ(menuItemChecked(3, 13), r.thirteen) << r.mode;
    EXPECT_TRUE(menuItemEnabled(3, 12) && menuItemEnabled(3, 13));
  }
}

TEST_F(StartupTest, SkillNamesAndTheSpokenTableFollowTheResources) {
  for (int16_t i = 1; i <= 5; ++i) EXPECT_EQ(skillNameTable.skillNames[i].view(), menuItemText(6, i)) << i;
  EXPECT_EQ(skillNameTable.skillNames[6].view(), "World Class");
  QTemporaryDir dir;
  QDir(dir.path()).mkpath(QStringLiteral("text"));
  QFile speech(dir.filePath(QStringLiteral("text/speech_messages.txt")));
  ASSERT_TRUE(speech.open(QIODevice::WriteOnly));
  speech.write("5\tfive\n");
  speech.close();
  setResourceRoot(dir.path() + QStringLiteral("/"));
  const struct {
    const char* language;
    bool loaded;
  } rows[] = {{"English", true}, {"english", false}, {"Deutsch", false}};
  for (const auto& r : rows) {
    shell.languageName = r.language;
    initProgramData();
    const bool empty = messageTables.messageTable2[4].empty() && messageTables.messageTable2[5].empty();
    EXPECT_EQ(empty, !r.loaded) << r.language;
  }
  setResourceRoot(QStringLiteral(":/"));
  initProgramData();
}

void startThen(void (*action)()) {
  QTimer::singleShot(0, action);
  static char name[] = "backgammon";
  static char* argv[] = {name, nullptr};
  runApplication(1, argv);
}

TEST(StartupDeathTest, ClosingTheBoardWindowQuitsTheProgram) {
  EXPECT_EXIT(startThen([] {
                QWidget* board = contentWidget(1);
                if (board == nullptr || board->windowTitle() != QStringLiteral("Tavrik's Backgammon")) std::_Exit(3);
                board->close();
              }),
              ::testing::ExitedWithCode(0), "");
}

// The person sees why the program ends: the fault and that it must quit, in a box of its
// own; the process ends once the box is closed.
TEST(StartupDeathTest, AFatalStopShowsItsTextInABoxAndEndsWhenTheBoxIsClosed) {
  EXPECT_EXIT(startThen([] {
                QTimer::singleShot(0, [] {
                  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                  if (box == nullptr || box->buttons().size() != 1) std::_Exit(3);
                  std::fprintf(stderr, "BOX: %s / %s\n", qPrintable(box->text()), qPrintable(box->informativeText()));
                  QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
                });
                fatalStop("Array bounds error: index -1");
              }),
              ::testing::ExitedWithCode(1), "BOX: Array bounds error: index -1 / The application must quit");
}

TEST(StartupDeathTest, AQuitRequestFromTheSystemQuitsTheProgram) {
  EXPECT_EXIT(startThen([] { std::raise(SIGTERM); }), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace bg
