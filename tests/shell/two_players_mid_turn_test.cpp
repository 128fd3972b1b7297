// Game > Two Players, and Game > Play Against the Computer after it, chosen in the middle of
// the person's turn, as a person does it: the opening won, one checker played, the menu item
// chosen and the players' box answered with OK. From then on the board shows what the game
// holds, as a fresh redraw draws it. A new pair typed into the box plays with its own score,
// and a game the computer wins after it is named for the computer, the pair's row untouched.
// A money session between the pair names who won and who lost.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <QLineEdit>
#include <QTimer>

#include "../display/board_fixture.h"
#include "dialogs/dialogs_install.h"
#include "dialogs/game_setup_dialogs.h"
#include "dialogs/question_window.h"
#include "dialogs/scoreboard_dialogs.h"
#include "dialogs/statistics_dialogs.h"
#include "dialog_script.h"
#include "runtime/core/files.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/resources.h"
#include "storage/preferences_file.h"
#include "storage/saved_game_file.h"
#include "display/board_rebuild.h"
#include "shell/help_text_window.h"
#include "shell/startup.h"
#include "flow/game_loop.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "runtime/core/clock.h"
#include "runtime/core/random.h"
#include "own_folders.h"
#include "started_program.h"
#include "state/dice_state.h"
#include "state/game_record_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/play_search_state.h"
#include "state/shell_state.h"
#include "state/position.h"
#include "state/shell_flags.h"
#include "state/storage_state.h"
#include "support/qt_helpers.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

// The dice come out of the pool in slot order: slot k holds the k-th die thrown.
int nextSlot = 0;
int32_t slotsInOrder(int32_t n) {
  if (n == 30) return nextSlot++ % 30 + 1;
  return 1;
}

