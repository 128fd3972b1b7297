// The designed dialogs after a real start-up, opened through their menu items or their
// flow paths and answered through their real widgets, keys and buttons.
#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/game_setup_dialogs.h"
#include "dialogs/message_boxes.h"
#include "dialogs/question_window.h"
#include "dialogs/scoreboard_dialogs.h"
#include "dialogs/statistics_dialogs.h"
#include "display/board_layout.h"
#include "display/message_line.h"
#include "display/upper_services.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/printing.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/dialog_script.h"
#include "shell/menu_dispatch.h"
#include "shell/shared_services.h"
#include "shell/startup.h"
#include "flow/game_loop.h"
#include "interaction/help_text.h"
#include "rollout/rollout_results_window.h"
#include "flow/resignation.h"
#include "flow/sessions.h"
#include "flow/turn_services.h"
#include "runtime/core/messages.h"
#include "runtime/qt/text.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/session_statistics.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "state/menu_numbers.h"
#include "state/program_state.h"
#include "state/settings.h"
#include "state/game_record_state.h"
#include "support/pdf_text.h"
#include "support/position_text.h"
#include "support/qt_helpers.h"
#include "started_program.h"

namespace bg {
namespace {

constexpr int16_t kBoxWindow = 500;
constexpr int16_t kBoxText = 4;

// The texts of the information boxes answered while a test runs.
std::vector<std::string> boxTexts;
int quits = 0;

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    testing::startShell({installFlowServices, installDialogServices});
    flow.opponentMode = kComputerOpponent;
    windowSelect(1);
    boxTexts.clear();
    quits = 0;
    turnServices.quitGame = [] { ++quits; };
    // Every information box is read and answered as soon as its own loop runs.
    boxAnswerer_.setInterval(0);
    QObject::connect(&boxAnswerer_, &QTimer::timeout, [] {
      if (windowExists(kBoxWindow) && modalLoopWindow() == kBoxWindow) {
        boxTexts.push_back(controlText(kBoxWindow, kBoxText));
        pressButton(kBoxWindow, 1);
      }
      // The titled text box the game may show on its own.
      if (windowExists(kExplanationWindow) && modalLoopWindow() == kExplanationWindow) {
        boxTexts.push_back(controlText(kExplanationWindow, 100));
        pressButton(kExplanationWindow, 1);
      }
    });
    boxAnswerer_.start();
  }
  void TearDown() override {
    boxAnswerer_.stop();
    for (int16_t n : {323, 324, 325, 328, 329, 333, 334, 335, 336, 337, 338, 339, 344}) windowClose(n);
    // A test that ends with a dialog open leaves the menus as the board has them.
    enableAllMenus();
    setMenuItemEnabled(kGameMenu, kMoneyGameItem, false);
    windowClose(1);
    setEventSlice(2);
  }
  QTimer boxAnswerer_;
};

void expectDialogOpen(int16_t n, const std::string& where) {
  testing::expectDialogInFront(n, where);  // a missing window fails there
  if (const QWidget* w = contentWidget(n)) {
    EXPECT_TRUE(w->isModal()) << where;
  }
}

void clickControl(int16_t window, int16_t id) {
  QWidget* w = controlWidget(window, id);
  ASSERT_NE(w, nullptr) << window << ":" << id;
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(4, w->height() / 2));
}

void clickRadio(int16_t window, int16_t group, int value) {
  QWidget* radios = controlWidget(window, group);
  ASSERT_NE(radios, nullptr) << window << ":" << group;
  for (QAbstractButton* b : radios->findChildren<QAbstractButton*>()) {
    if (b->property("value").toInt() == value) QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
  }
}

void typeInto(int16_t window, int16_t id, const std::string& text) {
  auto* e = qobject_cast<QLineEdit*>(controlWidget(window, id));
  ASSERT_NE(e, nullptr) << window << ":" << id;
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Backspace);
  QTest::keyClicks(e, QString::fromStdString(text));
}

// Put in the field in place of what it held, as Ctrl+V pastes it.
void pasteInto(int16_t window, int16_t id, const std::string& text) {
  auto* e = qobject_cast<QLineEdit*>(controlWidget(window, id));
  ASSERT_NE(e, nullptr) << window << ":" << id;
  e->setFocus();
  e->selectAll();
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
}

void pumpAFew() { testing::pumpUntil([] { return false; }, 3); }

bool closes(int16_t window) { return testing::pumpUntil([window] { return !windowExists(window); }, 6); }

// The close box is the window manager's, drawn on every box: it cancels as Escape does.
enum class Answer { kOkClick, kReturn, kEnter, kCancelClick, kEscape, kCloseBox };
constexpr Answer kAnswers[] = {Answer::kOkClick, Answer::kReturn, Answer::kEnter, Answer::kCancelClick,
                               Answer::kEscape, Answer::kCloseBox};
bool accepts(Answer a) { return a == Answer::kOkClick || a == Answer::kReturn || a == Answer::kEnter; }
const char* nameOf(Answer a) {
  switch (a) {
    case Answer::kOkClick: return "OK";
    case Answer::kReturn: return "Return";
    case Answer::kEnter: return "Enter";
    case Answer::kCancelClick: return "Cancel";
    case Answer::kEscape: return "Escape";
    case Answer::kCloseBox: return "close box";
  }
  return "";
}

void answer(int16_t window, Answer a) {
  switch (a) {
    case Answer::kOkClick: clickControl(window, 1); break;
    case Answer::kReturn: testing::typeKey(window, Qt::Key_Return); break;
    case Answer::kEnter: testing::typeKey(window, Qt::Key_Enter); break;
    case Answer::kCancelClick: clickControl(window, 2); break;
    case Answer::kEscape: testing::typeKey(window, Qt::Key_Escape); break;
    case Answer::kCloseBox: testing::clickCloseBox(window); break;
  }
}

TEST_F(Dialogs, WhoGetsTheFirstRollTakesTheChosenButtonOnOkOnly) {
  for (Answer a : kAnswers) {
    for (int16_t chosen : {int16_t{2}, int16_t{5}}) {
      const std::string where = std::string(nameOf(a)) + " choosing " + std::to_string(chosen);
      settings.whoRollsFirst = 3;
      ASSERT_TRUE(testing::openFromMenu(kOptionsMenu, kWhoGetsFirstRollItem, kWhoGetsFirstRollWindow)) << where;
      expectDialogOpen(kWhoGetsFirstRollWindow, where);
      EXPECT_EQ(controlValue(kWhoGetsFirstRollWindow, 3), 3) << where;
      clickRadio(kWhoGetsFirstRollWindow, 3, chosen);
      testing::pumpUntil([] { return false; }, 2);
      EXPECT_EQ(controlValue(kWhoGetsFirstRollWindow, 3), chosen) << where;
      EXPECT_EQ(settings.whoRollsFirst, 3) << where << ": nothing changes before OK";
      answer(kWhoGetsFirstRollWindow, a);
      // Queued: nothing happens inside the widget's own signal or key filter.
      EXPECT_TRUE(windowExists(kWhoGetsFirstRollWindow)) << where;
      ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kWhoGetsFirstRollWindow); }, 5)) << where;
      EXPECT_EQ(settings.whoRollsFirst, accepts(a) ? chosen : 3) << where;
      testing::expectBackOnTheBoard(where);
    }
  }
}

