#include "flow/opponent_modes.h"

#include <string_view>
#include <utility>

#include "computer/personalities.h"
#include "rules/side_to_move.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rules/dice.h"
#include "rules/numbered_message.h"
#include "rules/take_back.h"
#include "state/cube_state.h"
#include "state/display_services.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/message_numbers.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/storage_state.h"

namespace bg {

namespace {

constexpr double kModeNoticeSeconds = 2.0;
constexpr std::string_view kComputerName = "Computer";
constexpr int16_t kHighestScoreboardRow = 4;

// Neither a match nor a money session runs: the scores are those of the pair at the board.
bool pairsOwnScores() { return flow.tournamentGoing == 0 && flow.moneySessionActive == 0; }

// A roll being played goes on being played by its side with the same dice: the turn is
// left only to take the new players in, not handed over for a roll of its own.
bool rollBeingPlayed() {
  return diceState.diceShowing != 0 && flow.movesLeft > 0 && flow.rollWaitActive == 0 &&
         turnState.awaitingDiceClick == 0 && flow.rollClickWaitActive == 0;
}

// Otherwise the side on roll gets the turn back (the next turn hands it over again) and
// rolls afresh.
void leaveTurnForNewPlayers(bool goOn) {
  flow.abortTurn = kLeaveTurn;
  if (goOn)
    turnState.resumeWithDiceShown = -1;
  else
    exchangeSideToMove();
}

// The pair's row keeps the names typed for it; both sides are named from the row kept
// from before the pair, and the session before the pair goes on (a running match or
// money session keeps its scores throughout).
ComputerOpponentSides keptComputerOpponentSides() {
  ComputerOpponentSides back;
  back.row = players.savedActivePlayers;
  const PlayerRecord& kept = players.playerRecords[back.row];
  back.names[0] = kept.secondName.view();
  back.names[1] = kept.firstName.empty() ? kComputerName : kept.firstName.view();
  back.scores = pairsOwnScores() ? flow.savedScores : flow.scores;
  return back;
}

void markOpponentModeItems() {
  hook::setMenuItemState(kGameMenu, kComputerOpponentItem,
                         flow.opponentMode == kComputerOpponent ? kItemChecked : kItemEnabled, "");
  hook::setMenuItemState(kGameMenu, kTwoPlayersItem, flow.opponentMode == kTwoPeople ? kItemChecked : kItemEnabled,
                         "");
}

void leaveComputerOpponent() {
  hook::setMenuItemState(kComputerMenu, kComputerMenuItem, kItemDisabled, "");
  hook::setMenuItemState(kOptionsMenu, kComputerOnlyOptionItem, kItemDisabled, "");
  settings.whoRollsFirst = 1;
  if (flow.opponentMode == kComputersOnly && settings.inputDice != 0) settings.inputDice = 0;
}

void leaveTwoPeople() {
  if (position.currentPlayer == 1 && flow.movesLeft > 0 && flow.movesLeft < flow.movesAllowed) {
    takeBack();
    exchangeSideToMove();
  }
  swapSidesAfterModeChange();
  const ComputerOpponentSides back = keptComputerOpponentSides();
  players.activePlayers = back.row;
  shell.playerNames = back.names;
  flow.scores = back.scores;
  flow.savedScores = {};
  hook::drawPipCounts();
  hook::clearMessageLine(0);
  hook::copyStripAboveBoard();
}

void enterComputerOpponent(bool goOn) {
  showNumberedMessage(kAgainstComputerMessage);
  hook::setMenuItemState(kComputerMenu, kComputerMenuItem, kItemEnabled, "");
  if (skill.skillLevel == kHighestSkillLevel) {
    options.rollOverItemState = 0;
    options.rollOverOnce = 0;
    hook::setMenuItemState(kOptionsMenu, kRollOverItem, kItemDisabled, "");
  }
  leaveTurnForNewPlayers(goOn);
  position.playerType[0] = kHumanPlayer;
  position.playerType[1] = kComputerPlayer;
  hook::pauseSeconds(kModeNoticeSeconds);
}

void seatTwoPeople() {
  if (options.rollOverItemState == 0) options.rollOverItemState = 1;
  hook::setMenuItemState(kOptionsMenu, kRollOverItem, kItemEnabled, "");
  position.playerType[0] = kHumanPlayer;
  position.playerType[1] = kHumanPlayer;
}

// The record in use and, when they are the pair's own, the scores: what leaving two
// people puts back.
void keepSidesBeforePair() {
  players.savedActivePlayers = players.activePlayers;
  if (pairsOwnScores()) flow.savedScores = flow.scores;
}

void enterTwoPeople(bool goOn) {
  // The notice is the one a person reads against the computer.
  flow.opponentMode = kComputerOpponent;
  showNumberedMessage(kTwoPlayersMessage);
  flow.opponentMode = kTwoPeople;
  seatTwoPeople();
  if (turnState.previousOpponentMode != kTwoPeople) swapSidesAfterModeChange();
  if (position.openingPhase != 0 && !goOn) redrawDice();
  flow.abortTurn = 0;
  // Chosen again while two people play, the pair is changed: what was kept stays kept.
  if (storage.loadingGame == 0 && turnState.previousOpponentMode != kTwoPeople) {
    keepSidesBeforePair();
    // The pair starts at 0 - 0; the session before it comes back with the computer.
    if (pairsOwnScores()) {
      flow.scores = {};
      hook::drawPipCounts();
    }
  }
  hook::layoutNameLabels();
  leaveTurnForNewPlayers(goOn);
}

// The scoreboard row a saved pair plays in: theirs while it holds their names, else the
// first that does. A pair no row holds plays in record 0, shown in no scoreboard.
int16_t rowOfPair(int16_t row, const CheckedArray<Str40, 1>& names) {
  const auto holdsPair = [&names](int16_t r) {
    const PlayerRecord& p = players.playerRecords[r];
    return p.secondName == names[0] && p.firstName == names[1];
  };
  if (row >= 1 && row <= kHighestScoreboardRow && holdsPair(row)) return row;
  for (int16_t r = 1; r <= kHighestScoreboardRow; ++r)
    if (holdsPair(r)) return r;
  PlayerRecord& unkept = players.playerRecords[0];
  unkept = PlayerRecord{};
  unkept.secondName = names[0];
  unkept.firstName = names[1];
  return 0;
}

}  // namespace

ComputerOpponentSides computerOpponentSides() {
  if (flow.opponentMode == kTwoPeople) return keptComputerOpponentSides();
  ComputerOpponentSides inUse;
  inUse.row = players.activePlayers;
  inUse.names = shell.playerNames;
  inUse.scores = flow.scores;
  return inUse;
}

void resumeTwoPeople(int16_t row, const CheckedArray<Str40, 1>& names) {
  const int16_t previous = flow.opponentMode;
  if (previous != kTwoPeople) keepSidesBeforePair();
  flow.opponentMode = kTwoPeople;
  markOpponentModeItems();
  if (previous == kComputerOpponent) leaveComputerOpponent();
  seatTwoPeople();
  players.activePlayers = rowOfPair(row, names);
  shell.playerNames[0] = names[0];
  shell.playerNames[1] = names[1];
  hook::markOptionItems();
  hook::layoutNameLabels();
  turnState.previousOpponentMode = kTwoPeople;
}

void selectOpponentMode(int16_t mode) {
  turnState.previousOpponentMode = flow.opponentMode;
  flow.opponentMode = mode;
  applyOpponentMode();
}

void applyOpponentMode() {
  // The turn is left below: nothing may stay in the hand, as on a resize.
  hook::returnCheckersInHand();
  // The computer asked to replay its play may be a person now, or another side.
  turnState.replayRecordedPlay = 0;
  markOpponentModeItems();
  // Read before leaving two players takes back the second player's part-played roll.
  const bool rollInPlay = rollBeingPlayed();
  const int16_t roller = position.currentPlayer;
  const int16_t previous = turnState.previousOpponentMode;
  if (previous == kComputerOpponent && flow.opponentMode != kComputerOpponent) leaveComputerOpponent();
  if (previous == kTwoPeople && flow.opponentMode != kTwoPeople) leaveTwoPeople();
  // Against the computer only the person's side (0) plays on.
  if (flow.opponentMode == kComputerOpponent) enterComputerOpponent(rollInPlay && roller == 0);
  if (flow.opponentMode == kTwoPeople) enterTwoPeople(rollInPlay);
  if (flow.opponentMode == kComputersOnly) {
    position.playerType[0] = kComputerPlayer;
    position.playerType[1] = kComputerPlayer;
  }
  // Options 6 and Settings 8 keep their kept states; every mark follows its value.
  hook::markOptionItems();
  turnState.previousOpponentMode = flow.opponentMode;
}

void swapSidesAfterModeChange() {
  if (!hook::boardReversed()) return;
  const auto recordDice = diceState.dice;
  const auto rolled = diceState.rolledDice;
  const int16_t showing = diceState.diceShowing;
  removeDice();
  diceState.diceShowing = showing;
  if (showing == 0) {
    redrawDice();
  } else {
    diceState.dice = recordDice;
    diceState.rolledDice = rolled;
    std::swap(diceState.dice[0], diceState.dice[1]);
    std::swap(diceState.rolledDice[0], diceState.rolledDice[1]);
    hook::setDiceDisplayFlags(-1);
    drawDice();
  }
  if (cube.cubeOwner != kCubeCentred) cube.cubeOwnerBeforeDouble = static_cast<int16_t>(1 - cube.cubeOwner);
  hook::drawCube();
  hook::drawPipCounts();
}

void refuseCommandBusy() { showNumberedMessage(kFinishMovingMessage); }

void refuseCommandNotRolled() { showNumberedMessage(kRollFirstMessage); }

}  // namespace bg
