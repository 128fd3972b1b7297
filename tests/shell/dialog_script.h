#pragma once
// Driving a dialog as the user does: clicks on its real widgets, its keys, and the checks
// of the way back to the board.
#include <QAbstractButton>
#include <QComboBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/dialog_state.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"
#include "shell/help_text_window.h"
#include "state/board_input.h"
#include "support/qt_helpers.h"

namespace bg::testing {

// What happened inside the context help's wait: whether the action ran there, and whether
// the help was still open `patience` ticks later and had to be closed by the test.
struct HelpWaitOutcome {
  bool acted = false;
  bool forced = false;
};

// Types H on the board and runs `act` once the context help waits; a help still open
// `patience` ticks after that is closed here, so the test cannot wait for good.
inline HelpWaitOutcome actInsideTheHelpWait(const std::function<void()>& act, int patience) {
  HelpWaitOutcome out;
  int ticks = 0;
  QTimer t;
  QObject::connect(&t, &QTimer::timeout, [&] {
    if (!textViewExists(kHelpTextWindow)) return;
    if (!out.acted) {
      out.acted = true;
      act();
    } else if (++ticks == patience) {
      out.forced = true;
      windowClose(kHelpTextWindow);
    }
  });
  t.start(0);
  typeKey(1, Qt::Key_H);
  t.stop();
  return out;
}

inline constexpr int16_t kBarMenus[] = {1, 3, 8, 5, 17, 6, 16, 4};

inline void expectBackOnTheBoard(const std::string& where) {
  EXPECT_EQ(frontWindow(), 1) << where;
  EXPECT_EQ(outputWindow(), 1) << where;
  EXPECT_EQ(dialogWindows.modalDialogWnd, 1) << where;
  EXPECT_EQ(dialogWindows.savedOutputWnd, 1) << where;
  for (int16_t m : kBarMenus) EXPECT_TRUE(menuItemEnabled(m, 0)) << where << " menu " << m;
  // The board's callback is back: a control hit reaches doDialogEvent, which notes it.
  layerSelection.fbSelectValues[2] = 0;
  FBRaiseDialogEvent(kDialogControlHit, 1);
  pumpUntil([] { return layerSelection.fbSelectValues[2] == 1; }, 3);
  EXPECT_EQ(layerSelection.fbSelectValues[2], 1) << where << ": the board's callback is installed";
}

inline void expectDialogInFront(int16_t n, const std::string& where) {
  ASSERT_TRUE(windowExists(n)) << where;
  EXPECT_EQ(frontWindow(), n) << where;
  EXPECT_EQ(dialogWindows.modalDialogWnd, n) << where;
  for (int16_t m : kBarMenus) EXPECT_FALSE(menuItemEnabled(m, 0)) << where << " menu " << m;
}

inline bool openFromMenu(int16_t menu, int16_t item, int16_t window) {
  chooseMenuItem(menu, item);
  return pumpUntil([window] { return windowExists(window); }, 5);
}

inline void settle() { pumpUntil([] { return false; }, 2); }

inline void clickControl(int16_t window, int16_t id) {
  QWidget* w = controlWidget(window, id);
  ASSERT_NE(w, nullptr) << window << ":" << id;
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(4, w->height() / 2));
}

inline void clickRadioValue(int16_t window, int16_t group, int value) {
  QWidget* radios = controlWidget(window, group);
  ASSERT_NE(radios, nullptr) << window << ":" << group;
  for (QAbstractButton* b : radios->findChildren<QAbstractButton*>())
    if (b->property("value").toInt() == value) QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
}

// Chooses item `item` of a pop-up with the keyboard, as a user would: focus, then Home and
// Down arrows (separators are skipped by the box itself).
inline void choosePopUpItem(int16_t window, int16_t id, int item) {
  auto* box = qobject_cast<QComboBox*>(controlWidget(window, id));
  ASSERT_NE(box, nullptr) << window << ":" << id;
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Home);
  for (int guard = 0; guard < 40 && box->currentIndex() + 1 < item; ++guard) QTest::keyClick(box, Qt::Key_Down);
  ASSERT_EQ(box->currentIndex() + 1, item) << window << ":" << id;
}

enum class Answer { kOkClick, kReturn, kEnter, kCancelClick, kEscape };
inline constexpr Answer kAllAnswers[] = {Answer::kOkClick, Answer::kReturn, Answer::kEnter, Answer::kCancelClick,
                                         Answer::kEscape};
inline bool accepts(Answer a) { return a == Answer::kOkClick || a == Answer::kReturn || a == Answer::kEnter; }
inline const char* answerName(Answer a) {
  switch (a) {
    case Answer::kOkClick: return "OK";
    case Answer::kReturn: return "Return";
    case Answer::kEnter: return "Enter";
    case Answer::kCancelClick: return "Cancel";
    case Answer::kEscape: return "Escape";
  }
  return "";
}

inline void giveAnswer(int16_t window, Answer a) {
  switch (a) {
    case Answer::kOkClick: clickControl(window, 1); break;
    case Answer::kReturn: typeKey(window, Qt::Key_Return); break;
    case Answer::kEnter: typeKey(window, Qt::Key_Enter); break;
    case Answer::kCancelClick: clickControl(window, 2); break;
    case Answer::kEscape: typeKey(window, Qt::Key_Escape); break;
  }
}

}  // namespace bg::testing
