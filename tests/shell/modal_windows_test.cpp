// Windows over windows: nothing opens over a modal box but its own children, every box
// can be closed by its button, its keys and its close box, and whatever lay under it (the
// note pad, a help page) comes back as it was, the menus with it.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "dialogs/about_box.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "dialogs/question_window.h"
#include "dialogs/statistics_dialogs.h"
#include "dialogs/text_windows.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "runtime/core/files.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/dialog_script.h"
#include "shell/help_text_window.h"
#include "shell/startup.h"
#include "state/dice_state.h"
#include "state/menu_numbers.h"
#include "state/storage_state.h"
#include "support/position_text.h"
#include "support/qt_helpers.h"
#include "started_program.h"

namespace bg {
namespace {

constexpr int16_t kDisplaySettingsWindow = 322;
constexpr int16_t kSoundWindow = 332;
constexpr int16_t kScoreboardWindow = 335;
constexpr int16_t kSpeakDiceWindow = 331;
constexpr int16_t kFirstHelpPageItem = 1;

class ModalWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    testing::startShell({installFlowServices, installDialogServices});
    // The note pad saves where a user's notes would go: a folder of the test's own.
    savedDataFolder_ = dataFolder();
    ASSERT_TRUE(setDataFolder(std::filesystem::path(folder_.path().toStdString()) / "data"));
    storage.firstRun = 0;  // no welcome box at the first redraw
    testing::setPosition("start | side 0");
    diceState.diceShowing = 0;
    // A help text that opens where it must not is counted and closed: it would wait for good.
    helpTextsSeen = 0;
    QObject::connect(&helpCloser_, &QTimer::timeout, [this] {
      if (!windowExists(kHelpTextWindow)) return;
      ++helpTextsSeen;
      windowClose(kHelpTextWindow);
    });
    helpCloser_.start(0);
  }
  void TearDown() override {
    for (int16_t n : {kHelpTextWindow, kNotePadWindow, kHelpWindow, kAboutWindow, kQuestionWindow, kSessionStatsWindow,
                      kDisplaySettingsWindow, kSoundWindow, kScoreboardWindow, kSpeakDiceWindow, int16_t{1}})
      windowClose(n);
    helpCloser_.stop();
    setEventSlice(2);
    setDataFolder(savedDataFolder_);
  }
  QTemporaryDir folder_;
  std::filesystem::path savedDataFolder_;
  int helpTextsSeen = 0;
  QTimer helpCloser_;
  // The user clicks on the board's title: the board comes to the front, nothing on it is hit.
  static void bringBoardForward() {
    contentWidget(1)->activateWindow();
    testing::pumpUntil([] { return frontWindow() == 1; }, 5);
    ASSERT_EQ(frontWindow(), 1);
  }
  static void openNotePadWith(const char* text) {
    testing::typeKey(1, Qt::Key_N);
    testing::settle();
    ASSERT_TRUE(textViewExists(kNotePadWindow));
    textViewDocument(kNotePadWindow)->clear();
    testing::typeText(kNotePadWindow, text);
    ASSERT_EQ(textViewDocument(kNotePadWindow)->toPlainText().toStdString(), text);
  }
};

// The help key typed while a menu command opens a dialog: the help waits for no window
// and opens over none; the dialog answers its Escape and gives the board back.
TEST_F(ModalWindows, TheHelpKeyTypedAsADialogOpensLeavesTheDialogInCharge) {
  const struct {
    const char* name;
    int16_t menu, item, window;
  } rows[] = {{"display settings", kSettingsMenu, kDisplaySettingsItem, kDisplaySettingsWindow},
              {"sound", kSettingsMenu, kSoundDialogItem, kSoundWindow},
              {"speak dice", kSettingsMenu, kSpeakDiceItem, kSpeakDiceWindow},
              {"scoreboard", kPlayerMenu, kScoreboardItem, kScoreboardWindow}};
  for (const auto& row : rows) {
    helpTextsSeen = 0;
    chooseMenuItem(row.menu, row.item);  // queued, as from the menu bar
    testing::typeKey(1, Qt::Key_H);      // handed over at once
    ASSERT_TRUE(testing::pumpUntil([&] { return windowExists(row.window); }, 10)) << row.name;
    testing::typeKey(row.window, Qt::Key_Escape);
    EXPECT_TRUE(testing::pumpUntil([&] { return !windowExists(row.window); }, 10)) << row.name;
    EXPECT_EQ(helpTextsSeen, 0) << row.name << ": a help text opened over the dialog";
    testing::expectBackOnTheBoard(row.name);
  }
}

