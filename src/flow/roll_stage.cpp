#include "flow/roll_stage.h"

#include <algorithm>
#include <utility>

#include "computer/program_data.h"
#include "state/board_input.h"
#include "state/session_statistics.h"
#include "flow/turn.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rules/cube_record.h"
#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "rules/numbered_message.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/sound_services.h"
#include "state/speech_state.h"
#include "runtime/core/clock.h"
#include "runtime/core/messages.h"
#include "state/message_numbers.h"
#include "state/menu_numbers.h"

namespace bg {

namespace {

constexpr int16_t kOpeningDiePlace = 1;  // the inner die place of each end
constexpr int16_t kOuterDiePlace = 0;

constexpr int16_t kHigherFirst = 3;
constexpr int16_t kFixedOpeningPairs = 4;
constexpr int16_t kLowerFirst = 5;
constexpr int16_t kHeaderFixedPairs = 128;
constexpr int16_t kHeaderReRolled = 64;
constexpr int64_t kReRollThinkingMs = 2000;
constexpr float kNoticeSeconds = 2.0f;

bool isHuman(int16_t side) { return position.playerType[side] == kHumanPlayer; }

GameRecordEntry& nextEntry() { return record.gameRecord[record.gameRecordCount + 1]; }

// The roll to play is already there (a loaded game's, the editor's, one chosen by hand):
// only when both its dice are thrown. The mark outlives dice taken off since, and half a
// roll would be played with a die of 0.
bool rollInHand() {
  return hand.diceClicked == -1 && bothDiceThrown();
}

void setDice(int16_t d0, int16_t d1) {
  diceState.dice[0].value = d0;
  diceState.dice[1].value = d1;
  const int16_t extra = d0 == d1 ? d0 : 0;
  diceState.dice[2].value = extra;
  diceState.dice[3].value = extra;
}

void copyDiceToRolled() {
  for (int16_t n = 0; n <= 3; ++n) diceState.rolledDice[n] = diceState.dice[n].value;
}

void setStarterFromDice() {
  position.currentPlayer = diceState.dice[0].value <= diceState.dice[1].value ? kPlayer1 : kPlayer0;
  position.turnPlayer = position.currentPlayer;
  position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
}

// Pips, doubles and opening rolls count once per record entry, however often the roll
// is replayed after a take-back.
void countRollStatistics() {
  GameRecordEntry& entry = nextEntry();
  const int16_t side = position.currentPlayer;
  // Rolled-out games count only the rollout's rolls.
  if ((entry.flags & kFlagRollCounted) == 0 && rollout.rolloutRunning == 0) {
    int32_t pips = 0;
    for (const DiceEntry& die : diceState.dice) pips += die.value;
    statistics.sessionPipsRolled[side] += pips;
    flow.pipsRolled[side] += pips;
    addUpToLimit(playerPipsRolled(side), pips);
    entry.flags = static_cast<int16_t>(entry.flags | kFlagRollCounted);
    if (diceState.rolledDoubles != 0 && position.openingPhase == 0) {
      statistics.sessionDoublesRolled[side] += 1;
      flow.doublesRolled[side] += 1;
      addToPlayerCounter(kDoublesRolledWord, side);
    }
    if (position.openingPhase != 0) {
      statistics.sessionOpeningRolls[side] += 1;
      addToPlayerCounter(kOpeningRollsWonWord, side);
    }
  }
  rollout.rollsMade[side] += 1;
}

void writeRollIntoRecord() {
  // Room for the whole turn now: no entry moves while its part-moves are made.
  makeRoomInRecord(kPartMovesOfTurn);
  GameRecordEntry& entry = nextEntry();
  entry.die1 = diceState.dice[0].value;
  entry.die2 = diceState.dice[1].value;
  entry.side = position.currentPlayer;
  if (position.openingPhase == 0) {
    display.dieSlots[position.turnPlayer][0].value = diceState.dice[0].value;
    display.dieSlots[position.turnPlayer][1].value = diceState.dice[1].value;
  } else {
    // One die per end in the opening, at the inner place: the one the frame shows then.
    display.dieSlots[kPlayer0][kOpeningDiePlace].value = diceState.dice[0].value;
    display.dieSlots[kPlayer1][kOpeningDiePlace].value = diceState.dice[1].value;
    // The starter plays both dice as its roll: once its end shows whole, the outer place
    // holds the other die, not one left from an earlier roll.
    const int16_t otherSide = static_cast<int16_t>(1 - position.turnPlayer);
    display.dieSlots[position.turnPlayer][kOuterDiePlace].value = diceState.dice[otherSide].value;
  }
  flow.movesLeft = flow.movesAllowed;
}

// The computer's recorded roll (its turn taken back or replayed): played again at once, in
// the opening too, whose click is for a roll still to be made.
bool computersRollReplayed() {
  if (nextRollIsFresh()) return false;
  const int16_t side = nextEntry().side;
  return (side == kPlayer0 || side == kPlayer1) && position.playerType[side] == kComputerPlayer;
}

bool rollClickDue() {
  if (computersRollReplayed()) return false;
  return isHuman(position.currentPlayer) || position.openingPhase != 0;
}

bool rollClickAwaited() {
  const bool computersOnly = position.playerType[0] == kComputerPlayer && flow.opponentMode == kComputersOnly;
  return rollout.noPause != -1 && !computersOnly && rollClickDue() && diceState.diceShowing == 0;
}

// The click a new game posts throws its first roll when that roll waits for one. The
// computer's first roll (its last game won, with the winner rolling first) waits for none:
// left posted, the click would throw the person's next roll or end the next wait.
void dropNewGameClickUnlessAwaited() {
  if (std::exchange(flow.newGameClickPosted, int16_t{0}) == 0 || rollClickAwaited()) return;
  flow.keyCommandBusy = 0;
}

// Returns true when the roll stands.
bool settleOpeningRoll() {
  if (diceState.rolledDoubles != 0) {
    automaticDouble();
    return false;
  }
  if (settings.rerollFirstRoll == 0) return true;
  computerReRollDecision();
  return interaction.panelAnswer != -1;
}

}  // namespace

void rollDiceStage() {
  if (position.openingPhase == 0) {
    hook::drawTurnArrow();
    hook::setMenuItemState(kGameMenu, kMoneyGameItem, kItemDisabled, "");
    if (flow.opponentMode == kTwoPeople) hook::drawNameLabels();
  }
  if (position.openingPhase != 0 && display.redrawPending == 0 && diceState.diceShowing == 0 &&
      flow.gamesThisRun == 1) {
    interaction.messageNumber = kNoMessage;
    hook::pauseAfterMove(kNoticeSeconds);
    showGoodLuck();
  }

  dropNewGameClickUnlessAwaited();
  for (bool done = false; !done;) {
    diceState.rolledDoubles = 0;
    if (rollClickAwaited()) {
      waitForDiceClick();
      if (flow.abortTurn != 0) return;
    }
    bool chosenByHand = false;
    if (settings.inputDice != 0 && !rollInHand()) {
      hook::chooseDiceWindow();
      if (flow.opponentMode == kTwoPeople) chosenByHand = true;
      if (flow.abortTurn != 0) return;
    }
    if (!rollInHand()) generateDiceRoll();
    if (position.openingPhase != 0) {
      if (flow.opponentMode == kComputerOpponent) orderOpeningDice();
      // A rollout's computers settle the opening alone, also when two people were playing.
      if (flow.opponentMode == kTwoPeople && rollout.rolloutRunning == 0) openingRollTie(chosenByHand);
    }
    if (flow.abortTurn != 0) return;

    hand.diceClicked = 0;
    flow.movesAllowed = kPartMovesOfPlainRoll;
    setDice(diceState.dice[0].value, diceState.dice[1].value);
    if (diceState.dice[0].value == diceState.dice[1].value) {
      diceState.rolledDoubles = -1;
      flow.movesAllowed = kPartMovesOfTurn;
    }
    copyDiceToRolled();

    if (diceState.handChosenOpeningDouble != 0) {
      position.openingPhase = 0;
      diceState.handChosenOpeningDouble = 0;
      done = true;
    } else {
      done = position.openingPhase == 0 || settleOpeningRoll();
    }
  }

  copyDiceToRolled();
  if (boardInput.keepRollMessage == 0) hook::clearMessageLine(0);
  if (position.openingPhase != 0) setStarterFromDice();
  writeRollIntoRecord();
  if (position.openingPhase != 0 && flow.opponentMode == kTwoPeople) {
    const int16_t opening = position.openingPhase;
    position.openingPhase = 0;
    hook::drawNameLabels();
    position.openingPhase = opening;
  }
  flow.moveNumber = 0;
  playSearch.playLength = 0;
  countRollStatistics();
}

bool nextRollIsFresh() {
  const GameRecordEntry& entry = nextEntry();
  // An entry without a real roll (never written, or read from a damaged file) would be
  // replayed as 0-0 for ever in the opening: it is rolled afresh.
  return entry.side == kEmptyEntrySide || !isDie(entry.die1) || !isDie(entry.die2);
}

void generateDiceRoll() {
  const GameRecordEntry& entry = nextEntry();
  if (nextRollIsFresh()) {
    int16_t d0 = 0;
    int16_t d1 = 0;
    do {
      if (position.openingPhase != 0 && settings.whoRollsFirst == kFixedOpeningPairs && flow.opponentMode == kComputerOpponent) {
        const int16_t r = rollDie();
        d0 = programTables.openingDiceA[r];
        d1 = programTables.openingDiceB[r];
      } else {
        d0 = rollDie();
        d1 = rollDie();
        if (settings.whoRollsFirst == kHigherFirst && d0 < d1) std::swap(d0, d1);
        if (settings.whoRollsFirst == kLowerFirst && d0 > d1) std::swap(d0, d1);
      }
    } while (position.openingPhase != 0 && cube.autoDoubleMax == 0 && d0 == d1);
    setDice(d0, d1);
    return;
  }

  // The roll was made before and taken back: it is played again, by the same side.
  if ((entry.flags & kFlagReRolledOpening) != 0) {
    position.openingPhase = 0;
    flow.turnNumber = 1;
  }
  const int16_t side = entry.side == kPlayer0 || entry.side == kPlayer1 ? entry.side : kPlayer0;
  position.currentPlayer = side;
  position.otherPlayer = static_cast<int16_t>(1 - side);
  position.turnPlayer = side;
  int16_t d0 = entry.die1;
  int16_t d1 = entry.die2;
  // In the opening the starter's die (index currentPlayer) is the higher.
  if (position.openingPhase != 0 && (side == kPlayer0 ? d0 < d1 : d1 < d0)) std::swap(d0, d1);
  setDice(d0, d1);
}

void waitForDiceClick() {
  if (flow.abortTurn != 0) return;
  redrawDice();
  if (flow.abortTurn != 0) return;
  // The turn passes by itself.
  if (isClosedOut(position.currentPlayer)) return;

  turnState.awaitingDiceClick = -1;
  if (settings.automaticRolls == 0 || flow.firstRollNeedsClick != 0) {
    boardInput.hitDice = 0;
    boardInput.requestAutoMove = 0;
    flow.rollClickWaitActive = -1;
    while (boardInput.hitDice == 0 && boardInput.requestAutoMove == 0 && flow.abortTurn != kLeaveTurn &&
           flow.rollClickWaitActive != 0) {
      hook::waitForPointClick();
      if (cube.playerDeclined[0] != 0 || cube.playerDeclined[1] != 0) {
        turnState.awaitingDiceClick = 0;
        flow.rollClickWaitActive = 0;
        return;
      }
      const bool elsewhere = boardInput.hitDice == 0 && boardInput.requestAutoMove == 0 &&
                             boardInput.hitCube == 0 && display.redrawPending == 0 &&
                             flow.abortTurn != kLeaveTurn;
      if (elsewhere) {
        hook::playAlertSound();
        interaction.messageNumber = kClickDiceMessage;
        hook::displayMessage();
      }
    }
    flow.rollClickWaitActive = 0;
  } else {
    flow.keyCommandBusy = 0;
  }
  turnState.awaitingDiceClick = 0;
  turnState.lastRollClick = interaction.clickedPoint;
  interaction.clickedPoint = kNoZone;
  flow.firstRollNeedsClick = 0;
}

void openingRollTie(bool chosenByHand) {
  if (display.redrawPending != 0) {
    copyDiceToRolled();
    showRolledDice();
    return;
  }
  if (chosenByHand) {
    interaction.clickedPoint = kNoZone;
    return;
  }
  // Die 1 is player 0's, die 2 player 1's; the side whose dice were clicked throws first, and
  // the other throws its die by a click on its own dice.
  const int16_t first = turnState.lastRollClick == diceZoneOf(kPlayer1) ? kPlayer1 : kPlayer0;
  const int16_t firstDie = first;
  const int16_t otherDie = static_cast<int16_t>(1 - first);
  const int16_t otherZone = diceZoneOf(otherDie);
  position.currentPlayer = first;
  position.otherPlayer = static_cast<int16_t>(1 - first);

  const int16_t heldBack = diceState.dice[otherDie].value;
  diceState.dice[otherDie].value = 0;
  copyDiceToRolled();
  // The frame shows one die per end: the one thrown, and no face yet where the other side
  // is still to throw (its place held a die of an earlier roll).
  const auto framesBefore = display.dieSlots;
  display.dieSlots[firstDie][kOpeningDiePlace].value = diceState.dice[firstDie].value;
  display.dieSlots[otherDie][kOpeningDiePlace].value = 0;
  showRolledDice();
  diceState.dice[firstDie].hidden = 255;

  turnState.awaitingDiceClick = -1;
  turnState.openingDieAwaited = otherDie;
  do {
    hook::waitForPointClick();
    if (flow.abortTurn != 0) {
      diceState.dice[firstDie].hidden = 0;
      turnState.awaitingDiceClick = 0;
      turnState.openingDieAwaited = kNoOpeningDieAwaited;
      display.dieSlots = framesBefore;
      // What left the wait may have set a roll of its own (the editor's, chosen by hand),
      // which stands. Otherwise the die thrown is no roll the game holds: it leaves the
      // board, and the opening is thrown afresh by whoever plays it now.
      if (diceState.dice[otherDie].value == 0) removeDice();
      return;
    }
  } while (interaction.clickedPoint != otherZone);

  diceState.dice[otherDie].value = heldBack;
  display.dieSlots[otherDie][kOpeningDiePlace].value = heldBack;
  diceState.dice[firstDie].hidden = 0;
  copyDiceToRolled();
  position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  showRolledDice();
  turnState.awaitingDiceClick = 0;
  turnState.openingDieAwaited = kNoOpeningDieAwaited;
  interaction.clickedPoint = kNoZone;
}

void orderOpeningDice() {
  if (settings.whoRollsFirst != kFixedOpeningPairs) return;
  if (diceState.dice[0].value < diceState.dice[1].value) {
    std::swap(diceState.dice[0].value, diceState.dice[1].value);
  }
  record.gameRecord[0].flags = static_cast<int16_t>(record.gameRecord[0].flags | kHeaderFixedPairs);
}

void computerReRollDecision() {
  // The frame's place at each end shows that end's die of the roll asked about, not a face
  // of an earlier roll; dice chosen by hand are on the board already.
  display.dieSlots[kPlayer0][kOpeningDiePlace].value = diceState.dice[kPlayer0].value;
  display.dieSlots[kPlayer1][kOpeningDiePlace].value = diceState.dice[kPlayer1].value;
  if (settings.inputDice != -1)
    showRolledDice();
  else
    hook::frameAllDice();
  interaction.panelAnswer = 0;
  const int16_t winner = diceState.dice[1].value > diceState.dice[0].value ? kPlayer1 : kPlayer0;
  if (!isHuman(winner)) {
    // A fixed thinking time that Fast Play does not skip.
    delayMs(kReRollThinkingMs);
    keepOpeningRoll();
    if (interaction.panelAnswer == -1) {
      showMessageText(kComputerReRollText);
      boardInput.keepRollMessage = -1;
    }
  } else {
    hook::askRollOver();
  }
  if (interaction.panelAnswer != -1) return;

  record.gameRecord[0].flags = static_cast<int16_t>(record.gameRecord[0].flags | kHeaderReRolled);
  nextEntry().flags = static_cast<int16_t>(nextEntry().flags | kFlagReRolledOpening);
  position.openingPhase = 0;
  setStarterFromDice();
  removeDice();
  for (DiceEntry& die : diceState.dice) die.value = 0;
}

void keepOpeningRoll() {
  const int16_t high = std::max(diceState.dice[0].value, diceState.dice[1].value);
  const int16_t low = std::min(diceState.dice[0].value, diceState.dice[1].value);
  const int code = high * 10 + low;
  interaction.panelAnswer = code == 31 || code == 42 || code == 61 ? 0 : -1;
}

void automaticDouble() {
  advanceGameRecord();
  GameRecordEntry entry = blankRecordEntry;
  Str255 text;
  // Opening doubles turn the cube no further than a double could.
  if (cube.cubeUsed != 0 && (1 << cube.autoDoubleMax) > cube.cubeValue && cubeMayDoubleAgain()) {
    cube.cubeValue = static_cast<int16_t>(cube.cubeValue * 2);
    text = kCubeDoubledText;
    record.gameRecord[record.gameRecordCount] = entry;
    recordCubeInMoveTable();
    entry = record.gameRecord[record.gameRecordCount];
    entry.flags = static_cast<int16_t>(entry.flags | kFlagAutoDoubled);
  } else {
    text = Str255("MM") + messageWordsOf(kOpeningDoublesMessage) + kRollAgainSuffix;
    entry.flags = static_cast<int16_t>(entry.flags | kFlagAutoDoubleNotDoubled);
  }
  if (flow.opponentMode == kComputerOpponent) showRolledDice();
  entry.side = kAutoDoubleEntrySide;
  entry.die1 = diceState.dice[0].value;
  entry.die2 = diceState.dice[1].value;
  record.gameRecord[record.gameRecordCount] = entry;

  showMessageText(text);
  if (speech.speechOn != 0) {
    hook::pauseSeconds(kNoticeSeconds);
  } else {
    hook::pauseAfterMove(kNoticeSeconds);
  }
  hook::setDiceDisplayFlags(0);
}

void showGoodLuck() { showMessageText(kGoodLuckText); }

void copyPartMoveDice() {
  settings.display4OnDoubles = settings.display4OnDoubles == 0 ? -1 : 0;
  if (diceState.diceShowing == 0) return;
  const auto dice = diceState.dice;
  const auto rolled = diceState.rolledDice;
  removeDice();
  diceState.dice = dice;
  diceState.rolledDice = rolled;
  drawDice();
}

}  // namespace bg
