// The saved game: the exact bytes of a known game, reading back what was written, the
// older layout, and every refusal leaving the game as it was.
#include <algorithm>
#include <random>
#include <utility>

#include "computer/personalities.h"
#include "flow/sessions.h"
#include "rules/game_record.h"
#include "state/settings.h"
#include "state/rollout_state.h"
#include "storage/saved_game_reader.h"
#include "storage/saved_game_values.h"
#include "storage_fixture.h"

namespace bg::testing {
namespace {

// A tournament to 7 in the starting position, side 0 on roll with 3-5, cube 2 on side 1.
void setKnownGame() {
  setPosition("start | dice 3 5 | cube 2 1 | side 0");
  diceState.diceShowing = -1;
  flow.scores[0] = 3;
  flow.scores[1] = -2;
  interaction.playerRolledOver[1] = 255;
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 7;
  flow.movesAllowed = flow.movesLeft = 2;
  record.gameRecordCount = 0;
  record.gameRecord[0] = blankRecordEntry;
}

const std::string kKnownGameBytes =
    "\r"
    "Board  0  2  0  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2  0\r"
    "Scores 3 -2\r"
    "CubeValue 2\r"
    "CubeOwner 1\r"
    "PlayerDeclined  0\r"
    "DiceShowing -1\r"
    "Dice  3 5\r"
    "PlayerRolledOver  0 -1\r"
    "TournamentGoing -1\r"
    "TournamentPoints 7\r"
    "CrawfordRestrictions  0  0\r"
    "LastPlayerToMove 1\r"
    "MoveTable\r"
    " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r";

const std::string kKnownBoard = "Board  0  2  0  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2  0";

// Side 1 plays 3-1 13/10/9, side 0 5-2 12/17/19, side 1 6-3 9/3 13/10: the Board line after
// the three turns, and their rows after the header.
const std::string kThreeTurnsBoard =
    "Board  0  2  0 -1  0  0 -5  0 -3  0 -1  0  4 -3  0  0  0  3  0  6  0  0  0  0 -2  0";
const std::string kThreeTurnsRows[] = {" 1, 13, 10, 3, 3, 1, 1, 0, 0, 2048\r", " 1, 10, 9, 1, 3, 1, 2, 0, 0, 0\r",
                                       " 0, 12, 17, 5, 5, 2, 1, 0, 0, 2048\r", " 0, 17, 19, 2, 5, 2, 2, 0, 0, 0\r",
                                       " 1, 9, 3, 6, 6, 3, 1, 0, 0, 2048\r", " 1, 13, 10, 3, 6, 3, 2, 0, 0, 0\r"};

std::string shown(const std::string& bytes) {
  std::string s;
  for (const char c : bytes) s += c == '\r' ? std::string("\\r") : std::string(1, c);
  return s;
}

std::string withLine(std::string bytes, const std::string& from, const std::string& to) {
  const auto at = bytes.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) bytes.replace(at, from.size(), to);
  return bytes;
}

// One die of a roll played and recorded as the record's only entry, the other neither played
// nor recorded, and onRoll to roll next.
void oneDieLeftAfter(const GameRecordEntry& played, int16_t onRoll) {
  setRoll(4, 0);
  diceState.diceShowing = -1;
  flow.movesAllowed = 2;
  flow.movesLeft = 0;
  record.gameRecordCount = 1;
  record.gameRecord[1] = played;
  setSideOnRoll(onRoll);
}

using SavedGameFileTest = StorageTest;

TEST_F(SavedGameFileTest, AKnownGameIsWrittenByteForByte) {
  setKnownGame();
  storage.gameModified = -1;
  ASSERT_TRUE(saveGame(0));
  EXPECT_EQ(fileBytes(savedFile()), kKnownGameBytes);
  EXPECT_EQ(storage.gameModified, 0);
  EXPECT_EQ(shell.savedGameName.view(), "SavedGame");
  EXPECT_TRUE(sawMessage("#82"));
}

TEST_F(SavedGameFileTest, AKnownGameReadsBackIntoARunningTournament) {
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 3;
  storage.gameModified = -1;
  writeBytes(savedFile(), kKnownGameBytes);
  loadGame(0);
  EXPECT_TRUE(infoBoxes.empty());
  EXPECT_EQ(position.piecesOnBoard[0], 15);
  EXPECT_EQ(position.piecesOnBoard[1], 15);
  const SavedGame loaded = currentGameValues();
  setKnownGame();
  const SavedGame expected = currentGameValues();
  EXPECT_EQ(loaded.board, expected.board);
  EXPECT_EQ(loaded.scores, expected.scores);
  EXPECT_EQ(loaded.tournamentPoints, 7);
  EXPECT_EQ(loaded.dice, expected.dice);
  EXPECT_EQ(loaded.crawfordRestrictions, expected.crawfordRestrictions);
}

TEST_F(SavedGameFileTest, ReadingAKnownGameLeavesTheRollReadyForTheSideToMove) {
  flow.tournamentGoing = 255;
  writeBytes(savedFile(), kKnownGameBytes);
  storage.gameModified = -1;
  for (auto& end : display.dieSlots)
    for (auto& place : end) place.value = 6;  // a roll of this run
  loadGame(0);
  // The opening roll in hand, one die at each end; the outer place of the side that has
  // not rolled in this game is blank.
  EXPECT_EQ((std::vector<int>{display.dieSlots[0][0].value, display.dieSlots[0][1].value,
                              display.dieSlots[1][0].value, display.dieSlots[1][1].value}),
            (std::vector<int>{5, 3, 0, 5}));
  EXPECT_EQ(cube.cubeValue, 2);
  EXPECT_EQ(cube.cubeOwner, 1);
  EXPECT_EQ(flow.scores[0], 3);
  EXPECT_EQ(flow.scores[1], -2);
  EXPECT_EQ(position.openingPhase, -1);
  EXPECT_EQ(flow.turnNumber, 1);
  EXPECT_EQ(flow.movesAllowed, 2);
  EXPECT_EQ(flow.movesLeft, 2);
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(record.gameRecord[1].die1, 3);
  EXPECT_EQ(record.gameRecord[1].die2, 5);
  EXPECT_EQ(record.gameRecord[1].side, 0);
  EXPECT_EQ(hand.diceClicked, -1);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(display.redrawPending, -1);
  EXPECT_EQ(storage.gameModified, 0);
  EXPECT_EQ(interaction.playerRolledOver[1], 255);
  // The quit's own file read again is still the game to resume.
  EXPECT_EQ(shell.savedGameName.view(), "SavedGame");
}

TEST_F(SavedGameFileTest, ASavedMatchIsTakenUpWithItsOptionsKeptForItsEnd) {
  cube.beaverAllowed = -1;
  cube.jacobyRule = -1;
  settings.whoRollsFirst = 2;
  writeBytes(savedFile(), kKnownGameBytes);
  loadGame(0);
  EXPECT_EQ(flow.tournamentGoing, 255);
  EXPECT_EQ(flow.tournamentPoints, 7);
  EXPECT_EQ(flow.tournamentItemText.view(), kEndTournamentText);
  EXPECT_EQ(cube.beaverAllowed, 0);
  EXPECT_EQ(cube.jacobyRule, 0);
  EXPECT_EQ(settings.whoRollsFirst, 1);
  endTournament();
  EXPECT_EQ(cube.beaverAllowed, -1);
  EXPECT_EQ(cube.jacobyRule, -1);
  EXPECT_EQ(settings.whoRollsFirst, 2);
}

TEST_F(SavedGameFileTest, AGameWithoutAMatchEndsTheOneRunning) {
  flow.tournamentGoing = 255;
  writeBytes(savedFile(), withLine(kKnownGameBytes, "TournamentGoing -1", "TournamentGoing  0"));
  loadGame(0);
  EXPECT_EQ(flow.tournamentGoing, 0);
  EXPECT_EQ(flow.scores[0], 3);  // the loaded scores stay: the session is not closed
}

// The writer's rules for the cube, the side that moved last and the move table.
TEST_F(SavedGameFileTest, TheWriterFollowsThePendingDoubleAndTheRecord) {
  struct Row {
    const char* what;
    void (*set)();
    const char* line;
  } rows[] = {
      {"pending double", [] { cube.doublePending = -1; cube.cubeValue = 4; cube.cubeOwner = 0; cube.cubeOwnerBeforeDouble = 1; },
       "CubeValue 2\rCubeOwner 1\r"},
      {"empty record", [] { record.gameRecordCount = 0; setSideOnRoll(1); }, "LastPlayerToMove 0\rMoveTable\r 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r"},
      {"last entry", [] { record.gameRecordCount = 2; record.gameRecord[2].side = 1; }, "LastPlayerToMove 1\r"},
      {"game end", [] { record.gameRecordCount = 2; record.gameRecord[1].side = 0; record.gameRecord[2].side = 99; },
       "LastPlayerToMove 0\r"},
      {"negative scores", [] { flow.scores[0] = -5; flow.scores[1] = -3; }, "Scores -5 -3\r"},
      {"negative match", [] { flow.tournamentPoints = -1; }, "TournamentPoints -1\r"},
      // The 6 of a 6-4 played, the 4 neither played nor recorded: the next start would
      // refuse a roll of one die, so the roll is written as over.
      {"one die left unrecorded",
       [] {
         oneDieLeftAfter(
             {.side = 0, .fromPoint = 1, .toPoint = 7, .distance = 6, .die1 = 6, .die2 = 4, .moveNumber = 1}, 1);
       },
       "DiceShowing  0\rDice  0 0\r"},
      // The same after the computer's turn, the person to roll next.
      {"one die left after the other side's turn",
       [] { oneDieLeftAfter({.side = 1, .toPoint = 21, .distance = 4, .die1 = 4, .die2 = 2, .moveNumber = 2}, 0); },
       "DiceShowing  0\rDice  0 0\r"},
  };
  for (const Row& r : rows) {
    freshProgram();
    setPosition("start | side 0");
    r.set();
    ASSERT_TRUE(saveGame(0)) << r.what;
    EXPECT_NE(fileBytes(savedFile()).find(r.line), std::string::npos) << r.what << ": " << fileBytes(savedFile());
  }
}

// Read back, the record keeps room for the next turn: its oldest turns (one row each
// here) go, the latest rows stay as written.
TEST_F(SavedGameFileTest, AFullRecordIsWrittenWholeAndReadBackWithRoomForTheNextTurn) {
  setPosition("start | side 0");
  for (long n = 1; n <= kGameRecordHighest; ++n) record.gameRecord[n] = {static_cast<int16_t>(n % 2), 0, 0, 3, 3, 1, 1, 0, 0, 0};
  record.gameRecordCount = kGameRecordHighest;
  ASSERT_TRUE(saveGame(0));
  const SavedGame written = savedGameOfState();
  ASSERT_EQ(static_cast<long>(written.rows.size()), kGameRecordHighest + 1);
  resetGameRecord();
  loadGame(0);
  EXPECT_TRUE(infoBoxes.empty());
  const long kept = kLastPlayEntry - kPartMovesOfTurn;
  EXPECT_EQ(record.gameRecordCount, kept);
  EXPECT_EQ(record.gameRecord[0], written.rows[0]);
  for (long n = 1; n <= kept; ++n) ASSERT_EQ(record.gameRecord[n], written.rows[n + kGameRecordHighest - kept]) << n;
}

TEST_F(SavedGameFileTest, RowsPastTheLastEntryAreLeftOut) {
  std::string bytes = kKnownGameBytes;
  for (int n = 0; n < 1104; ++n) bytes += " 0, 0, 0, 3, 3, 1, 1, 0, 0, 0\r";
  flow.tournamentGoing = 255;
  writeBytes(savedFile(), bytes);
  loadGame(0);
  EXPECT_TRUE(infoBoxes.empty());
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry - kPartMovesOfTurn);
}

