// The rollout after a real start-up: Game item 15 opens the set-up window, its numbers
// are checked, OK starts the rollout in the results window and the main loop plays it.
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialog_state.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "dialogs/question_window.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "rollout/rollout_engine.h"
#include "rollout/rollout_results_window.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "runtime/core/clock.h"
#include "runtime/core/files.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/printing.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/menu_dispatch.h"
#include "shell/quit_game.h"
#include "shell/shared_services.h"
#include "shell/startup.h"
#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/dice_state.h"
#include "state/display_services.h"
#include "state/game_record_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "display/board_rebuild.h"
#include "display/board_redraw.h"
#include "display/checker_animation.h"
#include "display/message_line.h"
#include "display/upper_services.h"
#include "interaction/interaction_install.h"
#include "state/board_input.h"
#include "state/board_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/sound_services.h"
#include "state/quit_services.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "storage/preferences_file.h"
#include "storage/saved_game.h"
#include "storage/saved_game_file.h"
#include "storage/saved_game_writer.h"
#include "dialogs/text_windows.h"
#include "../display/board_fixture.h"
#include "support/pdf_text.h"
#include "support/position_text.h"
#include "support/qt_helpers.h"
#include "rollout_fixture.h"

namespace bg {
namespace {

// Where the print dialog sends the job.
QString printTarget;
PrintDialogAnswer printIntoTarget() { return {true, printTarget}; }

// The user's player kinds as the rollout gave them back.
CheckedArray<int16_t, 1> kindsAfterRollout;

// The real next game; once the rollout has ended the loop stops at the user's next wait
// (side 0 waits for the user, whatever the kinds were).
void nextGameThenStop() {
  nextRolloutGame();
  if (rolloutInProgress()) return;
  kindsAfterRollout = position.playerType;
  position.playerType[0] = kHumanPlayer;
  shellFlags.quitRequested = -1;
}
// Once the rollout has ended and asked to stop, the loop is left at the user's wait.
void leaveTheLoop() {
  if (rolloutInProgress() || shellFlags.quitRequested == 0) return;
  testing::leaveTheMainLoop();
}

// Cursor changes that reach the board's window: one QEvent::CursorChange each.
struct CursorChangeCounter : QObject {
  int changes = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::CursorChange) ++changes;
    return false;
  }
};

// The cursors the game flow asks for, each passed on to the platform layer.
int cursorsAsked = 0;

class RolloutWindows : public testing::RolloutWindowsFixture {
 protected:
  void rolloutChosenHoldingOneFrom(int16_t p);
  void rolloutWithOneOpeningDieThrown(int16_t thrower);
  // Game > Roll Out at the person's turn, then Return and Ctrl+Q: what the quit found.
  void quitAfterARollout(bool savedFirst, int questions, bool paused = false);
  static void personAtTheTurn();
  static void triedInThePause();
  // The rollout started from the set-up window plays all its games in the main loop.
  static void playTheRolloutThrough() {
    rolloutServices.nextRolloutGame = nextGameThenStop;
    turnServices.waitForPointClick = leaveTheLoop;
    interactionServices.waitForBoardClick = leaveTheLoop;
    shellFlags.quitRequested = 0;
    runMainLoop();
    shellFlags.quitRequested = 0;
    shellFlags.modalBusy = 0;
  }
};
using testing::kBarMenus;

TEST_F(RolloutWindows, SetUpRefusesWhatIsNoCountAndTruncatesFractions) {
  struct Row {
    const char* games;
    const char* minMax;
    bool accepted;
  };
  const Row rows[] = {{"abc", "200", false}, {"0", "200", false},  {"-5", "200", false}, {"40000", "200", false},
                      {"150", "-1", false},  {"150", "x", false}, {"", "200", false}};
  for (const Row& r : rows) {
    ASSERT_TRUE(openSetup()) << r.games;
    typeInto(kSetupGamesField, r.games);
    typeInto(kSetupMinMaxField, r.minMax);
    const bool told = answerInformationBox([] { click(kRolloutSetupWindow, 1); });
    EXPECT_TRUE(told) << r.games << " / " << r.minMax << ": a message says why";
    EXPECT_TRUE(windowExists(kRolloutSetupWindow)) << r.games << ": the window stays open";
    EXPECT_EQ(rolloutSettings.gamesWanted, 1000) << r.games;
    EXPECT_EQ(rolloutSettings.minMaxStart, 200) << r.games;
    EXPECT_EQ(rollout.rolloutRunning, 0) << r.games;
    click(kRolloutSetupWindow, 2);
    testing::pumpUntil([] { return !windowExists(kRolloutSetupWindow); }, 5);
    EXPECT_FALSE(windowExists(kRolloutSetupWindow));
  }
}

TEST_F(RolloutWindows, AFractionIsCutAndCancelReadsNothing) {
  ASSERT_TRUE(openSetup());
  typeInto(kSetupGamesField, "150.9");
  click(kRolloutSetupWindow, 2);
  testing::pumpUntil([] { return !windowExists(kRolloutSetupWindow); }, 5);
  EXPECT_EQ(rolloutSettings.gamesWanted, 1000) << "Cancel reads nothing";
  ASSERT_TRUE(openSetup());
  typeInto(kSetupGamesField, "150.9");
  click(kRolloutSetupWindow, 1);
  testing::pumpUntil([] { return windowExists(kRolloutResultsWindow); }, 5);
  EXPECT_EQ(rolloutSettings.gamesWanted, 150);
  ASSERT_TRUE(rolloutInProgress());
  EXPECT_EQ(controlText(kRolloutResultsWindow, kGamesWantedField), " 150");
  // Return at once: the game in hand is played out and the rollout ends at the next one.
  click(kRolloutResultsWindow, kReturnButton);
  testing::pumpUntil([] { return !windowExists(kRolloutResultsWindow); }, 5);
  EXPECT_FALSE(windowExists(kRolloutResultsWindow));
  EXPECT_EQ(rolloutSettings.rolloutStopFlag, -1);
  for (int16_t m : kBarMenus) EXPECT_FALSE(menuItemEnabled(m, 0)) << m << " before the person's game is back";
  nextRolloutGame();
  for (int16_t m : kBarMenus) EXPECT_TRUE(menuItemEnabled(m, 0)) << m;
}