TEST_F(Dialogs, TheBoardTakesNoInputWhileADialogIsOpen) {
  ASSERT_TRUE(testing::openFromMenu(kOptionsMenu, kWhoGetsFirstRollItem, kWhoGetsFirstRollWindow));
  interactionDisplay.boardInputEvent = 0;
  testing::clickAt(1, Point{60, 60});
  testing::pumpUntil([] { return false; }, 2);
  EXPECT_EQ(interactionDisplay.boardInputEvent, 0);
  answer(kWhoGetsFirstRollWindow, Answer::kEscape);
  testing::pumpUntil([] { return !windowExists(kWhoGetsFirstRollWindow); }, 5);
  testing::expectBackOnTheBoard("after Escape");
}

TEST_F(Dialogs, AHitForAWindowClosedBeforeThePumpIsDropped) {
  ASSERT_TRUE(testing::openFromMenu(kOptionsMenu, kWhoGetsFirstRollItem, kWhoGetsFirstRollWindow));
  settings.whoRollsFirst = 1;
  clickRadio(kWhoGetsFirstRollWindow, 3, 4);
  clickControl(kWhoGetsFirstRollWindow, 1);
  clickControl(kWhoGetsFirstRollWindow, 1);
  testing::pumpUntil([] { return false; }, 3);
  EXPECT_EQ(settings.whoRollsFirst, 4);
  testing::expectBackOnTheBoard("after two clicks on OK");
}


// --- Every dialog with settings: OK and Return change them as the dialog says, Cancel and
// Escape change nothing; each is opened through its menu item or flow path.

struct SettingsDialogRow {
  const char* name;
  int16_t window;
  std::function<void()> before;   // the settings before the dialog opens
  std::function<void()> open;     // the real path to the dialog
  std::function<void()> edit;     // through the dialog's widgets
  std::function<void(bool accepted, const std::string& where)> check;
};

// What the tournament item read before its dialog opened: Cancel and Escape leave it so.
std::string tournamentItemShown;

std::vector<SettingsDialogRow> settingsDialogs() {
  return {
      {"tournament set-up", kTournamentSetupWindow,
       [] {
         cube.crawfordRule = 255;
         cube.beaverAllowed = 0;
         cube.jacobyRule = -1;
         cube.cubeUsed = -1;
         settings.whoRollsFirst = 3;
         flow.scores[0] = 4;
         flow.scores[1] = 1;
       },
       [] {
         tournamentItemShown = menuItemText(kGameMenu, kTournamentItem);
         chooseMenuItem(kGameMenu, kTournamentItem);
       },
       [] {
         EXPECT_EQ(controlValue(kTournamentSetupWindow, 3), 1);
         EXPECT_EQ(controlText(kTournamentSetupWindow, 4), "11");
         clickControl(kTournamentSetupWindow, 3);
         typeInto(kTournamentSetupWindow, 4, "7");
         typeInto(kTournamentSetupWindow, 5, "3");
         typeInto(kTournamentSetupWindow, 6, "5");
       },
       [](bool ok, const std::string& where) {
         EXPECT_EQ(flow.tournamentGoing, ok ? 255 : 0) << where;
         EXPECT_EQ(cube.crawfordRule, ok ? 0 : 255) << where;
         EXPECT_EQ(flow.tournamentPoints, ok ? 7 : 0) << where;
         EXPECT_EQ(flow.scores[0], ok ? 3 : 4) << where;
         EXPECT_EQ(flow.scores[1], ok ? 5 : 1) << where;
         EXPECT_EQ(settings.whoRollsFirst, ok ? 1 : 3) << where;
         EXPECT_EQ(cube.jacobyRule, ok ? 0 : -1) << where;
         EXPECT_EQ(flow.savedJacobyRule, ok ? -1 : 0) << where;
         EXPECT_EQ(flow.savedWhoRollsFirst, ok ? 3 : 1) << where;
         EXPECT_EQ(cube.beaverAllowed, 0) << where;
         EXPECT_EQ(menuItemText(kGameMenu, kTournamentItem), ok ? "End Tournament" : tournamentItemShown) << where;
       }},
      {"who gets the first roll", kWhoGetsFirstRollWindow, [] { settings.whoRollsFirst = 1; },
       [] { chooseMenuItem(kOptionsMenu, kWhoGetsFirstRollItem); },
       [] { clickRadio(kWhoGetsFirstRollWindow, 3, 4); },
       [](bool ok, const std::string& where) { EXPECT_EQ(settings.whoRollsFirst, ok ? 4 : 1) << where; }},
      {"money game", kMoneyGameWindow,
       [] {
         options.wagerAmount = 10;
         options.wagerCurrency = "dollars";
         options.wagerSymbol = "$";
         options.wagerSymbolLocation = 12;
         setMenuItemEnabled(kGameMenu, kMoneyGameItem, true);
       },
       [] { chooseMenuItem(kGameMenu, kMoneyGameItem); },
       [] {
         EXPECT_EQ(controlText(kMoneyGameWindow, 7), "The wager amount is 10 dollars ( $10 )");
         EXPECT_EQ(controlValue(kMoneyGameWindow, 6), 1);
         typeInto(kMoneyGameWindow, 3, "25");
         // A line end pasted into a field of a designed box becomes a blank.
         pasteInto(kMoneyGameWindow, 4, "euros\r\nLOADGAMEONSTARTUP 0\n");
         EXPECT_EQ(controlText(kMoneyGameWindow, 4), "euros LOADGAMEONSTARTUP 0 ");
         typeInto(kMoneyGameWindow, 4, "euros");
         typeInto(kMoneyGameWindow, 5, "E");
         clickRadio(kMoneyGameWindow, 6, 2);
         // The sentence says the stake as it is typed, the one OK takes.
         pumpAFew();
         EXPECT_EQ(controlText(kMoneyGameWindow, 7), "The wager amount is 25 euros ( 25E )");
         typeInto(kMoneyGameWindow, 3, "1");
         pumpAFew();
         EXPECT_EQ(controlText(kMoneyGameWindow, 7), "The wager amount is 1 euro ( 1E )");
         typeInto(kMoneyGameWindow, 3, "25");
       },
       [](bool ok, const std::string& where) {
         EXPECT_EQ(options.wagerAmount, ok ? 25 : 10) << where;
         EXPECT_EQ(options.wagerCurrency.view(), ok ? "euros" : "dollars") << where;
         EXPECT_EQ(options.wagerSymbol.view(), ok ? "E" : "$") << where;
         EXPECT_EQ(options.wagerSymbolLocation, ok ? 13 : 12) << where;
       }},
      {"concede points", kConcedePointsWindow,
       [] {
         flow.opponentMode = kTwoPeople;
         flow.concessionLevel = 0;
       },
       [] { concedePointsPrompt(); },
       [] {
         EXPECT_EQ(controlText(kConcedePointsWindow, 3), "2");
         typeInto(kConcedePointsWindow, 3, "3");
       },
       [](bool ok, const std::string& where) {
         // Cancel leaves the level the prompt suggested.
         if (ok) {
           EXPECT_EQ(flow.concessionLevel, 3) << where;
         }
         if (!ok) {
           EXPECT_NE(flow.concessionLevel, 3) << where;
         }
       }},
      {"scoreboard", kScoreboardWindow,
       [] {
         players.activePlayers = 1;
         players.playerRecords[2].firstName = "Ann";
         players.playerRecords[2].secondName = "Bob";
         shell.playerNames[0] = "No Name";
         shell.playerNames[1] = "No Name";
       },
       [] { chooseMenuItem(kPlayerMenu, kScoreboardItem); },
       [] {
         EXPECT_EQ(focusedControl(kScoreboardWindow), 9) << "the active row's second name";
         EXPECT_EQ(controlText(kScoreboardWindow, 10), "Ann");
         clickRadio(kScoreboardWindow, 4, 2);
         typeInto(kScoreboardWindow, 11, "Carl");
         EXPECT_EQ(controlText(kScoreboardWindow, 10), "Ann");
       },
       [](bool ok, const std::string& where) {
         EXPECT_EQ(players.activePlayers, ok ? 2 : 1) << where;
         EXPECT_EQ(players.playerRecords[2].secondName.view(), ok ? "Carl" : "Bob") << where;
         EXPECT_EQ(shell.playerNames[0].view(), ok ? "Carl" : "No Name") << where;
         EXPECT_EQ(shell.playerNames[1].view(), ok ? "Ann" : "No Name") << where;
       }},
  };
}