// What is written and read back is the game: written again after the turn flip it is
// the same file. Seeded random games with negative scores, pending doubles and records.
TEST_F(SavedGameFileTest, RandomGamesSurviveTheRoundTrip) {
  std::mt19937 rng(20240611);
  auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 60; ++round) {
    freshProgram();
    position.board = {};
    for (int side = 0; side <= 1; ++side) {
      for (int left = below(16); left > 0; --left) {
        const int p = below(26);
        const int dir = side == 0 ? 1 : -1;
        if ((side == 0 && p == 0) || (side == 1 && p == 25) || position.board[p] * dir < 0) continue;
        position.board[p] = static_cast<int16_t>(position.board[p] + dir);
      }
    }
    // A side with no checker left has finished its game: each keeps one.
    if (std::none_of(position.board.begin(), position.board.end(), [](int16_t c) { return c > 0; }))
      position.board[25] = 1;
    if (std::none_of(position.board.begin(), position.board.end(), [](int16_t c) { return c < 0; }))
      position.board[0] = -1;
    setSideOnRoll(static_cast<int16_t>(below(2)));
    flow.scores[0] = below(41) - 20;
    flow.scores[1] = below(41) - 20;
    cube.cubeValue = static_cast<int16_t>(1 << below(7));
    cube.cubeOwner = static_cast<int16_t>(below(3));
    if (below(4) == 0 && cube.cubeValue > 1) {
      cube.doublePending = -1;
      cube.cubeOwnerBeforeDouble = static_cast<int16_t>(below(3));
    }
    diceState.diceShowing = below(2) == 0 ? 0 : -1;
    if (diceState.diceShowing != 0) setRoll(static_cast<int16_t>(1 + below(6)), static_cast<int16_t>(1 + below(6)));
    flow.movesAllowed = flow.movesLeft = diceState.rolledDoubles != 0 ? 4 : 2;
    interaction.playerRolledOver[0] = below(2) == 0 ? 0 : 255;
    flow.tournamentGoing = below(2) == 0 ? 0 : 255;
    flow.tournamentPoints = static_cast<int16_t>(below(25));
    if (flow.tournamentGoing != 0) {
      // A match under way: a length, and no side at it yet.
      flow.tournamentPoints = static_cast<int16_t>(1 + flow.tournamentPoints);
      for (long side = 0; side <= 1; ++side) flow.scores[side] = std::min(flow.scores[side], flow.tournamentPoints - 1);
    }
    flow.crawfordRestrictions[0] = static_cast<int16_t>(below(2));
    record.gameRecordCount = static_cast<int16_t>(below(40));
    for (int n = 1; n <= record.gameRecordCount; ++n) {
      // Rows that leave their checker where it stands, so any board is the record's; a
      // double's marks only with its cube.
      const auto point = static_cast<int16_t>(below(27) - 1);
      const auto cubeValue = static_cast<int16_t>(below(2) * 2);
      int flags = below(4096);
      flags = cubeValue != 0 ? (flags | kFlagDoubleRecorded) & ~kFlagBeavered
                             : flags & ~(kFlagDoubleRecorded | kFlagBeavered | kFlagCubeWasCentred);
      record.gameRecord[n] = {static_cast<int16_t>(n == record.gameRecordCount ? below(2) : below(3)), point, point,
                              static_cast<int16_t>(below(7)), static_cast<int16_t>(below(7)),
                              static_cast<int16_t>(below(7)), static_cast<int16_t>(below(2)),
                              static_cast<int16_t>(below(3)), cubeValue, static_cast<int16_t>(flags)};
    }
    record.gameRecord[0].flags = static_cast<int16_t>(below(100));
    ASSERT_TRUE(saveGame(0)) << round;
    const std::string first = fileBytes(savedFile());
    const int16_t lastMover = savedGameOfState().lastPlayerToMove;

    flow.scores[0] = 99;
    setPosition("start | side 0");
    resetGameRecord();
    loadGame(0);
    ASSERT_TRUE(infoBoxes.empty()) << round << ": " << infoBoxes.front();
    EXPECT_EQ(position.currentPlayer, lastMover) << round;
    int16_t counted[2] = {0, 0};
    for (int16_t c : position.board) counted[c > 0 ? 0 : 1] = static_cast<int16_t>(counted[c > 0 ? 0 : 1] + std::abs(c));
    EXPECT_EQ(position.piecesOnBoard[0], counted[0]) << round;
    EXPECT_EQ(position.piecesOnBoard[1], counted[1]) << round;
    // The game loop hands the turn on before anything else happens.
    setSideOnRoll(position.otherPlayer);
    cube.doublePending = 0;
    ASSERT_TRUE(saveGame(0)) << round;
    EXPECT_EQ(fileBytes(savedFile()), first) << round;
  }
}

