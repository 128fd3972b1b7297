#include "computer/computer_play.h"

#include <utility>

#include "computer/eval_scores.h"
#include "computer/personalities.h"
#include "computer/program_data.h"
#include "rules/best_plays.h"
#include "rules/checker_move.h"
#include "rules/dice.h"
#include "runtime/core/random.h"
#include "state/analysis_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/turn_flags.h"

namespace bg {

ComputerPlayState computerPlay;
BG_RESETS_WITH_PROGRAM(computerPlay);

namespace {

inline constexpr float kSecondBestMargin = 8.0f;

// The starting position as the mover sees it.
constexpr int16_t kStartingView[26] = {0, 2, 0, 0, 0, 0, -5, 0, -3, 0, 0, 0, 5,
                                       -5, 0, 0, 0, 3, 0, 5, 0, 0, 0, 0, -2, 0};

bool viewIsStartingPosition() {
  for (int i = 0; i <= 25; ++i) {
    if (analysis.evalBoardB[i] != kStartingView[i]) return false;
  }
  return true;
}

PartialScores currentPartials() {
  const EvalScores& s = evalScores;
  return {s.mainScore, s.blotScore, s.barScore, s.blockScore, s.distribScore, s.pointsScore};
}

void swapPartMoves(int a, int b) {
  std::swap(playSearch.playFrom[a], playSearch.playFrom[b]);
  std::swap(playSearch.playDice[a], playSearch.playDice[b]);
}

}  // namespace

void pickOpeningBookPlay() {
  // The book's replies are plays from the starting position only; on turn 1 of a game
  // that starts elsewhere (a rollout of a set-up position) they could be illegal.
  if (!viewIsStartingPosition()) return;
  const int16_t d1 = diceState.dice[0].value;
  const int16_t d2 = diceState.dice[1].value;
  // Only a whole roll has a reply: a die already used (0) leaves the search to itself.
  if (d1 < 1 || d1 > 6 || d2 < 1 || d2 > 6) return;
  auto& s = playSearch;
  const int16_t variant = rnd(4) == 4 ? 1 : 0;
  const int16_t roll = openingRollIndex(d1, d2);
  const auto& book = programTables.openingBook[variant];
  if (d1 != d2) {
    s.playFrom[1] = book[0][roll];
    s.playDice[1] = d1;
    s.playFrom[2] = book[1][roll];
    s.playDice[2] = d2;
    if (s.playFrom[2] > s.playFrom[1]) swapPartMoves(1, 2);
    s.genPipsUsed = static_cast<int16_t>(d1 + d2);
  } else {
    s.playFrom[1] = s.playFrom[2] = book[0][roll];
    s.playFrom[3] = s.playFrom[4] = book[1][roll];
    for (int k = 1; k <= 4; ++k) s.playDice[k] = d1;
    if (s.playFrom[3] > s.playFrom[1]) {
      swapPartMoves(1, 3);
      swapPartMoves(2, 4);
    }
    s.genPipsUsed = static_cast<int16_t>(4 * d1);
  }
  s.playLength = flow.movesAllowed;
  evalScores.candidateScoreTrue = kBookPlayScore;
  evalScores.candidateScoreSkill = kBookPlayScore;
  insertCandidatePlay(bestPlays.bestPlaysSkill, s.playFrom, s.playDice, kBookPlayScore, currentPartials());
  insertCandidatePlay(bestPlays.bestPlaysTrue, s.playFrom, s.playDice, kBookPlayScore, currentPartials());
  s.bookPlayListed = -1;
}

void applySkillLevel() {
  auto& chosen = computerPlay.chosenPlayIndex;
  const auto& list = bestPlays.bestPlaysSkill;
  chosen = 1;
  const int16_t level = skill.skillLevel;
  if (level == 1) return;
  if (rnd(10) < skill.skillErrorOdds[level]) chosen = 2;
  if (flow.turnNumber > 1 && chosen == 2 && list[1][kScoreColumn] - list[chosen][kScoreColumn] > kSecondBestMargin) {
    chosen = 1;
  }
  if (list[chosen][kScoreColumn] == kEmptyRow) chosen = 1;
}

void choosePlayFromList() {
  computerPlay.chosenPlayIndex = 1;
  if (skill.skillLevel < 5 && flow.bestMoveForHuman == 0) applySkillLevel();
  const BestPlaysList& list = flow.bestMoveForHuman != 0 ? bestPlays.bestPlaysTrue : bestPlays.bestPlaysSkill;
  playSearch.playLength = loadChosenPlay(list, computerPlay.chosenPlayIndex, playSearch.playFrom, playSearch.playDice);
}

void moveOrFinish() {
  turnFlags.pickedUpPoint = hand.selectedPoint;
  hand.moveStepCount = 1;
  hand.typedMoveStep = 1;
  moveOneChecker();
}

void executePlayDie(int16_t partMove) {
  int16_t point = playSearch.playFrom[partMove];
  if (point == kFromBar) point = 0;
  if (position.playerDirection[position.currentPlayer] == 1) point = static_cast<int16_t>(25 - point);
  hand.selectedPoint = point;
  hand.moveDistance = playSearch.playDice[partMove];
  moveOrFinish();
}

void executeChosenPlay() {
  flow.movePhaseOver = 0;
  for (int16_t i = 1; i <= playSearch.playLength; ++i) {
    if (playSearch.playLength > 0) executePlayDie(i);
  }
  if (playSearch.playLength < flow.movesAllowed) {
    // Part of the roll cannot be played: the unplayed dice are recorded, once. The last
    // checker borne off for the person has recorded them already.
    const bool recorded = flow.movePhaseOver != 0;
    if (!recorded && !(flow.forcedMovePlayed != 0 && position.piecesOnBoard[position.currentPlayer] > 0))
      endMovePhase();
    turnFlags.removeDiceAtTurnEnd = -1;
  } else {
    flow.abortTurn = kLeaveTurn;
  }
}

void playComputerMove() {
  if (turnFlags.computerMovesForHuman != 0) return;
  choosePlayFromList();
  executeChosenPlay();
}

}  // namespace bg