// Side 0's checker lifted off point p at the start, as a pick-up leaves it (in play or in
// the editor); the rollout then chosen puts it back and starts from the whole position.
void RolloutWindows::rolloutChosenHoldingOneFrom(int16_t p) {
  installDisplayServices();
  installInteractionServices();
  const bool inEditor = boardState.setupInProgress != 0;
  testing::setPosition("start | side 0");
  const auto board = position.board;
  const auto counts = position.piecesOnBoard;
  position.board[p] -= 1;
  interactionDisplay.pickedCheckers[1] = p;
  boardInput.pickedCount = 1;
  hand.pieceInHand = -1;
  hand.selectedPoint = p;
  ASSERT_TRUE(openSetup());
  EXPECT_EQ(boardInput.pickedCount, 0);
  EXPECT_EQ(position.board, board);
  if (inEditor) {
    EXPECT_EQ(position.piecesOnBoard, counts);
  }
  typeInto(kSetupGamesField, "36");
  click(kRolloutSetupWindow, 1);
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kRolloutResultsWindow); }, 5));
  EXPECT_EQ(rolloutStats.rolloutStartBoard, board);
  boardState.setupInProgress = 0;
  restoreSettingsAfterRollout();
}

// A checker in the hand when the rollout is chosen goes back to its point: the rollout
// starts from the whole position, nothing held and nothing counted for the other side.
TEST_F(RolloutWindows, ACheckerHeldWhenTheRolloutIsChosenGoesBackToItsPoint) {
  rolloutChosenHoldingOneFrom(1);
}

// A hit checker's flight to the bar lets the menus in while its landing sounds; the hit point
// still holds a stand-in for it then. The rollout chosen there would start from sixteen
// checkers of one side: the Game items are not taken until the move has landed.
TEST_F(RolloutWindows, TheRolloutChosenWhileAHitCheckerFliesStartsOnlyFromTheLandedBoard) {
  installDisplayServices();
  installInteractionServices();
  testing::setPosition("1:2 6:-1 13:13 24:-14 | side 0");
  static bool chosen;
  chosen = false;
  soundServices.playPieceSound = [] {
    if (animation.movingHitChecker == 0 || chosen) return;
    chosen = true;
    if (openSetup()) click(kRolloutSetupWindow, 1);
    testing::pumpUntil([] { return windowExists(kRolloutResultsWindow); }, 2);
  };
  position.board[6] = 0;  // the rules lift the hit checker off first
  hand.selectedPoint = 1;
  hand.moveToPoint = 6;
  animateCheckerMove(0, 0);
  drawHitToBar();
  EXPECT_TRUE(chosen);
  EXPECT_FALSE(windowExists(kRolloutResultsWindow)) << "started from the board of " << rolloutStats.rolloutStartBoard[6]
                                                    << " on the hit point";
  restoreSettingsAfterRollout();
  windowClose(kRolloutResultsWindow);
  ASSERT_TRUE(startRolloutOf("36"));
  EXPECT_EQ(rolloutStats.rolloutStartBoard, position.board);
  EXPECT_EQ(position.board[6], 1);
  EXPECT_EQ(position.board[0], -1);
  restoreSettingsAfterRollout();
}

// The same in the position editor: the checker it holds goes back where it was picked up
// before the rollout starts, and the rollout starts from the whole position.
TEST_F(RolloutWindows, ACheckerHeldInTheEditorWhenTheRolloutIsChosenGoesBackToItsPoint) {
  boardState.setupInProgress = -1;
  rolloutChosenHoldingOneFrom(12);
}