class TwoPlayersMidTurn : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    testing::startShell({installFlowServices, installDialogServices});
    storage.firstRun = 0;  // no welcome box
    upperServices.enterPlayerName = [] {};
    installBoardServices();  // as the program's start installs them
    setMouseVector(mouseEventHook);
    windowSelect(1);
    testing::pumpWithScript(script_, 20000);
    nextSlot = 0;
    previousHook_ = setRandomHook(slotsInOrder);
  }
  void TearDown() override {
    setRandomHook(previousHook_);
    testing::pumpingScript() = nullptr;
    setMouseVector(nullptr);
    shellFlags.quitRequested = 0;
    windowClose(kScoreboardWindow);
    windowClose(kEndGameWindow);
    windowClose(1);
    setEventSlice(2);
  }
  // The person's 4 against the computer's 3 opens the new game; later dice come from
  // laterDie(slot).
  void openWithFourThree(int16_t (*laterDie)(int16_t slot)) {
    nextSlot = 0;
    lead_ = kOpening;
    for (int16_t slot = 1; slot <= 30; ++slot) diceState.dicePool[slot] = laterDie(slot);
    diceState.dicePool[1] = 4;
    diceState.dicePool[2] = 3;
    display.firstBoardBuild = -1;  // the board built as at the program's first redraw
    redrawBoardWindow();
    flow.newGameRequested = -1;
  }
  // Called at each of the planner's turns while the board waits: the opening won, 13/9
  // played with the 4, Two Players chosen and the players' box answered with OK. True once
  // that box is gone, with the 3 still to play.
  bool twoPlayersChosenMidRoll() {
    switch (lead_) {
      case kOpening:
        if (turnState.awaitingDiceClick != 0) {
          script_.click(testing::diceSpot());
          return false;
        }
        EXPECT_EQ(position.currentPlayer, 0) << "the person wins the opening 4-3";
        EXPECT_EQ(diceState.dice[0].value, 4);
        EXPECT_EQ(diceState.dice[1].value, 3);
        if (barClickFirst_) {
          // With Easy Moves on, a click on the bar plays nothing and is answered with a
          // message; the roll stays whole.
          script_.click(testing::pointSpot(0));
          lead_ = kChoose;
          return false;
        }
        script_.click(testing::pointSpot(12));  // 13/9 with the 4
        script_.click(testing::pointSpot(16));
        lead_ = kPlayed;
        return false;
      case kPlayed:
        EXPECT_EQ(position.board[16], 1) << "13/9 was played";
        EXPECT_EQ(flow.movesLeft, 1);
        [[fallthrough]];
      case kChoose:
        script_.then([] { chooseMenuItem(kGameMenu, kTwoPlayersItem), FBHandleEvents(); });
        lead_ = kChosen;
        return false;
      case kChosen:
        if (!windowExists(kScoreboardWindow)) return false;
        script_.then([this] {
          if (newPair_) typeTheNewPair();
          testing::giveAnswer(kScoreboardWindow, answer_);
        });
        lead_ = kAnswered;
        return false;
      case kAnswered:
        // Its OK leaves the turn: the players play at the wait after it.
        if (windowExists(kScoreboardWindow) || flow.abortTurn != 0) return false;
        lead_ = kLeadDone;
        return true;
      case kLeadDone: return true;
    }
    return true;
  }
  // The 3 of the opening roll is still the person's to play, shown as it stands; it is
  // played 24/21.
  void playTheThreeLeft(const char* when) {
    EXPECT_EQ(position.currentPlayer, 0);
    EXPECT_EQ(turnState.awaitingDiceClick, 0) << "no roll is asked for";
    EXPECT_EQ(flow.movesLeft, 1);
    EXPECT_EQ(diceState.dice[1].value, 3);
    EXPECT_NE(diceState.diceShowing, 0);
    testing::expectLikeAFreshRedraw(when);
    script_.click(testing::pointSpot(1));
    script_.click(testing::pointSpot(4));
  }
  // The game loop stops at the end of this turn.
  static void leave() {
    shellFlags.quitRequested = -1;
    flow.abortTurn = kLeaveTurn;
  }
  // Row 2, free at a first start, gets the new pair (side 1's name first) and is chosen.
  static void typeTheNewPair() {
    QTest::keyClicks(controlWidget(kScoreboardWindow, 10), "Cleo");
    QTest::keyClicks(controlWidget(kScoreboardWindow, 11), "Hanna");
    testing::clickRadioValue(kScoreboardWindow, 4, 2);
    focusControl(kScoreboardWindow, 11);
  }
  // After the lead, the 3 left is played at the first wait (checked first by atFirstWait),
  // and the next roll's wait is checked by atNextRoll; the loop stops there.
  void playTheThreeThenCheckTheNextRoll(const char* when, const std::function<void()>& atFirstWait,
                                        const std::function<void()>& atNextRoll) {
    enum Stage { kAnswered, kPlayedOn, kDone } stage = kAnswered;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning == 0 || !twoPlayersChosenMidRoll()) return;
      switch (stage) {
        case kAnswered:
          atFirstWait();
          playTheThreeLeft(when);
          stage = kPlayedOn;
          return;
        case kPlayedOn:
          if (turnState.awaitingDiceClick == 0) return;
          atNextRoll();
          stage = kDone;
          leave();
          return;
        case kDone: return;
      }
    };
    gameLoopStep();
    EXPECT_EQ(stage, kDone);
    EXPECT_FALSE(script_.spent);
  }
  void playOnBackAgainstTheComputer(bool resizeInNotice);
  void newPairThenTheComputerWins(const std::function<void()>& atThePairsWaits);
  testing::MouseScript script_;
  RandomHook previousHook_ = nullptr;
  UseVirtualClock clock_;

 private:
  enum Lead { kOpening, kPlayed, kChoose, kChosen, kAnswered, kLeadDone } lead_ = kOpening;
  bool newPair_ = false;

 protected:
  bool barClickFirst_ = false;
  testing::Answer answer_ = testing::Answer::kReturn;  // the players' box's
};