TEST_F(SavedGameFileTest, ADroppedDoubleCostsSideZeroTheCubeOnce) {
  writeBytes(savedFile(), withLine(withLine(kKnownGameBytes, "PlayerDeclined  0", "PlayerDeclined -1"),
                                   "TournamentGoing -1", "TournamentGoing  0"));
  loadGame(0);
  EXPECT_EQ(flow.scores[0], 1);
  EXPECT_EQ(cube.playerDeclined[1], 0);
}

TEST_F(SavedGameFileTest, ReadingRulesForSidesDiceAndTheStart) {
  std::string threeTurns = withLine(kKnownGameBytes, kKnownBoard, kThreeTurnsBoard);
  for (const std::string& r : kThreeTurnsRows) threeTurns += r;
  // Side 1's 6-5: 13/7, and the 5 it could not play.
  const std::string oneDieLeft =
      withLine(withLine(kKnownGameBytes, "Dice  3 5", "Dice  0 5"), "-5  0 -3  0  0  0  5 -5", "-5 -1 -3  0  0  0  5 -4") +
      " 1, 13, 7, 6, 6, 5, 1, 0, 0, 0\r 1, 0, 0, 5, 6, 5, 2, 0, 0, 0\r";
  struct Row {
    std::string from;
    std::string to;
    void (*check)();
  } rows[] = {
      {"LastPlayerToMove 1", "LastPlayerToMove 5", [] { EXPECT_EQ(position.currentPlayer, 0); }},
      {"LastPlayerToMove 1", "LastPlayerToMove-1", [] { EXPECT_EQ(position.currentPlayer, 0); }},
      // Dice used up: no double and nothing left to play, and no roll to replay.
      {"Dice  3 5", "Dice  0 0", [] {
         EXPECT_EQ(flow.movesAllowed, 2);
         EXPECT_EQ(flow.movesLeft, 0);
         EXPECT_EQ(diceState.rolledDoubles, 0);
         EXPECT_EQ(record.gameRecord[1].side, kEmptyEntrySide);
       }},
      {"Dice  3 5", "Dice  4 4", [] {
         EXPECT_EQ(flow.movesLeft, 4);
         EXPECT_EQ(diceState.dice[3].value, 4);
         EXPECT_EQ(diceState.rolledDoubles, -1);
       }},
      // One die left by a turn whose record ends with it unplayed: that turn is over, and
      // the next side rolls its own dice.
      {kKnownGameBytes, oneDieLeft,
       [] {
         EXPECT_EQ(diceState.diceShowing, 0);
         EXPECT_EQ(hand.diceClicked, 0);
         EXPECT_EQ(flow.movesLeft, 0);
         EXPECT_EQ(record.gameRecordCount, 2);
         EXPECT_EQ(record.gameRecord[3].side, kEmptyEntrySide);
       }},
      {"DiceShowing -1", "DiceShowing  0", [] {
         EXPECT_EQ(diceState.dice[0].value, 0);
         EXPECT_EQ(hand.diceClicked, 0);
         EXPECT_EQ(record.gameRecord[1].side, kEmptyEntrySide);
       }},
      {"Board  0  2", "Board  0  1", [] {
         EXPECT_EQ(position.openingPhase, 0);
         EXPECT_EQ(flow.turnNumber, 2);
       }},
      {" 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r", " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r 0, 0, 0, 5, 6, 5, 1, 0, 0, 0\r 1, 0, 0, 0, 1, 1, 0, 0, 0, 0\r 0, 0, 0, 0, 2, 3, 0, 0, 0, 0\r",
       [] {
         EXPECT_EQ(record.gameRecordCount, 3);
         EXPECT_EQ(flow.turnNumber, 2);  // the starting position, but more than two entries
       }},
      // The rolls the record counted are the game's figures again, and the frame shows the
      // game's last dice of each side: side 1's 4-4 and side 0's 3-5 in hand, which its end
      // shows once played.
      {" 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r", " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r 0, 0, 0, 5, 6, 5, 1, 0, 0, 2048\r"
       " 0, 0, 0, 6, 6, 5, 2, 0, 0, 0\r 1, 0, 0, 0, 4, 4, 0, 0, 0, 2048\r",
       [] {
         EXPECT_EQ(flow.pipsRolled[0], 11);
         EXPECT_EQ(flow.pipsRolled[1], 16);
         EXPECT_EQ(flow.doublesRolled[0], 0);
         EXPECT_EQ(flow.doublesRolled[1], 1);
         EXPECT_EQ((std::vector<int>{display.dieSlots[0][0].value, display.dieSlots[0][1].value,
                                     display.dieSlots[1][0].value, display.dieSlots[1][1].value}),
                   (std::vector<int>{3, 5, 4, 4}));
       }},
      // The three turns whole lead to their Board line: the game is read with its record.
      {kKnownGameBytes, threeTurns, [] { EXPECT_EQ(record.gameRecordCount, 6); }},
      // An old file's negative first score glued to its key: the key is not known.
      {"Scores 3 -2", "Scores-5 -2", [] { EXPECT_EQ(flow.scores[0], 4); }},
      {"Scores 3 -2", "Scores -5 -2", [] { EXPECT_EQ(flow.scores[0], -5); }},
      {"\rScores", "\rUnknownKey 12\rScores", [] { EXPECT_EQ(flow.scores[0], 3); }},
  };
  for (const Row& r : rows) {
    freshProgram();
    flow.scores[0] = 4;  // kept where the file's key is not known; short of the match's 7
    flow.tournamentGoing = 255;
    writeBytes(savedFile(), withLine(kKnownGameBytes, r.from, r.to));
    loadGame(0);
    EXPECT_TRUE(infoBoxes.empty()) << r.to;
    SCOPED_TRACE(r.to);
    r.check();
  }
}

