#include "rules/best_plays.h"

#include "rules/dice.h"
#include "state/analysis_state.h"
#include "state/flow_state.h"
#include "state/play_search_state.h"
#include "state/position.h"

namespace bg {

namespace {

using ViewBoard = CheckedArray<int16_t, 25>;

// The mover's view after the row's part-moves, replayed on the view before the play.
ViewBoard boardAfter(const CandidatePlayRow& row) {
  ViewBoard v = analysis.evalBoardB;
  for (int i = 1; i <= static_cast<int>(row[kPartMovesColumn]); ++i) {
    const int from = static_cast<int>(row[2 * i]);
    const int landing = static_cast<int>(row[2 * i + 1]);
    v[from == 25 ? kOwnBarIndex : from] += 1;
    if (landing < 1) continue;  // borne off
    if (v[landing] == 1) {      // a hit
      v[landing] = 0;
      v[kOpponentBarIndex] += 1;
    }
    v[landing] -= 1;
  }
  return v;
}

}  // namespace

void insertCandidatePlay(BestPlaysList& list, const CheckedArray<int16_t, 4>& from,
                         const CheckedArray<int16_t, 4>& dice, float score,
                         const PartialScores& partials) {
  const auto& s = playSearch;
  CandidatePlayRow& cand = list[kStagingRow];
  cand[kScoreColumn] = score;
  cand[kPartMovesColumn] = s.playLength;
  cand[kMovesAllowedColumn] = flow.movesAllowed;
  cand[kPipsColumn] = s.genPipsUsed;
  cand[12] = partials.mainScore;
  cand[13] = partials.blotScore;
  cand[14] = partials.barScore;
  cand[15] = partials.blockScore;
  cand[16] = partials.distribScore;
  cand[17] = partials.pointsScore;
  // Columns of part-moves beyond playLength keep the previous candidate's values.
  for (int i = 1; i <= s.playLength; ++i) {
    if (from[i] == kFromBar) {
      cand[2 * i] = 25;
      cand[2 * i + 1] = static_cast<float>(25 - dice[i]);
    } else {
      cand[2 * i] = from[i];
      cand[2 * i + 1] = static_cast<float>(from[i] - dice[i]);
    }
  }

  // The opening book's play is row 1 on turn 1: a play starting with either of its
  // part-moves is the same idea and is not listed again. Without a book play (a game
  // started from another position) nothing is held back.
  if (flow.turnNumber == 1 && s.bookPlayListed != 0) {
    const CandidatePlayRow& top = list[1];
    if ((cand[2] == top[2] && cand[3] == top[3]) || (cand[2] == top[4] && cand[3] == top[5])) return;
  }

  // Plays that reach the same board (both dice orders of one man's run or of a bear-off)
  // are one play: it is listed once, at the better of their rankings.
  const ViewBoard candBoard = boardAfter(cand);
  int sameBoardRow = 0;
  for (int j = 1; j <= kRankedRows && sameBoardRow == 0; ++j) {
    if (list[j][kScoreColumn] != kEmptyRow && boardAfter(list[j]) == candBoard) sameBoardRow = j;
  }
  for (int j = 1; j <= kRankedRows; ++j) {
    CandidatePlayRow& row = list[j];
    const bool wins =
        s.genPipsUsed > row[kPipsColumn] || s.playLength > row[kPartMovesColumn] || score > row[kScoreColumn];
    if (j == sameBoardRow) {
      if (wins) row = cand;
      return;
    }
    if (wins) {
      for (int r = sameBoardRow != 0 ? sameBoardRow : kRankedRows; r > j; --r) list[r] = list[r - 1];
      row = cand;
      return;
    }
  }
}

int16_t loadChosenPlay(const BestPlaysList& list, int16_t row, CheckedArray<int16_t, 4>& from,
                       CheckedArray<int16_t, 4>& dice) {
  const CandidatePlayRow& r = list[row];
  auto& s = playSearch;
  s.playLength = static_cast<int16_t>(r[kPartMovesColumn]);
  flow.movesLeft = s.playLength;
  flow.movesAllowed = static_cast<int16_t>(r[kMovesAllowedColumn]);
  if (flow.movesAllowed == 0) flow.movesAllowed = kPartMovesOfPlainRoll;
  if (diceState.dice[0].value == diceState.dice[1].value) flow.movesAllowed = kPartMovesOfTurn;
  for (int i = 1; i <= s.playLength; ++i) {
    from[i] = static_cast<int16_t>(r[2 * i]);
    dice[i] = static_cast<int16_t>(r[2 * i] - r[2 * i + 1]);
    if (from[i] == 25) from[i] = kFromBar;
  }
  return s.playLength;
}

void readCandidatePlay(const BestPlaysList& list, int16_t row, CheckedArray<float, 9>& moveListPoints) {
  const CandidatePlayRow& r = list[row];
  const bool upward = position.playerDirection[position.currentPlayer] == 1;
  const int last = 2 * static_cast<int>(r[kPartMovesColumn]) + 1;
  for (int c = 2; c <= last; ++c) moveListPoints[c] = upward ? 25 - r[c] : r[c];
}

void clearBestPlays() {
  for (BestPlaysList* list : {&bestPlays.bestPlaysTrue, &bestPlays.bestPlaysSkill}) {
    for (int r = 1; r <= kStagingRow; ++r) {
      (*list)[r][kScoreColumn] = kEmptyRow;
      for (int c = 1; c <= 14; ++c) (*list)[r][c] = 0;
    }
  }
}

}  // namespace bg
