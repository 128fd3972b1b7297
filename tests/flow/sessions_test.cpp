// Resignation levels, best-move commands and refusals, opponent modes, money and tournaments.
#include <map>

#include "computer/computer_play.h"
#include "flow/best_move_commands.h"
#include "flow/flow_fixture.h"
#include "flow/game_end.h"
#include "flow/opponent_modes.h"
#include "flow/resignation.h"
#include "flow/sessions.h"
#include "flow/turn.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/menu_numbers.h"
#include "state/player_records.h"
#include "state/settings.h"
#include "state/shell_state.h"

namespace bg {
namespace {

using testing::flowLog;
using testing::sawMessage;

int16_t answer = -1;  // the Yes/No click the board question gets
std::map<int, std::pair<int, std::string>> gameItems;
std::vector<std::string> infoBoxes;

void rollShown(const char* text) {
  testing::setPosition(text);
  diceState.diceShowing = -1;
  flow.movesAllowed = diceState.rolledDoubles != 0 ? 4 : 2;
  flow.movesLeft = flow.movesAllowed;
  position.openingPhase = 0;
  flow.abortTurn = 0;  // a turn starts afresh, as after a take-back
}

void enterPartMove(int16_t from, int16_t pips) {
  hand.selectedPoint = from;
  hand.moveDistance = pips;
  hand.typedMovePending = -1;
  moveOrFinish();
  hand.typedMovePending = 0;
}

class SessionsTest : public testing::FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    answer = -1;
    gameItems.clear();
    infoBoxes.clear();
    interactionServices.waitForBoardClick = [] { interaction.panelAnswer = answer; };
    shellServices.setMenuItemState = [](int16_t menu, int16_t item, int16_t state, std::string_view text) {
      if (menu == kGameMenu) gameItems[item] = {state, std::string(text)};
    };
    turnServices.showTitledText = [](std::string_view title, std::string_view text) {
      flowLog.dialogs.push_back(std::string(title) + "|" + std::string(text));
    };
    turnServices.showInformation = [](std::string_view text) { infoBoxes.emplace_back(text); };
  }
};

// The resigner is player 0 on roll, then player 1 in the mirror game; winner's home 1-6.
struct LevelRow { const char* position; uint8_t backgammons; int16_t jacoby, level; };
class ResignationLevel : public SessionsTest, public ::testing::WithParamInterface<LevelRow> {};