TEST_F(RolloutWindows, GameItemFifteenRollsOutThePositionThroughTheMainLoop) {
  ASSERT_TRUE(openSetup());
  EXPECT_EQ(controlText(kRolloutSetupWindow, kSetupGamesField), " 1000");
  EXPECT_EQ(controlText(kRolloutSetupWindow, kSetupMinMaxField), " 200");
  EXPECT_EQ(controlText(kRolloutSetupWindow, kSetupDescriptionField), "");
  EXPECT_EQ(controlValue(kRolloutSetupWindow, kSetupShowBoardBox), 0);
  EXPECT_EQ(controlValue(kRolloutSetupWindow, kSetupJacobyBox), 0);
  EXPECT_EQ(controlValue(kRolloutSetupWindow, kSetupBackgammonsBox), 1);
  for (int16_t m : kBarMenus) EXPECT_FALSE(menuItemEnabled(m, 0)) << m;

  testing::setPosition("start");
  position.openingPhase = -1;
  const auto board = position.board;
  const auto kinds = position.playerType;
  const auto scores = flow.scores;
  const int16_t side = position.currentPlayer;
  const uint8_t sound = settings.soundOptions.soundOn;
  typeInto(kSetupGamesField, "1296");
  click(kRolloutSetupWindow, 1);
  ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kRolloutResultsWindow); }, 5));
  EXPECT_FALSE(windowExists(kRolloutSetupWindow));
  ASSERT_TRUE(rolloutInProgress());
  EXPECT_TRUE(rolloutHidesBoard());
  EXPECT_EQ(controlText(kRolloutResultsWindow, kStartStopButton), "Stop");
  EXPECT_FALSE(controlEnabled(kRolloutResultsWindow, kPrintButton));
  EXPECT_EQ(controlText(kRolloutResultsWindow, kFirstOptionField), "Backgammons Allowed");
  EXPECT_EQ(controlText(kRolloutResultsWindow, kSkillField).rfind("Skill Level: ", 0), 0u);

  playTheRolloutThrough();

  const RolloutStats& st = rolloutStats;
  EXPECT_EQ(st.wins[0] + st.wins[1], 1296);
  for (int s = 0; s <= 1; ++s) EXPECT_LE(st.gammons[s] + st.backgammons[s], st.wins[s]);
  EXPECT_FALSE(rolloutInProgress());
  EXPECT_EQ(kindsAfterRollout, kinds);
  EXPECT_EQ(flow.scores, scores);
  EXPECT_EQ(settings.soundOptions.soundOn, sound);
  EXPECT_EQ(rolloutStats.rolloutStartBoard, board);
  EXPECT_EQ(rolloutSnapshot.sideToMove, side);
  // The window after a normal end.
  ASSERT_TRUE(windowExists(kRolloutResultsWindow));
  EXPECT_FALSE(controlEnabled(kRolloutResultsWindow, kStartStopButton));
  EXPECT_EQ(controlText(kRolloutResultsWindow, kReturnButton), "Return");
  EXPECT_TRUE(controlEnabled(kRolloutResultsWindow, kPrintButton));
  EXPECT_EQ(controlText(kRolloutResultsWindow, kWinsField), " " + std::to_string(st.wins[1]));
  EXPECT_EQ(controlText(kRolloutResultsWindow, kGamesCountedField), "@ 1296");
  for (int16_t m : kBarMenus) EXPECT_FALSE(menuItemEnabled(m, 0)) << m;
  // The report holds the final figures.
  std::ifstream in(dataFilePath("Rollout Result.txt"), std::ios::binary);
  std::stringstream report;
  report << in.rdbuf();
  EXPECT_NE(report.str().find("   Games rolled out:  1296   MinMaxStart:  200"), std::string::npos);
  EXPECT_EQ(report.str().find("Results are suspect"), std::string::npos);
  // Print puts the same figures on paper.
  printTarget = QString::fromStdString((folder_ / "report.pdf").string());
  setPrintDialogResponder(printIntoTarget);
  click(kRolloutResultsWindow, kPrintButton);
  testing::pumpUntil([] { return QFile::exists(printTarget); }, 5);
  setPrintDialogResponder(nullptr);
  const testing::PdfText printed = testing::readPdfText(printTarget);
  ASSERT_TRUE(printed.read);
  EXPECT_EQ(printed.pages, 1);
  const auto play = printed.find("Play");
  ASSERT_TRUE(play.has_value());
  bool count = false;
  for (const testing::PdfWord& w : printed.words) count |= w.text == "1296" && std::abs(w.yMax - play->yMax) < 0.5;
  EXPECT_TRUE(count);
  EXPECT_TRUE(printed.find("page").has_value());
  EXPECT_TRUE(windowExists(kRolloutResultsWindow));
  // Return gives back every menu.
  click(kRolloutResultsWindow, kReturnButton);
  testing::pumpUntil([] { return !windowExists(kRolloutResultsWindow); }, 5);
  EXPECT_FALSE(windowExists(kRolloutResultsWindow));
  EXPECT_EQ(dialogWindows.modalDialogWnd, 1);
  for (int16_t m : kBarMenus) EXPECT_TRUE(menuItemEnabled(m, 0)) << m;
}

// After its end the results window answers the keys as every box does: Return, keypad
// Enter and Escape close it as its Return button does, and give the menus back. Space,
// which the help names for no rollout, leaves it open.
TEST_F(RolloutWindows, TheFinishedRolloutsWindowAnswersReturnEnterAndEscape) {
  struct Row {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool closes = true;
  };
  for (const Row& r : {Row{Qt::Key_Return, Qt::NoModifier}, Row{Qt::Key_Enter, Qt::KeypadModifier},
                       Row{Qt::Key_Escape, Qt::NoModifier}, Row{Qt::Key_Space, Qt::NoModifier, false}}) {
    SCOPED_TRACE(r.key);
    testing::setPosition("start");
    flow.newGameRequested = 0;
    ASSERT_TRUE(startRolloutOf("3"));
    playTheRolloutThrough();
    ASSERT_FALSE(rolloutInProgress());
    ASSERT_TRUE(windowExists(kRolloutResultsWindow));
    EXPECT_TRUE(qobject_cast<QPushButton*>(controlWidget(kRolloutResultsWindow, kReturnButton))->isDefault());
    // The window has the keys, as after the click on its Start.
    contentWidget(kRolloutResultsWindow)->activateWindow();
    testing::pumpUntil([] { return QApplication::activeWindow() == contentWidget(kRolloutResultsWindow); }, 5);
    testing::typeKey(kRolloutResultsWindow, r.key, r.modifiers);
    if (!r.closes) {
      testing::pumpUntil([] { return false; }, 5);
      EXPECT_TRUE(windowExists(kRolloutResultsWindow));
      if (windowExists(kRolloutResultsWindow)) click(kRolloutResultsWindow, kReturnButton);
    }
    ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kRolloutResultsWindow); }, 5));
    EXPECT_EQ(dialogWindows.modalDialogWnd, 1);
    for (int16_t m : kBarMenus) EXPECT_TRUE(menuItemEnabled(m, 0)) << m;
  }
}

// With the board shown a game lasts many seconds: Return or the close box, clicked at a
// turn's start, during the computer's search or as one of its checkers lands, ends the
// rollout by the next turn, the unfinished game uncounted and the person's board back
// with fifteen a side. The game used to play on to its end; dropped between the search
// and the play, the play then bore off checkers already counted gone.
enum class ClickAt { kTurnStart, kSearch, kFirstLanding, kSecondLanding };
struct ReturnOnTheBoard {
  ClickAt moment = ClickAt::kTurnStart;
  bool byCloseBox = false;
  int turns = 0;
  int landings = 0;
  int landingsOnTheDroppedGame = 0;
  bool menusOnBeforeTheGameIsBack = false;
  bool busyShown = false;
  bool clicked = false;
  int turnOfTheClick = 0;
  int countedAtClick = -1;
  int countedAtNextTurn = -1;
  bool runningAtNextTurn = true;
  bool startBoardAtNextTurn = false;
  CheckedArray<int16_t, 1> piecesAtNextTurn{};
};
ReturnOnTheBoard returnOnTheBoard;
constexpr int kTurnOfTheReturn = 3;

