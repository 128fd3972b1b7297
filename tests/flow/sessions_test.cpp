// Resignation levels by the race, the best-move commands and their refusals, the dice
// click, the opponent modes, and the money and tournament commands.
#include <map>
#include <utility>

#include "computer/computer_play.h"
#include "flow/best_move_commands.h"
#include "rules/best_plays.h"
#include "flow/game_end.h"
#include "flow/flow_fixture.h"
#include "flow/opponent_modes.h"
#include "flow/resignation.h"
#include "flow/sessions.h"
#include "flow/turn.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/menu_numbers.h"
#include "state/settings.h"
#include "state/shell_state.h"

namespace bg {
namespace {

using testing::flowLog;
using testing::sawMessage;

int16_t answer = -1;  // the Yes/No click the board question gets
std::map<std::pair<int, int>, std::pair<int, std::string>> items;
int16_t itemState(int item) { return static_cast<int16_t>(items[std::make_pair(int{kGameMenu}, item)].first); }
std::string itemText(int item) { return items[std::make_pair(int{kGameMenu}, item)].second; }
std::vector<std::string> infoBoxes;

void rollShown() {
  diceState.diceShowing = -1;
  flow.movesAllowed = diceState.rolledDoubles != 0 ? 4 : 2;
  flow.movesLeft = flow.movesAllowed;
  position.openingPhase = 0;
}

class SessionsTest : public testing::FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    answer = -1;
    items.clear();
    infoBoxes.clear();
    interactionServices.waitForBoardClick = [] { interaction.panelAnswer = answer; };
    shellServices.setMenuItemState = [](int16_t m, int16_t i, int16_t s, std::string_view t) {
      items[std::make_pair(int{m}, int{i})] = {s, std::string(t)};
    };
    turnServices.showTitledText = [](std::string_view title, std::string_view text) {
      flowLog.dialogs.push_back(std::string(title) + "|" + std::string(text));
    };
    turnServices.showInformation = [](std::string_view text) { infoBoxes.emplace_back(text); };
  }
};

// The resigner is player 0 (a person) on roll; the winner's home board is points 1-6.
struct LevelRow {
  const char* position;
  uint8_t backgammons;
  int16_t jacoby;
  int16_t level;
};
class ResignationLevel : public SessionsTest, public ::testing::WithParamInterface<LevelRow> {};