TEST_F(TwoPlayersMidTurn, ThePersonPlaysOnWithTheRollAndTheBoardShowsIt) {
  openWithFourThree([](int16_t) -> int16_t { return 2; });
  playTheThreeThenCheckTheNextRoll("at the first wait after Two Players", [] {}, [] {
    // The other player rolls next.
    EXPECT_EQ(position.board[4], 1) << "24/21 was played";
    EXPECT_EQ(position.board[16], 1);
    EXPECT_EQ(position.currentPlayer, 1);
    EXPECT_EQ(position.playerType[1], kHumanPlayer);
    testing::expectLikeAFreshRedraw("when the other player is to roll");
  });
}

// Easy Moves on, a click that plays nothing, then Two Players: the person's roll is still on
// the board, whole, to be played.
TEST_F(TwoPlayersMidTurn, AClickThatPlayedNothingKeepsTheRollForThePair) {
  openWithFourThree([](int16_t) -> int16_t { return 2; });
  options.easyMoves = 255;
  barClickFirst_ = true;
  bool checked = false;
  script_.planner = [&] {
    if (panelWait.clickWaitRunning == 0 || !twoPlayersChosenMidRoll() || checked) return;
    checked = true;
    EXPECT_EQ(position.currentPlayer, 0);
    EXPECT_EQ(turnState.awaitingDiceClick, 0) << "no roll is asked for";
    EXPECT_NE(diceState.diceShowing, 0);
    EXPECT_EQ(diceState.dice[0].value, 4);
    EXPECT_EQ(diceState.dice[1].value, 3);
    EXPECT_EQ(flow.movesLeft, 2);
    testing::expectLikeAFreshRedraw("at the first wait after Two Players");
    leave();
  };
  gameLoopStep();
  EXPECT_TRUE(checked);
  EXPECT_FALSE(script_.spent);
}

// Cancel in the players' box, or Escape, leaves the game as it was: the person plays on
// against the computer with the 3 left, and the computer plays its roll.
TEST_F(TwoPlayersMidTurn, CancelInThePlayersBoxLeavesTheGameAsItWas) {
  for (const testing::Answer answer : {testing::Answer::kCancelClick, testing::Answer::kEscape}) {
    SCOPED_TRACE(testing::answerName(answer));
    shellFlags.quitRequested = 0;
    answer_ = answer;
    openWithFourThree([](int16_t) -> int16_t { return 2; });
    const auto names = shell.playerNames;
    playTheThreeThenCheckTheNextRoll(
        "at the first wait after the box was cancelled",
        [&] {
          EXPECT_EQ(flow.opponentMode, kComputerOpponent);
          EXPECT_TRUE(menuItemChecked(kGameMenu, kComputerOpponentItem));
          EXPECT_FALSE(menuItemChecked(kGameMenu, kTwoPlayersItem));
          EXPECT_EQ(position.playerType[1], kComputerPlayer);
          EXPECT_EQ(shell.playerNames, names);
        },
        [] {
          EXPECT_EQ(position.currentPlayer, 0) << "the computer played its roll";
          EXPECT_EQ(record.gameRecord[record.gameRecordCount].side, 1);
        });
  }
}