TEST_F(Dialogs, EverySettingsDialogChangesItsSettingsOnOkAndReturnOnly) {
  for (const SettingsDialogRow& row : settingsDialogs()) {
    for (Answer a : kAnswers) {
      const std::string where = std::string(row.name) + " / " + nameOf(a);
      resetProgramState();
      installFlowServices();
      initProgram();
      installShellServices();
      installDialogServices();
      installMenuCommands();
      installAppEventHandlers();
      setEventSlice(0);
      display.firstBoardBuild = 0;
      flow.opponentMode = kComputerOpponent;
      turnServices.quitGame = [] { ++quits; };
      row.before();
      row.open();
      ASSERT_TRUE(testing::pumpUntil([&] { return windowExists(row.window); }, 5)) << where;
      expectDialogOpen(row.window, where);
      row.edit();
      pumpAFew();
      ASSERT_TRUE(windowExists(row.window)) << where << ": the controls change nothing by themselves";
      answer(row.window, a);
      ASSERT_TRUE(closes(row.window)) << where;
      row.check(accepts(a), where);
      testing::expectBackOnTheBoard(where);
      EXPECT_TRUE(boxTexts.empty()) << where;
      windowClose(1);
    }
  }
}

// --- Bad input is refused with a message; the dialog stays open with its entries.

TEST_F(Dialogs, BadNumbersAreRefusedWithAMessageAndChangeNothing) {
  const auto concedeFromTheMenu = [] {
    testing::setPosition("start | dice 3 1 | cube 2 0 | side 0");
    position.openingPhase = 0;
    flow.opponentMode = kTwoPeople;
    chooseMenuItem(kGameMenu, kResignItem), FBHandleEvents();
  };
  const struct {
    int16_t window;
    std::function<void()> open;
    int16_t field;
    const char* typed;
    std::string_view message;
  } rows[] = {
      {kTournamentSetupWindow, [] { tournamentSetupDialog(); }, 4, "0", kBadMatchLengthText},
      {kTournamentSetupWindow, [] { tournamentSetupDialog(); }, 4, "-3", kBadMatchLengthText},
      {kTournamentSetupWindow, [] { tournamentSetupDialog(); }, 4, "abc", kBadMatchLengthText},
      {kTournamentSetupWindow, [] { tournamentSetupDialog(); }, 4, "40000", kBadMatchLengthText},
      {kTournamentSetupWindow, [] { tournamentSetupDialog(); }, 5, "11", kBadStartingScoreText},
      {kTournamentSetupWindow, [] { tournamentSetupDialog(); }, 6, "12", kBadStartingScoreText},
      {kTournamentSetupWindow, [] { tournamentSetupDialog(); }, 6, "-1", kBadStartingScoreText},
      {kMoneyGameWindow, [] { moneyGameDialog(); }, 3, "-5", kBadWagerText},
      {kMoneyGameWindow, [] { moneyGameDialog(); }, 3, "99999", kBadWagerText},
      {kConcedePointsWindow, [] { getConcedePointsDialog(); }, 3, "70000", kBadConcedePointsText},
      // Game > Concede between two people, the cube at 2: a resignation gives up 1, 2 or 3
      // times the cube.
      {kConcedePointsWindow, concedeFromTheMenu, 3, "7", kBadConcedePointsText},
      {kConcedePointsWindow, concedeFromTheMenu, 3, "4", kBadConcedePointsText},
      {kConcedePointsWindow, concedeFromTheMenu, 3, "0", kBadConcedePointsText},
      {kConcedePointsWindow, concedeFromTheMenu, 3, "-1", kBadConcedePointsText},
  };
  for (const auto& r : rows) {
    const std::string where = std::to_string(r.window) + " " + r.typed;
    boxTexts.clear();
    flow.tournamentGoing = 0;
    flow.concessionLevel = 0;
    options.wagerAmount = 10;
    r.open();
    ASSERT_TRUE(windowExists(r.window)) << where;
    const int16_t levelOffered = flow.concessionLevel;
    // Another entry is edited too: it must survive the refusal.
    const int16_t other = r.field == 5 ? 4 : (r.window == kMoneyGameWindow ? 4 : r.field);
    if (other != r.field) typeInto(r.window, other, "10");
    typeInto(r.window, r.field, r.typed);
    testing::typeKey(r.window, Qt::Key_Return);
    pumpAFew();
    ASSERT_EQ(boxTexts.size(), 1u) << where << " front " << frontWindow() << " text " << controlText(r.window, r.field);
    EXPECT_EQ(boxTexts[0], r.message) << where;
    EXPECT_TRUE(windowExists(r.window)) << where;
    EXPECT_EQ(dialogWindows.modalDialogWnd, r.window) << where;
    EXPECT_EQ(controlText(r.window, r.field), r.typed) << where;
    if (other != r.field) {
      EXPECT_EQ(controlText(r.window, other), "10") << where;
    }
    EXPECT_EQ(flow.tournamentGoing, 0) << where;
    EXPECT_EQ(flow.concessionLevel, levelOffered) << where;
    EXPECT_EQ(options.wagerAmount, 10) << where;
    testing::typeKey(r.window, Qt::Key_Escape);
    ASSERT_TRUE(closes(r.window)) << where;
    testing::expectBackOnTheBoard(where);
  }
}

