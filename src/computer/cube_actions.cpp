#include "computer/cube_actions.h"

#include "computer/analyse_position.h"
#include "computer/cube_decisions.h"
#include "computer/doubling_position.h"
#include "state/analysis_state.h"
#include "rules/cube_record.h"
#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/display_services.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "rules/play_search.h"
#include "rules/numbered_message.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/sound_services.h"
#include "state/speech_state.h"
#include "runtime/core/clock.h"
#include "runtime/core/messages.h"
#include "state/message_numbers.h"

namespace bg {

namespace {

constexpr std::string_view kCrawfordText = "MMCan't Double - Crawford Restriction";

constexpr double kRefusalPause = 1.0;
constexpr double kComputerDoublePause = 0.5;
constexpr double kDropPause = 2.0;
constexpr double kBeaverWaitSeconds = 3.0;

bool isHuman(int16_t side) { return position.playerType[side] == kHumanPlayer; }
bool isComputer(int16_t side) { return position.playerType[side] == kComputerPlayer; }
bool hasNoInput(int16_t side) { return position.playerType[side] == kNoInputPlayer; }

// A refusal shown to a human, with a pause so it is read before play goes on.
void refuseHuman(int16_t side, int16_t number) {
  if (!isHuman(side)) return;
  showNumberedMessage(number);
  hook::pauseAfterMove(kRefusalPause);
}

bool computersPlayBoth() { return flow.opponentMode == kComputersOnly && isComputer(kPlayer0); }

// The computer answers for the taker: rollouts and computer-against-computer play.
bool computerAnswersForTaker() { return rollout.noPause != 0 || computersPlayBoth(); }

void computerTakes() {
  computerTakeDecision();
  doublingPosition.cubeTraceRequest = 0;
}

// The profile counts a taken double under the taker: player 0's doubles taken are
// player 1's takes.
void countTake(int16_t taker) {
  flow.takesBySide[taker] += 1;
  addToPlayerCounter(kDoublesTakenWord, taker);
  if (cube.cubeValue > flow.highestCube) flow.highestCube = cube.cubeValue;
}

}  // namespace

void offerDouble() {
  const int16_t side = position.currentPlayer;
  cube.doubleAllowed = 0;
  canDouble();
  if (cube.doubleAllowed == -1) {
    if (isComputer(side)) {
      decideDouble();
      if (cube.doublePending != -1) return;
    }
    executeDouble();
  } else if (isHuman(side)) {
    hook::playAlertSound();
  }
}

void canDouble() {
  const int16_t side = position.currentPlayer;
  if (position.openingPhase != 0) {
    showNumberedMessage(kNotNowMessage);
  } else if (cube.cubeUsed == 0) {
    showNumberedMessage(kCubeOffMessage);
  } else if (cube.cubeOwner == 1 - side) {
    refuseHuman(side, kOpponentOwnsMessage);
  } else if (diceState.diceShowing == -1) {
    showNumberedMessage(kDiceShowingMessage);
    hook::pauseAfterMove(kRefusalPause);
  } else if (cube.cubeValue >= kHighestCube) {
    refuseHuman(side, kCubeAt64Message);
  } else if (cube.cubeValue >= cube.cubeMaximum) {
    // At or past the maximum: a maximum lowered after the cube went up stops it too.
    refuseHuman(side, kCubeAtMaximumMessage);
  } else if (flow.crawfordRestrictions[side] != 0 && cube.crawfordRule != 0) {
    if (isHuman(side)) showMessageText(kCrawfordText);
  } else {
    cube.doubleAllowed = -1;
  }
}

void executeDouble() {
  const int16_t doubler = position.currentPlayer;
  const int16_t taker = position.otherPlayer;
  flow.doublesBySide[doubler] += 1;
  addToPlayerCounter(kDoublesOfferedWord, doubler);
  cube.cubeValue = static_cast<int16_t>(2 * cube.cubeValue);
  // The owner before the double goes with the doubled value: the pause pumps events, and a
  // save in it keeps the cube the board still shows, with its owner.
  cube.cubeOwnerBeforeDouble = cube.cubeOwner;
  if (isComputer(doubler)) hook::pauseSeconds(kComputerDoublePause);
  cube.cubeJustDoubled = -1;
  recordCubeChange();
  cube.doubleTaken = 0;
  answerDouble();
  // The double has its answer: it is no longer pending (a saved game would otherwise
  // store the cube from before it).
  cube.doublePending = 0;
  if (cube.doubleTaken == -1) {
    countTake(taker);
    hook::flushBoardWindow();
    if (cube.beaverAllowed != 0) offerBeaver();
  } else {
    dropDouble();
  }
}

void answerDouble() {
  const int16_t doubler = position.currentPlayer;
  const int16_t taker = position.otherPlayer;
  if (isComputer(taker)) {
    if (computerAnswersForTaker()) {
      humanAnswerDouble();
    } else {
      computerTakes();
    }
  } else if (isHuman(taker)) {
    humanAnswerDouble();
  }
  const bool taken = cube.doubleTaken == -1;
  if (!taken) cube.playerDeclined[taker] = -1;
  if (isHuman(taker) && flow.opponentMode != kComputersOnly) return;

  const int16_t answerMessage = taken ? kAcceptsMessage : kDeclinesMessage;
  interaction.messageLines[1] = messageWordsOf(kDoublingCubeMessage);
  interaction.messageLines[2] = messageWordsOf(kComputerTitleMessage);
  interaction.messageLines[3] = messageWordsOf(answerMessage);

  if (isComputer(taker) && !taken && cube.acceptDoubles != 0) {
    speech.waitForSpeechEnd = -1;
    showNumberedMessage(kMustAcceptMessage);
    hook::pauseSeconds(kRefusalPause);
    cube.doubleTaken = -1;
    cube.playerDeclined[taker] = 0;
    if (record.gameRecordCount >= 2) record.gameRecord[0].cubeOwner += 1;  // w7: took unwillingly
    return;
  }
  if (hasNoInput(doubler)) {
    flow.opponentMessage = taken ? "DAY" : "DAN";
    if (!taken) return;
  }
  if (isHuman(taker)) return;

  Str255 text("MM");
  if (flow.opponentMode != kComputersOnly) {
    // One blank between the joined words: the table's entries carry two in front.
    text += messageWordsOf(kTheComputerMessage);
    text += " ";
    text += messageWordsOf(answerMessage);
    speech.speakNextMessage = -1;
  } else {
    text += shell.playerNames[taker];
    text += " ";
    text += messageWordsOf(answerMessage);
    text += " ";
    text += messageWordsOf(kTheDoubleMessage);
  }
  speech.waitForSpeechEnd = -1;
  showMessageText(text);
  if (!taken && flow.opponentMode != kTwoPeople) hook::pauseSeconds(kDropPause);
}

void humanAnswerDouble() {
  const int16_t taker = position.otherPlayer;
  cube.doublePending = -1;  // the advice command answers about the take meanwhile
  const bool drawn = !rolloutHidesBoard();
  if (drawn) {
    interaction.messageLines[1] = messageWordsOf(kAcceptMessage) + " " + messageWordsOf(kTheDoubleQuestionMessage);
    interaction.messageLines[2].clear();
    interaction.messageLines[3].clear();
    interaction.messageLineCount = 3;
    hook::drawBoardQuestion();
    const auto& name = shell.playerNames[taker];
    Str255 text("MM");
    if (!name.empty()) {
      text += name;
      text += ", ";
    }
    text += messageWordsOf(kAcceptQuestionMessage);
    speech.speakNextMessage = -1;
    showMessageText(text);
  }
  if (computerAnswersForTaker()) {
    computerTakes();
  } else {
    interaction.panelAnswer = 0;
    hook::waitForBoardClick();
    cube.doubleTaken = interaction.panelAnswer != 0 ? int16_t{-1} : int16_t{0};
  }
  if (drawn) {
    hook::redrawBoardPicture();
    hook::clearMessageLine(0);
    interaction.messageBoxLeft = 107;
    interaction.messageBoxTop = 68;
  }
  cube.doublePending = 0;
}

void offerBeaver() {
  const int16_t taker = position.otherPlayer;
  // The window pumps events: a take-back in it can undo the double before the beaver comes.
  const int16_t takenValue = cube.cubeValue;
  const int16_t takenOwner = cube.cubeOwner;
  const int16_t takenEntry = record.gameRecordCount;
  if (hasNoInput(taker)) {
    if (speech.speechOn == 0 && cube.beaverAllowed != 0) hook::pauseSeconds(kBeaverWaitSeconds);
    return;
  }
  cube.beaverClick = 1;
  if (isHuman(taker)) {
    // A steady clock: the window must not close early or never at midnight.
    const uint64_t opened = microseconds();
    while (cube.beaverClick != -1 && microseconds() - opened < static_cast<uint64_t>(kBeaverWindowMicroseconds)) {
      hook::pollBoardClick();
    }
  } else {
    // The analysis is still the taker's, from its take decision.
    cube.beaverMode = kBeaverMode;
    const int16_t doubler = position.currentPlayer;
    position.currentPlayer = taker;
    position.otherPlayer = doubler;
    decideDouble();
    position.currentPlayer = doubler;
    position.otherPlayer = taker;
    if (cube.doublePending == -1) cube.beaverClick = -1;
  }
  const bool doubleStands =
      cube.cubeValue == takenValue && cube.cubeOwner == takenOwner && record.gameRecordCount == takenEntry;
  if (cube.beaverClick == -1 && doubleStands && cubeMayDoubleAgain()) executeBeaver();
  cube.beaverMode = 0;
  cube.beaverClick = 0;
  cube.doublePending = 0;
}

void executeBeaver() {
  const int16_t doubler = position.currentPlayer;
  cube.cubeValue = static_cast<int16_t>(2 * cube.cubeValue);
  recordCubeInMoveTable();
  if (isHuman(doubler)) {
    showMessageText(Str255("MM") + shell.playerNames[doubler] + ", you've been beavered");
  } else if (isComputer(doubler) && doubler == kPlayer0) {
    showNumberedMessage(kComputerBeaveredMessage);
  }
  if (record.gameRecordCount >= 1) record.gameRecord[record.gameRecordCount].flags |= kFlagBeavered;
}

void dropDouble() {
  const int16_t doubler = position.currentPlayer;
  const int16_t taker = position.otherPlayer;
  cube.cubeValue = static_cast<int16_t>(cube.cubeValue / 2);
  cube.cubeOwner = cube.cubeValue == 1 ? kCubeCentred : doubler;
  // The board shows the offered cube on the taker's side: it goes back where the state
  // now puts it, without a slide.
  cube.cubeOwnerBeforeDouble = taker;
  cube.cubeJustDoubled = 0;
  hook::drawCube();
  cube.playerDeclined[taker] = -1;
  flow.abortTurn = kLeaveTurn;
  flow.newGameRequested = -1;
}

void cubeAdvice() {
  // Asked from inside the search's event pump, the advice would re-analyse the
  // position the search is working on.
  if (refuseWhileSearching()) return;
  const int16_t side = position.currentPlayer;
  const bool pending = cube.doublePending == -1;
  if (hand.pieceInHand == -1) {
    showNumberedMessage(kFinishMovingMessage);
    return;
  }
  const bool cubeInReach = cube.cubeUsed != 0 && diceState.diceShowing != -1 && position.openingPhase == 0 &&
                           flow.bestMoveForHuman == 0;
  if (!cubeInReach) {
    showNumberedMessage(kNotNowMessage);
    return;
  }
  if (!pending && cube.cubeOwner == 1 - side) {
    showNumberedMessage(kOpponentOwnsMessage);
    hook::pauseAfterMove(kRefusalPause);
    return;
  }
  if (!pending && hasNoInput(side)) {
    showNumberedMessage(kNoAdviceMessage);
    return;
  }
  const bool sideMayTurn = cube.cubeOwner == side || cube.cubeOwner == kCubeCentred;
  if (sideMayTurn && flow.crawfordRestrictions[side] != 0) {
    showMessageText(kCrawfordText);
    return;
  }
  flow.cubeHintCount[side] += 1;
  doublingPosition.analysisAidActive = -1;
  int16_t advice = kAdviceOpponentOwnsMessage;
  if (pending) {
    computerTakes();
    advice = cube.doubleTaken == -1 ? kAdviseTakeMessage : kAdviseDropMessage;
    cube.doubleTaken = 0;
    analysePosition();
  } else if (sideMayTurn) {
    analysis.analyseBlotRiskFlag = -1;
    analysePosition();
    decideDouble();
    advice = cube.doublePending == -1 ? kAdviseDoubleMessage : kAdviseNoDoubleMessage;
    cube.doublePending = 0;
  }
  doublingPosition.analysisAidActive = 0;
  showNumberedMessage(advice);
}

}  // namespace bg