// Two Players, then Play Against the Computer, both in the middle of the person's roll; the
// window resized while the computer's notice is up when asked.
void TwoPlayersMidTurn::playOnBackAgainstTheComputer(bool resizeInNotice) {
  // Later dice go 2, 1, 2, 1 (no tie holds up an opening rolled again by mistake).
  openWithFourThree([](int16_t slot) -> int16_t { return static_cast<int16_t>(1 + slot % 2); });
  enum Stage { kAnswered, kBack, kPlayedOn, kDone } stage = kAnswered;
  int widthBefore = 0;
  script_.planner = [&] {
    if (panelWait.clickWaitRunning == 0 || !twoPlayersChosenMidRoll()) return;
    switch (stage) {
      case kAnswered:
        ASSERT_EQ(flow.movesLeft, 1);
        widthBefore = windowContentRect(1).width();
        script_.then([resizeInNotice] {
          if (resizeInNotice) {
            QTimer::singleShot(0, [] {
              const Rect content = windowContentRect(1);
              testing::userResize(1, content.width() + 90, content.height() + 60);
            });
          }
          chooseMenuItem(kGameMenu, kComputerOpponentItem), FBHandleEvents();
        });
        stage = kBack;
        return;
      case kBack:
        if (flow.opponentMode != kComputerOpponent) return;
        EXPECT_EQ(windowContentRect(1).width() != widthBefore, resizeInNotice);
        EXPECT_EQ(position.playerType[1], kComputerPlayer);
        EXPECT_EQ(position.piecesOnBoard[0], 15);
        EXPECT_EQ(position.piecesOnBoard[1], 15);
        playTheThreeLeft("at the first wait against the computer");
        stage = kPlayedOn;
        return;
      case kPlayedOn:
        if (turnState.awaitingDiceClick == 0) return;
        EXPECT_EQ(position.board[1], 1) << "24/21 was played";
        // The computer has played its 1-2 and the person rolls next.
        EXPECT_EQ(position.board[16], 1);
        EXPECT_EQ(position.currentPlayer, 0);
        EXPECT_EQ(position.piecesOnBoard[0], 15);
        EXPECT_EQ(position.piecesOnBoard[1], 15);
        testing::expectLikeAFreshRedraw("when the person is to roll again");
        stage = kDone;
        leave();
        return;
      case kDone: return;
    }
  };
  gameLoopStep();
  EXPECT_EQ(stage, kDone);
  EXPECT_FALSE(script_.spent);
}

TEST_F(TwoPlayersMidTurn, BackAgainstTheComputerThePersonPlaysOnWithTheRoll) {
  playOnBackAgainstTheComputer(false);
}

TEST_F(TwoPlayersMidTurn, AResizeUnderTheComputersNoticeKeepsTheRollAndTheCounts) {
  playOnBackAgainstTheComputer(true);
}

// Against the computer, a session standing at 6 - 2, the person chooses Two Players with
// 2-1 in hand and types a new pair into row 2; the pair plays on (12/14 12/13), and at the
// other player's roll Play Against the Computer is chosen: the computer bears off its last
// checker and wins a gammon. atThePairsWaits runs at both of the pair's waits.
void TwoPlayersMidTurn::newPairThenTheComputerWins(const std::function<void()>& atThePairsWaits) {
  for (int16_t slot = 1; slot <= 30; ++slot) diceState.dicePool[slot] = static_cast<int16_t>(1 + slot % 2);
  testing::personToPlay("12:15 1:-1 | dice 2 1 | side 0");
  cube.cubeUsed = 0;  // nobody doubles
  playSearch.playLength = 2;
  turnState.resumeWithDiceShown = -1;
  flow.scores = {{{6, 2}}};
  display.firstBoardBuild = -1;
  redrawBoardWindow();
  newPair_ = true;
  lead_ = kChoose;
  enum Stage { kPairPlays, kOtherToRoll, kBack } stage = kPairPlays;
  script_.planner = [&] {
    if (panelWait.clickWaitRunning == 0 || !twoPlayersChosenMidRoll()) return;
    switch (stage) {
      case kPairPlays:
        atThePairsWaits();
        for (const int16_t p : {12, 14, 12, 13}) script_.click(testing::pointSpot(p));
        stage = kOtherToRoll;
        return;
      case kOtherToRoll:
        if (turnState.awaitingDiceClick == 0) return;
        EXPECT_EQ(position.currentPlayer, 1);
        EXPECT_EQ(position.board[12], 13) << "12/14 12/13 was played";
        atThePairsWaits();
        script_.then([] { chooseMenuItem(kGameMenu, kComputerOpponentItem), FBHandleEvents(); });
        stage = kBack;
        return;
      case kBack:
        ADD_FAILURE() << "a wait after the computer's last roll";
        leave();
        return;
    }
  };
  gameLoopStep();
  EXPECT_EQ(stage, kBack);
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(position.piecesOnBoard[1], 0) << "the computer bore off its last checker";
}

