// The designed dialog forms: each opens at its size with every control inside the window,
// no two numbered controls on top of each other, Tab in reading order and the arrows
// moving the choice within a radio group.
#include <QApplication>
#include <QDir>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/qt/controls.h"
#include "runtime/qt/designed_windows.h"
#include "runtime/qt/windows.h"
#include "state/program_state.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

struct Form {
  const char* name;
  std::vector<int16_t> controls;  // every number the dialog's code uses
};

const Form kForms[] = {
    {"blotRiskDialog", {1, 100}},
    {"tournamentSetupDialog", {1, 2, 3, 4, 5, 6}},
    {"tournamentStatsDialog", {1, 3, 4, 5, 6}},
    {"whoGetsFirstRollDialog", {1, 2, 3}},
    {"moneyGameDialog", {1, 2, 3, 4, 5, 6, 7}},
    {"scoreboardDialog", {1, 2, 3, 4, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
                          24, 25, 26, 27, 28, 29, 30, 31}},
    {"moreScoresDialog", {1, 3, 34, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
                          37, 38, 39, 40}},
    {"sessionStatsDialog", {1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 16, 17}},
    {"gameStatsDialog", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    {"endGameDialog", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 17, 18}},
    {"getConcedePointsDialog", {1, 2, 3}},
};

constexpr int16_t kWindow = 390;

class DesignedForms : public ::testing::Test {
 protected:
  void SetUp() override { resetProgramState(); }
  void TearDown() override { windowClose(kWindow); }
};

QRect rectIn(QWidget* top, QWidget* w) { return QRect(w->mapTo(top, QPoint(0, 0)), w->size()); }

TEST_F(DesignedForms, EachFormHasItsControlsInsideTheWindowAndApart) {
  const char* shots = std::getenv("BG_DIALOG_SHOTS");
  for (const Form& f : kForms) {
    ASSERT_TRUE(openDesignedWindow(kWindow, f.name)) << f.name;
    showModalWindow(kWindow);
    QWidget* top = contentWidget(kWindow);
    QApplication::processEvents();
    const QRect inside = top->rect();
    std::vector<std::pair<int16_t, QRect>> placed;
    for (int16_t id : f.controls) {
      QWidget* w = controlWidget(kWindow, id);
      ASSERT_NE(w, nullptr) << f.name << " control " << id;
      const QRect r = rectIn(top, w);
      EXPECT_TRUE(inside.contains(r)) << f.name << " control " << id;
      EXPECT_GT(r.width(), 0) << f.name << " control " << id;
      // A container (a radio group) holds its own controls; others never overlap.
      for (const auto& [other, o] : placed) {
        QWidget* ow = controlWidget(kWindow, other);
        if (ow->isAncestorOf(w) || w->isAncestorOf(ow)) continue;
        EXPECT_FALSE(r.intersects(o)) << f.name << " controls " << id << " and " << other;
      }
      placed.emplace_back(id, r);
    }
    if (shots != nullptr) top->grab().save(QDir(shots).filePath(QString(f.name) + ".png"));
    windowClose(kWindow);
  }
}

TEST_F(DesignedForms, TabVisitsTheFieldsInReadingOrder) {
  for (const Form& f : kForms) {
    ASSERT_TRUE(openDesignedWindow(kWindow, f.name)) << f.name;
    showModalWindow(kWindow);
    QWidget* top = contentWidget(kWindow);
    QApplication::processEvents();
    // Showing the window focuses its first field.
    QWidget* first = QApplication::focusWidget();
    QPoint last = first != nullptr && first != top ? rectIn(top, first).center() : QPoint(-1, -1);
    if (first == top) first = nullptr;
    int visited = first != nullptr ? 1 : 0;
    for (int step = 0; step < 80; ++step) {
      testing::typeKey(kWindow, Qt::Key_Tab);
      QWidget* f2 = QApplication::focusWidget();
      if (f2 == nullptr || f2 == top) continue;
      if (f2 == first) break;
      if (first == nullptr) first = f2;
      const QRect r = rectIn(top, f2);
      // Down the window, and left to right within a line.
      const bool sameLine = std::abs(r.center().y() - last.y()) < r.height() / 2 + 2;
      const bool onward = last.y() < 0 || (sameLine ? r.center().x() > last.x() : r.center().y() > last.y());
      EXPECT_TRUE(onward) << f.name << ": " << f2->objectName().toStdString() << " after (" << last.x() << ","
                          << last.y() << ")";
      last = r.center();
      ++visited;
    }
    EXPECT_GE(visited, 1) << f.name;
    windowClose(kWindow);
  }
}

TEST_F(DesignedForms, ArrowsMoveTheChoiceWithinARadioGroup) {
  ASSERT_TRUE(openDesignedWindow(kWindow, "whoGetsFirstRollDialog"));
  showModalWindow(kWindow);
  setControlValue(kWindow, 3, 2);
  for (QRadioButton* b : controlWidget(kWindow, 3)->findChildren<QRadioButton*>()) {
    if (b->isChecked()) b->setFocus();
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(controlValue(kWindow, 3), 3);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  EXPECT_EQ(controlValue(kWindow, 3), 1);
  EXPECT_EQ(focusedControl(kWindow), 3) << "a radio button counts as its group";
  setControlValue(kWindow, 3, 0);
  EXPECT_EQ(controlValue(kWindow, 3), 0) << "no choice is a value too";
}

TEST_F(DesignedForms, AMissingFormOpensNoWindow) {
  EXPECT_FALSE(openDesignedWindow(kWindow, "noSuchForm"));
  EXPECT_FALSE(openDesignedWindow(kWindow, "../text/messages"));
  EXPECT_FALSE(windowExists(kWindow));
}

}  // namespace
}  // namespace bg
