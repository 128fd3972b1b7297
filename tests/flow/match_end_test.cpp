// The end of a game and of a match from the main loop, the computer against itself: a quit
// chosen at the end of a game ends the loop with no turn of the finished game played on,
// and seeded matches end at their length, close the tournament and go on with a fresh
// game.
#include "flow/flow_fixture.h"
#include "flow/game_end.h"
#include "flow/sessions.h"
#include "state/cube_state.h"
#include "state/rollout_state.h"
#include "state/settings.h"

namespace bg {
namespace {

using testing::flowLog;

// The end-of-game dialog as the flow sees it: it holds the game until a button is used.
void holdTheGame(std::string_view text) {
  flowLog.dialogs.emplace_back(text);
  shellFlags.modalBusy = 255;
}

// The dialog's Quit button: the game is finished, then the program quits.
void pressQuit() {
  finishGameAndContinue();
  hook::quitGame();
}

// Looks at the queue after a quit: a loop that goes on is cut off here.
int pollsAfterQuit = 0;
constexpr int kPollCap = 2000;
void cutOffAfterQuit() {
  if (shellFlags.quitRequested == 0 || ++pollsAfterQuit < kPollCap) return;
  ADD_FAILURE() << "the loop goes on after the quit";
  shellFlags.modalBusy = 255;
  flow.newGameRequested = -1;
}

class MatchEndTest : public testing::FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    flow.opponentMode = kComputersOnly;
    turnState.previousOpponentMode = kComputersOnly;
    position.playerType = {{{kComputerPlayer, kComputerPlayer}}};
    shellFlags.fastPlay = kFastPlayOn;
    settings.soundOptions.soundOn = 0;
    turnServices.showEndGameDialog = holdTheGame;
    turnServices.pollEvents = cutOffAfterQuit;
  }
};

int rollsAfterQuit = 0;

struct QuitRow {
  const char* name;
  bool inMatch;  // the game wins a match to 3 at 2-0
};
class QuitAtTheEnd : public MatchEndTest, public ::testing::WithParamInterface<QuitRow> {};