// The new pair's score is its own (none yet), on every redraw; against the computer again
// the session's comes back, with the gammon just won.
TEST_F(TwoPlayersMidTurn, TheNewPairPlaysWithItsOwnScore) {
  newPairThenTheComputerWins([] {
    for (int pass = 0; pass < 2; ++pass, redrawBoardWindow()) {
      testing::expectScoreShown(0, "", layout.textSize);
      testing::expectScoreShown(1, "", layout.textSize);
    }
  });
  testing::expectScoreShown(0, "6", layout.textSize);
  testing::expectScoreShown(1, "4", layout.textSize);
}

// Where a person clicks to throw a side's opening die: the middle of that side's own half
// of the field (player 0's on the right), level with the board's centre.
Point openingDieSpot(int16_t side) {
  const int16_t quarter = static_cast<int16_t>((layout.fieldRight - layout.fieldLeft) / 4);
  const BoardPoint c = turnServices.boardCentre();
  return {static_cast<int16_t>(side == 0 ? c.h + quarter : c.h - quarter), c.v};
}

// The dice drawn in the field are those a fresh redraw draws from the roll held.
void expectTheDiceHeldDrawn(const std::string& where) {
  const QRect band(layout.fieldLeft - layout.boardRect.left, layout.diceTop - layout.boardRect.top,
                   layout.fieldRight - layout.fieldLeft, layout.dieHeight);
  EXPECT_FALSE(testing::differenceFromAFreshRedraw().intersects(band)) << where;
}

// Two people: each side throws its own opening die by a click on its own dice (or "+"), in
// the first game and in those after Game > New Game, where nothing is thrown by itself; the
// help then says so. Play Against the Computer chosen with one die of the third opening
// shown leaves on the board only the roll the game holds.
TEST_F(TwoPlayersMidTurn, EachSideThrowsItsOwnOpeningDieInEveryGame) {
  // Game 1 follows a game opened at a roll, its dice still to be drawn.
  struct DataFolderOfItsOwn {
    testing::OwnFolders folders{"bg-two-openings-"};
    ~DataFolderOfItsOwn() { setDataFolder({}); }
  } data;
  ASSERT_TRUE(setDataFolder(data.folders.root()));
  testing::setPosition("start | side 1");
  ASSERT_TRUE(saveGame(0));
  loadGame(0);
  // Game 1: side 1 throws a 3, side 0 a 4; game 2: side 0 a 5, side 1 a 1; game 3: side 1 a 1.
  openWithFourThree([](int16_t slot) -> int16_t { return slot == 3 ? 5 : slot == 4 ? 1 : 1 + slot % 2; });
  ASSERT_TRUE(testing::openFromMenu(kGameMenu, kTwoPlayersItem, kScoreboardWindow));
  testing::giveAnswer(kScoreboardWindow, testing::Answer::kReturn);
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kScoreboardWindow); }, 5));
  script_.onBudgetSpent = leave;
  enum Stage { kFirstToThrow, kFirstThrown, kOwnDiceAgain, kBothThrown, kComputerChosen, kDone };
  int game = 1;
  Stage stage = kFirstToThrow;
  script_.planner = [&] {
    if (panelWait.clickWaitRunning == 0 || flow.abortTurn != 0) return;
    const std::string where = "game " + std::to_string(game) + ", stage " + std::to_string(stage);
    const int16_t firstSide = game == 2 ? 0 : 1;
    if (stage == kFirstToThrow && turnState.awaitingDiceClick != 0) {
      EXPECT_EQ(diceState.diceShowing, 0) << where << ": no die thrown by itself";
      script_.click(openingDieSpot(firstSide));
      stage = kFirstThrown;
    } else if (stage == kFirstThrown && turnState.openingDieAwaited == 1 - firstSide) {
      EXPECT_EQ(diceState.rolledDice[firstSide], game == 1 ? 3 : game == 2 ? 5 : 1) << where;
      EXPECT_EQ(diceState.rolledDice[1 - firstSide], 0) << where;
      expectTheDiceHeldDrawn(where + ": one die shows");
      EXPECT_NE(getText(helpTextResourceId(contextHelpTopic())).find("your own half"), std::string::npos) << where;
      if (game == 3) {
        script_.then([] { chooseMenuItem(kGameMenu, kComputerOpponentItem), FBHandleEvents(); });
        stage = kComputerChosen;
        return;
      }
      script_.click(openingDieSpot(firstSide));
      stage = kOwnDiceAgain;
    } else if (stage == kOwnDiceAgain) {
      EXPECT_EQ(turnState.openingDieAwaited, 1 - firstSide) << where << ": its own dice again throw nothing";
      if (game == 2)
        script_.then([] { testing::typeText(1, "+"); });  // throws the die still to be thrown
      else
        script_.click(openingDieSpot(1 - firstSide));
      stage = kBothThrown;
    } else if (stage == kBothThrown && turnState.awaitingDiceClick == 0 && diceState.diceShowing != 0) {
      EXPECT_EQ(position.currentPlayer, 0) << where << ": the higher die starts";
      EXPECT_EQ(diceState.dice[0].value, game == 1 ? 4 : 5) << where;
      EXPECT_EQ(diceState.dice[1].value, game == 1 ? 3 : 1) << where;
      expectTheDiceHeldDrawn(where + ": the opening roll");
      script_.then([] { chooseMenuItem(kGameMenu, kNewGameItem), FBHandleEvents(); });
      game += 1, stage = kFirstToThrow;
    } else if (stage == kComputerChosen && flow.opponentMode == kComputerOpponent) {
      expectTheDiceHeldDrawn(where + ": against the computer");
      stage = kDone;
      leave();
    }
  };
  gameLoopStep();
  EXPECT_EQ(stage, kDone);
  EXPECT_FALSE(script_.spent);
}

