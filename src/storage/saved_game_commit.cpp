#include "storage/saved_game_commit.h"

#include <algorithm>

#include "flow/opponent_modes.h"
#include "flow/sessions.h"
#include "flow/turn.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rules/game_record.h"
#include "rules/record_walk.h"
#include "rules/side_to_move.h"
#include "rules/starting_position.h"
#include "runtime/core/format.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "state/storage_state.h"
#include "storage/storage_services.h"

namespace bg {

namespace {

constexpr int16_t kLaterTurn = 2;
constexpr int16_t kOpeningTurnsInRecord = 2;
constexpr int16_t kNoStarterYet = -1;
constexpr int16_t kOpeningOver = 2;
constexpr int16_t kOpeningDiePlace = 1;  // the inner die place of each end
constexpr int16_t kOuterDiePlace = 0;

void putBoard(const SavedGame& g) {
  const BoardCounts b = boardCountsOf(g.board);
  position.board = b.board;
  position.piecesOnBoard = b.piecesOnBoard;
  position.openingPhase = 0;
}

// A money session's balances and a game's points are not each other's: the file's scores
// and match go into a run of its own kind only. A session goes on with its balance whatever
// game is opened in it, and a session's game opened outside one shows no money as points.
bool ofTheRunsKind(const SavedGame& g) { return (g.moneySession != 0) == (flow.moneySessionActive != 0); }

void putTournament(const SavedGame& g) {
  const bool running = flow.tournamentGoing != 0;
  const bool saved = g.tournamentGoing != 0;
  if (saved && !running && flow.moneySessionActive == 0) resumeTournamentFromSave();
  if (!saved && running) endTournament();
  if (!ofTheRunsKind(g)) return;
  flow.tournamentPoints = g.tournamentPoints;
  flow.crawfordRestrictions = g.crawfordRestrictions;
}

void putRecord(const SavedGame& g) {
  resetGameRecord();
  for (std::size_t n = 0; n < g.rows.size(); ++n) record.gameRecord[static_cast<long>(n)] = g.rows[n];
  record.gameRecordCount = static_cast<int16_t>(g.rows.size() - 1);
}

// The dice in hand: equal dice are a double. A roll that is over (used up, or ended by
// dice that could not be played) is taken off: the next side rolls afresh. Nothing of the
// loaded roll is played yet, whatever was played of the roll it replaces.
void makeDiceReady() {
  auto& d = diceState.dice;
  diceState.rolledDoubles = 0;
  flow.movesAllowed = kPartMovesOfPlainRoll;
  flow.movesLeft = 0;
  flow.moveNumber = 0;
  if (diceState.diceShowing == 0) {
    for (auto& die : d) die.value = 0;
  } else if (d[0].value == d[1].value) {
    diceState.rolledDoubles = -1;
    flow.movesAllowed = kPartMovesOfTurn;
    flow.movesLeft = kPartMovesOfTurn;
    d[2].value = d[0].value;
    d[3].value = d[0].value;
  } else {
    flow.movesLeft = kPartMovesOfPlainRoll;
    d[2].value = 0;
    d[3].value = 0;
  }
  for (long i = 0; i <= 3; ++i) diceState.rolledDice[i] = d[i].value;
}

// The roll in hand is replayed, not rolled again, when play goes on (the record has room
// for it); a used-up roll has nothing to replay.
void recordRollInHand(const SavedGame& g) {
  if (diceState.diceShowing == 0) return;
  GameRecordEntry& e = record.gameRecord[record.gameRecordCount + 1];
  e.die1 = g.dice[0];
  e.die2 = g.dice[1];
  e.side = static_cast<int16_t>(1 - position.currentPlayer);
}

// Drawn before the events are let in: a key, a click or a box taken in that pass meets the
// game now held, not the board of the one it replaced.
void redrawWithSideToMove() {
  exchangeSideToMove();
  hook::redrawBoardWindow();
  hook::pumpEvents();
  exchangeSideToMove();
}

// The game's figures are the rolls its record counted: a resumed game shows its own.
void countRecordedRolls() {
  for (int16_t side = 0; side <= 1; ++side) {
    flow.pipsRolled[side] = 0;
    flow.doublesRolled[side] = 0;
  }
  for (int16_t n = 1; n <= record.gameRecordCount; ++n) {
    const GameRecordEntry& e = record.gameRecord[n];
    if ((e.flags & kFlagRollCounted) == 0 || (e.side != kPlayer0 && e.side != kPlayer1)) continue;
    const bool doubles = e.die1 == e.die2;
    flow.pipsRolled[e.side] += doubles ? kPartMovesOfTurn * e.die1 : e.die1 + e.die2;
    if (doubles) flow.doublesRolled[e.side] += 1;
  }
}

// The frame shows each side's last dice of the game, the roll in hand included, placed as
// the roll put them; a side that has not rolled in it shows blank dice, not dice of this run.
void putRecordedRollsInFrame() {
  for (auto& end : display.dieSlots)
    for (auto& place : end) place.value = 0;
  int16_t starter = kNoStarterYet;
  const int16_t last = std::min<int16_t>(static_cast<int16_t>(record.gameRecordCount + 1), kGameRecordHighest);
  for (int16_t n = 1; n <= last; ++n) {
    const GameRecordEntry& e = record.gameRecord[n];
    if ((e.side != kPlayer0 && e.side != kPlayer1) || e.die1 < 1 || e.die2 < 1) continue;
    if (starter == kNoStarterYet) starter = e.side;
    if (e.side != starter) starter = kOpeningOver;
    if (starter == kOpeningOver) {
      display.dieSlots[e.side][0].value = e.die1;
      display.dieSlots[e.side][1].value = e.die2;
    } else {
      // The opening: one die at each end's inner place, the starter's end whole.
      display.dieSlots[kPlayer0][kOpeningDiePlace].value = e.die1;
      display.dieSlots[kPlayer1][kOpeningDiePlace].value = e.die2;
      display.dieSlots[e.side][kOuterDiePlace].value = e.side == kPlayer0 ? e.die2 : e.die1;
    }
  }
}

}  // namespace

void resumeTournamentFromSave() {
  flow.savedAutoDoubleMax = cube.autoDoubleMax;
  flow.savedBeaverAllowed = cube.beaverAllowed;
  flow.savedJacobyRule = cube.jacobyRule;
  flow.savedWhoRollsFirst = settings.whoRollsFirst;
  flow.savedRollOverOnce = options.rollOverOnce;
  flow.savedRerollFirstRoll = settings.rerollFirstRoll;
  flow.savedAcceptDoubles = cube.acceptDoubles;
  cube.autoDoubleMax = 0;
  cube.beaverAllowed = 0;
  cube.jacobyRule = 0;
  settings.whoRollsFirst = 1;
  options.rollOverOnce = 0;
  settings.rerollFirstRoll = 0;
  cube.acceptDoubles = 0;
  flow.tournamentGoing = 255;
  flow.tournamentItemText = kEndTournamentText;
  hook::setMenuItemState(kGameMenu, kTournamentItem, kItemEnabled, flow.tournamentItemText.view());
  hook::markOptionItems();
}

void commitSavedGame(const SavedGameReading& r) {
  const SavedGame& g = r.game;
  // Before the scores: the session the pair leaves is kept with the sides before them.
  if (g.twoPeople != 0) resumeTwoPeople(g.pairRow, g.sideNames);
  putBoard(g);
  if (ofTheRunsKind(g)) flow.scores = g.scores;
  cube.cubeValue = g.cubeValue;
  cube.cubeOwner = g.cubeOwner;
  cube.cubeOwnerBeforeDouble = g.cubeOwner;
  cube.doublePending = 0;
  cube.playerDeclined[1] = g.playerDeclined;
  const int16_t showing = holdsRollInHand(g) ? -1 : 0;
  hook::setDiceDisplayFlags(showing);
  diceState.dice[0].value = g.dice[0];
  diceState.dice[1].value = g.dice[1];
  interaction.playerRolledOver = g.playerRolledOver;
  putTournament(g);
  position.currentPlayer = g.lastPlayerToMove;
  position.otherPlayer = static_cast<int16_t>(1 - g.lastPlayerToMove);
  if (r.olderLayout) hook::applyOlderLayoutSettings(r.settings);
  putRecord(g);
  // A game played on after its result was counted is not scored again at its end.
  position.gameContinued = g.gameContinued;
  countRecordedRolls();
  // A record saved as long as it may be (or longer, by another program) has room for the
  // turn to come, as a record in play keeps it.
  makeRoomInRecord(kPartMovesOfTurn);
  flow.turnNumber = kLaterTurn;
  checkStartingPosition();
  // The check redraws the dice places empty; the roll in hand stays on the board.
  if (showing != 0) hook::setDiceDisplayFlags(showing);

  makeDiceReady();
  if (!r.olderLayout) recordRollInHand(g);
  putRecordedRollsInFrame();
  if (cube.playerDeclined[1] != 0) {
    flow.scores[0] -= cube.cubeValue;
    cube.playerDeclined[1] = 0;
  }
  if (record.gameRecordCount > kOpeningTurnsInRecord) flow.turnNumber = kLaterTurn;
  hand.diceClicked = diceState.diceShowing != 0 ? -1 : 0;
  // The running turn is left from here on: a command taken in the drawing's pump would
  // act on the loaded game with its sides swapped.
  flow.abortTurn = kLeaveTurn;
  keepDiceOfGamePutInPlace();
  // A replay asked for in the game left is no play of the loaded one.
  turnState.replayRecordedPlay = 0;
  if (!r.olderLayout) redrawWithSideToMove();
  display.redrawPending = -1;
  storage.gameModified = 0;
  ++storage.gamesLoaded;
}

}  // namespace bg
