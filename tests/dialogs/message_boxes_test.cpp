// The boxes built in code: each opens, is answered by its button or by Return or Enter,
// and gives the board back with the menus enabled; their layout rules hold.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "dialogs/dialog_state.h"
#include "dialogs/message_boxes.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "state/menu_numbers.h"
#include "state/program_state.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

Point insideOf(const Rect& r) { return Point{static_cast<int16_t>(r.left + 5), static_cast<int16_t>(r.top + 5)}; }

class MessageBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    loadMenu(kGameMenu);
    windowOpen(1, "board", makeRect(0, 0, 300, 200), kDocumentWindow, true);
    setOutputWindow(1);
  }
  void TearDown() override { windowClose(1); }

  // Runs `answer` on window n as soon as the box's loop pumps.
  static void whenOpen(int16_t n, std::function<void()> answer) {
    QTimer::singleShot(0, [n, answer] {
      if (windowExists(n)) answer();
    });
  }
  static void expectBackOnTheBoard() {
    EXPECT_EQ(outputWindow(), 1);
    EXPECT_TRUE(menuItemEnabled(kGameMenu, 0));
    EXPECT_EQ(dialogWindows.modalDialogWnd, 1);
    EXPECT_EQ(dialogWindows.savedOutputWnd, 1);
  }
};

TEST_F(MessageBoxes, EachBoxEndsByItsButtonReturnOrEnter) {
  const struct {
    const char* name;
    int16_t window;
    std::function<void()> open;
  } boxes[] = {
      {"information", kInformationWindow, [] { showMessageBox("Hello"); }},
      {"large", kLargeMessageWindow, [] { showLargeMessageYesNoDone(435, 210, "Welcome"); }},
      {"continue", kLargeMessageWindow, [] { showLargeMessageContinue(435, 400, "Fast Play", "Faster", 0); }},
      {"name", kNameEntryWindow, [] { enterNameDialog("Please Enter Your Name", "No Name"); }},
  };
  const std::function<void(int16_t)> answers[] = {
      [](int16_t n) { pressButton(n, 1); },
      [](int16_t n) { testing::typeKey(n, Qt::Key_Return); },
      [](int16_t n) { testing::typeKey(n, Qt::Key_Enter); },
      [](int16_t n) { testing::clickAt(n, insideOf(controlRect(n, 1))); },
  };
  for (const auto& box : boxes) {
    for (const auto& answer : answers) {
      bool seenOpen = false;
      whenOpen(box.window, [&] {
        seenOpen = modalLoopWindow() == box.window;
        answer(box.window);
      });
      box.open();
      EXPECT_TRUE(seenOpen) << box.name;
      EXPECT_FALSE(windowExists(box.window)) << box.name;
      EXPECT_EQ(outputWindow(), 1) << box.name;
      if (box.window != kInformationWindow) expectBackOnTheBoard();
    }
  }
}

TEST_F(MessageBoxes, EscapeClosesABoxWithOnlyADone) {
  bool escaped = false;
  whenOpen(kInformationWindow, [&] {
    escaped = true;
    testing::typeKey(kInformationWindow, Qt::Key_Escape);
  });
  showMessageBox("Stay");
  EXPECT_TRUE(escaped);
  EXPECT_FALSE(windowExists(kInformationWindow));
}

TEST_F(MessageBoxes, TheNameEntryReturnsTheEditedText) {
  const struct {
    const char* typed;
    const char* pasted;
    const char* expected;
  } rows[] = {{"Ann", "", "Ann"},
              {"", "", ""},
              // A name takes no line end: a pasted one becomes a blank.
              {"", "Ann\r\nLOADGAMEONSTARTUP   0\n", "Ann LOADGAMEONSTARTUP   0 "}};
  for (const auto& r : rows) {
    whenOpen(kNameEntryWindow, [&] {
      // The default name starts selected: typing replaces it, Backspace empties it.
      testing::typeKey(kNameEntryWindow, Qt::Key_Backspace);
      testing::typeText(kNameEntryWindow, r.typed);
      if (*r.pasted != '\0') {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(r.pasted));
        testing::typeKey(kNameEntryWindow, Qt::Key_V, Qt::ControlModifier);
      }
      testing::typeKey(kNameEntryWindow, Qt::Key_Return);
    });
    EXPECT_EQ(enterNameDialog("Please Enter Your Name", "No Name"), r.expected);
  }
}