TEST_P(ResignationLevel, FollowsTheRaceAndMirrors) {
  const LevelRow& row = GetParam();
  for (int16_t resigner = 0; resigner <= 1; ++resigner) {
    testing::setPosition(row.position);
    const auto board = position.board;
    if (resigner == 1) {
      for (int p = 0; p <= 25; ++p) position.board[p] = static_cast<int16_t>(-board[25 - p]);
      std::swap(position.piecesOnBoard[0], position.piecesOnBoard[1]);
    }
    testing::setSideOnRoll(resigner);
    settings.backgammonAllowed = row.backgammons;
    cube.jacobyRule = row.jacoby;
    flow.opponentMode = kComputersOnly;
    position.playerType[0] = kHumanPlayer;
    computeConcessionLevel();
    EXPECT_EQ(flow.concessionLevel, row.level) << row.position << " resigner " << resigner;
    EXPECT_EQ(position.currentPlayer, resigner);
    EXPECT_EQ(flow.autoConcession[resigner], -1);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, ResignationLevel,
                         ::testing::Values(LevelRow{"3:1 4:1 20:12 1:-2 2:-2", 255, 0, 1},  // one borne off
                                           LevelRow{"3:1 4:1 20:13 1:-2 2:-2 | cube 1 2", 255, -1, 1},  // Jacoby
                                           LevelRow{"3:1 4:1 20:13 1:-2 2:-2", 255, 0, 3},  // two back, 4 left
                                           LevelRow{"3:1 4:1 20:13 1:-2 2:-2", 0, 0, 2},
                                           LevelRow{"19:15 1:-2", 255, 0, 2},                  // far behind
                                           LevelRow{"19:15 1:-5 2:-5 3:-5", 255, 0, 1},        // close race
                                           LevelRow{"start", 255, 0, 1},                       // even contact
                                           LevelRow{"25:4 19:11 1:-2 2:-2 3:-2 4:-2 5:-2 6:-2 7:-3", 255, 0, 3}));

TEST_F(SessionsTest, AnAcceptedGammonAtCubeFourScoresEightADeclinedOneNothing) {
  testing::setPosition("19:15 1:-2 | cube 4 2 | side 0");
  position.openingPhase = 0;
  flow.opponentMode = kTwoPeople;  // two people: the resigner names the points, then cancels
  shell.playerNames[0] = "Ann";
  turnServices.showConcedePointsDialog = [] { concedeOrCancel(2); };
  concedeGame();
  EXPECT_TRUE(sawMessage("Ann, enter points conceding"));
  flow.opponentMode = kComputerOpponent;
  answer = 0;
  concedeGame();
  EXPECT_EQ(flow.newGameRequested, 0);
  answer = -1;
  concedeGame();
  EXPECT_EQ(interaction.messageLines[1].str(), "Accept 8 pt resignation?");
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  announceGameResult();
  EXPECT_EQ(flow.scores[1], 8);
}

// Refusals of the best-move commands: command 0 Make Best Move, 1 Display Best Moves.
struct RefusalRow { int command; int16_t movesLeft, diceShowing, pieceInHand, overlay; const char* message; };
class BestMoveRefusal : public SessionsTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(BestMoveRefusal, ShowsItsMessageAndPlaysNothing) {
  const RefusalRow& row = GetParam();
  rollShown("start | dice 3 1 | side 0");
  flow.movesLeft = row.movesLeft;
  diceState.diceShowing = row.diceShowing;
  hand.pieceInHand = row.pieceInHand;
  display.overlayActive = row.overlay;
  row.command == 0 ? makeBestMoveCommand() : displayBestMovesCommand();
  EXPECT_EQ(flowLog.messages, std::vector<std::string>{row.message});
}

INSTANTIATE_TEST_SUITE_P(Rows, BestMoveRefusal,
                         ::testing::Values(RefusalRow{0, 1, -1, 0, 0, "#4"},   // one checker moved
                                           RefusalRow{0, 0, 0, 0, 0, "#4"},    // between turns
                                           RefusalRow{0, 2, -1, -1, 0, "#2"},  // a checker held
                                           RefusalRow{0, 2, -1, 0, -1, "#5"},  // an overlay up
                                           RefusalRow{1, 2, 0, 0, 0, "#3"}));  // not rolled

TEST_F(SessionsTest, NoToTheBestMoveRestoresTheRollAndYesEndsTheTurn) {
  rollShown("start | dice 6 4 | side 0");
  const auto board = position.board;
  const auto dice = diceState.dice;
  answer = 0;
  makeBestMoveCommand();
  EXPECT_EQ(interaction.messageLines[1].str(), "Keep this move?");
  EXPECT_EQ(position.board, board);  // taken back: the same roll is played again
  EXPECT_EQ(diceState.dice, dice);
  rollShown("start | dice 6 4 | side 0");
  answer = -1;
  makeBestMoveCommand();
  EXPECT_NE(position.board, board);
  EXPECT_EQ(turnState.turnEndedByBestMove, -1);
  EXPECT_EQ(record.gameRecord[0].die1, 2);  // each search for the person is counted
}

TEST_F(SessionsTest, WithNoPlayTheInformationBoxSaysSo) {
  rollShown("25:1 18:14 1:-2 2:-2 3:-2 4:-2 5:-2 6:-2 7:-3 | dice 6 5 | side 0");
  makeBestMoveCommand();
  EXPECT_EQ(infoBoxes, std::vector<std::string>{"You have no valid moves"});
  EXPECT_TRUE(flowLog.messages.empty());
}

// The forced-play aid after the 3 of 6-3 is played: the record holds the forced 6, nothing else.
TEST_F(SessionsTest, TheForcedRestOfARollIsRecordedOnce) {
  testing::setPosition("10:1 1:-5 2:-5 3:-5 | side 1");
  position.playerType[1] = kHumanPlayer;
  position.openingPhase = 0;
  flow.turnNumber = 5;
  options.autoMoves = 255;
  options.autoPlayForcedOn = -1;
  testing::scriptDice({6, 3});
  turnServices.humanTurn = [] {
    if (flow.movesLeft == flow.movesAllowed) return enterPartMove(10, 3);
    flow.abortTurn = kLeaveTurn;
  };
  playTurn();
  ASSERT_EQ(record.gameRecordCount, 2);
  EXPECT_EQ(position.board[19], 1);
}

TEST_F(SessionsTest, AMoneySessionRunsAndEndsLevel) {
  moneySessionCommand();
  EXPECT_EQ(flow.scoreDisplayMode, 1);
  for (int item : {1, 2, 3}) EXPECT_EQ(gameItems[item].first, kItemDisabled);
  EXPECT_EQ(gameItems[4].second, "End Money Session");
  flow.scores = {{{3, 3}}};
  hand.pieceInHand = -1;  // closing the totals is refused, nothing changes
  closeSessionTotals();
  EXPECT_TRUE(sawMessage("#207"));
  EXPECT_EQ(flow.scores[0], 3);
  hand.pieceInHand = 0;
  moneySessionCommand();
  EXPECT_EQ(flowLog.dialogs.back(), "Money Session Results|You lost 0 Dollars.  Better luck next time.");
  EXPECT_EQ(playerCounter(kSessionsWonWord, 1), 1);
  EXPECT_EQ(gameItems[4].second, "Start A Money Session");
}

// The balance names one of the currency in the singular, any other amount in the plural;
// between two people (Carol at the bottom, Bob) it names who won and who lost.
TEST_F(SessionsTest, TheSessionResultCountsTheCurrencyInWords) {
  const struct {
    int32_t won, lost;
    const char* currency;
    const char* text;
    bool twoPeople = false;
  } rows[] = {
      {1, 0, "Dollars", "Congratulations, you have won 1 Dollar."},
      {0, 1, "Dollars", "You lost 1 Dollar.  Better luck next time."},
      {7, 2, "Dollars", "Congratulations, you have won 5 Dollars."},
      {1, 0, "Yen", "Congratulations, you have won 1 Yen."},
      {0, 1, "s", "You lost 1 s.  Better luck next time."},
      {0, 0, "Dollars", "Carol and Bob are even.", true},
      {1, 0, "Dollars", "Carol won 1 Dollar. Bob lost 1 Dollar.", true},
      {2, 5, "Dollars", "Bob won 3 Dollars. Carol lost 3 Dollars.", true},
  };
  for (const auto& r : rows) {
    if (r.twoPeople) {
      flow.opponentMode = kTwoPeople;
      position.playerType[1] = kHumanPlayer;
      shell.playerNames = {"Carol", "Bob"};
    }
    options.wagerCurrency = r.currency;
    moneySessionCommand();
    flow.scores = {{{r.won, r.lost}}};
    moneySessionCommand();
    EXPECT_EQ(flowLog.dialogs.back(), std::string("Money Session Results|") + r.text) << r.text;
  }
}

TEST_F(SessionsTest, ATournamentPutsBackOnlyTheOptionsItChanged) {
  flow.opponentMode = kTwoPeople;
  tournamentCommand();
  EXPECT_TRUE(sawMessage("Only Available With Computer Opponent"));
  flow.opponentMode = kComputerOpponent;
  cube.jacobyRule = -1;
  tournamentCommand();
  EXPECT_EQ(flow.tournamentGoing, 255);
  cube.jacobyRule = 0;
  settings.whoRollsFirst = 2;
  tournamentCommand();
  EXPECT_EQ(cube.jacobyRule, -1);
  EXPECT_EQ(settings.whoRollsFirst, 1);
  EXPECT_EQ(gameItems[3].second, "Start Tournament");
  tournamentStatsCommand();
  EXPECT_TRUE(sawMessage("No tournament has been started"));
}

TEST_F(SessionsTest, LeavingTwoPeopleTakesBackTheComputersPartMoves) {
  flow.opponentMode = turnState.previousOpponentMode = kTwoPeople;
  position.playerType[1] = kHumanPlayer;
  rollShown("start | dice 4 2 | side 1");
  const auto dice = diceState.dice;
  enterPartMove(24, 4);
  selectOpponentMode(kComputerOpponent);
  EXPECT_EQ(position.playerType[1], kComputerPlayer);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(position.currentPlayer, 0);  // the next hand-over gives player 1 its roll again
  EXPECT_EQ(diceState.dice, dice);       // the board is shown the usual way: the dice stay
}

}  // namespace
}  // namespace bg