// About is modal: the board takes no key under it, and its button, Return, Escape and its
// close box all close it; the note pad opened before keeps its text and its file.
TEST_F(ModalWindows, TheAboutBoxIsModalAndEveryWayOutKeepsTheNotePad) {
  enum Way { kDone, kReturn, kEscape, kCloseBox };
  const struct {
    const char* name;
    Way way;
  } rows[] = {{"Done", kDone}, {"Return", kReturn}, {"Escape", kEscape}, {"close box", kCloseBox}};
  for (const auto& row : rows) {
    const std::string notes = std::string("notes before ") + row.name;
    openNotePadWith(notes.c_str());
    bringBoardForward();
    chooseMenuItem(kInfoMenu, kInfoAboutItem);
    testing::settle();
    ASSERT_TRUE(windowExists(kAboutWindow)) << row.name;
    EXPECT_EQ(QApplication::activeModalWidget(), contentWidget(kAboutWindow)) << row.name;
    testing::expectDialogInFront(kAboutWindow, row.name);
    // Keys for the board go nowhere while the box is up.
    testing::typeKey(1, Qt::Key_N);
    testing::typeKey(1, Qt::Key_H);
    testing::settle();
    EXPECT_EQ(helpTextsSeen, 0) << row.name;
    switch (row.way) {
      case kDone: testing::clickControl(kAboutWindow, 1); break;
      case kReturn: testing::typeKey(kAboutWindow, Qt::Key_Return); break;
      case kEscape: testing::typeKey(kAboutWindow, Qt::Key_Escape); break;
      case kCloseBox: testing::clickCloseBox(kAboutWindow); break;
    }
    EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kAboutWindow); }, 6)) << row.name;
    ASSERT_TRUE(textViewExists(kNotePadWindow)) << row.name;
    EXPECT_EQ(textViewDocument(kNotePadWindow)->toPlainText().toStdString(), notes) << row.name;
    for (int16_t m : testing::kBarMenus) EXPECT_TRUE(menuItemEnabled(m, 0)) << row.name << " menu " << m;
    // The note pad closes by its own close box, saving what it holds.
    testing::clickCloseBox(kNotePadWindow);
    EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kNotePadWindow); }, 6)) << row.name;
    QFile saved(QString::fromStdString(dataFilePath("notePad.txt").string()));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << row.name;
    EXPECT_TRUE(saved.readAll().contains(notes.c_str())) << row.name;
    testing::expectBackOnTheBoard(row.name);
  }
}

// The About box over the note pad: its edge is not the page's white, so it does not read
// as part of the notes.
TEST_F(ModalWindows, TheAboutBoxHasAFrameOverTheNotePad) {
  openNotePadWith("notes under the box");
  bringBoardForward();
  chooseMenuItem(kInfoMenu, kInfoAboutItem);
  testing::settle();
  ASSERT_TRUE(windowExists(kAboutWindow));
  QWidget* page = textViewWidget(kNotePadWindow)->viewport();
  const QImage notes = page->grab().toImage();
  const QRgb paper = notes.pixel(notes.width() - 2, notes.height() - 2);
  const QImage box = contentWidget(kAboutWindow)->grab().toImage();
  const int right = box.width() - 1, bottom = box.height() - 1;
  for (const QPoint edge : {QPoint(right / 2, 0), QPoint(right / 2, bottom), QPoint(0, bottom / 2), QPoint(right, bottom / 2)})
    EXPECT_NE(box.pixel(edge), paper) << edge.x() << "," << edge.y();
  testing::typeKey(kAboutWindow, Qt::Key_Return);
  EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kAboutWindow); }, 6));
}