TEST_F(Dialogs, ConcedePointsFollowTheirRules) {
  const struct {
    const char* typed;
    int16_t level;
  } rows[] = {{"", 2}, {"abc", 2}, {"1", 1}, {"2.9", 2}, {"3", 3}};
  for (const auto& r : rows) {
    flow.opponentMode = kTwoPeople;
    getConcedePointsDialog();
    ASSERT_TRUE(windowExists(kConcedePointsWindow)) << r.typed;
    typeInto(kConcedePointsWindow, 3, r.typed);
    clickControl(kConcedePointsWindow, 1);
    ASSERT_TRUE(closes(kConcedePointsWindow)) << r.typed;
    EXPECT_EQ(flow.concessionLevel, r.level) << r.typed;
    flow.concessionLevel = 0;
  }
}

TEST_F(Dialogs, TheWagerSentenceKeepsTheSymbolItsPlaceAndTheDigitsOnly) {
  const struct {
    int16_t amount, location;
    const char* text;
  } rows[] = {{10, 12, "The wager amount is 10 dollars ( $10 )"},
              {10, 13, "The wager amount is 10 dollars ( 10$ )"},
              {-5, 12, "The wager amount is-5 dollars ( $5 )"},
              {1, 12, "The wager amount is 1 dollar ( $1 )"}};
  for (const auto& r : rows) {
    options.wagerAmount = r.amount;
    options.wagerCurrency = "dollars";
    options.wagerSymbol = "$";
    options.wagerSymbolLocation = r.location;
    EXPECT_EQ(wagerText(), r.text);
  }
}

TEST_F(Dialogs, ATournamentStartSavesAndSwitchesOffItsOptions) {
  const struct {
    int16_t autoDoubleMax, beaver, jacoby, acceptDoubles, rollOver;
    uint8_t reroll;
  } rows[] = {{2, -1, -1, -1, -1, 255}, {0, 0, 0, 0, 0, 0}};
  for (const auto& r : rows) {
    cube.cubeUsed = -1;
    cube.autoDoubleMax = r.autoDoubleMax;
    cube.beaverAllowed = r.beaver;
    cube.jacobyRule = r.jacoby;
    cube.acceptDoubles = r.acceptDoubles;
    options.rollOverOnce = r.rollOver;
    settings.rerollFirstRoll = r.reroll;
    flow.tournamentGoing = 0;
    chooseMenuItem(kGameMenu, kTournamentItem);
    ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kTournamentSetupWindow); }, 5));
    pressButton(kTournamentSetupWindow, 1);
    ASSERT_TRUE(closes(kTournamentSetupWindow));
    EXPECT_EQ((std::vector<int>{cube.autoDoubleMax, cube.beaverAllowed, cube.jacobyRule, cube.acceptDoubles,
                                options.rollOverOnce, settings.rerollFirstRoll, flow.tournamentPoints}),
              (std::vector<int>{0, 0, 0, 0, 0, 0, 11}));
    EXPECT_EQ((std::vector<int>{flow.savedAutoDoubleMax, flow.savedBeaverAllowed, flow.savedJacobyRule,
                                flow.savedAcceptDoubles, flow.savedRollOverOnce, flow.savedRerollFirstRoll}),
              (std::vector<int>{r.autoDoubleMax, r.beaver, r.jacoby, r.acceptDoubles, r.rollOver, r.reroll}));
    if (r.jacoby != 0) {
      EXPECT_FALSE(menuItemChecked(kOptionsMenu, kJacobyItem)) << "the toggle marks its item";
    }
    endTournament();
  }
}

// --- The statistics windows show their figures as number texts.

TEST_F(Dialogs, StatisticsWindowsShowEachFigureInItsControl) {
  players.activePlayers = 3;
  players.playerRecords[3].firstName = "Computer";
  players.playerRecords[3].secondName = "Dana";
  flow.gamePointsBySide[0] = 2;
  flow.gamePointsBySide[1] = 0;
  flow.doublesRolled[0] = 3;
  flow.doublesRolled[1] = 4;
  flow.pipsRolled[0] = 150;
  flow.pipsRolled[1] = 161;
  flow.scores[0] = -7;
  flow.scores[1] = 9;
  statistics.gamesWonBySide[0] = 5;
  statistics.gamesWonBySide[1] = 6;
  statistics.sessionDoublesRolled[0] = 11;
  statistics.sessionDoublesRolled[1] = 12;
  statistics.sessionOpeningRolls[0] = 13;
  statistics.sessionOpeningRolls[1] = 14;
  statistics.sessionPipsRolled[0] = 1000;
  statistics.sessionPipsRolled[1] = 1001;
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 9;
  cube.crawfordRule = 255;
  const struct {
    int16_t menuItem, window;
    std::vector<std::pair<int16_t, std::string>> shown;
  } rows[] = {
      {kGameStatsItem, kGameStatsWindow,
       {{10, "Computer"}, {11, "Dana"}, {4, " 0"}, {5, " 2"}, {6, " 4"}, {7, " 3"}, {8, " 161"}, {9, " 150"}}},
      {kSessionStatsItem, kSessionStatsWindow,
       {{12, "Computer"}, {13, "Dana"}, {2, " 9"}, {3, "-7"}, {4, " 6"}, {5, " 5"}, {6, " 12"}, {7, " 11"},
        {16, " 14"}, {17, " 13"}, {8, " 1001"}, {9, " 1000"}}},
      {kTournamentStatsItem, kTournamentStatsWindow, {{4, " 9"}, {5, "-7"}, {6, " 9"}}},
  };
  for (const auto& r : rows) {
    ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, r.menuItem, r.window)) << r.window;
    expectDialogOpen(r.window, std::to_string(r.window));
    for (const auto& [id, text] : r.shown) EXPECT_EQ(controlText(r.window, id), text) << r.window << ":" << id;
    testing::typeKey(r.window, Qt::Key_Return);
    ASSERT_TRUE(closes(r.window));
    testing::expectBackOnTheBoard(std::to_string(r.window));
  }
}

