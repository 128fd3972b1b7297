// The very first start as a person meets it: the board window with its menu bar is up
// before any box asks anything, and once the name is typed the line greets with it.
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/message_boxes.h"
#include "display/audio_install.h"
#include "display/board_rebuild.h"
#include "display/message_line.h"
#include "display/score_display.h"
#include "flow/game_loop.h"
#include "interaction/interaction_install.h"
#include "rules/new_game.h"
#include "runtime/core/messages.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/user_folders.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/board_window_events.h"
#include "shell/menu_dispatch.h"
#include "shell/shared_services.h"
#include "shell/startup.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/program_state.h"
#include "support/qt_helpers.h"
#include "started_program.h"

namespace bg {
namespace {

std::vector<std::string> shownTexts;
bool barUpWhenAsked = true;
int boxesAnswered = 0;

void answerTheBoxes() {
  for (const int16_t box : {kLargeMessageWindow, kNameEntryWindow}) {
    if (!windowExists(box)) continue;
    const auto* bar = contentWidget(1) != nullptr ? contentWidget(1)->findChild<QMenuBar*>() : nullptr;
    barUpWhenAsked = barUpWhenAsked && bar != nullptr && bar->isVisible() && !bar->actions().isEmpty();
    if (box == kNameEntryWindow) testing::typeText(box, "Ann");
    testing::typeKey(box, Qt::Key_Return);
    ++boxesAnswered;
  }
}

TEST(FirstStart, TheMenuBarIsUpBeforeTheNameBoxAndTheGreetingUsesItsWords) {
  QTemporaryDir home;
  const QByteArray config = qgetenv("XDG_CONFIG_HOME"), data = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
  qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
  testing::startRuntime();
  initUserFolders();
  installMenuCommands();
  installFlowServices();
  installShellServices();
  initProgram();
  installDisplayServices();
  installInteractionServices();
  installScoreDisplay();
  installBoardWindowHandler();
  installAppEventHandlers();
  shownTexts.clear();
  interactionServices.displayMessage = [] {
    shownTexts.push_back(interaction.messageText.str());
    displayMessage();
  };
  QTimer answering;
  QObject::connect(&answering, &QTimer::timeout, answerTheBoxes);
  answering.start(5);
  startNewGame();
  answering.stop();
  EXPECT_GE(boxesAnswered, 1);
  EXPECT_TRUE(barUpWhenAsked);
  const std::string greeting = "MM" + messageWordsOf(kGreetingMessage).str() + "Ann";
  EXPECT_NE(std::find(shownTexts.begin(), shownTexts.end(), greeting), shownTexts.end());
  windowClose(1);
  qputenv("XDG_CONFIG_HOME", config);
  qputenv("XDG_DATA_HOME", data);
}

}  // namespace
}  // namespace bg
