// The menu bar sits in the board window: choosing from it with the mouse while another of
// the program's windows is in front is a click on the board, which comes to the front
// first, as any click on it makes it; the command then finds the board in front.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dialogs/about_box.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/note_pad.h"
#include "dialogs/text_windows.h"
#include "flow/game_loop.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/user_folders.h"
#include "runtime/qt/windows.h"
#include "shell/dialog_script.h"
#include "started_program.h"
#include "state/menu_numbers.h"
#include "state/storage_state.h"
#include "support/position_text.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

class BoardMenuBar : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    testing::startShell({installFlowServices, installDialogServices});
    storage.firstRun = 0;
    testing::setPosition("start | side 0");
  }
  void TearDown() override {
    for (int16_t n : {kAboutWindow, kNotePadWindow, int16_t{1}}) windowClose(n);
    setEventSlice(2);
  }
  // The person presses on the menu's title in the board's bar and releases on the item.
  static void chooseWithTheMouse(int16_t menu, int16_t item) {
    auto* bar = contentWidget(1)->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QMenu* m = menuWidget(menu);
    ASSERT_NE(m, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(m->menuAction()).center());
    ASSERT_TRUE(testing::pumpUntil([m] { return m->isVisible(); }, 10));
    QAction* a = m->actions().at(item - 1);
    QTest::mouseClick(m, Qt::LeftButton, Qt::NoModifier, m->actionGeometry(a).center());
  }
};

TEST_F(BoardMenuBar, AboutChosenWithTheNotePadInFrontOpensOverTheBoard) {
  testing::typeKey(1, Qt::Key_N);
  testing::settle();
  ASSERT_TRUE(textViewExists(kNotePadWindow));
  textViewDocument(kNotePadWindow)->clear();
  testing::typeText(kNotePadWindow, "kept notes");
  ASSERT_EQ(frontWindow(), kNotePadWindow);
  chooseWithTheMouse(kInfoMenu, kInfoAboutItem);
  EXPECT_TRUE(testing::pumpUntil([] { return windowExists(kAboutWindow); }, 10)) << "About opened nothing";
  if (!windowExists(kAboutWindow)) return;
  EXPECT_EQ(QApplication::activeModalWidget(), contentWidget(kAboutWindow));
  testing::expectDialogInFront(kAboutWindow, "about");
  testing::clickControl(kAboutWindow, 1);
  EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kAboutWindow); }, 6));
  ASSERT_TRUE(textViewExists(kNotePadWindow));
  EXPECT_EQ(textViewDocument(kNotePadWindow)->toPlainText().toStdString(), "kept notes");
  for (int16_t m : testing::kBarMenus) EXPECT_TRUE(menuItemEnabled(m, 0)) << "menu " << m;
}

// The test's own home stands for the user's: the note pad is made in its data folder, and
// nothing in the folder the program was started from.
TEST_F(BoardMenuBar, TheNotePadIsKeptInTheUsersFolder) {
  const std::filesystem::path name{std::string(kNotePadFileName)};
  const std::filesystem::path file = std::filesystem::path(qgetenv("XDG_DATA_HOME").toStdString()) / kApplicationName / name;
  std::filesystem::remove(file);
  const bool inWorkingFolder = std::filesystem::exists(name);
  testing::typeKey(1, Qt::Key_N);
  testing::settle();
  ASSERT_TRUE(textViewExists(kNotePadWindow));
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(std::filesystem::exists(name), inWorkingFolder);
}

}  // namespace
}  // namespace bg