TEST_F(Dialogs, NestedWindowsGoBackToTheirParent) {
  // Session statistics over game statistics, then Escape closes the game statistics.
  ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kGameStatsItem, kGameStatsWindow));
  clickControl(kGameStatsWindow, 2);
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kSessionStatsWindow); }, 5));
  EXPECT_EQ(dialogWindows.savedOutputWnd, kGameStatsWindow);
  clickControl(kSessionStatsWindow, 1);
  ASSERT_TRUE(closes(kSessionStatsWindow));
  expectDialogOpen(kGameStatsWindow, "back to the game statistics");
  testing::typeKey(kGameStatsWindow, Qt::Key_Escape);
  ASSERT_TRUE(closes(kGameStatsWindow));
  testing::expectBackOnTheBoard("game statistics closed by Escape");

  // More scores over the scoreboard shows the name typed before the scoreboard's OK.
  players.playerRecords[2].counters[0] = 17;
  players.playerRecords[2].counters[1] = 19;
  players.playerRecords[2].pipsRolled[0] = 700;
  ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kScoreboardItem, kScoreboardWindow));
  typeInto(kScoreboardWindow, 10, "Edith");
  clickControl(kScoreboardWindow, 25);
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kMoreScoresWindow); }, 5));
  EXPECT_EQ(controlText(kMoreScoresWindow, 34), "Edith");
  EXPECT_EQ(controlText(kMoreScoresWindow, 4), " 17");
  EXPECT_EQ(controlText(kMoreScoresWindow, 14), " 19");
  EXPECT_EQ(controlText(kMoreScoresWindow, 37), " 700");
  testing::typeKey(kMoreScoresWindow, Qt::Key_Return);
  ASSERT_TRUE(closes(kMoreScoresWindow));
  expectDialogOpen(kScoreboardWindow, "back to the scoreboard");
  EXPECT_EQ(controlText(kScoreboardWindow, 10), "Edith");

  // The help button's info box goes back to the scoreboard with its values.
  shellServices.loadHelpText = [](std::string_view name) { return loadHelpText(name).str(); };
  clickControl(kScoreboardWindow, 3);
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kInfoBoxWindow); }, 5));
  EXPECT_EQ(controlText(kInfoBoxWindow, 40), loadHelpText("scoreboard Help").view());
  EXPECT_GE(controlText(kInfoBoxWindow, 40).size(), 2u);
  for (int16_t m : testing::kBarMenus) {
    EXPECT_FALSE(menuItemEnabled(m, 0)) << m;
  }
  testing::typeKey(kInfoBoxWindow, Qt::Key_Return);
  ASSERT_TRUE(closes(kInfoBoxWindow));
  expectDialogOpen(kScoreboardWindow, "back from the help");
  EXPECT_EQ(controlText(kScoreboardWindow, 10), "Edith");
  testing::typeKey(kScoreboardWindow, Qt::Key_Escape);
  ASSERT_TRUE(closes(kScoreboardWindow));
  testing::expectBackOnTheBoard("scoreboard cancelled");
  EXPECT_EQ(players.playerRecords[2].firstName.view(), "") << "only OK reads the names";
}

TEST_F(Dialogs, CancellingTheScoreboardRestoresExactlyTheClearedRows) {
  for (int16_t k = 1; k <= 4; ++k) {
    players.playerRecords[k].counters[0] = static_cast<int16_t>(10 * k);
    players.playerRecords[k].counters[1] = static_cast<int16_t>(10 * k + 1);
  }
  const auto before = players.playerRecords;
  for (bool ok : {false, true}) {
    ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kScoreboardItem, kScoreboardWindow));
    clickControl(kScoreboardWindow, 29);
    clickControl(kScoreboardWindow, 30);
    pumpAFew();
    for (int16_t id = 16; id <= 23; ++id) {
      const bool cleared = id == 17 || id == 18 || id == 21 || id == 22;
      if (cleared) {
        EXPECT_EQ(controlText(kScoreboardWindow, id), " 0") << id;
      }
      if (!cleared) {
        EXPECT_NE(controlText(kScoreboardWindow, id), " 0") << id;
      }
    }
    typeInto(kScoreboardWindow, 12, "Gus");
    clickControl(kScoreboardWindow, ok ? 1 : 2);
    ASSERT_TRUE(closes(kScoreboardWindow));
    testing::expectBackOnTheBoard(ok ? "OK" : "Cancel");
    if (!ok) {
      for (int16_t k = 1; k <= 4; ++k) EXPECT_EQ(players.playerRecords[k], before[k]) << k;
    } else {
      EXPECT_EQ(players.playerRecords[3].firstName.view(), "Gus");
      EXPECT_EQ(players.playerRecords[3].counters[0], 0);
      EXPECT_EQ(players.playerRecords[2].counters[0], 0);
      EXPECT_EQ(players.playerRecords[4].counters[0], 40);
    }
  }
}

// The OK of Game > Two Players is refused with a message while the board waits for the
// answer to its question (the computer's double put meanwhile): cut short, it would be a No.
// A helper that meets a window that is not there fails its test with a message; the tests
// after it still run.
TEST_F(Dialogs, AHelperThatMeetsNoWindowFailsItsTestOnly) {
  ASSERT_FALSE(windowExists(kScoreboardWindow));
  EXPECT_FATAL_FAILURE(expectDialogOpen(kScoreboardWindow, "no scoreboard"), "no scoreboard");
  EXPECT_NONFATAL_FAILURE(testing::typeKey(kScoreboardWindow, Qt::Key_Return), "is not there");
  EXPECT_NONFATAL_FAILURE(testing::clickCloseBox(kScoreboardWindow), "is not there");
}

TEST_F(Dialogs, TwoPlayersWaitForTheAnswerToTheBoardsQuestion) {
  ASSERT_TRUE(testing::openFromMenu(kGameMenu, kTwoPlayersItem, kScoreboardWindow));
  hand.boardWaitActive = -1;  // as the board's question sets it
  clickControl(kScoreboardWindow, 1);
  pumpAFew();
  EXPECT_EQ(boxTexts, std::vector<std::string>{"The board is busy: a question waits for its answer or a checker is "
                                                "moving. Choose Cancel, and Two Players again when the board waits "
                                                "for you."});
  expectDialogOpen(kScoreboardWindow, "refused while the board asks");
  EXPECT_EQ(flow.opponentMode, kComputerOpponent);
  hand.boardWaitActive = 0;
  clickControl(kScoreboardWindow, 1);
  ASSERT_TRUE(closes(kScoreboardWindow));
  EXPECT_EQ(flow.opponentMode, kTwoPeople);
  testing::expectBackOnTheBoard("two people");
}

// --- The end of a game.

void openEndOfGame(const char* message) { hook::showEndGameDialog(message); }
int16_t seenKeep = 0, seenSwap = 0, seenContinue = 0;

constexpr int16_t kEndGameCloseBox = 0;  // in place of a button

