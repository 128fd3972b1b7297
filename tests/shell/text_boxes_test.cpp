// The boxes that tell the user something show all of it: each is opened the way a person
// opens it and read back from the window's pixels, every line inside its box.
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "dialogs/question_window.h"
#include "dialogs/scoreboard_dialogs.h"
#include "dialogs/statistics_dialogs.h"
#include "flow/game_loop.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/dialog_script.h"
#include "shell/hide_game.h"
#include "shell/menu_commands.h"
#include "started_program.h"
#include "state/menu_numbers.h"
#include "state/player_records.h"
#include "state/shell_state.h"
#include "support/text_box_pixels.h"

namespace bg {
namespace {

constexpr int16_t kLargeText = 4;
constexpr int16_t kExplanationText = 100;
constexpr int16_t kQuestionText = 11;
constexpr int16_t kHiddenNote = 10;

class TextBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    testing::startShell({installFlowServices, installDialogServices});
    windowSelect(1);
  }
  void TearDown() override {
    for (int16_t n : {kHiddenGameWindow, kQuestionWindow, kSessionStatsWindow, kGameStatsWindow, kScoreboardWindow})
      windowClose(n);
    enableAllMenus();
    setMenuItemEnabled(kGameMenu, kMoneyGameItem, false);
    windowClose(1);
    setEventSlice(2);
  }

  // Runs `open`, which loops until window n is answered: the check runs on the open box,
  // then its button 1 closes it.
  static bool checkModalBox(int16_t n, const std::function<void()>& open, const std::function<void()>& check) {
    bool seen = false;
    QTimer t;
    t.setInterval(0);
    QObject::connect(&t, &QTimer::timeout, [&] {
      if (seen || !windowExists(n) || modalLoopWindow() != n) return;
      seen = true;
      check();
      pressButton(n, 1);
    });
    t.start();
    open();
    t.stop();
    return seen;
  }
};

TEST_F(TextBoxes, TheCloseSessionQuestionShowsItsWholeQuestion) {
  chooseMenuItem(kGameMenu, kCloseSessionItem);
  testing::settle();
  ASSERT_TRUE(windowExists(kQuestionWindow));
  testing::expectWholeTextShown(kQuestionWindow, kQuestionText, "close session");
  EXPECT_EQ(controlText(kQuestionWindow, kQuestionText), "Close this session and clear the scores?");
  answerQuestionDialog(0);
}

// The longest question there can be, in its widest letters, still shows whole.
TEST_F(TextBoxes, AQuestionOfWideLettersShowsWhole) {
  for (const std::string& q : {std::string(63, 'W'), std::string("Mmmm mmmmm ") + std::string(50, 'M')}) {
    askQuestion(q, 1);
    testing::expectWholeTextShown(kQuestionWindow, kQuestionText, q);
    answerQuestionDialog(0);
  }
}

TEST_F(TextBoxes, TheFastPlayNoticeShowsEveryParagraph) {
  const bool seen = checkModalBox(kLargeMessageWindow, [] { chooseMenuItem(kSettingsMenu, kFastPlayItem), FBHandleEvents(); },
                                  [] { testing::expectWholeTextShown(kLargeMessageWindow, kLargeText, "fast play"); });
  EXPECT_TRUE(seen);
}

TEST_F(TextBoxes, TheHiddenGameNoteStandsBelowTheWindowsMenuBar) {
  toggleHideGame();
  ASSERT_TRUE(windowExists(kHiddenGameWindow));
  EXPECT_GT(detail::menuBarHeightOf(kHiddenGameWindow), 0);
  testing::expectWholeTextShown(kHiddenGameWindow, kHiddenNote, "hidden game");
}

// The note's paragraphs stand apart: a blank line between them shows no ink.
TEST_F(TextBoxes, TheEasyMovesNoteKeepsItsParagraphs) {
  const bool seen = checkModalBox(kExplanationWindow, [] { easyMovesCommand(); }, [] {
    testing::expectWholeTextShown(kExplanationWindow, kExplanationText, "easy moves");
    const auto* l = qobject_cast<const QLabel*>(controlWidget(kExplanationWindow, kExplanationText));
    ASSERT_NE(l, nullptr);
    const int spacing = QFontMetrics(l->font()).lineSpacing();
    const QRect box = testing::labelBox(kExplanationWindow, *l);
    const std::vector<bool> rows = testing::inkRows(testing::windowShot(kExplanationWindow), box);
    // The longest run of blank rows between two inked ones.
    int longest = 0, run = 0;
    bool inked = false;
    for (bool ink : rows) {
      if (ink) {
        if (inked) longest = std::max(longest, run);
        inked = true;
        run = 0;
      } else {
        ++run;
      }
    }
    EXPECT_GE(longest, spacing) << "no blank line between the paragraphs";
  });
  EXPECT_TRUE(seen);
}

// Names of the longest a record holds, in wide letters, stand whole over their columns.
TEST_F(TextBoxes, LongNamesShowWholeInTheStatisticsHeaders) {
  PlayerRecord& r = players.playerRecords[players.activePlayers];
  r.firstName = Str40(std::string(40, 'W'));
  r.secondName = Str40("Maximiliane Wolkenstein-Rodenegg MMMMMMM");
  ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kGameStatsItem, kGameStatsWindow));
  testing::expectWholeLineShown(kGameStatsWindow, 10, "game statistics, side 1");
  testing::expectWholeLineShown(kGameStatsWindow, 11, "game statistics, side 0");
  testing::clickControl(kGameStatsWindow, 1);
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kGameStatsWindow); }, 6));
  ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kSessionStatsItem, kSessionStatsWindow));
  testing::expectWholeLineShown(kSessionStatsWindow, 12, "session statistics, side 1");
  testing::expectWholeLineShown(kSessionStatsWindow, 13, "session statistics, side 0");
}

// A name field takes what the record can keep: thirty accented letters stop at twenty
// with the reason shown, and OK stores exactly what the field shows.
TEST_F(TextBoxes, AScoreboardNameKeepsEveryLetterItShows) {
  ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kScoreboardItem, kScoreboardWindow));
  const int16_t field = static_cast<int16_t>(2 * players.activePlayers + 7);
  auto* e = qobject_cast<QLineEdit*>(controlWidget(kScoreboardWindow, field));
  ASSERT_NE(e, nullptr);
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Backspace);
  for (int n = 0; n < 30; ++n)
    QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(QChar(0xE9)), Qt::NoModifier);
  const std::string shown = controlText(kScoreboardWindow, field);
  EXPECT_LE(shown.size(), Str40::kCapacity);
  EXPECT_EQ(QString::fromStdString(shown), QString(20, QChar(0xE9)));
  testing::clickControl(kScoreboardWindow, 1);
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kScoreboardWindow); }, 6));
  EXPECT_EQ(players.playerRecords[players.activePlayers].secondName.str(), shown);
}

}  // namespace
}  // namespace bg