// The End Of Game box names the computer; the pair's row and the preferences written keep
// the names the person typed.
TEST_F(TwoPlayersMidTurn, TheComputersWinIsNamedAndThePairKeepsItsRow) {
  // The preferences go to a folder of the test's own, given back however the test ends.
  struct OwnPreferencesFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("bg-two-players-" + std::to_string(::getpid()));
    OwnPreferencesFolder() { std::filesystem::create_directories(path); }
    ~OwnPreferencesFolder() {
      setPreferencesFolder({});
      std::filesystem::remove_all(path);
    }
  } folder;
  ASSERT_TRUE(setPreferencesFolder(folder.path));
  newPairThenTheComputerWins([] {});
  ASSERT_TRUE(windowExists(kEndGameWindow));
  EXPECT_EQ(controlText(kEndGameWindow, 12), "Computer won a double game worth 2 points!!");
  EXPECT_EQ(controlText(kEndGameWindow, 10), "Computer");  // side 1's column
  EXPECT_EQ(controlText(kEndGameWindow, 11), "No Name");
  testing::clickControl(kEndGameWindow, 1);
  ASSERT_TRUE(testing::openFromMenu(kPlayerMenu, kScoreboardItem, kScoreboardWindow));
  EXPECT_EQ(controlText(kScoreboardWindow, 8), "Computer");  // row 1, side 1
  EXPECT_EQ(controlText(kScoreboardWindow, 10), "Cleo");     // row 2
  EXPECT_EQ(controlText(kScoreboardWindow, 11), "Hanna");
  testing::clickControl(kScoreboardWindow, 2);
  ASSERT_EQ(writePreferences(), "");
  std::ifstream in(preferencesPath(), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(text.find("\rPLAYERSCORE 1L 2 1 0 0 0 0 0 0 1 0 0 3 Computer\r"), std::string::npos) << text;
  EXPECT_NE(text.find(" Cleo\rPLAYERSCORE 2R 0 0 0 0 0 0 0 0 0 0 0 0 Hanna\r"), std::string::npos) << text;
}