// Player 0 bears off its last checker; player 1 would bear off its last one at its next
// turn, which would leave both sides with none and nothing to announce.
TEST_P(QuitAtTheEnd, EndsTheLoopWithNoTurnPlayedOnTheFinishedBoard) {
  const QuitRow& row = GetParam();
  if (row.inMatch) {
    flow.opponentMode = kComputerOpponent;
    flow.tournamentPoints = 3;
    tournamentCommand();
    ASSERT_EQ(flow.tournamentGoing, 255);
    flow.opponentMode = kComputersOnly;
    flow.scores = {{{2, 0}}};
  }
  cube.cubeUsed = 0;
  testing::setPosition("24:1 1:-1");
  position.piecesOnBoard = {{{1, 1}}};
  position.openingPhase = 0;
  testing::turnGoesTo(0);
  testing::scriptDice({6, 5, 6, 5, 6, 5, 6, 5});
  rollsAfterQuit = pollsAfterQuit = 0;
  turnServices.pumpEvents = [] {
    if (shellFlags.modalBusy != 0 && shellFlags.quitRequested == 0) pressQuit();
  };
  options.speakComputerDice = -1;
  turnServices.speakDiceRoll = [] { rollsAfterQuit += shellFlags.quitRequested != 0 ? 1 : 0; };

  runMainLoop();

  EXPECT_EQ(flowLog.dialogs.size(), 1u) << flowLog.dialogs[0];
  EXPECT_EQ(rollsAfterQuit, 0);
  EXPECT_EQ((std::vector<int>{position.board[24], position.board[1], position.piecesOnBoard[0]}), (std::vector<int>{0, -1, 0})) << "player 1's last checker stays where the game left it";
  EXPECT_EQ(flow.tournamentGoing, 0);
  if (row.inMatch) {
    EXPECT_TRUE(flowLog.dialogs[0].ends_with(" and won the tournament!")) << flowLog.dialogs[0];
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, QuitAtTheEnd, ::testing::Values(QuitRow{"single", false}, QuitRow{"match", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The double that wins the match is dropped and the winner chooses to play on: the match
// is over, so a fresh game starts instead of the old one going on with the scores cleared.
TEST_F(MatchEndTest, PlayingOnAfterTheMatchIsWonStartsAFreshGame) {
  flow.opponentMode = kComputerOpponent;
  flow.tournamentPoints = 3;
  tournamentCommand();
  ASSERT_EQ(flow.tournamentGoing, 255);
  flow.scores = {{{2, 0}}};
  testing::setPosition("start | side 1");
  position.openingPhase = 0;
  cube.playerDeclined[1] = -1;
  announceGameResult();
  ASSERT_TRUE(flowLog.dialogs.back().ends_with(" and won the tournament!")) << flowLog.dialogs.back();
  flow.continueGame = -1;  // the dialog's play-on button
  finishGameAndContinue();
  EXPECT_EQ((std::vector<int>{flow.tournamentGoing, flow.newGameRequested, position.gameContinued, cube.cubeValue}),
            (std::vector<int>{0, -1, 0, 1}));
}

// ---- Seeded matches ----

struct MatchRun {
  int16_t length = 0;
  int games = 0;          // game ends seen in the match
  bool matchOver = false;  // the tournament has been closed
  int16_t winner = -1;
  CheckedArray<int32_t, 1> finalScores;
  int gamesAfter = 0;  // games ended after the match
};
MatchRun match;

// Every game a side wins gives it a point at least, so a match to n takes 2n - 1 games at
// the most.
int mostGames(int16_t length) { return 2 * length - 1; }

void atTheEndOfAGame() {
  if (shellFlags.modalBusy == 0 || shellFlags.quitRequested != 0) return;
  SCOPED_TRACE("match to " + std::to_string(match.length) + ", game " + std::to_string(match.games + 1));
  if (match.matchOver) {
    // The game after the match was a whole one from the starting position.
    ++match.gamesAfter;
    EXPECT_TRUE(position.piecesOnBoard[flow.winnerSide] == 0 || cube.playerDeclined[0] != 0 ||
                cube.playerDeclined[1] != 0 || flow.autoConcession[0] != 0 || flow.autoConcession[1] != 0);
    EXPECT_GT(position.piecesOnBoard[1 - flow.winnerSide], 0);
    EXPECT_EQ(flow.tournamentGoing, 0);
    pressQuit();
    return;
  }
  ++match.games;
  const bool won = flow.scores[0] >= match.length || flow.scores[1] >= match.length;
  EXPECT_EQ(flowLog.dialogs.back().ends_with(" and won the tournament!"), won) << flowLog.dialogs.back();
  if (won) {
    match.winner = flow.winnerSide;
    match.finalScores = flow.scores;
  }
  if (match.games > mostGames(match.length)) {
    ADD_FAILURE() << "the match goes on at " << flow.scores[0] << "-" << flow.scores[1];
    shellFlags.quitRequested = -1;
    return;
  }
  finishGameAndContinue();  // the dialog's continue button
  match.matchOver = won;
  if (won) {
    EXPECT_EQ((std::vector<int>{flow.tournamentGoing, flow.scores[0], flow.scores[1], flow.newGameRequested}),
              (std::vector<int>{0, 0, 0, -1}));
  }
}

struct MatchRow {
  int16_t length;
  int16_t cubeUsed;
};
class SeededMatch : public MatchEndTest, public ::testing::WithParamInterface<MatchRow> {};

TEST_P(SeededMatch, EndsAtItsLengthAndClosesTheTournament) {
  const MatchRow row = GetParam();
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    SetUp();
    seedRandom(seed * 7919);
    fillDicePool();
    cube.cubeUsed = row.cubeUsed;
    flow.opponentMode = kComputerOpponent;
    flow.tournamentPoints = row.length;
    tournamentCommand();
    ASSERT_EQ(flow.tournamentGoing, 255);
    flow.opponentMode = kComputersOnly;
    flow.newGameRequested = -1;
    match = MatchRun{};
    pollsAfterQuit = 0;
    match.length = row.length;
    turnServices.pumpEvents = atTheEndOfAGame;

    runMainLoop();

    EXPECT_TRUE(match.matchOver);
    EXPECT_EQ(match.gamesAfter, 1);
    EXPECT_LE(match.games, mostGames(row.length));
    ASSERT_TRUE(match.winner == 0 || match.winner == 1);
    EXPECT_GE(match.finalScores[match.winner], row.length);
    EXPECT_LT(match.finalScores[1 - match.winner], row.length);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, SeededMatch,
                         ::testing::Values(MatchRow{1, 0}, MatchRow{3, 0}, MatchRow{3, -1}, MatchRow{5, 0},
                                           MatchRow{5, -1}));

}  // namespace
}  // namespace bg