TEST_F(Dialogs, EndOfGameButtonsFinishTheGameAsTheyMay) {
  const struct {
    int16_t button, whoRollsFirst, pieces0;
    bool refused;
    int16_t keep, swap, continueGame;
    int quits;
  } rows[] = {
      {1, 1, 0, false, 0, 0, 0, 0},   {16, 1, 0, false, -1, 0, 0, 0}, {17, 1, 0, false, -1, -1, 0, 0},
      {16, 2, 0, true, 0, 0, 0, 0},   {17, 2, 0, true, 0, 0, 0, 0},   {18, 1, 0, false, 0, 0, 0, 0},
      {18, 1, 5, false, 0, 0, -1, 0}, {2, 1, 0, false, 0, 0, 0, 1},
      // The close box: no answer leaves the game as it was, so it is Continue's.
      {kEndGameCloseBox, 1, 0, false, 0, 0, 0, 0},
  };
  for (const auto& r : rows) {
    const std::string where = "button " + std::to_string(r.button) + " rolls " + std::to_string(r.whoRollsFirst);
    boxTexts.clear();
    quits = 0;
    settings.whoRollsFirst = r.whoRollsFirst;
    position.piecesOnBoard[0] = r.pieces0;
    position.piecesOnBoard[1] = 7;
    rollout.keepRollsOnReset = 0;
    rollout.swapSidesOnReset = 0;
    flow.continueGame = 0;
    storage.gameModified = -1;
    // Whatever finishGameAndContinue does next: a continued game needs no record here.
    turnServices.closeEndGameDialog = closeEndGameDialog;
    openEndOfGame("You won 1 point.");
    ASSERT_TRUE(windowExists(kEndGameWindow)) << where;
    EXPECT_EQ(shellFlags.modalBusy, 255) << where;
    EXPECT_EQ(controlText(kEndGameWindow, 12), "You won 1 point.") << where;
    for (int16_t id : {16, 17, 18}) EXPECT_TRUE(controlEnabled(kEndGameWindow, id)) << where;
    EXPECT_TRUE(controlEnabled(kEndGameWindow, 3)) << where << ": the finished game can be printed";
    // The flags are read back inside the finish, before a new game resets them.
    seenKeep = seenSwap = seenContinue = 0;
    turnServices.closeEndGameDialog = [] {
      seenKeep = rollout.keepRollsOnReset;
      seenSwap = rollout.swapSidesOnReset;
      seenContinue = flow.continueGame;
      closeEndGameDialog();
    };
    if (r.button == kEndGameCloseBox)
      testing::clickCloseBox(kEndGameWindow);
    else
      clickControl(kEndGameWindow, r.button);
    ASSERT_TRUE(closes(kEndGameWindow)) << where;
    EXPECT_EQ(boxTexts.size(), r.refused ? 1u : 0u) << where;
    if (r.refused && !boxTexts.empty()) {
      EXPECT_EQ(boxTexts[0], kWinnerRollsFirstRefusal) << where;
    }
    EXPECT_EQ(seenKeep, r.keep) << where;
    EXPECT_EQ(seenSwap, r.swap) << where;
    EXPECT_EQ(seenContinue, r.continueGame) << where;
    EXPECT_EQ(shellFlags.modalBusy, 0) << where;
    EXPECT_EQ(quits, r.quits) << where;
    if (r.quits != 0) {
      EXPECT_EQ(storage.gameModified, 0) << where;
    }
    testing::expectBackOnTheBoard(where);
    flow.newGameRequested = 0;
  }
}

QString recordPdf;
PrintDialogAnswer printRecordIntoPdf() { return {true, recordPdf}; }

// Print in both windows prints the game just played and leaves the window open, so the
// record can be printed before Continue starts a new one.
TEST_F(Dialogs, EndOfGameAndGameStatisticsPrintTheRecord) {
  QTemporaryDir dir;
  recordPdf = dir.filePath(QStringLiteral("record.pdf"));
  setPrintDialogResponder(printRecordIntoPdf);
  shell.playerNames[0] = "Alice";
  GameRecordEntry end;
  end.side = kGameEndEntrySide;
  end.fromPoint = 0;
  end.toPoint = 2;
  record.gameRecord[1] = end;
  record.gameRecordCount = 1;
  const struct {
    int16_t window;
    std::function<void()> open;
  } rows[] = {
      {kEndGameWindow, [] { openEndOfGame("You won 2 points."); }},
      {kGameStatsWindow, [] { ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kGameStatsItem, kGameStatsWindow)); }},
  };
  for (const auto& r : rows) {
    const std::string where = "window " + std::to_string(r.window);
    QFile::remove(recordPdf);
    r.open();
    ASSERT_TRUE(windowExists(r.window)) << where;
    ASSERT_TRUE(controlEnabled(r.window, 3)) << where;
    clickControl(r.window, 3);
    pumpAFew();
    const testing::PdfText t = testing::readPdfText(recordPdf);
    ASSERT_TRUE(t.read) << where;
    EXPECT_TRUE(t.find("Alice").has_value()) << where;
    EXPECT_TRUE(t.find("Won").has_value()) << where;
    EXPECT_EQ(record.gameRecordCount, 1) << where << ": printing keeps the record";
    expectDialogOpen(r.window, where + " after printing");
    clickControl(r.window, 1);
    ASSERT_TRUE(closes(r.window)) << where;
    flow.newGameRequested = 0;
  }
  setPrintDialogResponder(nullptr);
}

TEST_F(Dialogs, EndOfGameInAMoneySessionDimsTheReplaysAndEscapeDoesNothing) {
  flow.moneySessionActive = 255;
  openEndOfGame("You lost 2 dollars.");
  ASSERT_TRUE(windowExists(kEndGameWindow));
  for (int16_t id : {16, 17, 18}) EXPECT_FALSE(controlEnabled(kEndGameWindow, id)) << id;
  testing::typeKey(kEndGameWindow, Qt::Key_Escape);
  pumpAFew();
  EXPECT_TRUE(windowExists(kEndGameWindow)) << "Escape neither quits nor closes";
  EXPECT_EQ(quits, 0);
  testing::typeKey(kEndGameWindow, Qt::Key_Return);
  ASSERT_TRUE(closes(kEndGameWindow));
  EXPECT_EQ(shellFlags.modalBusy, 0);
  testing::expectBackOnTheBoard("continued");
}

TEST_F(Dialogs, AGameEndingUnderAnotherWindowWaitsForTheBoard) {
  ASSERT_TRUE(testing::openFromMenu(kOptionsMenu, kWhoGetsFirstRollItem, kWhoGetsFirstRollWindow));
  openEndOfGame("The computer won.");
  EXPECT_FALSE(windowExists(kEndGameWindow));
  EXPECT_EQ(shellFlags.modalBusy, 255) << "the game is held";
  showHeldEndGameDialog();
  EXPECT_FALSE(windowExists(kEndGameWindow));
  testing::typeKey(kWhoGetsFirstRollWindow, Qt::Key_Escape);
  ASSERT_TRUE(closes(kWhoGetsFirstRollWindow));
  showHeldEndGameDialog();
  ASSERT_TRUE(windowExists(kEndGameWindow));
  EXPECT_EQ(controlText(kEndGameWindow, 12), "The computer won.");
  showHeldEndGameDialog();
  clickControl(kEndGameWindow, 1);
  ASSERT_TRUE(closes(kEndGameWindow));
  EXPECT_EQ(shellFlags.modalBusy, 0);
  testing::expectBackOnTheBoard("after the held end");
}

