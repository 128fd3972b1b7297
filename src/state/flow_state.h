#pragma once
// Values of the game flow (turns, games, match) that the rules read and write.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

inline constexpr uint8_t kLeaveTurn = 255;     // abortTurn: leave the current turn at once
inline constexpr int16_t kWinnerRollsFirst = 2;  // whoRollsFirst
// opponentMode
inline constexpr int16_t kComputerOpponent = 1;
inline constexpr int16_t kComputersOnly = 2;
inline constexpr int16_t kTwoPeople = 3;
// A score or a money balance stays within this either way, so the sum or difference of two
// is always an Int32.
inline constexpr int32_t kHighestScore = 999999999;

struct FlowState {
  uint8_t abortTurn = 0;          // 255: leave the current turn at once
  int16_t newGameRequested = 0;   // -1: start a new game at the next pass of the game loop
  int16_t turnNumber = 1;         // 1 = the opening move
  int16_t movesAllowed = 0;       // part-moves of the roll: 2, or 4 on doubles
  int16_t movesLeft = 0;
  int16_t moveNumber = 0;         // part-move number within the turn
  int16_t movePhaseOver = 0;      // -1 once the move phase of the turn is over
  int16_t turnEndPending = 0;     // -1: the end of the human's turn is handled elsewhere
  int16_t forcedMovePlayed = 0;   // -1 while a forced play is made automatically
  int16_t bestMoveForHuman = 0;   // -1 while the best move is played for the human
  int16_t rollClickWaitActive = 0;
  int16_t keyCommandBusy = 0;     // -1: a posted click waits to be taken by the next board wait
  int16_t newGameClickPosted = 0;  // -1: the posted click is the one a new game left for its first roll
  int16_t continueGame = 0;       // play goes on after a dropped double or a concession
  int16_t winnerSide = 0;         // winner of the game just ended
  int16_t gameResultFlag = 0;     // -1 from a game's result until the next game or play on
  int16_t sessionEndState = 0;    // the farewell's opening: 0 no game ended this session, 1 one did
  CheckedArray<int32_t, 1> scores;  // points won in the match or money session
  CheckedArray<int32_t, 1> savedScores;  // the session's scores before two people shared the board
  uint8_t tournamentGoing = 0;    // 255 while a match to tournamentPoints is played
  int16_t tournamentPoints = 0;   // the match length
  uint8_t moneySessionActive = 0;
  int16_t opponentMode = kComputerOpponent;  // or kComputersOnly, kTwoPeople
  int16_t rollWaitActive = 0;     // -1 while the wait for the roll or a double runs
  int16_t gamesThisRun = 0;       // games started since start-up, rollouts not counted
  int16_t firstRollNeedsClick = 0;  // -1: even with automatic rolls the next roll waits for a click
  int16_t opponentModeTemporary = 0;  // the end of a game restores opponent mode 1 when set
  Str255 opponentCommand;
  Str255 opponentMessage;         // outgoing code or text of a side without input
  int16_t concessionLevel = 0;    // 0 none, 1 single game, 2 gammon, 3 backgammon
  int16_t scoreDisplayMode = 0;   // 1 while a money session runs: the board shows balances
  Str255 tournamentItemText;      // Game menu item 3's text, its own home (empty: the start text)
  // The options as the tournament set-up found them; its end puts them back.
  int16_t savedAutoDoubleMax = 0;
  int16_t savedBeaverAllowed = 0;
  int16_t savedJacobyRule = 0;
  int16_t savedWhoRollsFirst = 1;
  int16_t savedRollOverOnce = 0;
  int16_t savedRerollFirstRoll = 0;
  int16_t savedAcceptDoubles = 0;

  // Per-game statistics of each side.
  CheckedArray<int16_t, 1> autoConcession;
  CheckedArray<int16_t, 1> whoIsWinningUses;
  CheckedArray<int16_t, 1> whoIsAheadUses;
  CheckedArray<int32_t, 1> pipsRolled;
  CheckedArray<int16_t, 1> doublesRolled;
  CheckedArray<int16_t, 1> gamePointsBySide;
  CheckedArray<int16_t, 1> turnTakeBacks;

  // Session counters of the cube and of take-backs.
  CheckedArray<int16_t, 1> crawfordRestrictions;  // the side may not double this game
  CheckedArray<int16_t, 1> doublesBySide;
  CheckedArray<int16_t, 1> takesBySide;
  CheckedArray<int16_t, 1> cubeHintCount;
  CheckedArray<int16_t, 1> doubleTakeBacks;
  int16_t highestCube = 2;
};

extern FlowState flow;

// The turn is being left (a take-back, the board flipped, a game loaded, the opponent
// changed): the side on roll changes at the hand-over, so nothing of the roll in hand is
// played, listed or given back until then.
inline bool turnBeingLeft() { return flow.abortTurn != 0; }

// Some of the roll in hand is played and some is not.
inline bool partOfRollPlayed() { return flow.movesLeft != 0 && flow.movesLeft != flow.movesAllowed; }

}  // namespace bg