// Between two people (Bob on top, Carol at the bottom), money sessions at a stake of 1
// chosen from the Game menu: one ended at once, at 0 to 0, says the two are even; in the
// next, Carol opens 4-3, Bob resigns a point at his roll and Carol answers Yes: the End Of
// Game box and the session's end name who won and who lost.
TEST_F(TwoPlayersMidTurn, AMoneyGameBetweenTwoPeopleNamesWhoWonAndWhoLost) {
  openWithFourThree([](int16_t) -> int16_t { return 2; });
  ASSERT_TRUE(testing::openFromMenu(kGameMenu, kTwoPlayersItem, kScoreboardWindow));
  QTest::keyClicks(controlWidget(kScoreboardWindow, 10), "Bob");
  QTest::keyClicks(controlWidget(kScoreboardWindow, 11), "Carol");
  testing::clickRadioValue(kScoreboardWindow, 4, 2);
  focusControl(kScoreboardWindow, 11);
  testing::giveAnswer(kScoreboardWindow, testing::Answer::kReturn);
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kScoreboardWindow); }, 5));
  const auto startSession = [] {
    ASSERT_TRUE(testing::openFromMenu(kGameMenu, kMoneySessionItem, kMoneyGameWindow));
    auto* stake = qobject_cast<QLineEdit*>(controlWidget(kMoneyGameWindow, 3));
    ASSERT_NE(stake, nullptr);
    stake->selectAll();
    QTest::keyClicks(stake, "1");
    testing::clickControl(kMoneyGameWindow, 1);
    ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kMoneyGameWindow); }, 6));
  };
  // The text of the results box End Money Session opens, closed by its button.
  const auto sessionResult = [] {
    std::string text;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&text] {
      if (!windowExists(kExplanationWindow) || !text.empty()) return;
      text = controlText(kExplanationWindow, 100);
      testing::typeKey(kExplanationWindow, Qt::Key_Return);
    });
    reader.start(0);
    chooseMenuItem(kGameMenu, kMoneySessionItem), FBHandleEvents();
    return text;
  };
  startSession();
  EXPECT_EQ(sessionResult(), "Carol and Bob are even.");
  startSession();

  script_.onBudgetSpent = leave;
  int stage = 0;
  script_.planner = [&] {
    switch (stage) {
      case 0:  // Carol's die, then Bob's
      case 1:
        if (turnState.awaitingDiceClick == 0 || turnState.openingDieAwaited != (stage == 0 ? kNoOpeningDieAwaited : 1))
          return;
        script_.click(openingDieSpot(static_cast<int16_t>(stage)));
        break;
      case 2:  // Carol's 4-3: 13/9 24/21
        if (turnState.awaitingDiceClick != 0 || diceState.diceShowing == 0 || panelWait.clickWaitRunning == 0) return;
        ASSERT_EQ(position.currentPlayer, 0);
        for (const int16_t p : {12, 16, 1, 4}) script_.click(testing::pointSpot(p));
        break;
      case 3:  // at Bob's roll
        if (turnState.awaitingDiceClick == 0 || position.currentPlayer != 1) return;
        script_.then([] { chooseMenuItem(kGameMenu, kResignItem), FBHandleEvents(); });
        break;
      case 4:
        if (!windowExists(kConcedePointsWindow)) return;
        script_.then([] {
          auto* points = qobject_cast<QLineEdit*>(controlWidget(kConcedePointsWindow, 3));
          points->selectAll();
          QTest::keyClicks(points, "1");
          testing::clickControl(kConcedePointsWindow, 1);
        });
        break;
      case 5:  // Carol accepts
        if (panelWait.questionPanelUp == 0 || panelWait.clickWaitRunning == 0) return;
        script_.click(testing::middleOf(interactionDisplay.yesButtonRect));
        break;
      default: return;
    }
    ++stage;
  };
  gameLoopStep();
  script_.planner = nullptr;
  EXPECT_EQ(stage, 6);
  EXPECT_FALSE(script_.spent);
  ASSERT_TRUE(windowExists(kEndGameWindow));
  EXPECT_EQ(controlText(kEndGameWindow, 12), "Carol won 1 Dollar. Bob lost 1 Dollar.");
  testing::clickControl(kEndGameWindow, 1);
  ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kEndGameWindow); }, 20));
  EXPECT_EQ(sessionResult(), "Carol won 1 Dollar. Bob lost 1 Dollar.");
}

}  // namespace
}  // namespace bg
