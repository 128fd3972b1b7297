// Whole games of the computer against itself from the main loop, with no window, at every
// skill level and personality: every turn's play is one of the legal plays of an
// independent generator, every part-move keeps 15 checkers a side and a well-formed
// record, and every game ends with the score an independent reading of the final
// position (or of the dropped double) gives.
#include "computer/personalities.h"
#include "flow/flow_fixture.h"
#include "state/cube_state.h"
#include "state/display_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"

namespace bg {
namespace {

using testing::RefPosition;

constexpr int kGames = 500;
constexpr int kPartMoveCap = 3000;  // a game this long is taken to be stuck

struct GameRun {
  int games = 0, partMoves = 0, turnsChecked = 0, cubeTurned = 0;
  int16_t checkedEntries = 0;
  int results[4] = {};  // by multiplier; [0] dropped doubles
  bool rolled = false, dropped = false;
  RefPosition before;
  testing::RefResult legal;
  int16_t winner = 0, multiplier = 0, points = 0;
  CheckedArray<int32_t, 1> scoresAtStart;
};
GameRun run;

int checkersOf(int16_t side) {
  int men = kCheckersPerSide - position.piecesOnBoard[side];
  for (const int16_t c : position.board) men += std::max(0, c * position.playerDirection[side]);
  return men;
}

// Each entry must be one of the kinds the game writes; entries once written stay.
void expectRecordWellFormed(int16_t last) {
  for (int16_t n = run.checkedEntries + 1; n <= last; ++n) {
    run.checkedEntries = n;
    const GameRecordEntry& e = record.gameRecord[n];
    SCOPED_TRACE("entry " + std::to_string(n));
    if (e.side == kAutoDoubleEntrySide) {
      EXPECT_EQ(e.die1, e.die2);
      EXPECT_NE(e.flags & (kFlagAutoDoubled | kFlagAutoDoubleNotDoubled), 0);
      continue;
    }
    ASSERT_TRUE(e.side == 0 || e.side == 1) << "side " << e.side;
    EXPECT_TRUE(e.die1 >= 1 && e.die1 <= 6 && e.die2 >= 1 && e.die2 <= 6);
    EXPECT_TRUE(e.distance >= 1 && e.distance <= 6 && e.moveNumber >= 1 && e.moveNumber <= 4);
    if (e.fromPoint == 0 && e.toPoint == 0) {  // an unplayed die of the roll
      EXPECT_TRUE(e.distance == e.die1 || e.distance == e.die2);
    } else if (e.fromPoint == position.barPoint[e.side]) {
      EXPECT_EQ(e.toPoint, position.playerDirection[e.side] == 1 ? e.distance : 25 - e.distance);
    } else if (e.toPoint != -1) {
      EXPECT_EQ(e.toPoint, e.fromPoint + position.playerDirection[e.side] * e.distance);
    }
  }
}

void checkAfterPartMove() {
  least::showDieUsed(0);
  ASSERT_EQ((std::pair{checkersOf(0), checkersOf(1)}), (std::pair{+kCheckersPerSide, +kCheckersPerSide}));
  expectRecordWellFormed(record.gameRecordCount);
  if (++run.partMoves > kPartMoveCap || ::testing::Test::HasFatalFailure()) {
    ADD_FAILURE() << "game " << run.games << " does not end";
    shellFlags.quitRequested = flow.newGameRequested = -1;
    shellFlags.modalBusy = 1;
  }
}

// At the roll (the dice are announced): the legal plays of the roll.
void takeLegalPlays() {
  std::vector<int> dice = {diceState.dice[0].value, diceState.dice[1].value};
  if (dice[0] == dice[1]) dice = {dice[0], dice[0], dice[0], dice[0]};
  run.before = testing::boardNow();
  run.legal = testing::referencePlays(run.before, position.currentPlayer, dice);
  run.rolled = true;
}

// At the end of the turn (the pip counts are drawn): the play made was legal.
void checkPlay() {
  if (!run.rolled) return;
  run.rolled = false;
  ++run.turnsChecked;
  const RefPosition after = testing::boardNow();  // none legal: no play
  EXPECT_TRUE(run.legal.finals.empty() ? after == run.before : run.legal.finals.count(after) == 1) << "game " << run.games;
}

bool loserBackInWinnerHome(int16_t winner) {
  bool back = position.board[position.barPoint[1 - winner]] != 0;
  for (int p = winner == 0 ? 19 : 1, n = 0; n < 6; ++p, ++n) back = back || position.board[p] * position.playerDirection[1 - winner] > 0;
  return back;
}

// When scored: what the final position or the dropped double says, worked out apart.
void expectScore() {
  const bool dropped = run.dropped = cube.playerDeclined[0] != 0 || cube.playerDeclined[1] != 0;
  run.multiplier = 1;
  if (dropped) {
    run.winner = cube.playerDeclined[0] != 0 ? kPlayer1 : kPlayer0;
  } else {
    run.winner = position.piecesOnBoard[0] == 0 ? kPlayer0 : kPlayer1;
    EXPECT_EQ(position.piecesOnBoard[run.winner], 0);
    const bool jacoby = cube.jacobyRule != 0 && cube.cubeOwner == kCubeCentred;
    if (position.piecesOnBoard[1 - run.winner] == kCheckersPerSide && !jacoby) {
      run.multiplier = settings.backgammonAllowed != 0 && loserBackInWinnerHome(run.winner) ? 3 : 2;
    }
  }
  const int16_t loser = static_cast<int16_t>(1 - run.winner);
  EXPECT_GT(position.piecesOnBoard[loser], 0);
  run.points = static_cast<int16_t>(run.multiplier * cube.cubeValue);
  // Winner, points of winner and loser, and what the scores gained.
  EXPECT_EQ((std::vector<int>{flow.winnerSide, flow.gamePointsBySide[run.winner], flow.gamePointsBySide[loser],
                              flow.scores[run.winner] - run.scoresAtStart[run.winner], flow.scores[loser] - run.scoresAtStart[loser]}),
            (std::vector<int>{run.winner, run.points, 0, run.points * options.wagerAmount, 0}));
  ++run.results[dropped ? 0 : run.multiplier];
  if (cube.cubeValue > 1) ++run.cubeTurned;
  shellFlags.modalBusy = 1;  // as the end-of-game dialog would
}

// Next game: vary the rules that decide the score, the skill and the personality.
void chooseRules(int game) {
  cube.cubeUsed = game % 3 == 0 ? -1 : 0;  // with the cube always, most games end in a drop
  cube.jacobyRule = game % 2 == 0 ? -1 : 0;
  settings.backgammonAllowed = game % 3 == 0 ? 0 : 255;
  cube.autoDoubleMax = game % 4 == 0 ? 2 : 0;
  options.wagerAmount = game % 5 == 0 ? 2 : 1;
  skill.skillLevel = static_cast<int16_t>(game % 5 + 1);
  skill.skillFactor = skillFactorFor(skill.skillLevel);
  skill.personality = static_cast<int16_t>(game / 5 % 3 + 1);
  run.scoresAtStart = flow.scores;
}

// The main loop's pump, where a modal dialog would run: checks the game-end entry.
void pump() {
  if (shellFlags.modalBusy == 0 || shellFlags.quitRequested != 0) return;
  const GameRecordEntry& end = record.gameRecord[record.gameRecordCount];
  EXPECT_EQ((std::vector<int>{end.side, end.fromPoint, end.toPoint, end.die1, end.die2, end.moveNumber, end.flags}),
            (std::vector<int>{kGameEndEntrySide, run.winner, run.points, run.multiplier, 0, run.dropped ? -1 : 0, kFlagGameEnd}));
  EXPECT_NE(flow.newGameRequested, 0);
  expectRecordWellFormed(static_cast<int16_t>(record.gameRecordCount - 1));
  run.partMoves = 0;
  run.checkedEntries = 0;
  if (++run.games >= kGames || ::testing::Test::HasFailure()) {
    shellFlags.quitRequested = -1;
    return;
  }
  chooseRules(run.games);
  shellFlags.modalBusy = 0;
}

class WholeGamesTest : public testing::FlowTest {};

TEST_F(WholeGamesTest, ComputerAgainstComputerPlaysFiveHundredLegalScoredGames) {
  run = GameRun{};
  displayServices.showDieUsed = [](int16_t) { checkAfterPartMove(); };
  turnServices.endGameHook = expectScore;
  turnServices.pumpEvents = pump;
  turnServices.speakDiceRoll = takeLegalPlays;
  turnServices.drawPipCounts = checkPlay;
  options.speakComputerDice = -1;
  options.showPipCounts = -1;
  seedRandom(9);
  fillDicePool();
  flow.opponentMode = kComputersOnly;
  rollout.noPause = -1;
  shellFlags.fastPlay = kFastPlayOn;
  settings.soundOptions.soundOn = 0;
  flow.newGameRequested = -1;
  chooseRules(0);

  runMainLoop();

  EXPECT_EQ(run.games, kGames);
  EXPECT_EQ(flow.gamesThisRun, kGames);
  EXPECT_GT(run.turnsChecked, 20 * kGames);
  EXPECT_EQ(position.playerType, (CheckedArray<int16_t, 1>{kComputerPlayer, kComputerPlayer}));
  // The games cover every kind of result: dropped doubles, singles, gammons, backgammons.
  for (const int n : run.results) EXPECT_GT(n, 0);
  EXPECT_GT(run.cubeTurned, 0);
}

}  // namespace
}  // namespace bg