int gamesCounted() { return rolloutStats.wins[0] + rolloutStats.wins[1]; }

// Until the person's game is back, a menu command would act on the rollout's game.
void noteMenusWhileTheRolloutRuns() {
  if (!rolloutInProgress()) return;
  for (int16_t m : kBarMenus) returnOnTheBoard.menusOnBeforeTheGameIsBack |= menuItemEnabled(m, 0);
}

void clickReturn() {
  ReturnOnTheBoard& r = returnOnTheBoard;
  r.clicked = true;
  r.countedAtClick = gamesCounted();
  if (r.byCloseBox) {
    testing::clickCloseBox(kRolloutResultsWindow);
  } else {
    QTest::mouseClick(controlWidget(kRolloutResultsWindow, kReturnButton), Qt::LeftButton);
  }
  // A redraw before the game goes, as a resize makes: it counts the checkers afresh.
  redrawBoardWindow();
}

TEST_F(RolloutWindows, ReturnWithTheBoardShownIsTakenByTheNextTurn) {
  installDisplayServices();
  storage.firstRun = 0;  // no welcome box
  upperServices.enterPlayerName = [] {};
  // The race bears off in the turn of the click.
  constexpr const char* kRace = "1:3 2:3 3:3 4:3 5:3 20:-3 21:-3 22:-3 23:-3 24:-3 | side 1";
  struct Row {
    const char* board;
    bool byCloseBox;
    ClickAt moment;
  };
  std::vector<Row> rows;
  for (const char* board : {"start", kRace})
    for (const bool byCloseBox : {false, true})
      for (const ClickAt moment : {ClickAt::kTurnStart, ClickAt::kSearch, ClickAt::kFirstLanding, ClickAt::kSecondLanding})
        rows.push_back({board, byCloseBox, moment});
  for (const auto& [board, byCloseBox, moment] : rows) {
    SCOPED_TRACE(std::string(board) + ", moment " + std::to_string(static_cast<int>(moment)) +
                 (byCloseBox ? ", close box" : ", Return"));
    testing::setPosition(board);
    flow.newGameRequested = 0;
    const CheckedArray<int16_t, 25> personsBoard = position.board;
    ASSERT_TRUE(startShownRolloutOf("300"));
    returnOnTheBoard = ReturnOnTheBoard{};
    returnOnTheBoard.moment = moment;
    returnOnTheBoard.byCloseBox = byCloseBox;
    turnServices.pumpEvents = [] {
      FBHandleEvents();
      noteMenusWhileTheRolloutRuns();
    };
    soundServices.playPieceSound = [] {
      noteMenusWhileTheRolloutRuns();
      ReturnOnTheBoard& r = returnOnTheBoard;
      if (r.clicked && flow.newGameRequested != 0) ++r.landingsOnTheDroppedGame;
      if (r.turns < kTurnOfTheReturn || r.clicked) return;
      ++r.landings;
      if ((r.moment == ClickAt::kFirstLanding && r.landings == 1) ||
          (r.moment == ClickAt::kSecondLanding && r.landings == 2))
        clickReturn();
    };
    // Each turn begins with the game cursor; the computer's search shows the busy one first.
    turnServices.setCursor = [](int16_t cursor) {
      setCursor(cursor);
      ReturnOnTheBoard& r = returnOnTheBoard;
      if (cursor == kBusyCursor) {
        r.busyShown = true;
        if (r.turns == kTurnOfTheReturn && r.moment == ClickAt::kSearch && !r.clicked) {
          clickReturn();
          r.turnOfTheClick = r.turns;
        }
      }
      if (cursor != kGameCursor || std::exchange(r.busyShown, false)) return;
      ++r.turns;
      if (r.turns == kTurnOfTheReturn && r.moment == ClickAt::kTurnStart) {
        clickReturn();
        r.turnOfTheClick = r.turns;
      } else if (r.clicked && r.turnOfTheClick == 0) {
        r.turnOfTheClick = r.turns - 1;  // clicked at a landing of the turn before
      }
      if (r.clicked && r.turns == r.turnOfTheClick + 1) {
        r.countedAtNextTurn = gamesCounted();
        r.runningAtNextTurn = rolloutInProgress();
        r.startBoardAtNextTurn = position.board == rolloutStats.rolloutStartBoard;
        r.piecesAtNextTurn = position.piecesOnBoard;
        testing::leaveTheMainLoop();
      }
    };
    shellFlags.quitRequested = 0;
    runMainLoop();
    shellFlags.quitRequested = 0;
    shellFlags.modalBusy = 0;
    const ReturnOnTheBoard& r = returnOnTheBoard;
    ASSERT_TRUE(r.clicked);
    ASSERT_EQ(r.turns, r.turnOfTheClick + 1);
    EXPECT_FALSE(r.runningAtNextTurn);
    EXPECT_EQ(r.countedAtNextTurn, r.countedAtClick) << "the unfinished game is not counted";
    EXPECT_EQ(r.landingsOnTheDroppedGame, 0) << "nothing is played on a game once it is dropped";
    EXPECT_FALSE(r.menusOnBeforeTheGameIsBack);
    EXPECT_TRUE(r.startBoardAtNextTurn) << "the person's board is back";
    EXPECT_EQ(rolloutStats.rolloutStartBoard, personsBoard);
    EXPECT_EQ(r.piecesAtNextTurn[0], kCheckersPerSide);
    EXPECT_EQ(r.piecesAtNextTurn[1], kCheckersPerSide);
    EXPECT_FALSE(windowExists(kRolloutResultsWindow));
    for (int16_t m : kBarMenus) EXPECT_TRUE(menuItemEnabled(m, 0)) << m;
    restoreSettingsAfterRollout();
  }
}