TEST_F(Dialogs, AMatchToThreeShowsTheEndOfEachGameAndEndsTheTournament) {
  chooseMenuItem(kGameMenu, kTournamentItem);
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kTournamentSetupWindow); }, 5));
  typeInto(kTournamentSetupWindow, 4, "3");
  testing::typeKey(kTournamentSetupWindow, Qt::Key_Return);
  ASSERT_TRUE(closes(kTournamentSetupWindow));
  ASSERT_EQ(flow.tournamentGoing, 255);
  flow.opponentMode = kComputersOnly;
  shellFlags.fastPlay = kFastPlayOn;
  settings.soundOptions.soundOn = 0;
  cube.cubeUsed = 0;
  flow.newGameRequested = -1;
  static int ends = 0;
  static bool tournamentOverSeen = false;
  static bool clicked = false;
  static int pumps = 0;
  ends = 0;
  tournamentOverSeen = false;
  clicked = false;
  pumps = 0;
  turnServices.pumpEvents = [] {
    // A match that never ends fails here instead of hanging.
    if (++pumps > 200000) {
      ADD_FAILURE() << "still playing after " << pumps << " pumps, " << ends << " game ends, busy "
                    << int(shellFlags.modalBusy) << ", front " << frontWindow();
      shellFlags.quitRequested = -1;
      return;
    }
    FBHandleEvents();
    showHeldEndGameDialog();
    if (!windowExists(kEndGameWindow)) {
      clicked = false;
      return;
    }
    if (clicked) return;
    clicked = true;
    ++ends;
    if (flow.tournamentGoing == 0 || ends > 12) {
      tournamentOverSeen = true;
      clickControl(kEndGameWindow, 2);
      return;
    }
    clickControl(kEndGameWindow, 1);
  };
  turnServices.quitGame = [] { shellFlags.quitRequested = -1; };
  static int polls = 0;
  polls = 0;
  turnServices.pollEvents = [] {
    if (++polls == 20000) {
      ADD_FAILURE() << "no end after " << polls << " looks at the queue: ends " << ends << ", noPause "
                    << rollout.noPause << ", rollout " << int(rollout.rolloutRunning) << ", pieces "
                    << position.piecesOnBoard[0] << "/" << position.piecesOnBoard[1] << ", types "
                    << position.playerType[0] << "/" << position.playerType[1];
    }
  };
  runMainLoop();
  for (const std::string& t : boxTexts) std::fprintf(stderr, "box: %s\n", t.c_str());
  EXPECT_TRUE(tournamentOverSeen);
  EXPECT_GE(ends, 2) << "a match to 3 takes at least two games";
  EXPECT_LE(ends, 12);
  EXPECT_EQ(flow.tournamentGoing, 0) << "the match end closed the tournament";
  EXPECT_EQ(menuItemText(kGameMenu, kTournamentItem), "Start Tournament");

  // Once the match is over there is no tournament to show, the session holds only the
  // game played since, and the match stays in the record of the pair who played it.
  static std::vector<std::string> told;
  told.clear();
  static void (*shown)() = nullptr;
  shown = interactionServices.displayMessage;
  interactionServices.displayMessage = [] {
    told.push_back(interaction.messageText.str());
    shown();
  };
  chooseMenuItem(kPlayerMenu, kTournamentStatsItem);
  testing::settle();
  EXPECT_FALSE(windowExists(kTournamentStatsWindow));
  EXPECT_EQ(told, std::vector<std::string>{"MMNo tournament has been started"});
  ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kSessionStatsItem, kSessionStatsWindow));
  EXPECT_EQ(std::stoi(controlText(kSessionStatsWindow, 4)) + std::stoi(controlText(kSessionStatsWindow, 5)), 1);
  testing::typeKey(kSessionStatsWindow, Qt::Key_Return);
  ASSERT_TRUE(closes(kSessionStatsWindow));
  ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kScoreboardItem, kScoreboardWindow));
  clickControl(kScoreboardWindow, static_cast<int16_t>(23 + players.activePlayers));
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kMoreScoresWindow); }, 5));
  const auto count = [](int16_t id) { return std::stoi(controlText(kMoreScoresWindow, id)); };
  EXPECT_EQ(count(5) + count(15), ends) << "games won";
  EXPECT_EQ(count(7) + count(17), 1) << "tournaments won";
  testing::typeKey(kMoreScoresWindow, Qt::Key_Return);
  ASSERT_TRUE(closes(kMoreScoresWindow));
  testing::typeKey(kScoreboardWindow, Qt::Key_Escape);
  ASSERT_TRUE(closes(kScoreboardWindow));
}

// --- The question window.

TEST_F(Dialogs, TheCloseSessionQuestionAnswersThroughTheDispatcher) {
  const struct {
    Answer how;
    bool closed;
  } rows[] = {{Answer::kOkClick, true},
              {Answer::kReturn, true},
              {Answer::kCancelClick, false},
              {Answer::kEscape, false},
              {Answer::kCloseBox, false}};
  for (const auto& r : rows) {
    flow.scores[0] = 3;
    flow.newGameRequested = 0;
    ASSERT_TRUE(testing::openFromMenu(kGameMenu, kCloseSessionItem, kQuestionWindow)) << nameOf(r.how);
    expectDialogOpen(kQuestionWindow, nameOf(r.how));
    EXPECT_EQ(controlText(kQuestionWindow, 11), "Close this session and clear the scores?");
    EXPECT_EQ(controlText(kQuestionWindow, 1), "Yes");
    EXPECT_EQ(controlText(kQuestionWindow, 2), "No");
    answer(kQuestionWindow, r.how);
    ASSERT_TRUE(closes(kQuestionWindow)) << nameOf(r.how);
    EXPECT_EQ(flow.scores[0], r.closed ? 0 : 3) << nameOf(r.how);
    testing::expectBackOnTheBoard(nameOf(r.how));
  }
}

