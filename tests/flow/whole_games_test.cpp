// Whole games of the computer against itself from the main loop, with no window: every
// part-move keeps 15 checkers a side and a well-formed record, and every game ends with
// the score an independent reading of the final position (or of the dropped double) gives.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "flow/flow_fixture.h"
#include "state/cube_state.h"
#include "rules/game_record.h"
#include "state/rollout_state.h"
#include "state/settings.h"

namespace bg {
namespace {

using testing::FlowTest;

constexpr int kGames = 500;
constexpr int kPartMoveCap = 3000;  // a game this long is taken to be stuck

struct Expected {
  int16_t winner = 0;
  int16_t multiplier = 0;
  int16_t points = 0;
  bool dropped = false;
};

struct GameRun {
  int games = 0;
  int partMoves = 0;
  int16_t checkedEntries = 0;
  int singles = 0, gammons = 0, backgammons = 0;
  int cubeTurned = 0;
  int drops = 0;
  int dropEntries = 0;
  Expected expected;
  CheckedArray<int32_t, 1> scoresAtStart;
};

GameRun run;

int checkersOf(int16_t side) {
  int men = kCheckersPerSide - position.piecesOnBoard[side];
  for (const int16_t c : position.board) {
    if (c * position.playerDirection[side] > 0) men += c * position.playerDirection[side];
  }
  return men;
}

// Each entry of the record must be one of the kinds the game writes. Entries once
// written stay as they are (nothing is taken back here), so each is checked once.
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
    EXPECT_TRUE(e.distance >= 1 && e.distance <= 6);
    EXPECT_TRUE(e.moveNumber >= 1 && e.moveNumber <= 4) << e.moveNumber;
    if (e.fromPoint == 0 && e.toPoint == 0) {
      // An unplayed die: one of the roll.
      EXPECT_TRUE(e.distance == e.die1 || e.distance == e.die2);
      continue;
    }
    const int16_t dir = position.playerDirection[e.side];
    if (e.fromPoint == position.barPoint[e.side]) {
      EXPECT_EQ(e.toPoint, dir == 1 ? e.distance : 25 - e.distance);
    } else if (e.toPoint != -1) {
      EXPECT_EQ(e.toPoint, e.fromPoint + dir * e.distance);
    }
  }
}

void checkAfterPartMove() {
  least::showDieUsed(0);
  ++run.partMoves;
  ASSERT_EQ(checkersOf(0), kCheckersPerSide);
  ASSERT_EQ(checkersOf(1), kCheckersPerSide);
  expectRecordWellFormed(record.gameRecordCount);
  if (run.partMoves > kPartMoveCap || ::testing::Test::HasFatalFailure()) {
    ADD_FAILURE() << "game " << run.games << " does not end";
    shellFlags.quitRequested = -1;
    shellFlags.modalBusy = 1;
    flow.newGameRequested = -1;
  }
}

bool loserBackInWinnerHome(int16_t winner) {
  const int16_t loser = static_cast<int16_t>(1 - winner);
  if (position.board[position.barPoint[loser]] != 0) return true;
  const int first = winner == 0 ? 19 : 1;
  for (int p = first; p < first + 6; ++p) {
    if (position.board[p] * position.playerDirection[loser] > 0) return true;
  }
  return false;
}

// When scored: what the final position or the dropped double says, worked out apart
// from the game's code.
void expectScore() {
  Expected& x = run.expected;
  x.dropped = cube.playerDeclined[0] != 0 || cube.playerDeclined[1] != 0;
  x.multiplier = 1;
  if (x.dropped) {
    x.winner = cube.playerDeclined[0] != 0 ? kPlayer1 : kPlayer0;
    ++run.drops;
    run.dropEntries += record.gameRecordCount;
  } else {
    x.winner = position.piecesOnBoard[0] == 0 ? kPlayer0 : kPlayer1;
    EXPECT_EQ(position.piecesOnBoard[x.winner], 0);
    const bool jacoby = cube.jacobyRule != 0 && cube.cubeOwner == kCubeCentred;
    if (position.piecesOnBoard[1 - x.winner] == kCheckersPerSide && !jacoby) {
      x.multiplier = settings.backgammonAllowed != 0 && loserBackInWinnerHome(x.winner) ? 3 : 2;
    }
  }
  const int16_t loser = static_cast<int16_t>(1 - x.winner);
  EXPECT_GT(position.piecesOnBoard[loser], 0);
  x.points = static_cast<int16_t>(x.multiplier * cube.cubeValue);
  EXPECT_EQ(flow.winnerSide, x.winner);
  EXPECT_EQ(flow.gamePointsBySide[x.winner], x.points);
  EXPECT_EQ(flow.gamePointsBySide[loser], 0);
  EXPECT_EQ(flow.scores[x.winner] - run.scoresAtStart[x.winner], x.points * options.wagerAmount);
  EXPECT_EQ(flow.scores[loser], run.scoresAtStart[loser]);
  if (!x.dropped) (x.multiplier == 1 ? run.singles : x.multiplier == 2 ? run.gammons : run.backgammons) += 1;
  if (cube.cubeValue > 1) ++run.cubeTurned;
  // As the end-of-game dialog would: the game loop returns to the main loop.
  shellFlags.modalBusy = 1;
}