// Chosen while two people roll for the opening, the rollout's computers roll it alone: no
// game waits for a person's click on the dice.
TEST_F(RolloutWindows, ARolloutChosenAtTwoPlayersOpeningRollPlaysWithoutAClick) {
  flow.opponentMode = kTwoPeople;
  position.playerType[1] = kHumanPlayer;
  position.openingPhase = -1;
  ASSERT_TRUE(startRolloutOf("36"));
  static int clicksAsked;
  clicksAsked = 0;
  rolloutServices.nextRolloutGame = nextGameThenStop;
  turnServices.waitForPointClick = [] {
    if (!rolloutInProgress()) return leaveTheLoop();
    // A person's wait inside the rollout: the test ends the rollout and the loop.
    ++clicksAsked;
    stopRollout();
    flow.abortTurn = kLeaveTurn;
    shellFlags.quitRequested = -1;
  };
  interactionServices.waitForBoardClick = leaveTheLoop;
  shellFlags.quitRequested = 0;
  runMainLoop();
  shellFlags.quitRequested = 0;
  shellFlags.modalBusy = 0;
  EXPECT_EQ(clicksAsked, 0);
  EXPECT_EQ(rolloutStats.wins[0] + rolloutStats.wins[1], 36);
  restoreSettingsAfterRollout();
}

// One person of two has thrown a die for the opening when the rollout is chosen: half a
// roll is no roll to play, so every game, and the user's game after the rollout, rolls
// afresh. A turn that begins with a roll to play holds two thrown dice.
int halfRollsToPlay = 0;
void countHalfRollsAtTurnStart(int16_t cursor) {
  const bool rollToPlay = diceState.diceShowing != 0 && hand.diceClicked == -1;
  if (cursor == kGameCursor && rollToPlay && !(isDie(diceState.dice[0].value) && isDie(diceState.dice[1].value)))
    ++halfRollsToPlay;
  setCursor(cursor);
}

void RolloutWindows::rolloutWithOneOpeningDieThrown(int16_t thrower) {
  flow.opponentMode = kTwoPeople;
  position.playerType[0] = position.playerType[1] = kHumanPlayer;
  position.openingPhase = -1;
  testing::setRoll(0, 0);
  diceState.dice[thrower].value = diceState.rolledDice[thrower] = 4;
  hook::setDiceDisplayFlags(-1);
  ASSERT_TRUE(startRolloutOf("36"));
  halfRollsToPlay = 0;
  turnServices.setCursor = countHalfRollsAtTurnStart;
  playTheRolloutThrough();
  EXPECT_EQ(rolloutStats.wins[0] + rolloutStats.wins[1], 36);
  EXPECT_EQ(halfRollsToPlay, 0);
  EXPECT_TRUE(diceState.diceShowing == 0 || (isDie(diceState.dice[0].value) && isDie(diceState.dice[1].value)))
      << "the user's game after it";
  restoreSettingsAfterRollout();
}

TEST_F(RolloutWindows, HalfAnOpeningRollIsRolledAfreshFirstDie) { rolloutWithOneOpeningDieThrown(0); }
TEST_F(RolloutWindows, HalfAnOpeningRollIsRolledAfreshSecondDie) { rolloutWithOneOpeningDieThrown(1); }

// The person won the opening and rolls it out: back on the board, the arrow still points at
// the person, who plays the opening roll. It pointed at the other side, as after a rollout
// of a later roll, whose next turn begins by handing over.
TEST_F(RolloutWindows, AnOpeningRolledOutIsShownAsThePersonsTurnAfterIt) {
  installDisplayServices();
  storage.firstRun = 0;  // no welcome box
  upperServices.enterPlayerName = [] {};
  position.playerType = {{{kHumanPlayer, kComputerPlayer}}};
  testing::setPosition("start | dice 6 2 | side 0");
  position.openingPhase = -1;
  hook::setDiceDisplayFlags(-1);
  display.firstBoardBuild = -1;  // the board built as at the program's first redraw
  redrawBoardWindow();
  static QRect differs;
  static int16_t sideAtTurn;
  sideAtTurn = -1;
  ASSERT_TRUE(startRolloutOf("12"));
  // The board as the person's first turn after the rollout begins; the game is left at the
  // next roll.
  turnServices.setCursor = [](int16_t cursor) {
    setCursor(cursor);
    if (rolloutInProgress() || sideAtTurn != -1) return;
    sideAtTurn = position.currentPlayer;
    differs = testing::differenceFromAFreshRedraw();
  };
  turnServices.waitForPointClick = [] {
    if (rolloutInProgress()) return;
    shellFlags.quitRequested = -1;
    leaveTheLoop();
  };
  runMainLoop();
  shellFlags.quitRequested = 0;
  shellFlags.modalBusy = 0;
  EXPECT_EQ(sideAtTurn, 0) << "the person plays the opening roll";
  EXPECT_TRUE(differs.isEmpty()) << "differs from a fresh redraw in " << differs.x() << "," << differs.y() << " "
                                 << differs.width() << "x" << differs.height();
  restoreSettingsAfterRollout();
}

// The computer asks for the busy cursor and the game cursor at every decision; the window
// system is told of a change only when one shows, at the next pump.
TEST_F(RolloutWindows, TheCursorsOfARolloutsDecisionsReachTheWindowSystemOnlyWhenTheyChange) {
  turnServices.setCursor = [](int16_t cursor) {
    ++cursorsAsked;
    setCursor(cursor);
  };
  cursorsAsked = 0;
  CursorChangeCounter counter;
  contentWidget(1)->window()->installEventFilter(&counter);
  ASSERT_TRUE(startRolloutOf("100"));
  playTheRolloutThrough();
  contentWidget(1)->window()->removeEventFilter(&counter);
  EXPECT_EQ(rolloutStats.wins[0] + rolloutStats.wins[1], 100);
  EXPECT_GT(cursorsAsked, 2000) << "two at each decision, one at each turn";
  EXPECT_LT(counter.changes, 10);
  restoreSettingsAfterRollout();
}

