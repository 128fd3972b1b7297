// The program's start: one board window with the program's title; its close box quits.
#include <QTimer>
#include <QWidget>

#include <cstdlib>

#include <gtest/gtest.h>

#include "runtime/qt/windows.h"
#include "shell/startup.h"

namespace bg {
namespace {

void startThenCloseTheBoard() {
  QTimer::singleShot(0, [] {
    QWidget* board = contentWidget(1);
    if (board == nullptr || board->windowTitle() != QStringLiteral("Tavrik's Backgammon")) std::_Exit(3);
    board->close();
  });
  static char name[] = "backgammon";
  static char* argv[] = {name, nullptr};
  runApplication(1, argv);
}

TEST(StartupDeathTest, ClosingTheBoardWindowQuitsTheProgram) {
  EXPECT_EXIT(startThenCloseTheBoard(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace bg