// A damaged file is refused with a message and changes nothing of the game.
TEST_F(SavedGameFileTest, ADamagedFileIsRefusedAndChangesNothing) {
  const std::string moneyGame = withLine(kKnownGameBytes, "TournamentGoing -1", "TournamentGoing  0");
  std::string emptyBoard = "Board";
  for (int p = 0; p <= 25; ++p) emptyBoard += "  0";
  const std::string partial = kKnownGameBytes.substr(0, kKnownGameBytes.find("MoveTable"));
  const std::string rows[] = {
      "",
      "\r",
      partial,
      partial + "MoveTable\r",
      withLine(kKnownGameBytes, "CubeOwner 1", "CubeOwner 5"),
      withLine(kKnownGameBytes, "CubeValue 2", "CubeValue 3"),
      withLine(kKnownGameBytes, "CubeValue 2", "CubeValue 128"),
      withLine(kKnownGameBytes, "Dice  3 5", "Dice  9 9"),
      withLine(kKnownGameBytes, "Dice  3 5", "Dice -1 5"),
      withLine(kKnownGameBytes, "Board  0  2", "Board  0  3 1"),     // 16 checkers
      withLine(kKnownGameBytes, "-2  0\r", "-2  1\r"),               // side 0 on the other bar
      withLine(kKnownGameBytes, "Board  0  2", "Board  0 -2"),       // 17 of side 1
      kKnownGameBytes + " 0, 30, 10, 3, 3, 1, 1, 0, 0, 0\r",        // a move from no point
      kKnownGameBytes + " 1, 13, 10, 3, 9, 1, 1, 0, 0, 0\r",        // a die of 9
      kKnownGameBytes + " 7, 13, 10, 3, 3, 1, 1, 0, 0, 0\r",        // no such side
      kKnownGameBytes + " 99, 0, 2, 0, 1, -1, 0, 0, 0, 384\r",      // over: side 1 conceded
      // Cut short inside a row: the record would end before the game the board shows.
      kKnownGameBytes + " 1, 13, 8, 5, 6, 5, 1, 0",
      kKnownGameBytes + " 1, 13, 8, 5, 6, 5, 1, 0, 0, 0\r 0, 13",
      // One die of a roll in the starting position: no turn has ended there.
      withLine(kKnownGameBytes, "Dice  3 5", "Dice  0 5"),
      withLine(kKnownGameBytes, "Dice  3 5", "Dice  5 0"),
      // A die left with the record ending in a move, not in that die unplayed.
      withLine(withLine(kKnownGameBytes, "Dice  3 5", "Dice  0 5"), " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r",
               " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r 1, 13, 8, 5, 6, 5, 1, 0, 0, 0\r"),
      withLine(kKnownGameBytes, kKnownBoard, emptyBoard),
      withLine(kKnownGameBytes, kKnownBoard, "Board  0  0  0  0  0  0 -5  0 -3  0  0  0  0 -5  0  0  0  0  0  0  0  0  0  0 -2  0"),
      withLine(kKnownGameBytes, kKnownBoard, "Board  0  2  0  0  0  0  0  0  0  0  0  0  5  0  0  0  0  3  0  5  0  0  0  0  0  0"),
      withLine(moneyGame, "Scores 3 -2", "Scores 2147483647 -2"),
      withLine(moneyGame, "Scores 3 -2", "Scores 3 -2147483648"),
      withLine(moneyGame, "Scores 3 -2", "Scores 1000000000 0"),
      withLine(kKnownGameBytes, "TournamentPoints 7", "TournamentPoints 0"),
      withLine(kKnownGameBytes, "TournamentPoints 7", "TournamentPoints -5"),
      withLine(kKnownGameBytes, "Scores 3 -2", "Scores 3 7"),  // the match already won
  };
  auto refusedUnchanged = [this](const std::string& bytes, bool commandKey = false) {
    freshProgram();
    if (commandKey) turnServices.isModifierDown = [](int16_t code) { return code == kCommandModifier; };
    setPosition("13:-2 6:5 | dice 6 1 | cube 4 0 | side 1");
    flow.scores[0] = 7;
    storage.gameModified = -1;
    infoBoxes.clear();
    const GameSnapshot before;
    writeBytes(savedFile(), bytes);
    loadGame(0);
    EXPECT_EQ(infoBoxes.size(), 1u) << shown(bytes);
    EXPECT_TRUE(GameSnapshot() == before) << shown(bytes);
  };
  for (const std::string& bytes : rows) refusedUnchanged(bytes);
  // Refusals that name what is wrong: a step past a roll's four, a number too large for its
  // value, a record that does not lead to the Board line (cut at a row's end, or inside the
  // flags of its last row), a mark no double explains.
  const std::string header = " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r";
  const std::string threeTurns = withLine(kKnownGameBytes, kKnownBoard, kThreeTurnsBoard);
  auto withRows = [&](const std::string& bytes, const std::string& rows) { return withLine(bytes, header, header + rows); };
  const std::string firstFour = kThreeTurnsRows[0] + kThreeTurnsRows[1] + kThreeTurnsRows[2] + kThreeTurnsRows[3];
  const std::pair<std::string, std::string> named[] = {
      {withRows(kKnownGameBytes, " 1, 0, 0, 3, 3, 1, 9, 0, 0, 0\r"), "Move row 1 is step 9"},
      {withRows(kKnownGameBytes, " 1, 0, 0, 3, 3, 1, 32767, 0, 0, 0\r"), "step 32767"},
      {withRows(kKnownGameBytes, " 1, 0, 0, 3, 3, 1, 1, 0, 0, 0\r 0, 0, 0, 1, 3, 1, 2, 0, 0, 0\r"), "Move row 2 is step 2"},
      {withLine(kKnownGameBytes, "Dice  3 5", "Dice  65537 65537"), "The Dice line"},
      {withRows(kKnownGameBytes, " 1, 0, 0, 3, 3, 1, 65537, 0, 0, 0\r"), "Move row 1 holds a number"},
      {withLine(kKnownGameBytes, "TournamentGoing -1", "TournamentGoing 65536"), "The TournamentGoing line"},
      {withLine(kKnownGameBytes, "PlayerRolledOver  0 -1", "PlayerRolledOver  256 -1"), "The PlayerRolledOver line"},
      {withLine(kKnownGameBytes, "Scores 3 -2", "Scores 1000000000000 0"), "The Scores line"},
      {withRows(threeTurns, firstFour), "Move row 2 moves a checker of side 1 to point 9"},
      {withRows(threeTurns, firstFour + " 1, 9, 3, 6, 6, 3, 1, 0, 0, 20"), "Move row 5 records a double"},
      {withRows(threeTurns, firstFour + kThreeTurnsRows[4] + " 1, 13, 10, 3, 6, 3, 2, 0, 0, 64\r"), "Move row 6 hits"},
      {withRows(kKnownGameBytes, " 1, 0, 0, 3, 3, 1, 1, 0, 0, 8\r"), "Move row 1 records a double"},
  };
  for (const auto& [bytes, words] : named) {
    refusedUnchanged(bytes);
    if (!infoBoxes.empty()) {
      EXPECT_NE(infoBoxes.front().find(words), std::string::npos) << infoBoxes.front();
    }
  }
  // A Board line that is not 26 counts would leave points empty, their checkers taken for
  // borne off while the side still has checkers far from home; the refusal names the line.
  std::string nulInCount = kKnownBoard;
  nulInCount.insert(nulInCount.find("-5") + 1, 1, '\0');
  const std::string boardLines[] = {
      "Board  0  2  0  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 x2  0",
      nulInCount,
      "Board  0  2  0  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5",  // cut after 20
      kKnownBoard + "  0",
      "Board  0  2  0  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2.5  0",
      "Board  0  2  0  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 65534  0",
      // A digit glued to the key: read with it, 26 counts; read after it, the known board.
      "Board1 0  2  0  0  0  0 -5  0 -3  0  0  0  5 -5  0  0  0  3  0  5  0  0  0  0 -2",
  };
  for (const std::string& line : boardLines) {
    const std::string bytes = withLine(kKnownGameBytes, kKnownBoard, line);
    refusedUnchanged(bytes);
    if (!infoBoxes.empty()) {
      EXPECT_NE(infoBoxes.front().find("Board line"), std::string::npos) << infoBoxes.front();
    }
    // The board alone, read with the command key held, is held to the same counts.
    refusedUnchanged("\r" + line.substr(std::string("Board ").size()) + "\r", true);
  }
}

