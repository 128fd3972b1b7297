#include "computer/backgame_flags.h"

#include "computer/eval_scores.h"
#include "computer/factors.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "state/analysis_state.h"
#include "state/program_state.h"

namespace bg {

BackgameFlags backgame;
BG_RESETS_WITH_PROGRAM(backgame);

void evalBackgameTiming() {
  auto& b = backgame;
  const auto& a = features;
  const auto& v = analysis.evalBoard;
  const auto& p = evalParams;
  b.backgameTooLateFlag = 0;
  b.noBackgameFlag = 0;
  b.backgameEarlyFlag = 0;
  if (analysis.opponentLastPoint >= 17 || a.startHomePoints >= 4 ||
      (analysis.opponentPipCount < 70 && race.raceBehindFlag == -1) || a.opponentContactMen < 4) {
    b.attackFlag = -1;
  }

  // Too late when there are too few outer pips left to hold the back points while waiting.
  const double r = (a.ownOuterPips + 5.0) / (a.opponentPipsOutside + 5.0);
  if ((a.ownOuterPips < p.bgTimingCountLimit && factors.TmFact1 > r) ||
      (a.ownOuterPips < p.bgTimingCountLimit2 && a.ownMenBack < 4)) {
    b.backgameTooLateFlag = -1;
  }

  int free = 0;
  for (int q = 24; q >= 20; --q) free += v[q] < 2 ? 1 : 0;
  const bool deepPointsHeld = v[24] >= 2 && v[23] >= 2 && v[22] >= 2;
  if (free < 2 || analysis.menLeftSaved[1] < 12 || b.backgameTooLateFlag == -1 || deepPointsHeld ||
      (a.ownBlockCount >= 5 && a.opponentHasBackMen == -1) ||
      (a.opponentContactMen == 1 && a.ownMenBack < 3)) {
    b.noBackgameFlag = -1;
  }

  const double timing =
      a.pipDifference * (a.opponentPointsMade * static_cast<double>(factors.BGFact8) + a.opponentHomePoints + 1) /
      (a.ownPointsMade * static_cast<double>(factors.BGFact9) + a.opponentBlotCount + a.startHomePoints + 1);
  if (timing < p.bgTimingMinimum || b.noBackgameFlag == -1) return;

  if (timing < p.bgTimingMinimum + p.bgTimingMargin || analysis.ownMenBehindRear < 4 ||
      (a.ownMenBack < 3 && analysis.ownMenBehindRear < 5)) {
    b.backgameEarlyFlag = -1;
    // Each candidate starts again from PFactStart!, so this lasts only until the first.
    evalScores.pointFactor = factors.PFactBG;
  } else {
    b.backgameFlag = -1;
  }
}

void checkWeakHomeBoard() {
  const auto& v = analysis.evalBoard;
  if (features.opponentBackMen < 3 || features.pipDifference >= evalParams.oppHomeBlotPipLimit) return;
  int open = 0;
  for (int q = 1; q <= 4; ++q) open += v[q] > -2 ? 1 : 0;
  if (open >= 2) backgame.weakHomeBoardFlag = -1;
}

}  // namespace bg
