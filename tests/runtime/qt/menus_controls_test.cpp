// Menus by number with their marks, shortcuts, submenus and choices; the bar inside the
// board window; the controls of a box and its app-modal loop.
#include <QTimer>

#include <gtest/gtest.h>

#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "state/program_state.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

std::vector<std::pair<int, int>> chosen;
std::vector<Point> clicks;

class MenusAndControls : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    int argc = 0;
    rtInit(argc, nullptr);
    chosen.clear();
    clicks.clear();
    setMenuVector([] { chosen.emplace_back(menuSelectionMenu(), menuSelectionItem()); });
    setMouseVector([] { clicks.push_back(mouseClickPoint()); });
    for (int16_t m : {3, 5, 11, 21}) loadMenu(m);
  }
  void TearDown() override {
    for (int16_t n : {1, 400}) windowClose(n);
    setMenuVector(nullptr);
    setMouseVector(nullptr);
  }
};

TEST_F(MenusAndControls, ItemsKeepTheirNumbersMarksAndShortcuts) {
  EXPECT_EQ(menuItemText(3, 6), "-");
  EXPECT_EQ(menuItemShortcut(3, 1), "Ctrl+N");
  checkMenuItemOnly(11, 3);
  checkMenuItemOnly(11, 5);
  for (int16_t i = 1; i <= menuItemCount(11); ++i) EXPECT_EQ(menuItemChecked(11, i), i == 5) << i;
  insertMenuItem(3, 1, "Inserted");
  EXPECT_EQ(menuItemText(3, 2), "Inserted");
  EXPECT_EQ(menuItemText(3, 3), "Close Session");
  EXPECT_TRUE(insertSubmenu(21) && submenuInserted(21));
}

TEST_F(MenusAndControls, AChoiceReachesTheMenuCallbackByNumberAfterInsertions) {
  insertMenuItem(5, 0, "First");
  chooseMenuItem(5, 2);
  chooseMenuItem(5, 1);
  EXPECT_TRUE(chosen.empty()) << "choices wait for the pump";
  FBHandleEvents();
  EXPECT_EQ(chosen, (std::vector<std::pair<int, int>>{{5, 2}, {5, 1}}));
}

TEST_F(MenusAndControls, TheBarSitsAboveTheContentAndClicksStayLocal) {
  windowOpen(1, "Board", makeRect(100, 100, 400, 300), kDocumentWindow, true);
  setMenuBar(1, {3, 5});
  const int bar = detail::menuBarHeightOf(1);
  ASSERT_GT(bar, 0);
  EXPECT_EQ(windowContentRect(1).height(), 200);
  EXPECT_EQ(contentWidget(1)->height(), 200 + bar);
  GrafPtr port = windowPort(1);
  port->image.fill(Qt::red);
  flushWindow(1);
  const QImage shown = contentWidget(1)->grab().toImage();
  EXPECT_EQ(shown.pixel(5, bar) & 0xFFFFFF, 0xFF0000u) << "the content starts below the bar";
  testing::clickAt(1, Point{10, 20});
  EXPECT_EQ(clicks, (std::vector<Point>{{10, 20}}));
}

TEST_F(MenusAndControls, TheModalLoopEndsByOkOrByItsCancelButton) {
  const struct {
    Qt::Key key;
    bool withCancel, ok;
  } rows[] = {{Qt::Key_Return, false, true}, {Qt::Key_Enter, true, true}, {Qt::Key_Escape, true, false}};
  for (const auto& r : rows) {
    windowOpen(400, "Box", makeRect(0, 0, 200, 100), kFixedWindow, false);
    addPushButton(400, 1, "OK", makeRect(110, 60, 190, 80));
    if (r.withCancel) addPushButton(400, 2, "Cancel", makeRect(20, 60, 100, 80));
    setOutputWindow(400);
    QTimer::singleShot(0, [&] { testing::typeKey(400, r.key); });
    EXPECT_EQ(runModalDialog(), r.ok) << r.key;
    EXPECT_EQ(modalLoopWindow(), 0);
  }
}

}  // namespace
}  // namespace bg