TEST_F(SavedGameFileTest, NoSavedGameIsToldAndChangesNothing) {
  setPosition("start | side 1");
  shell.savedGameName = "SavedGame";
  const GameSnapshot before;
  loadGame(0);
  EXPECT_TRUE(sawMessage("No Saved Game To Load"));
  EXPECT_TRUE(GameSnapshot() == before);
  EXPECT_TRUE(shell.savedGameName.empty());
}

TEST_F(SavedGameFileTest, TheBareBoardIsReadWhenTheCommandKeyIsHeld) {
  turnServices.isModifierDown = [](int16_t code) { return code == kCommandModifier; };
  writeBytes(savedFile(), "\r 0 2 0 0 0 0 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0\rScores 9 9\r");
  diceState.diceShowing = -1;
  flow.scores[0] = 1;
  loadGame(0);
  EXPECT_TRUE(infoBoxes.empty());
  EXPECT_EQ(position.board[12], 5);
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(diceState.diceShowing, 0);
  EXPECT_EQ(flow.scores[0], 1);
  EXPECT_EQ(position.openingPhase, -1);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_FALSE(fileIsOpen(kSavedGameFileNumber));
}

TEST_F(SavedGameFileTest, LoadingIsRefusedWhileACheckerIsHeldAQuestionWaitsOrASearchRuns) {
  struct Row {
    void (*set)();
    const char* message;
  } rows[] = {
      {[] { hand.pieceInHand = -1; }, "#2"},
      {[] { hand.boardWaitActive = -1; }, "#4"},
  };
  for (const Row& r : rows) {
    freshProgram();
    writeBytes(savedFile(), kKnownGameBytes);
    flowLog.messages.clear();
    storage.openDocumentPending = -1;
    storage.openedDocumentName.assign(savedFile().string());
    r.set();
    const GameSnapshot before;
    loadGame(0);
    EXPECT_TRUE(sawMessage(r.message)) << r.message;
    EXPECT_TRUE(GameSnapshot() == before);
    EXPECT_EQ(storage.openDocumentPending, 0);
  }
}