// Calls of the dice routines during a rollout that wrote into the board window's pixels:
// the image's cache key moves on at every write into it.
int diceDrawings = 0;
void (*realFrameAllDice)() = nullptr;
void (*realShowDieUsed)(int16_t) = nullptr;
void (*realDrawDieImage)(int16_t, int16_t, int16_t, int16_t) = nullptr;
template <typename Call>
void countDrawing(Call call) {
  const bool running = rolloutInProgress();
  const qint64 before = windowPort(1)->image.cacheKey();
  call();
  if (running && windowPort(1)->image.cacheKey() != before) ++diceDrawings;
}

// A rollout that hides the board draws no dice, one that shows it draws every roll; the
// board after it is drawn whole (AnOpeningRolledOutIsShownAsThePersonsTurnAfterIt).
TEST_F(RolloutWindows, AHiddenRolloutDrawsNoDice) {
  installDisplayServices();
  storage.firstRun = 0;  // no welcome box
  upperServices.enterPlayerName = [] {};
  display.firstBoardBuild = -1;  // the board built as at the program's first redraw
  redrawBoardWindow();
  realFrameAllDice = displayServices.frameAllDice;
  realShowDieUsed = displayServices.showDieUsed;
  realDrawDieImage = displayServices.drawDieImage;
  displayServices.frameAllDice = [] { countDrawing(realFrameAllDice); };
  displayServices.showDieUsed = [](int16_t die) { countDrawing([die] { realShowDieUsed(die); }); };
  displayServices.drawDieImage = [](int16_t face, int16_t mask, int16_t left, int16_t top) {
    countDrawing([=] { realDrawDieImage(face, mask, left, top); });
  };
  struct Row {
    bool shown;
    const char* games;
    int32_t counted;
  };
  for (const Row& r : {Row{false, "100", 100}, Row{true, "2", 2}}) {
    SCOPED_TRACE(r.games);
    testing::setPosition("start");
    flow.newGameRequested = 0;
    ASSERT_TRUE(openSetup());
    if (r.shown) click(kRolloutSetupWindow, kSetupShowBoardBox);
    typeInto(kSetupGamesField, r.games);
    click(kRolloutSetupWindow, 1);
    ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kRolloutResultsWindow); }, 5));
    ASSERT_EQ(rolloutHidesBoard(), !r.shown);
    diceDrawings = 0;
    playTheRolloutThrough();
    EXPECT_EQ(rolloutStats.wins[0] + rolloutStats.wins[1], r.counted);
    if (r.shown)
      EXPECT_GT(diceDrawings, 2 * r.counted) << "a roll at every turn";
    else
      EXPECT_EQ(diceDrawings, 0);
    restoreSettingsAfterRollout();
    click(kRolloutResultsWindow, kReturnButton);
    ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kRolloutResultsWindow); }, 5));
  }
}

// Game > Roll Out Position chosen at the person's turn after the computer's, played to its
// end in the main loop, Return pressed and Ctrl+Q typed, as a person does: the quit finds
// the game in progress as it was. Every rolled-out game started afresh, which cleared the
// changed flag: the quit asked nothing and the game was lost; the game's figures lost the
// rolls made before the rollout.
struct AtThePersonsTurn {
  bool savedFirst = false;  // the game saved before the rollout
  bool paused = false;      // the rollout paused after its first game, then the menus tried
  bool started = false;
  bool quit = false;
  std::string personsGame;  // the person's board and moves as a save writes them
  bool rolloutOrSaveReachable = false;
  bool secondRolloutRefused = false;
  bool setUpOpenedInPause = false;
  bool savedInPause = false;
  bool menusOnAtTheTurn = false;
  bool menusOnAfterNotePad = false;
  std::string helpNotClosedBy;
  std::string rolloutLostBehindAfter;  // the closings after which the rollout's window lost the keys
  std::string keysThatActedInThePause;  // keys typed on the paused rollout's window that pressed a button
  bool menusOnAfterHelp = false;
  bool loadedInPause = false;
  bool newGameInPause = false;
  int quitsByTheBoardsCloseBox = 0;
  CheckedArray<int32_t, 1> pipsBefore{};
  CheckedArray<int16_t, 1> doublesBefore{};
  CheckedArray<int32_t, 1> pipsAfter{};
  CheckedArray<int16_t, 1> doublesAfter{};
  std::string savedNameBefore;
  std::string savedNameAfter;
};
AtThePersonsTurn atTurn;
int quitQuestions = 0;
int quitExits = 0;
void (*realUpdate)() = nullptr;

// The saved game's board line and move table: what makes it one game and not another.
std::string boardAndMoves(const std::string& text) {
  const size_t board = text.find("Board ");
  const size_t moves = text.find("MoveTable");
  if (board == std::string::npos || moves == std::string::npos) return "no game: " + text;
  return text.substr(board, text.find('\r', board) - board) + text.substr(moves);
}