// Next game: vary the rules that decide the score.
void chooseRules(int game) {
  // With the cube in every game most games end in a dropped double: a third use it.
  cube.cubeUsed = game % 3 == 0 ? -1 : 0;
  cube.jacobyRule = game % 2 == 0 ? -1 : 0;
  settings.backgammonAllowed = game % 3 == 0 ? 0 : 255;
  cube.autoDoubleMax = game % 4 == 0 ? 2 : 0;
  options.wagerAmount = game % 5 == 0 ? 2 : 1;
  run.scoresAtStart = flow.scores;
}

// The main loop's pump: the place where a modal dialog would run.
void pump() {
  ++testing::flowLog.pumps;
  if (shellFlags.modalBusy == 0 || shellFlags.quitRequested != 0) return;
  const GameRecordEntry& end = record.gameRecord[record.gameRecordCount];
  EXPECT_EQ(end.side, kGameEndEntrySide);
  EXPECT_EQ(end.fromPoint, run.expected.winner);
  EXPECT_EQ(end.toPoint, run.expected.points);
  EXPECT_EQ(end.die1, run.expected.multiplier);
  EXPECT_EQ(end.die2, 0);
  EXPECT_EQ(end.moveNumber, run.expected.dropped ? -1 : 0);
  EXPECT_EQ(end.flags, kFlagGameEnd);
  EXPECT_NE(flow.newGameRequested, 0);
  expectRecordWellFormed(static_cast<int16_t>(record.gameRecordCount - 1));
  ++run.games;
  run.partMoves = 0;
  run.checkedEntries = 0;
  if (run.games >= kGames || ::testing::Test::HasFailure()) {
    shellFlags.quitRequested = -1;
    return;
  }
  chooseRules(run.games);
  shellFlags.modalBusy = 0;
}

class WholeGamesTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    run = GameRun{};
    displayServices.showDieUsed = [](int16_t) { checkAfterPartMove(); };
    turnServices.endGameHook = expectScore;
    turnServices.pumpEvents = pump;
  }
};

TEST_F(WholeGamesTest, ComputerAgainstComputerPlaysFiveHundredScoredGames) {
  seedRandom(9);
  fillDicePool();
  flow.opponentMode = 2;
  rollout.noPause = -1;
  shellFlags.fastPlay = kFastPlayOn;
  settings.soundOptions.soundOn = 0;
  skill.skillLevel = 3;
  flow.newGameRequested = -1;
  chooseRules(0);

  runMainLoop();

  EXPECT_EQ(run.games, kGames);
  EXPECT_EQ(flow.gamesThisRun, kGames);
  EXPECT_EQ(position.playerType[0], kComputerPlayer);
  EXPECT_EQ(position.playerType[1], kComputerPlayer);
  // The games cover every kind of result.
  EXPECT_GT(run.singles, 0);
  EXPECT_GT(run.gammons, 0);
  EXPECT_GT(run.backgammons, 0);
  EXPECT_GT(run.cubeTurned, 0);
  EXPECT_GT(run.drops, 0);
  std::printf("%d singles, %d gammons, %d backgammons, %d dropped doubles (after %d entries on average), "
              "%d with the cube turned\n",
              run.singles, run.gammons, run.backgammons, run.drops, run.dropEntries / std::max(run.drops, 1),
              run.cubeTurned);
}

}  // namespace
}  // namespace bg