TEST_F(MessageBoxes, LargeBoxesPlaceTheirButtonAndTextFromTheirSize) {
  const struct {
    int16_t width, height, buttonTop, textBottom;
  } rows[] = {{435, 210, 170, 160}, {410, 310, 270, 260}};
  for (const auto& r : rows) {
    Rect button{}, text{};
    whenOpen(kLargeMessageWindow, [&] {
      button = controlRect(kLargeMessageWindow, 1);
      text = controlRect(kLargeMessageWindow, 4);
      pressButton(kLargeMessageWindow, 1);
    });
    showLargeMessageYesNoDone(r.width, r.height, std::string(600, 'x'));
    EXPECT_EQ(button.top, r.buttonTop);
    EXPECT_GE(button.width(), 75);
    EXPECT_LE(std::abs(button.left + button.right - r.width), 1) << "centred";
    EXPECT_EQ(text.top, 20);
    EXPECT_EQ(text.bottom, r.textBottom);
    EXPECT_EQ(text.right, r.width - 17);
  }
}

TEST_F(MessageBoxes, TheInfoBoxStaysOpenUntilItsButtonAndReopensWithNewContent) {
  showInfoDialog("Help", "First");
  showInfoDialog("Help", "Second");
  ASSERT_TRUE(windowExists(kInfoBoxWindow));
  EXPECT_EQ(controlText(kInfoBoxWindow, 40), "Second");
  EXPECT_EQ(controlText(kInfoBoxWindow, 1), "Done");  // as every other box words it
  const Rect button = controlRect(kInfoBoxWindow, 1);
  EXPECT_GE(button.width(), 75);
  EXPECT_EQ(button.left, 162 - button.width() / 2);
  EXPECT_EQ(button.top, 160);
  EXPECT_FALSE(menuItemEnabled(kGameMenu, 0));
  testing::clickAt(kInfoBoxWindow, insideOf(button));
  EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kInfoBoxWindow); }));
  expectBackOnTheBoard();
}

TEST_F(MessageBoxes, WithNoWindowInFrontNoneIsSelectedAfterwards) {
  windowClose(1);
  whenOpen(kInformationWindow, [] { pressButton(kInformationWindow, 1); });
  showMessageBox("Alone");
  EXPECT_EQ(frontWindow(), 0);
}

TEST_F(MessageBoxes, LargeBoxesBreakTheirLinesWhereTheTextDoesAndJustifyAsAsked) {
  const struct {
    const char* name;
    std::function<void()> open;
    Qt::Alignment alignment;
  } rows[] = {
      {"welcome", [] { showLargeMessageYesNoDone(435, 400, "Welcome\r\rClick on one of the dice\r\nEnjoy!"); },
       Qt::AlignHCenter},
      {"notice", [] { showLargeMessageContinue(435, 400, "Fast Play", "Welcome\r\rClick on one of the dice\r\nEnjoy!", 0); },
       Qt::AlignLeft},
      {"centred notice", [] { showLargeMessageContinue(435, 400, "Fast Play", "Welcome\r\rClick on one of the dice\r\nEnjoy!", 1); },
       Qt::AlignHCenter},
  };
  for (const auto& row : rows) {
    QString shown;
    Qt::Alignment alignment;
    whenOpen(kLargeMessageWindow, [&] {
      auto* label = qobject_cast<QLabel*>(controlWidget(kLargeMessageWindow, 4));
      if (label != nullptr) shown = label->text(), alignment = label->alignment();
      if (std::getenv("BG_SAVE_SHOTS") != nullptr)
        contentWidget(kLargeMessageWindow)->grab().save(QStringLiteral("/tmp/box-%1.png").arg(row.name));
      pressButton(kLargeMessageWindow, 1);
    });
    row.open();
    EXPECT_EQ(shown, QStringLiteral("Welcome\n\nClick on one of the dice\nEnjoy!")) << row.name;
    EXPECT_TRUE(alignment & row.alignment) << row.name;
  }
}

}  // namespace
}  // namespace bg