TEST_F(SavedGameFileTest, TheOpenedDocumentIsReadOnceByItsWholePath) {
  const auto other = folder_ / "elsewhere";
  std::filesystem::create_directories(other);
  writeBytes(other / "tuesday", kKnownGameBytes);
  storage.openDocumentPending = -1;
  storage.openedDocumentName.assign((other / "tuesday").string());
  flow.tournamentGoing = 255;
  loadGame(0);
  EXPECT_TRUE(infoBoxes.empty());
  EXPECT_EQ(flow.scores[0], 3);
  EXPECT_EQ(storage.openDocumentPending, 0);
  // The game being played: unchanged, a quit keeps it by its whole path.
  EXPECT_EQ(shell.savedGameName.str(), (other / "tuesday").string());
}

TEST_F(SavedGameFileTest, AnOpenedDocumentThatIsNotThereIsNamedInABox) {
  const auto missing = folder_ / "gone" / "tuesday";
  storage.openDocumentPending = -1;
  storage.openedDocumentName.assign(missing.string());
  const GameSnapshot before;
  loadGame(0);
  ASSERT_EQ(infoBoxes.size(), 1u);
  EXPECT_NE(infoBoxes.front().find(missing.string()), std::string::npos) << infoBoxes.front();
  EXPECT_TRUE(GameSnapshot() == before);
  EXPECT_EQ(storage.openDocumentPending, 0);
}

// Read once; its name stays the game to resume until another game replaces it, so a quit
// before anything changed resumes it again.
TEST_F(SavedGameFileTest, TheRememberedGameIsReadOnceAndStaysTheGameToResume) {
  writeBytes(folder_ / "friday", kKnownGameBytes);
  shell.savedGameName = "friday";
  storage.gameWasSaved = -1;
  storage.loadGameOnStartup = -1;
  flow.tournamentGoing = 255;
  loadGame(0);
  EXPECT_EQ(flow.scores[0], 3);
  EXPECT_EQ(storage.gameWasSaved, 0);
  EXPECT_EQ(shell.savedGameName.str(), "friday");
}