TEST_P(ResignationLevel, FollowsTheRaceAndMirrors) {
  const LevelRow& row = GetParam();
  for (int16_t resigner = 0; resigner <= 1; ++resigner) {
    testing::setPosition(row.position);
    if (resigner == 1) {  // the same game seen from the other side
      const auto board = position.board;
      for (int p = 0; p <= 25; ++p) position.board[p] = static_cast<int16_t>(-board[25 - p]);
      std::swap(position.piecesOnBoard[0], position.piecesOnBoard[1]);
    }
    testing::setSideOnRoll(resigner);
    settings.backgammonAllowed = row.backgammons;
    cube.jacobyRule = row.jacoby;
    flow.opponentMode = 2;
    position.playerType[0] = kHumanPlayer;
    computeConcessionLevel();
    EXPECT_EQ(flow.concessionLevel, row.level) << row.position << " resigner " << resigner;
    EXPECT_EQ(position.currentPlayer, resigner);
    EXPECT_EQ(flow.autoConcession[resigner], -1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResignationLevel,
    ::testing::Values(
        // Borne off one checker: a single game whatever the race.
        LevelRow{"3:1 4:1 20:12 1:-2 2:-2", 255, 0, 1},
        LevelRow{"3:1 4:1 20:13 1:-2 2:-2 | cube 1 2", 255, -1, 1},  // Jacoby, cube at 1
        // Race: two men back in the winner's home, the winner has 4 left.
        LevelRow{"3:1 4:1 20:13 1:-2 2:-2", 255, 0, 3},
        LevelRow{"3:1 4:1 20:13 1:-2 2:-2", 0, 0, 2},
        // Race: all home but far behind a winner with 2 left.
        LevelRow{"19:15 1:-2", 255, 0, 2},
        // Race: close, the resigner may still get off.
        LevelRow{"19:15 1:-5 2:-5 3:-5", 255, 0, 1},
        // Contact: an even game is a single game.
        LevelRow{"start", 255, 0, 1},
        // Contact: four on the bar against a closed board.
        LevelRow{"25:4 19:11 1:-2 2:-2 3:-2 4:-2 5:-2 6:-2 7:-3", 255, 0, 3}));

TEST_F(SessionsTest, AnAcceptedGammonAtCubeFourScoresEight) {
  testing::setPosition("19:15 1:-2 | cube 4 2 | side 0");
  flow.opponentMode = 1;
  position.openingPhase = 0;
  concedeGame();
  EXPECT_EQ(interaction.messageLines[1].str(), "Accept 8 pt  resignation?");
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  announceGameResult();
  EXPECT_EQ(flow.scores[1], 8);
  EXPECT_EQ(flow.scores[0], 0);
}

TEST_F(SessionsTest, ADeclinedResignationOrACancelChangesNothing) {
  testing::setPosition("start | side 0");
  position.openingPhase = 0;
  answer = 0;
  concedeGame();
  EXPECT_EQ(flow.autoConcession[0], 0);
  EXPECT_EQ(flow.newGameRequested, 0);
  // Two people: the resigner is asked for the points, then cancels.
  flow.opponentMode = 3;
  shell.playerNames[0] = "Ann";
  int clears = 0;
  static int* clearCount = &clears;
  interactionServices.clearMessageLine = [](int16_t) { ++*clearCount; };
  turnServices.showConcedePointsDialog = [] { concedeOrCancel(2); };
  concedeGame();
  EXPECT_TRUE(sawMessage("Ann, enter points conceding"));
  EXPECT_EQ(clears, 1);
  EXPECT_EQ(flow.autoConcession[0], 0);
  EXPECT_EQ(flow.abortTurn, 0);
}

// Refusals of the best-move commands: which command, the state, the message.
struct RefusalRow {
  int command;  // 0 Make Best Move, 1 Display Best Moves
  int16_t movesLeft, diceShowing, pieceInHand, overlay;
  const char* message;
};
class BestMoveRefusal : public SessionsTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(BestMoveRefusal, ShowsItsMessageAndPlaysNothing) {
  const RefusalRow& row = GetParam();
  testing::setPosition("start | dice 3 1 | side 0");
  rollShown();
  flow.movesLeft = row.movesLeft;
  diceState.diceShowing = row.diceShowing;
  hand.pieceInHand = row.pieceInHand;
  display.overlayActive = row.overlay;
  const auto board = position.board;
  row.command == 0 ? makeBestMoveCommand() : displayBestMovesCommand();
  EXPECT_EQ(flowLog.messages, std::vector<std::string>{row.message});
  EXPECT_EQ(position.board, board);
  EXPECT_EQ(record.gameRecordCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, BestMoveRefusal,
                         ::testing::Values(RefusalRow{0, 1, -1, 0, 0, "#4"},   // one checker moved
                                           RefusalRow{0, 0, 0, 0, 0, "#4"},    // between turns
                                           RefusalRow{0, 2, -1, -1, 0, "#2"},  // a checker held
                                           RefusalRow{0, 2, -1, 0, -1, "#5"},  // an overlay up
                                           RefusalRow{1, 2, 0, 0, 0, "#3"}));  // not rolled

TEST_F(SessionsTest, NoToTheBestMoveRestoresTheRollAndYesEndsTheTurn) {
  testing::setPosition("start | dice 6 4 | side 0");
  rollShown();
  const auto board = position.board;
  const auto dice = diceState.dice;
  answer = 0;
  makeBestMoveCommand();
  EXPECT_EQ(interaction.messageLines[1].str(), "Keep this move?");
  // Taken back: the same roll is played again from the record.
  EXPECT_EQ(position.board, board);
  EXPECT_EQ(diceState.dice, dice);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(record.gameRecord[1].die1 * record.gameRecord[1].die2, 24);
  testing::setPosition("start | dice 6 4 | side 0");
  rollShown();
  answer = -1;
  makeBestMoveCommand();
  EXPECT_NE(position.board, board);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(turnState.turnEndedByBestMove, -1);
  EXPECT_EQ(record.gameRecord[0].die1, 2);  // each search for the person is counted
}

TEST_F(SessionsTest, WithNoPlayTheInformationBoxSaysSo) {
  testing::setPosition("25:1 18:14 1:-2 2:-2 3:-2 4:-2 5:-2 6:-2 7:-3 | dice 6 5 | side 0");
  rollShown();
  makeBestMoveCommand();
  EXPECT_EQ(infoBoxes, std::vector<std::string>{"You have no valid moves"});
  EXPECT_TRUE(flowLog.messages.empty());
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
}

TEST_F(SessionsTest, ADiceClickBeforeTheFirstMovePassesTheRoll) {
  testing::setPosition("start | dice 5 2 | side 0");
  rollShown();
  diceClickTakeBack();
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  for (const DiceEntry& die : diceState.dice) EXPECT_EQ(die.value, 0);
}

// The forced-play aid after the person played the 3 of 6-3: the 6 is forced, and the
// record holds the two part-moves and nothing else.
TEST_F(SessionsTest, TheForcedRestOfARollIsRecordedOnce) {
  testing::setPosition("10:1 1:-5 2:-5 3:-5 | side 1");
  flow.opponentMode = 3;
  position.playerType[1] = kHumanPlayer;
  position.openingPhase = 0;
  flow.turnNumber = 5;
  options.autoMoves = 255;
  options.autoPlayForcedOn = -1;
  testing::scriptDice({6, 3});
  turnServices.humanTurn = [] {
    if (flow.movesLeft == flow.movesAllowed) {
      hand.selectedPoint = 10;
      hand.moveDistance = 3;
      hand.typedMovePending = -1;
      moveOrFinish();
      hand.typedMovePending = 0;
    } else {
      flow.abortTurn = kLeaveTurn;
    }
  };
  playTurn();
  ASSERT_EQ(record.gameRecordCount, 2);
  EXPECT_EQ(record.gameRecord[1].distance + record.gameRecord[2].distance, 9);
  EXPECT_EQ(position.board[19], 1);
}

TEST_F(SessionsTest, AMoneySessionRunsAndEndsLevel) {
  moneySessionCommand();
  EXPECT_EQ(flow.scoreDisplayMode, 1);
  for (int item : {1, 2, 3}) EXPECT_EQ(itemState(item), kItemDisabled);
  EXPECT_EQ(itemState(5), kItemEnabled);
  EXPECT_EQ(itemText(4), "End Money Session");
  tournamentCommand();
  EXPECT_EQ(flowLog.dialogs.back(),
            "Money Session Not Finished|End the Money Session first. You can end it using the Game menu.");
  flow.scores = {{{3, 3}}};
  const int16_t before = playerCounter(kSessionsWonWord, 1);
  moneySessionCommand();
  EXPECT_EQ(flowLog.dialogs.back(), " Money Session Results|You lost 0 Dollars.  Better luck next time.");
  EXPECT_EQ(playerCounter(kSessionsWonWord, 1), before + 1);
  EXPECT_EQ(itemText(4), "Start A Money Session");
}

TEST_F(SessionsTest, ATournamentPutsBackOnlyTheOptionsItChanged) {
  flow.opponentMode = 3;
  tournamentCommand();
  EXPECT_TRUE(sawMessage("Only Available With Computer Opponent"));
  tournamentStatsCommand();
  EXPECT_TRUE(sawMessage("No tournament has been started"));
  flow.opponentMode = 1;
  cube.jacobyRule = -1;
  tournamentCommand();
  EXPECT_EQ(flow.tournamentGoing, 255);
  moneySessionCommand();
  EXPECT_EQ(flowLog.dialogs.back(), "Tournament Not Finished|End the tournament first. You can end it using the Game menu.");
  cube.jacobyRule = 0;
  settings.whoRollsFirst = 2;
  flow.scores = {{{2, 1}}};
  tournamentCommand();
  EXPECT_EQ(cube.jacobyRule, -1);
  EXPECT_EQ(settings.whoRollsFirst, 1);
  EXPECT_EQ(flow.scores[0], 0);
  EXPECT_EQ(itemText(3), "Start A Tournament");
}

TEST_F(SessionsTest, ClosingTotalsWithACheckerHeldChangesNothing) {
  flow.scores = {{{4, 1}}};
  hand.pieceInHand = -1;
  closeSessionTotals();
  EXPECT_TRUE(sawMessage("#207"));
  EXPECT_EQ(flow.scores[0], 4);
  EXPECT_EQ(flow.newGameRequested, 0);
}

TEST_F(SessionsTest, EnteringTheComputerModeMakesPlayerZeroTheHuman) {
  testing::setPosition("start | dice 4 2 | side 1");
  rollShown();
  selectOpponentMode(3);
  EXPECT_EQ(position.playerType[1], kHumanPlayer);
  // Player 1 has moved one checker of its roll: that is taken back first.
  testing::setPosition("start | dice 4 2 | side 1");
  rollShown();
  const auto dice = diceState.dice;
  hand.selectedPoint = 24;
  hand.moveDistance = 4;
  hand.typedMovePending = -1;
  moveOrFinish();
  hand.typedMovePending = 0;
  selectOpponentMode(1);
  EXPECT_EQ(position.playerType[0], kHumanPlayer);
  EXPECT_EQ(position.playerType[1], kComputerPlayer);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(position.currentPlayer, 0);  // the next hand-over gives player 1 its roll again
  EXPECT_EQ(diceState.dice, dice);       // the board is shown the usual way: the dice stay
  EXPECT_TRUE(sawMessage("#13"));
}

}  // namespace
}  // namespace bg
