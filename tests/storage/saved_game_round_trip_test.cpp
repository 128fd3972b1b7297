// Games saved at moments of real play, the computer against itself, each loaded into a
// fresh program: the same game comes back, and the side that rolled next in the game as
// played rolls next in the loaded one, with the same dice when the roll was in hand. A
// finished game is refused.
#include <random>

#include "computer/personalities.h"
#include "state/display_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "storage_fixture.h"

namespace bg::testing {
namespace {

constexpr int kGames = 200;
constexpr int kPartMoveCap = 3000;  // a game this long is taken to be stuck
constexpr unsigned kSaveOneIn = 12;  // how often a roll or a turn end is saved

enum Moment : int { kRollShown, kTurnEnd, kBlockedTurn, kDoubleTaken, kGameEnd, kMomentKinds };
const char* const kMomentNames[] = {"roll shown", "turn end", "blocked turn", "double taken", "game end"};

struct Save {
  int game = 0;
  Moment moment = kRollShown;
  std::string bytes;
  SavedGame written;        // the game as the writer saw it
  int16_t count = 0;        // the record's count at the save
  bool rollInHand = false;  // the roll shown, none of it played
  int16_t die1 = 0, die2 = 0;
  bool finished = false;    // a side had no checker left
  // The game as played on: the side of the first entry after the save, and its dice.
  int16_t nextSide = -1, nextDie1 = 0, nextDie2 = 0;
};

struct PlayRun {
  std::mt19937 rng{31};
  std::vector<Save> saves;
  std::size_t firstOfGame = 0;
  int games = 0, partMoves = 0;
  int16_t cubeSeen = 1;
  int16_t blockedSavedAt = -1;  // the record's count at the last blocked turn saved
  CheckedArray<int, kMomentKinds - 1> byMoment;
};
PlayRun run;

bool isUnplayedDie(const GameRecordEntry& e) {
  return (e.side == 0 || e.side == 1) && e.fromPoint == 0 && e.toPoint == 0 && e.distance > 0;
}

// The first entry of a side after entry `count`: who rolled next, and what.
const GameRecordEntry* firstSideEntryAfter(int16_t count) {
  for (long n = count + 1; n <= record.gameRecordCount; ++n)
    if (record.gameRecord[n].side == 0 || record.gameRecord[n].side == 1) return &record.gameRecord[n];
  return nullptr;
}

void saveNow(Moment moment) {
  // A game over by a dropped double is no game to resume; the end of one borne off is.
  if (cube.playerDeclined[0] != 0 || cube.playerDeclined[1] != 0) return;
  Save s;
  s.game = run.games;
  s.moment = moment;
  s.written = savedGameOfState();
  s.count = record.gameRecordCount;
  s.rollInHand = diceState.diceShowing != 0 && flow.movesLeft == flow.movesAllowed && flow.movesLeft > 0;
  s.die1 = diceState.dice[0].value;
  s.die2 = diceState.dice[1].value;
  s.finished = position.piecesOnBoard[0] == 0 || position.piecesOnBoard[1] == 0;
  if (!saveGame(0)) return;  // part of the roll played: nothing to save
  s.bytes = fileBytes(std::filesystem::path(dataFilePath("SavedGame")));
  ++run.byMoment[moment];
  run.saves.push_back(std::move(s));
}

bool chance() { return run.rng() % kSaveOneIn == 0; }

void onRollShown() {
  if (chance()) saveNow(kRollShown);
}

void onTurnEnd() {
  if (chance()) saveNow(kTurnEnd);
}

// The computer's notice after dice it could not play, the dice still on the board.
void onPause(double) {
  const int16_t count = record.gameRecordCount;
  if (count < 1 || count == run.blockedSavedAt || !isUnplayedDie(record.gameRecord[count])) return;
  if (flow.movesLeft != 0 || diceState.diceShowing == 0) return;
  run.blockedSavedAt = count;
  saveNow(kBlockedTurn);
}

// The board is brought up to date after a double is taken, before the doubler rolls.
void onFlush() {
  if (cube.cubeValue <= run.cubeSeen) return;
  run.cubeSeen = cube.cubeValue;
  saveNow(kDoubleTaken);
}

void onPartMove() {
  if (++run.partMoves > kPartMoveCap) {
    ADD_FAILURE() << "game " << run.games << " does not end";
    shellFlags.quitRequested = flow.newGameRequested = -1;
    shellFlags.modalBusy = 1;
  }
}

// Scored: the game as played is known to its end. Saved once more, finished.
void onGameEnd() {
  saveNow(kGameEnd);
  for (std::size_t i = run.firstOfGame; i < run.saves.size(); ++i) {
    Save& s = run.saves[i];
    if (const GameRecordEntry* next = firstSideEntryAfter(s.count)) {
      s.nextSide = next->side;
      s.nextDie1 = next->die1;
      s.nextDie2 = next->die2;
    } else if (cube.playerDeclined[0] != 0 || cube.playerDeclined[1] != 0) {
      s.nextSide = cube.playerDeclined[0] != 0 ? 1 : 0;  // the doubler acted, then no one rolled
    }
  }
  run.firstOfGame = run.saves.size();
  run.cubeSeen = 1;
  run.blockedSavedAt = -1;
  shellFlags.modalBusy = 1;  // as the end-of-game dialog would
}

// Varied rules, skill and personality, the same for a game and its loads.
void chooseRules(int game) {
  // When to check for a concession is the running program's, not the game's: a loaded
  // game checks at once.
  options.autoConcessions = 0;
  cube.cubeUsed = game % 3 == 0 ? -1 : 0;
  cube.jacobyRule = game % 2 == 0 ? -1 : 0;
  cube.autoDoubleMax = game % 4 == 0 ? 2 : 0;
  options.wagerAmount = game % 5 == 0 ? 2 : 1;
  skill.skillLevel = static_cast<int16_t>(game % 5 + 1);
  skill.skillFactor = skillFactorFor(skill.skillLevel);
  skill.personality = static_cast<int16_t>(game / 5 % 3 + 1);
}

void pump() {
  if (shellFlags.modalBusy == 0 || shellFlags.quitRequested != 0) return;
  run.partMoves = 0;
  if (++run.games >= kGames || ::testing::Test::HasFailure()) {
    shellFlags.quitRequested = -1;
    return;
  }
  chooseRules(run.games);
  shellFlags.modalBusy = 0;
}

void computerAgainstComputer() {
  flow.opponentMode = kComputersOnly;
  position.playerType[0] = position.playerType[1] = kComputerPlayer;
  rollout.noPause = -1;
  shellFlags.fastPlay = kFastPlayOn;
  settings.soundOptions.soundOn = 0;
}

// The loaded game played on until a side has an entry after the saved record.
int16_t watchedCount = 0;
int turnsPlayed = 0;
void stopOnceASidePlayed() {
  if (record.gameRecordCount > watchedCount || ++turnsPlayed > 2) shellFlags.quitRequested = -1;
}

class SavedGameRoundTrip : public StorageTest {
 protected:
  void freshComputerProgram(int game) {
    resetProgramState();
    installComputerSearchServices();
    installFlowServices();
    resetGameRecord();
    installFakes();
    shellServices.pauseAfterMove = shellServices.pauseSeconds = [](double) {};
    seedRandom(7000 + game);
    fillDicePool();
    computerAgainstComputer();
    chooseRules(game);
  }
};

TEST_F(SavedGameRoundTrip, GamesSavedAtAnyMomentOfPlayLoadAsTheSameGameWithTheSameSideToRoll) {
  run = PlayRun{};
  turnServices.speakDiceRoll = onRollShown;
  turnServices.drawPipCounts = onTurnEnd;
  turnServices.endGameHook = onGameEnd;
  turnServices.pumpEvents = pump;
  displayServices.showDieUsed = [](int16_t) { onPartMove(); };
  shellServices.pauseAfterMove = onPause;
  displayServices.flushBoardWindow = onFlush;
  options.speakComputerDice = -1;
  options.showPipCounts = -1;
  seedRandom(31);
  fillDicePool();
  computerAgainstComputer();
  flow.newGameRequested = -1;
  chooseRules(0);
  runMainLoop();
  ASSERT_EQ(run.games, kGames);
  for (const int n : run.byMoment) EXPECT_GT(n, 0);

  for (const Save& s : run.saves) {
    SCOPED_TRACE("game " + std::to_string(s.game) + ", " + kMomentNames[s.moment] + ", entry " +
                 std::to_string(s.count));
    freshComputerProgram(s.game);
    writeBytes(savedFile(), s.bytes);
    loadGame(0);
    if (s.finished) {
      EXPECT_EQ(infoBoxes.size(), 1u);
      EXPECT_NE(flow.abortTurn, kLeaveTurn);
      continue;
    }
    ASSERT_TRUE(infoBoxes.empty()) << infoBoxes.front();
    // The same game: written again it is what was written, less a roll that was over.
    SavedGame expected = s.written;
    if (!s.rollInHand) {
      expected.diceShowing = 0;
      expected.dice = {};
    }
    // The side that moved last is the one the loaded game hands the turn on from; after
    // an opening's automatic double (no side's entry) the dice choose the side instead.
    if (expected.lastPlayerToMove != 0 && expected.lastPlayerToMove != 1) expected.lastPlayerToMove = 0;
    EXPECT_EQ(position.currentPlayer, expected.lastPlayerToMove);
    SavedGame loaded = savedGameOfState();
    loaded.lastPlayerToMove = position.currentPlayer;
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(position.board, s.written.board);
    EXPECT_EQ(record.gameRecordCount, s.count);
    EXPECT_EQ(diceState.diceShowing != 0, s.rollInHand);

    // The computer's cube decisions are not all the game's (its skill draws at random):
    // the loaded game goes on without the cube, so the side on turn rolls.
    cube.cubeUsed = 0;
    watchedCount = s.count;
    turnsPlayed = 0;
    turnServices.drawPipCounts = stopOnceASidePlayed;
    turnServices.endGameHook = [] { shellFlags.quitRequested = -1; };
    options.showPipCounts = -1;
    runMainLoop();
    const GameRecordEntry* next = firstSideEntryAfter(s.count);
    EXPECT_EQ(next != nullptr ? next->side : -1, s.nextSide);
    if (s.rollInHand && next != nullptr) {
      EXPECT_EQ((std::pair{next->die1, next->die2}), (std::pair{s.die1, s.die2}));
      EXPECT_EQ((std::pair{next->die1, next->die2}), (std::pair{s.nextDie1, s.nextDie2}));
    }
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace bg::testing