TEST_F(SavedGameFileTest, TheDialogsChooseTheFileAndACancelChangesNothing) {
  setKnownGame();
  storage.gameModified = -1;
  shell.savedGameName = "before";
  dialogAnswer = "";
  EXPECT_FALSE(saveGame(-1));
  EXPECT_EQ(dialogsShown, 1);
  EXPECT_FALSE(std::filesystem::exists(savedFile()));
  EXPECT_EQ(shell.savedGameName.view(), "before");
  EXPECT_EQ(storage.gameModified, -1);

  dialogAnswer = (folder_ / "sub" / "mine").string();
  std::filesystem::create_directories(folder_ / "sub");
  saveGameAs();
  EXPECT_EQ(fileBytes(folder_ / "sub" / "mine"), kKnownGameBytes);
  EXPECT_EQ(shell.savedGameName.view(), dialogAnswer);
  // A name takes no line end: the box asks again with the pasted one made a blank, and a
  // file of that name is not written over unless the box confirms it.
  static std::string suggested;
  storageServices.chooseSaveFile = [](std::string_view, std::string_view name) {
    suggested = name;
    return std::exchange(dialogAnswer, "");
  };
  writeBytes(folder_ / "sub" / "Ann LOADGAMEONSTARTUP   0", "theirs");
  dialogAnswer = (folder_ / "sub" / "Ann\r\nLOADGAMEONSTARTUP   0").string();
  EXPECT_FALSE(saveGame(-1));
  EXPECT_EQ(suggested, (folder_ / "sub" / "Ann LOADGAMEONSTARTUP   0").string());
  EXPECT_EQ(fileBytes(folder_ / "sub" / "Ann LOADGAMEONSTARTUP   0"), "theirs");
  // Nor does a folder of it. A game opened from there is kept at the quit as a changed one.
  const std::filesystem::path lined = folder_ / "sub\ndir";
  std::filesystem::create_directories(lined);
  dialogAnswer = (lined / "mine").string();
  EXPECT_FALSE(saveGame(-1));
  EXPECT_EQ(suggested, (folder_ / "sub dir" / "mine").string());
  EXPECT_FALSE(std::filesystem::exists(lined / "mine"));
  std::filesystem::copy_file(folder_ / "sub" / "mine", lined / "mine");
  storage.gameModified = 0;
  dialogAnswer = (lined / "mine").string();
  openSavedGame();
  EXPECT_EQ(flow.scores[1], -2);
  EXPECT_TRUE(shell.savedGameName.empty());
  EXPECT_EQ(storage.gameModified, -1);

  setPosition("start | side 1");
  const GameSnapshot before;
  dialogAnswer = "";
  openSavedGame();
  EXPECT_TRUE(GameSnapshot() == before);
  dialogAnswer = (folder_ / "sub" / "mine").string();
  openSavedGame();
  EXPECT_EQ(flow.scores[1], -2);
}

TEST_F(SavedGameFileTest, ASaveIsRefusedMidRollOrWithACheckerHeldAndToldSo) {
  struct Row {
    int16_t movesAllowed, movesLeft, pieceInHand;
    bool saved;
  } rows[] = {{2, 1, 0, false}, {4, 2, 0, false}, {2, 2, 0, true}, {2, 0, 0, true}, {2, 2, -1, false}};
  for (const Row& r : rows) {
    freshProgram();
    std::filesystem::remove(savedFile());
    setKnownGame();
    flowLog.messages.clear();
    flow.movesAllowed = r.movesAllowed;
    flow.movesLeft = r.movesLeft;
    hand.pieceInHand = r.pieceInHand;
    storage.gameModified = -1;
    EXPECT_EQ(saveGame(0), r.saved) << r.movesLeft;
    EXPECT_EQ(std::filesystem::exists(savedFile()), r.saved) << r.movesLeft;
    EXPECT_EQ(storage.gameModified, r.saved ? 0 : -1);
    EXPECT_EQ(flowLog.messages.size(), 1u) << r.movesLeft;  // saved, or why not
  }
}

TEST_F(SavedGameFileTest, AFailedWriteKeepsTheOldFileTheFlagAndTheName) {
  setKnownGame();
  ASSERT_TRUE(saveGame(0));
  const std::string old = fileBytes(savedFile());
  flow.scores[0] = 11;
  storage.gameModified = -1;
  // A folder in the file's place cannot be written, whoever runs the test.
  dialogAnswer = folder_.string();
  flowLog.messages.clear();
  EXPECT_FALSE(saveGame(-1));
  EXPECT_EQ(fileBytes(savedFile()), old);
  EXPECT_EQ(storage.gameModified, -1);
  EXPECT_EQ(shell.savedGameName.view(), "SavedGame");
  EXPECT_TRUE(sawMessage("The game could not be saved. " + folder_.filename().string() + " is a folder, not a file."));
  EXPECT_FALSE(sawMessage("#82"));
  // A name longer than the folder takes is refused with its cause; one that it takes is saved.
  for (const std::size_t length : {250u, 256u}) {
    dialogAnswer = (folder_ / std::string(length, 'g')).string();
    flowLog.messages.clear();
    EXPECT_EQ(saveGame(-1), length == 250u) << length;
    std::error_code unused;
    EXPECT_EQ(std::filesystem::exists(dialogAnswer, unused), length == 250u) << length;
    if (length != 250u) {
      EXPECT_TRUE(sawMessage("The game could not be saved. The name is longer than the system allows."));
    }
  }
}

TEST_F(SavedGameFileTest, WhileQuittingTheSavedMessageIsSetButNotShown) {
  setKnownGame();
  shell.quitting = -1;
  flowLog.messages.clear();
  ASSERT_TRUE(saveGame(0));
  EXPECT_EQ(interaction.messageNumber, 82);
  EXPECT_TRUE(flowLog.messages.empty());
}

