#include "computer/eval_terms_board.h"

#include "computer/backgame_flags.h"
#include "computer/candidate_features.h"
#include "computer/eval_scores.h"
#include "computer/eval_term_steps.h"
#include "computer/factors.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "computer/term_features.h"
#include "state/analysis_state.h"
#include "state/play_search_state.h"

namespace bg {

namespace {

using evalterm::addTo;

void scale(float& score, double factor) { score = static_cast<float>(score * factor); }

int men(int p) { return analysis.evalBoard[p]; }
int menBefore(int p) { return analysis.evalBoardB[p]; }
bool ownPoint(int p) { return men(p) <= -2; }
bool opponentPoint(int p) { return men(p) >= 2; }
int opponentOnBar() { return men(kOpponentBarIndex); }

}  // namespace

void checkRunningGame() {
  TermFeatures& t = termFeatures;
  t.runningGameFlag = 0;
  if (analysis.highestOccupiedPoint - candidate.opponentRearPoint < 4 && analysis.ownMenBehindRear < 4) {
    t.runningGameFlag = -1;
    // Giving up a home point costs once the race is being won.
    if (features.startHomePoints > candidate.ownHomePoints && candidate.raceRollLeadAfterRoll > 0)
      addTo(evalScores.mainScore, -static_cast<double>(factors.RunFact1));
  }
}

void evalBestBlock() {
  TermFeatures& t = termFeatures;
  PositionFeatures& f = features;
  EvalScores& s = evalScores;
  f.opponentHasBackMen = 0;
  t.ownBlockStart = 0;
  t.ownBlockEnd = 0;
  t.ownBlockAfterPlay = 0;
  int trapped = 0;
  int firstBack = 0;  // lowest window start with opponent men
  const int windows = analysis.moverPipCount < 156 ? 4 : 5;
  for (int w = 1; w <= windows; ++w) {
    if (men(w) > 0) {
      if (firstBack == 0) firstBack = w;
      f.opponentHasBackMen = -1;
      if (ownPoint(w + 6)) trapped += 2 * men(w);
      if (ownPoint(w + 5)) trapped += men(w);
    }
    int held = 0;
    for (int p = w; p <= w + 5; ++p) held += ownPoint(p) ? 1 : 0;
    if (held > t.ownBlockAfterPlay) {
      t.ownBlockStart = static_cast<int16_t>(w);
      t.ownBlockEnd = static_cast<int16_t>(w + 6);
      t.ownBlockAfterPlay = static_cast<int16_t>(held);
    }
  }
  if (opponentOnBar() >= 1 && t.ownBlockEnd >= 6) f.opponentHasBackMen = -1;
  if (t.ownBlockAfterPlay < 3) f.opponentHasBackMen = 0;

  s.blockScore = static_cast<float>(static_cast<double>(t.ownBlockAfterPlay) * t.ownBlockAfterPlay * factors.BlFact1);
  if (f.opponentHasBackMen == 0) {
    scale(s.blockScore, factors.BlFact4);
    if (t.runningGameFlag != 0) scale(s.blockScore, factors.blFact7);
  }
  if (firstBack != 0 && firstBack + 6 < t.ownBlockEnd) scale(s.blockScore, factors.blFact6);
  if (analysis.highestOccupiedPoint > 9) addTo(s.blockScore, trapped * static_cast<double>(factors.blFact8));
  addTo(s.mainScore, (candidate.ownHomePoints - f.startHomePoints) * static_cast<double>(factors.GpFact9));
  if (opponentOnBar() > 0) addTo(s.mainScore, static_cast<double>(factors.IFact6) * candidate.ownHomePoints);
  if (men(1) > 0 && ownPoint(7)) addTo(s.blockScore, factors.blFact9);
}

void evalAnchor() {
  const CandidateFeatures& c = candidate;
  EvalScores& s = evalScores;
  if (backgame.backgameFlag == 0 && features.bearInFlag == 0 && analysis.contactBroken == 0 &&
      (c.raceRollLeadAfterRoll < 0 || c.candidateOwnPips > 130)) {
    struct Rung {
      int point, value, blockBonus;
    };
    // The most useful anchor first; a bonus when the opponent has started its own block.
    static constexpr Rung kLadder[] = {{20, 5, 2}, {18, 3, 2}, {19, 3, 2}, {21, 3, 1},
                                       {22, 1, 0}, {23, 1, 0}, {24, 1, 0}};
    int value = 0;
    for (const Rung& r : kLadder) {
      if (!ownPoint(r.point)) continue;
      value = r.value;
      if (opponentPoint(4) || opponentPoint(5) || opponentPoint(6) || opponentPoint(7)) value += r.blockBonus;
      if (r.point == 24 && c.raceRollLeadAfterRoll < -3) value += 3;
      break;
    }
    addTo(s.mainScore, value * static_cast<double>(factors.AnFact1));
  }
  if (!ownPoint(13) && c.ownRearPoint >= 16) addTo(s.mainScore, -1);
}

void evalBarAndHitting() {
  const int onBar = opponentOnBar();
  if (onBar <= 0) return;
  TermFeatures& t = termFeatures;
  const PositionFeatures& f = features;
  const CandidateFeatures& c = candidate;
  const AnalysisState& a = analysis;
  EvalScores& s = evalScores;

  t.hitsThisPlay = static_cast<int16_t>(onBar - menBefore(kOpponentBarIndex));
  addTo(s.barScore, (c.candidateOpponentPips - a.opponentPipCount) * static_cast<double>(factors.HFact3));
  addTo(s.barScore, c.ownHomePointsSquared * static_cast<double>(factors.HFact) * onBar);
  addTo(s.barScore, t.ownBlockAfterPlay * t.ownBlockAfterPlay / 35.0 * factors.BarFact7 * onBar);
  if (onBar >= 2 && (t.homeBlotCount == 0 || t.ownBlockAfterPlay > 3) &&
      !(t.homeBlotCount > 0 && f.opponentHomePoints > 3))
    addTo(s.barScore, static_cast<double>(factors.HBFact) * onBar);

  // The last opponent man in contact, sent back: worth more the shorter its way out.
  const int span = a.highestOccupiedPoint - a.opponentLastPoint;
  if (t.opponentMenInContact == 1 && c.raceRollLeadAfterRoll < 1.5 && span != 0) {
    double m = 1;
    if (f.ownBlockCount > 4 && f.opponentHasBackMen == -1 && a.opponentLastPoint + 6 < 25 &&
        menBefore(a.opponentLastPoint + 6) <= -2)
      m = 0.5;
    m = m * 10 / span;
    int between = 0;
    for (int p = a.opponentLastPoint + 1; p <= a.highestOccupiedPoint - 1; ++p) between += menBefore(p) < 0 ? 1 : 0;
    m = m * 5 / (between + 1);
    addTo(s.barScore, onBar * m * factors.BarFact4);
  }
  if (backgame.backgameFlag != 0 && t.opponentMenInContact > 4 && a.opponentLastPoint < 8) scale(s.barScore, 0.25);
  if (c.raceRollLeadAfterRoll < 1) {
    addTo(s.barScore, onBar * 2.3);
    if (onBar > 1) addTo(s.barScore, factors.Bsfact1);
  }
  if (race.raceBehindFlag != 0) {
    if (!(backgame.backgameFlag != 0 && backgame.attackFlag == 0))
      addTo(s.mainScore, onBar * static_cast<double>(factors.BarFact1));
    if (backgame.noBackgameFlag != 0) addTo(s.mainScore, onBar * static_cast<double>(factors.BarFact2));
  }
  if (f.opponentBlockCount > 5 && f.sideHasBackMen == -1) {
    addTo(s.mainScore, -t.hitsThisPlay * static_cast<double>(factors.PrmFact5));
    s.barScore = 0;
  }
  if (men(5) == -1 && menBefore(5) == 1) addTo(s.mainScore, factors.Hitfact6);
  for (int p = 19; p <= 24; ++p)
    if (menBefore(p) == 1 && men(p) <= 0) addTo(s.barScore, factors.BarFact8);
}

void evalHomeBoardGame() {
  const PositionFeatures& f = features;
  const CandidateFeatures& c = candidate;
  const TermFeatures& t = termFeatures;
  const PlaySearchState& play = playSearch;
  EvalScores& s = evalScores;

  if (backgame.weakHomeBoardFlag != 0) {
    const int onBar = opponentOnBar();
    if (onBar > 0 && f.bearInFlag == 0 && play.homeBoardHit == 0)
      addTo(s.mainScore, -onBar * static_cast<double>(factors.HBGFact3));
    addTo(s.mainScore, (c.ownHomePoints - f.startHomePoints) * static_cast<double>(factors.HBGFact2));
    if (opponentPoint(1) && opponentPoint(3) && men(5) != -1)
      addTo(s.mainScore, (men(5) - menBefore(5)) * static_cast<double>(factors.HBGFact4));
  }
  traceMainScore();
  if (f.bearInFlag == 0) {
    s.pointsScore = static_cast<float>(f.pointWeightSum * static_cast<double>(s.pointFactor));
    if (t.runningGameFlag != 0) scale(s.pointsScore, factors.PtFact1);
  } else {
    s.pointsScore = 0;
  }
  traceMainScore();
  if (men(18) < 0 && menBefore(18) == 0 && f.opponentHomePointsSum < 20 && analysis.opponentPipCount > 120 &&
      c.candidateOwnPips > 100)
    addTo(s.mainScore, factors.GpFact);
  if (c.ownRearPoint > 20 && men(20) == -1 && menBefore(20) >= 0) addTo(s.mainScore, factors.GpFact2);
  traceMainScore();
  // The 6-5 run from the back: both halves from points summing to 42 (24 and 18, or 23
  // and 19).
  if (play.playDice[1] + play.playDice[2] == 11 && play.playFrom[1] + play.playFrom[2] == 42 && f.pipLead >= -11) {
    const int held18 = opponentPoint(18) ? 1 : 0;
    addTo(s.mainScore, (f.opponentBlockCount + 2 + t.opponentOddOuterPoints / 3.0 + held18) * factors.GpFact5);
  }
  traceMainScore();
  if (play.contactBreakResult != 0) {
    if (f.highestOwnBlot > c.opponentRearPoint) {
      if (c.raceRollLeadAfterRoll > -1 && f.opponentHomePoints > 2) addTo(s.mainScore, -21);
    } else if (analysis.contactBroken != -1 && c.raceRollLeadAfterRoll > -1) {
      addTo(s.mainScore, -(3 + static_cast<double>(c.raceRollLeadAfterRoll)));
    }
  }
}

}  // namespace bg