std::string savedGameOnDisk() {
  std::ifstream in(dataFilePath("SavedGame"), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Stop is clicked before the first game's figures are shown: the person's side takes its
// turns on the board.
void updateThenPause() {
  if (rolloutStats.wins[0] + rolloutStats.wins[1] == 1 && !rolloutPaused())
    QTest::mouseClick(controlWidget(kRolloutResultsWindow, kStartStopButton), Qt::LeftButton);
  realUpdate();
}

// Ctrl+Q typed on the board or the note pad; the fake end of the process lets the test go on.
void typeTheQuit(int16_t window = 1) {
  const QPointer<QWindow> typedOn = contentWidget(window)->windowHandle();
  QTest::keyPress(typedOn, Qt::Key_Control, Qt::ControlModifier);
  testing::typeKey(window, Qt::Key_Q, Qt::ControlModifier);
  testing::pumpUntil([] { return quitExits > 0; }, 20);
  // Let go of the key, or it would stay held for whatever runs next: on the board when the
  // quit has closed the note pad it was typed on.
  QTest::keyRelease(typedOn.isNull() ? contentWidget(1)->windowHandle() : typedOn.data(), Qt::Key_Control,
                    Qt::NoModifier);
}

void openTheNotePad() {
  testing::typeKey(1, Qt::Key_N);
  testing::pumpUntil([] { return windowExists(kNotePadWindow); }, 5);
}

// The ways a person closes the note pad of N and the help of H.
struct Closing {
  const char* way;
  bool help;
  void (*close)();
};
constexpr Closing kClosings[] = {
    {"note pad, close box", false, [] { testing::clickCloseBox(kNotePadWindow); }},
    {"note pad, Note Pad > Close", false, [] { chooseTextViewCommand(kNotePadWindow, kTextCloseItem); }},
    {"help, close box", true, [] { testing::clickCloseBox(kHelpTextWindow); }},
    {"help, Escape", true, [] { testing::typeKey(kHelpTextWindow, Qt::Key_Escape); }},
    {"help, H", true, [] { testing::typeKey(kHelpTextWindow, Qt::Key_H); }},
    {"help, Help > Close", true, [] { chooseTextViewCommand(kHelpTextWindow, kTextCloseItem); }},
};

// The person's turn in the paused rollout: the note pad opened with N and the help of H,
// each closed every way, leave the menus off and the board's close box to the rollout, and
// give the keys back to the rollout's window in front; Roll Out Position, Save Game, Open
// and New Game are chosen, then the quit typed in the note pad.
void RolloutWindows::triedInThePause() {
  AtThePersonsTurn& a = atTurn;
  for (int16_t m : kBarMenus) a.menusOnAtTheTurn |= menuItemEnabled(m, 0);
  for (const Closing& c : kClosings) {
    // The person has played on the board: the window system gave it the keys at the click.
    contentWidget(1)->activateWindow();
    if (c.help) {
      const testing::HelpWaitOutcome help = testing::actInsideTheHelpWait(c.close, 200);
      if (!help.acted || help.forced) a.helpNotClosedBy += std::string(c.way) + "; ";
      for (int16_t m : kBarMenus) a.menusOnAfterHelp |= menuItemEnabled(m, 0);
    } else {
      openTheNotePad();
      c.close();
      testing::pumpUntil([] { return !windowExists(kNotePadWindow); }, 5);
      for (int16_t m : kBarMenus) a.menusOnAfterNotePad |= menuItemEnabled(m, 0);
    }
    if (frontWindow() != kRolloutResultsWindow ||
        QApplication::activeWindow() != contentWidget(kRolloutResultsWindow))
      a.rolloutLostBehindAfter += std::string(c.way) + "; ";
  }
  // The help names no key for the pause: the focused Start button takes none of these.
  for (const auto& [key, name] : {std::pair{Qt::Key_Return, "Return"}, {Qt::Key_Enter, "Enter"}, {Qt::Key_Space, "Space"}}) {
    testing::typeKey(kRolloutResultsWindow, key);
    testing::pumpUntil([] { return false; }, 3);
    if (rolloutPaused() && windowExists(kRolloutResultsWindow)) continue;
    a.keysThatActedInThePause += std::string(name) + "; ";
    if (windowExists(kRolloutResultsWindow) && !rolloutPaused()) click(kRolloutResultsWindow, kStartStopButton);
  }
  // Nothing but the greyed menus keeps a second rollout and a save of the rollout's game away.
  a.rolloutOrSaveReachable = menuItemReachable(kGameMenu, kRolloutItem) || menuItemReachable(kFileMenu, kSaveGameItem) ||
                             menuItemReachable(kFileMenu, kSaveGameAsItem);
  a.secondRolloutRefused = answerInformationBox([] { chooseMenuItem(kGameMenu, kRolloutItem); });
  a.setUpOpenedInPause = windowExists(kRolloutSetupWindow);
  if (a.setUpOpenedInPause) {
    click(kRolloutSetupWindow, 2);
    testing::pumpUntil([] { return !windowExists(kRolloutSetupWindow); }, 5);
  }
  chooseMenuItem(kFileMenu, kSaveGameItem);
  testing::pumpUntil([] { return false; }, 3);
  a.savedInPause = fileExists(dataFilePath("SavedGame"));
  // A saved game of another board, for Open to find.
  SavedGame other = savedGameOfState();
  for (int16_t p = 2; p <= 24; ++p) {
    if (other.board[p] <= 0 || other.board[p - 1] < 0) continue;
    other.board[p] -= 1;
    other.board[p - 1] += 1;
    break;
  }
  std::ofstream(dataFilePath("SavedGame"), std::ios::binary) << savedGameText(other);
  const auto board = position.board;
  chooseMenuItem(kFileMenu, kOpenSavedGameItem);
  testing::pumpUntil([] { return false; }, 3);
  a.loadedInPause = position.board != board;
  chooseMenuItem(kGameMenu, kNewGameItem);
  testing::pumpUntil([] { return false; }, 3);
  a.newGameInPause = flow.newGameRequested != 0 || windowExists(kQuestionWindow);
  testing::clickCloseBox(1);
  testing::pumpUntil([] { return false; }, 3);
  a.quitsByTheBoardsCloseBox = quitExits;
  openTheNotePad();
  typeTheQuit(kNotePadWindow);
  a.quit = true;
  testing::leaveTheMainLoop();
}

void RolloutWindows::personAtTheTurn() {
  AtThePersonsTurn& a = atTurn;
  if (a.quit) return;
  if (rolloutPaused() && a.paused) return triedInThePause();
  if (rolloutInProgress()) return;
  if (!a.started) {
    a.started = true;
    if (a.savedFirst) saveGame(0);
    a.personsGame = boardAndMoves(savedGameText(savedGameOfState()));
    a.pipsBefore = flow.pipsRolled;
    a.doublesBefore = flow.doublesRolled;
    a.savedNameBefore = shell.savedGameName.str();
    if (startRolloutOf("100")) return;
  }
  a.pipsAfter = flow.pipsRolled;
  a.doublesAfter = flow.doublesRolled;
  a.savedNameAfter = shell.savedGameName.str();
  click(kRolloutResultsWindow, kReturnButton);
  testing::pumpUntil([] { return !windowExists(kRolloutResultsWindow); }, 5);
  typeTheQuit();
  a.quit = true;
  // The process would have ended in the quit: the loop is left with the game dropped
  // unannounced.
  shellFlags.quitRequested = -1;
  leaveTheLoop();
}

void RolloutWindows::quitAfterARollout(bool savedFirst, int questions, bool paused) {
  ASSERT_TRUE(setPreferencesFolder(folder_ / "config"));
  turnServices.quitGame = quitGame;  // as the program's start installs it
  quitServices.endProcess = [](int) { ++quitExits; };
  shellServices.saveAskedBeforeQuitFailed = [] { return ++quitQuestions, quitState.saveAnswer = kSaveAnsweredNo, false; };  // No
  turnServices.waitForPointClick = personAtTheTurn;
  interactionServices.waitForBoardClick = personAtTheTurn;
  // The person (side 0) has moved; the computer answers, then the person's turn.
  testing::setPosition("start | side 0");
  position.playerType = {{{kHumanPlayer, kComputerPlayer}}};
  flow.opponentMode = kComputerOpponent;
  position.openingPhase = 0;
  record.gameRecordCount = 0;
  settings.automaticRolls = 0;
  settings.soundOptions.soundOn = 0;
  options.autoMoves = 0;
  cube.cubeUsed = 0;
  atTurn = AtThePersonsTurn{};
  atTurn.savedFirst = savedFirst;
  atTurn.paused = paused;
  shell.saveGameOnExit = paused ? -1 : 0;
  realUpdate = turnServices.updateRolloutStatistics;
  if (paused) turnServices.updateRolloutStatistics = updateThenPause;
  quitQuestions = quitExits = 0;
  shellFlags.quitRequested = 0;
  runMainLoop();
  shellFlags.quitRequested = 0;
  shellFlags.modalBusy = 0;

  ASSERT_TRUE(atTurn.quit);
  if (paused) {
    // The menus stay off while the rollout's window is open: its game is not the person's.
    EXPECT_FALSE(atTurn.menusOnAtTheTurn);
    EXPECT_FALSE(atTurn.menusOnAfterNotePad);
    EXPECT_EQ(atTurn.helpNotClosedBy, "");
    EXPECT_EQ(atTurn.rolloutLostBehindAfter, "") << "the rollout's window is in front and holds the keys";
    EXPECT_EQ(atTurn.keysThatActedInThePause, "");
    EXPECT_FALSE(atTurn.menusOnAfterHelp);
    EXPECT_FALSE(atTurn.rolloutOrSaveReachable) << "Roll Out Position, Save Game and Save Game As are greyed";
    EXPECT_FALSE(atTurn.secondRolloutRefused) << "no box: the menu is off";
    EXPECT_FALSE(atTurn.setUpOpenedInPause);
    EXPECT_FALSE(atTurn.savedInPause) << "the rollout's game saved under the person's name";
    EXPECT_FALSE(atTurn.loadedInPause) << "a saved game loaded into the rollout";
    EXPECT_FALSE(atTurn.newGameInPause);
    EXPECT_EQ(atTurn.quitsByTheBoardsCloseBox, 0);
    EXPECT_FALSE(rolloutInProgress());
    EXPECT_EQ(quitExits, 1);
    EXPECT_EQ(quitQuestions, 0);
    EXPECT_EQ(boardAndMoves(savedGameOnDisk()), atTurn.personsGame) << "Save Game on Exit saves the person's game";
    EXPECT_EQ(storage.gameWasSaved, -1);
    return;
  }
  EXPECT_EQ(rolloutStats.wins[0] + rolloutStats.wins[1], 100);
  EXPECT_EQ(quitExits, 1);
  EXPECT_EQ(quitQuestions, questions) << "Save this game before quitting?";
  EXPECT_GT(atTurn.pipsBefore[1], 0) << "the computer's roll is counted";
  EXPECT_EQ(atTurn.pipsAfter, atTurn.pipsBefore);
  EXPECT_EQ(atTurn.doublesAfter, atTurn.doublesBefore);
  EXPECT_EQ(atTurn.savedNameAfter, atTurn.savedNameBefore);
  EXPECT_EQ(atTurn.savedNameBefore.empty(), !savedFirst);
  // The next start is offered the game saved before the rollout.
  std::ifstream in(preferencesPath(), std::ios::binary);
  std::stringstream prefs;
  prefs << in.rdbuf();
  EXPECT_NE(prefs.str().find("GAMEWASSAVED  " + atTurn.savedNameBefore + "\r"), std::string::npos) << prefs.str();
}

TEST_F(RolloutWindows, AQuitAfterARolloutAsksToSaveTheChangedGame) { quitAfterARollout(false, 1); }
TEST_F(RolloutWindows, AQuitAfterARolloutKeepsTheGameSavedBeforeIt) { quitAfterARollout(true, 0); }
TEST_F(RolloutWindows, APausedRolloutRefusesASecondAndASaveAndItsQuitSavesThePersonsGame) {
  quitAfterARollout(false, 0, true);
}

}  // namespace
}  // namespace bg