// The older layout: fields split by commas and line ends alike, settings in the middle.
TEST_F(SavedGameFileTest, TheOlderLayoutReachesTheSameGame) {
  const std::string older =
      "\r"
      "6.4\r"
      "0, 2, 0, 0, 0, 0, -5\r0, -3, 0, 0, 0, 5, -5, 0, 0, 0, 3, 0, 5, 0, 0, 0, 0, -2, 0\r"
      "3, -2\r2\r1\r"
      "0, 0, 9600, 555-1234, Ann, Bob, 0, 4, 3, 0\r"
      "-1, 0, -1, 0, 0, 0, 255, 0\r"
      "0\r-1, 3, 5\r0, -1\r0, 7, 0, 0\r1\r"
      " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r"
      " 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r";
  writeBytes(savedFile(), older);
  loadGame(0);
  ASSERT_TRUE(infoBoxes.empty()) << infoBoxes.front();
  const SavedGame fromOlder = currentGameValues();
  const int16_t moves = flow.movesLeft;

  freshProgram();
  writeBytes(savedFile(), withLine(kKnownGameBytes, "TournamentGoing -1", "TournamentGoing  0"));
  loadGame(0);
  SavedGame fromKeyed = currentGameValues();
  EXPECT_EQ(fromOlder.board, fromKeyed.board);
  EXPECT_EQ(fromOlder.scores, fromKeyed.scores);
  EXPECT_EQ(fromOlder.cubeValue, fromKeyed.cubeValue);
  EXPECT_EQ(fromOlder.cubeOwner, fromKeyed.cubeOwner);
  EXPECT_EQ(fromOlder.dice, fromKeyed.dice);
  EXPECT_EQ(fromOlder.playerRolledOver, fromKeyed.playerRolledOver);
  EXPECT_EQ(fromOlder.lastPlayerToMove, fromKeyed.lastPlayerToMove);
  EXPECT_EQ(moves, flow.movesLeft);
}

TEST_F(SavedGameFileTest, TheOlderLayoutsSettingsGoThroughTheirCommandsOnlyWhereTheyDiffer) {
  static OlderLayoutSettings seen;
  static int applied = 0;
  applied = 0;
  storageServices.applyOlderLayoutSettings = [](const OlderLayoutSettings& s) {
    seen = s;
    ++applied;
  };
  writeBytes(savedFile(),
             "\rx\r0,2,0,0,0,0,-5,0,-3,0,0,0,5,-5,0,0,0,3,0,5,0,0,0,0,-2,0\r0,0,1,2\r"
             "0,0,0,555,\"Smith, Ann\",Bob,0,11,4,0\r0,8,-1,0,-1,0,255,0\r0\r0\r0,0\r0\r5,0,0\r0\r");
  loadGame(0);
  ASSERT_EQ(applied, 1);
  EXPECT_EQ(seen.playerNames[0].view(), "Smith, Ann");
  EXPECT_EQ(seen.phoneNumber.view(), "555");
  EXPECT_EQ(seen.soundLevel, 11);
  EXPECT_EQ(seen.skillLevel, 4);
  EXPECT_EQ(seen.autoDoubleMax, 8);
  EXPECT_EQ(seen.beaverAllowed, -1);
  EXPECT_EQ(seen.rollOverOnce, -1);
  EXPECT_EQ(seen.crawfordRule, 255);
  // Out of range, the least form keeps the level and the skill in force.
  storageServices.applyOlderLayoutSettings = storageLeast::storeOlderLayoutSettings;
  seen.skillLevel = 9;
  storageLeast::storeOlderLayoutSettings(seen);
  EXPECT_EQ(settings.soundOptions.soundLevel, 8);
  EXPECT_EQ(skill.skillLevel, kHighestSkillLevel);
}

TEST(SavedGameValues, NumbersAreSeparatedByBlanksOnly) {
  struct Row {
    const char* text;
    int16_t start;
    std::vector<int32_t> numbers;
  } rows[] = {
      {" 3 -2", 1, {3, -2, 0}},
      {"  3 5", 1, {3, 5, 0}},
      {" 5-3", 1, {5, 0}},
      {" 1,2 3", 1, {1, 3, 0}},
      {"Board  0 -5", 6, {0, -5, 0}},
      {"", 1, {0, 0}},
      {" 70000 -70000", 1, {70000, -70000}},
  };
  for (const Row& r : rows) {
    int16_t at = r.start;
    for (const int32_t n : r.numbers) EXPECT_EQ(nextNumberField(r.text, at), n) << r.text;
  }
  SavedGame g;
  g.board.fill(7);
  EXPECT_FALSE(parseBoardLine("Board  1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20", g));
  EXPECT_EQ(g.board[19], 20);
  for (long p = 20; p <= 25; ++p) EXPECT_EQ(g.board[p], 0) << p;
}

// The record reset, each of its four cases.
TEST_F(SavedGameFileTest, TheRecordResetKeepsRollsOnlyWhenAsked) {
  auto fill = [] {
    for (long n = 0; n <= kGameRecordHighest; ++n) record.gameRecord[n] = {1, 13, 7, 6, 6, 4, 2, 1, 2, 8};
  };
  fill();
  resetGameRecord();
  EXPECT_EQ(record.gameRecord[0], blankRecordEntry);
  for (long n = 1; n <= kGameRecordHighest; ++n) {
    GameRecordEntry empty;
    empty.side = kEmptyEntrySide;
    ASSERT_EQ(record.gameRecord[n], empty) << n;
  }
  for (const bool swap : {false, true}) {
    fill();
    record.gameRecordCount = 37;
    rollout.keepRollsOnReset = -1;
    rollout.swapSidesOnReset = swap ? -1 : 0;
    resetGameRecord();
    const GameRecordEntry kept{static_cast<int16_t>(swap ? 0 : 1), 0, 0, 0, 6, 4, 0, 0, 0, 0};
    EXPECT_EQ(record.gameRecord[5], kept) << swap;
    EXPECT_EQ(record.gameRecord[kGameRecordHighest], kept) << swap;
    EXPECT_EQ(record.gameRecord[37].side, kEmptyEntrySide);
    EXPECT_EQ(record.gameRecord[37].die1, 0);
    EXPECT_EQ(rollout.keepRollsOnReset, 0);
    EXPECT_EQ(rollout.swapSidesOnReset, 0);
  }
  fill();
  rollout.swapSidesOnReset = -1;
  resetGameRecord();
  EXPECT_EQ(record.gameRecord[5].side, kEmptyEntrySide);
  EXPECT_EQ(record.gameRecord[5].die1, 0);
  EXPECT_EQ(rollout.swapSidesOnReset, 0);
}

}  // namespace
}  // namespace bg::testing