// Two menu choices made before the program looks at either: the first opens its box, which
// takes the menus; the second is not carried out under it, and the box closes as usual.
TEST_F(ModalWindows, AMenuChoiceQueuedBehindADialogIsNotCarriedOutUnderIt) {
  const struct {
    const char* name;
    int16_t menu, item, window;
  } boxes[] = {{"about", kInfoMenu, kInfoAboutItem, kAboutWindow},
               {"enter name", kPlayerMenu, kEnterNameItem, kNameEntryWindow},
               {"scoreboard", kPlayerMenu, kScoreboardItem, kScoreboardWindow},
               {"display settings", kSettingsMenu, kDisplaySettingsItem, kDisplaySettingsWindow}};
  for (const auto& first : boxes)
    for (const auto& second : boxes) {
      // The name box runs a wait of its own: it is only tried as the second choice.
      if (&first == &second || first.window == kNameEntryWindow) continue;
      const std::string name = std::string(first.name) + " then " + second.name;
      // The second box, should it open, is counted and sent away so that nothing waits.
      int secondOpened = 0;
      QTimer closer;
      QObject::connect(&closer, &QTimer::timeout, [&] {
        if (!windowExists(second.window) || frontWindow() != second.window) return;
        ++secondOpened;
        testing::typeKey(second.window, Qt::Key_Escape);
      });
      closer.start(0);
      chooseMenuItem(first.menu, first.item);
      chooseMenuItem(second.menu, second.item);
      ASSERT_TRUE(testing::pumpUntil([&] { return windowExists(first.window); }, 10)) << name;
      testing::settle();
      EXPECT_EQ(secondOpened, 0) << name;
      EXPECT_FALSE(windowExists(second.window)) << name;
      testing::expectDialogInFront(first.window, name.c_str());
      testing::typeKey(first.window, Qt::Key_Escape);
      EXPECT_TRUE(testing::pumpUntil([&] { return !windowExists(first.window); }, 10)) << name;
      closer.stop();
      testing::expectBackOnTheBoard(name.c_str());
      for (int16_t m : testing::kBarMenus) EXPECT_TRUE(menuItemEnabled(m, 0)) << name << " menu " << m;
    }
}

// A dialog opened while the note pad or a help page is open gives the menus back when it
// closes: the text window underneath takes the menus as the board does.
TEST_F(ModalWindows, ADialogOverATextWindowGivesTheMenusBack) {
  struct Row {
    const char* name;
    std::function<void()> openTextWindow;
    int16_t textWindow;
    bool boardForward;
    int16_t menu, item, dialog;
    testing::Answer answer;
  };
  const auto notePad = [] { chooseMenuItem(kComputerMenu, kNotePadItem); };
  const auto helpPage = [] { chooseMenuItem(kInfoMenu, kFirstHelpPageItem); };
  const Row rows[] = {
      {"close session over the note pad", notePad, kNotePadWindow, true, kGameMenu, kCloseSessionItem, kQuestionWindow,
       testing::Answer::kCancelClick},
      {"close session over a help page", helpPage, kHelpWindow, true, kGameMenu, kCloseSessionItem, kQuestionWindow,
       testing::Answer::kEscape},
      {"session statistics over the note pad", notePad, kNotePadWindow, false, kPlayerMenu, kSessionStatsItem,
       kSessionStatsWindow, testing::Answer::kOkClick},
      {"session statistics over a help page", helpPage, kHelpWindow, false, kPlayerMenu, kSessionStatsItem,
       kSessionStatsWindow, testing::Answer::kReturn},
  };
  for (const Row& row : rows) {
    row.openTextWindow();
    testing::settle();
    ASSERT_TRUE(textViewExists(row.textWindow)) << row.name;
    if (row.boardForward) bringBoardForward();
    ASSERT_TRUE(testing::openFromMenu(row.menu, row.item, row.dialog)) << row.name;
    testing::expectDialogInFront(row.dialog, row.name);
    testing::giveAnswer(row.dialog, row.answer);
    EXPECT_TRUE(testing::pumpUntil([&] { return !windowExists(row.dialog); }, 6)) << row.name;
    EXPECT_TRUE(textViewExists(row.textWindow)) << row.name;
    for (int16_t m : testing::kBarMenus) EXPECT_TRUE(menuItemEnabled(m, 0)) << row.name << " menu " << m;
    testing::clickCloseBox(row.textWindow);
    EXPECT_TRUE(testing::pumpUntil([&] { return !windowExists(row.textWindow); }, 6)) << row.name;
    testing::expectBackOnTheBoard(row.name);
  }
}

}  // namespace
}  // namespace bg