TEST_F(Dialogs, QuestionButtonsStaySymmetricAndInsideTheWindow) {
  const Str255 yes = messageTables.messageTable[226];
  setOutputWindow(1);
  textSize(12);
  // A title exactly 80 pixels wide, if the font allows one.
  std::string eighty;
  for (int w = 0; w < 20 && eighty.empty(); ++w)
    for (int i = 0; i < 40 && eighty.empty(); ++i) {
      const std::string t = std::string(w, 'W') + std::string(i, 'i');
      if (stringWidth(t) == 80) eighty = t;
    }
  const struct {
    std::string title;
    int16_t width, noLeft, yesLeft;
  } rows[] = {{"Yes", 75, 30, 155}, {eighty, 105, 0, 155}};
  for (const auto& r : rows) {
    if (r.title.empty()) continue;
    messageTables.messageTable[226] = Str255("  ") + r.title;
    askQuestion("Go on?", 1);
    EXPECT_EQ(controlRect(kQuestionWindow, 1), makeRect(r.yesLeft, 70, r.yesLeft + r.width, 90)) << r.title;
    EXPECT_EQ(controlRect(kQuestionWindow, 2), makeRect(r.noLeft, 70, r.noLeft + r.width, 90)) << r.title;
    answerQuestionDialog(0);
  }
  for (const char* wide : {"A much longer answer", "An answer far too long to fit in any button"}) {
    messageTables.messageTable[226] = Str255("  ") + wide;
    askQuestion("Go on?", 1);
    const Rect y = controlRect(kQuestionWindow, 1);
    const Rect n = controlRect(kQuestionWindow, 2);
    EXPECT_GE(n.left, 0) << wide;
    EXPECT_LE(y.right, 260) << wide;
    EXPECT_LT(n.right, y.left) << wide;
    EXPECT_EQ(y.width(), n.width()) << wide;
    answerQuestionDialog(0);
    EXPECT_FALSE(windowExists(kQuestionWindow)) << "any kind closes the question";
    testing::expectBackOnTheBoard(wide);
  }
  messageTables.messageTable[226] = yes;
  askQuestion(std::string(80, 'q'), 1);
  EXPECT_EQ(controlText(kQuestionWindow, 11), std::string(63, 'q'));
  answerQuestionDialog(-1);
}

TEST_F(Dialogs, TheTitledTextWindowShowsItsTextUntilItsButton) {
  QTimer::singleShot(0, [] {
    EXPECT_EQ(controlText(kExplanationWindow, 100), "The body");
    EXPECT_EQ(contentWidget(kExplanationWindow)->windowTitle().toStdString(), "A title");
    for (int16_t m : testing::kBarMenus) EXPECT_FALSE(menuItemEnabled(m, 0)) << m;
    testing::typeKey(kExplanationWindow, Qt::Key_Return);
  });
  hook::showTitledText("A title", "The body");
  EXPECT_FALSE(windowExists(kExplanationWindow));
  testing::expectBackOnTheBoard("after the titled text");
  // Not over another window.
  ASSERT_TRUE(testing::openFromMenu(kOptionsMenu, kWhoGetsFirstRollItem, kWhoGetsFirstRollWindow));
  hook::showTitledText("A title", "The body");
  EXPECT_FALSE(windowExists(kExplanationWindow));
}

TEST_F(Dialogs, AMissingFormOpensNothingAndChangesNothing) {
  const DialogWindows before = dialogWindows;
  EXPECT_FALSE(openNibDialog(390, "noSuchDialog", nullptr, DialogOpening::kFromBoard));
  EXPECT_FALSE(windowExists(390));
  EXPECT_EQ(dialogWindows.modalDialogWnd, before.modalDialogWnd);
  EXPECT_EQ(dialogWindows.savedOutputWnd, before.savedOutputWnd);
  testing::expectBackOnTheBoard("missing form");
  // Events for windows, kinds and ids no row lists are ignored.
  ASSERT_TRUE(testing::openFromMenu(kOptionsMenu, kWhoGetsFirstRollItem, kWhoGetsFirstRollWindow));
  for (auto [kind, id] : {std::pair{1, 9}, {4, 1}, {19, 1}, {23, 7}}) handleDialogEvent(kind, id);
  EXPECT_TRUE(windowExists(kWhoGetsFirstRollWindow));
  handleDialogEvent(23, 1);
  EXPECT_FALSE(windowExists(kWhoGetsFirstRollWindow)) << "the default command acts as OK";
  testing::expectBackOnTheBoard("default command");
}

// A box that sends the reader to the Info menu names a page the menu has.
bool namesAnInfoPage(const std::string& text) {
  for (int16_t i = 1; i <= menuItemCount(kInfoMenu); ++i) {
    const std::string page = menuItemText(kInfoMenu, i);
    if (page.rfind("Help - ", 0) == 0 && text.find(page) != std::string::npos) return true;
  }
  return false;
}

TEST_F(Dialogs, EachBoxThatPointsToTheInfoMenuNamesOneOfItsPages) {
  // The board frame's letters, from the Commands menu: read and closed once its loop runs.
  std::string frameHelp;
  QTimer reader;
  QObject::connect(&reader, &QTimer::timeout, [&frameHelp] {
    if (!windowExists(kLargeMessageWindow) || modalLoopWindow() != kLargeMessageWindow) return;
    frameHelp = controlText(kLargeMessageWindow, 4);
    testing::typeKey(kLargeMessageWindow, Qt::Key_Return);
  });
  reader.start(0);
  chooseMenuItem(kComputerMenu, kFrameHelpItem);
  FBHandleEvents();
  reader.stop();
  EXPECT_NE(frameHelp.find("Info menu"), std::string::npos) << frameHelp;
  EXPECT_TRUE(namesAnInfoPage(frameHelp)) << frameHelp;
  // The rollout set-up's Help button, with a game on the board to roll out.
  testing::setPosition("start");
  ASSERT_TRUE(testing::openFromMenu(kGameMenu, kRolloutItem, kRolloutSetupWindow));
  clickControl(kRolloutSetupWindow, kSetupHelpButton);
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kInfoBoxWindow); }, 6));
  const std::string rolloutHelp = controlText(kInfoBoxWindow, 40);
  EXPECT_NE(rolloutHelp.find("Info menu"), std::string::npos) << rolloutHelp;
  EXPECT_TRUE(namesAnInfoPage(rolloutHelp)) << rolloutHelp;
  pressButton(kInfoBoxWindow, 1);
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kInfoBoxWindow); }, 6));
  clickControl(kRolloutSetupWindow, 2);
  EXPECT_TRUE(testing::pumpUntil([] { return !windowExists(kRolloutSetupWindow); }, 6));
}

TEST_F(Dialogs, TheWelcomeBoxShowsItsTextUntilDoneAndGoesBackToTheBoard) {
  std::string shown;
  QTimer::singleShot(0, [&shown] {
    shown = controlText(kLargeMessageWindow, 4);
    testing::typeKey(kLargeMessageWindow, Qt::Key_Return);
  });
  upperServices.showLargeMessageYesNoDone("Welcome to the game.", 410, 310);
  EXPECT_EQ(shown, "Welcome to the game.");
  EXPECT_FALSE(windowExists(kLargeMessageWindow));
  testing::expectBackOnTheBoard("after the welcome");
}

}  // namespace
}  // namespace bg
