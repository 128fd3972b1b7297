#include "computer/eval_terms_backgame.h"

#include <cmath>

#include "computer/backgame_flags.h"
#include "computer/bear_off_all.h"
#include "computer/candidate_features.h"
#include "computer/doubling_position.h"
#include "computer/eval_scores.h"
#include "computer/eval_term_steps.h"
#include "computer/factors.h"
#include "computer/late_race.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "computer/term_features.h"
#include "state/analysis_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/settings.h"

namespace bg {

BackgameTermState backgameTerms;
BG_RESETS_WITH_PROGRAM(backgameTerms);

namespace {

using namespace evalterm;

auto& bt = backgameTerms;

int ownMenAfter(int p) { return after(p) < 0 ? -after(p) : 0; }
int ownMenBefore(int p) { return before(p) < 0 ? -before(p) : 0; }
bool ownPointBefore(int p) { return before(p) <= -2; }

}  // namespace

void resetBackgameTermState() {
  const auto homePoints = bt.homePointsMade;
  bt = BackgameTermState{};
  bt.homePointsMade = homePoints;
}

void evalBackgame() {
  const auto& f = factors;
  const auto& ps = playSearch;
  bt.backAnchorPairs = 0;

  // A back man leaving 21..24 for a point below 20.
  for (int i = 1; i <= ps.playLength; ++i) {
    if (ps.playFrom[i] > 20 && ps.playFrom[i] - ps.playDice[i] < 20) addMain(-f.BkFact4);
  }
  // Men buried on the lowest points: 1 per man added to point 1 (2 for a hit there).
  addMain(-(before(1) - after(1)));
  int t = 0;
  for (int p = 1; p <= 3; ++p) t += before(p) - after(p);
  addMain(-t * static_cast<double>(f.TempFact));
  addMain(features.ownPointCount * static_cast<double>(f.BGFact3));

  const bool p1 = ownPointBefore(24) && ownPointBefore(22);
  const bool p2 = ownPointBefore(23) && ownPointBefore(22);
  const bool p4 = moverHolds(24) && moverHolds(22);
  const bool p5 = moverHolds(23) && moverHolds(22);

  for (int p : {24, 23}) {
    const int men = ownMenAfter(p);
    if (men >= 3 || (men == 1 && (p4 || p5))) addMain(-f.BGFact4);
    if (men == 1 && features.ownExposedBlots > 2) addMain(-f.BGFact4);
  }

  int n = 0;
  for (int p = 20; p <= 24; ++p) n += moverHolds(p) ? 1 : 0;

  const int rear = analysis.opponentLastPoint;
  const int block = features.opponentBlockCount;
  auto pair = [](int q, int r, double c) {
    if (ownMenAfter(q) > 0 && ownMenAfter(r) > 0) {
      bt.backAnchorPairs = static_cast<float>(bt.backAnchorPairs + c * (ownMenAfter(q) + ownMenAfter(r)));
    }
  };
  if (ownMenAfter(24) > 0 && rear < 21) {
    pair(23, 24, 0.75);
    pair(22, 24, 1.0);
    pair(21, 24, 0.25);
  }
  if (ownMenAfter(23) > 0 && rear < 20) {
    pair(22, 23, 1.0);
    pair(21, 23, 0.5);
  }
  if (ownMenAfter(22) > 0 && rear < 19 && block > 3) pair(21, 22, 0.75);
  if (ownMenAfter(21) > 0 && rear < 18 && block > 3) pair(20, 21, 0.75);
  addMain(bt.backAnchorPairs * static_cast<double>(f.BkFact3));

  if (moverHolds(24) && after(23) >= 2 && rear == 23) addMain(-3);
  if (backgame.attackFlag == -1 && after(kOpponentBarIndex) > before(kOpponentBarIndex)) addMain(-f.BGFact7);

  double s = 0;
  for (int p = 24; p >= 21; --p) {
    if (p > rear && moverHolds(p)) s += f.BGFact12;
  }
  if (s > 2.0 * f.BGFact12) s = 2.0 * f.BGFact12;
  addMain(s);

  if (!p1 && !p2 && (p4 || p5)) {
    addMain(f.BGFact14);
    if (n < 2) addMain(f.BGFact14);
  }
  if (p5) addMain(f.BGFact13 * static_cast<double>(block) / 6.0);
}

void countHomeBoardPoints() {
  bt.homeCountsDone = -1;
  bt.ownHomeOccupied = 0;
  bt.ownTopHomePoint = 0;
  bt.ownTopHomeMadePoint = 0;
  bt.ownHomeGapsBelowTop = 0;
  bt.exposedHomeBlots = 0;
  for (int p = 6; p >= 1; --p) {
    const int c = after(p);
    if (c < 0) {
      bt.ownHomeOccupied += 1;
      if (bt.ownTopHomePoint == 0) bt.ownTopHomePoint = static_cast<int16_t>(p);
      if (bt.ownTopHomeMadePoint == 0 && c <= -2) bt.ownTopHomeMadePoint = static_cast<int16_t>(p);
    }
    if (bt.ownTopHomePoint != 0) {
      if (c >= 0) bt.ownHomeGapsBelowTop += 1;
      if (c == -1 && candidate.opponentRearPoint < p) bt.exposedHomeBlots += 1;
    }
  }
  evalScores.menBorneOffInPlay = static_cast<int16_t>(analysis.menLeftSaved[1] - analysis.menLeft[1]);
}

void evalBearOff() {
  const auto& f = factors;
  auto& s = evalScores;
  const int menLeft = analysis.menLeft[1];
  const int borneOff = s.menBorneOffInPlay;
  s.distribScore = static_cast<float>(s.distribScore * static_cast<double>(f.DistribFact2));
  if (candidate.ownRearPoint > 6) addMain(-candidate.ownRearPoint * static_cast<double>(f.BOFact1));
  if (menLeft == 2 && after(6) < 0) addMain(-f.BOFact20);

  const double lead = static_cast<double>(race.raceRolls[0]) - race.raceRolls[1];
  if (lead < 2 || lead > 5) {
    addMain(borneOff * static_cast<double>(f.BOFact4) + bt.ownHomeOccupied / static_cast<double>(f.BOFact2));
  } else {
    addMain(borneOff * static_cast<double>(f.BOFact4) / 2 + 2.0 * bt.ownHomeOccupied / f.BOFact2);
  }

  if (menLeft == 2 && after(6) >= 0) {
    int lowest = 0;
    for (int p = 1; p <= 5 && lowest == 0; ++p) {
      if (after(p) < 0) lowest = p;
    }
    addMain(-lowest * static_cast<double>(f.BOFact21));
  }
  addMain(-bt.ownHomeGapsBelowTop * static_cast<double>(f.BOFact6));
  if (analysis.menLeftSaved[0] == 15 && menLeft < 12) addMain(-menLeft / 2.0);

  // Few men on both sides: the exact chance of getting off next turn replaces the score.
  if (analysis.menLeftSaved[0] < 5 && analysis.menLeftSaved[1] < 5 && menLeft > 0) {
    auto& t = bearOffTrial;
    t.trialHighestPoint = candidate.ownRearPoint;
    t.trialMenCount = static_cast<int16_t>(menLeft);
    t.trialUseOpponentView = 0;
    const int rolls = countBearOffRolls();
    s.mainScore = static_cast<float>(rolls + 0.1 * borneOff);
  }

  if (analysis.menLeftSaved[0] - menLeft > 7) addMain(f.MOFact);
  if (menLeft == 0) addMain(50);
}

void evalBearOffDistribution() {
  const auto& f = factors;
  const int borneOff = evalScores.menBorneOffInPlay;
  const int menLeft = analysis.menLeft[1];
  if (bt.homeCountsDone == 0) countHomeBoardPoints();
  addMain(-(bt.ownHomeGapsBelowTop * static_cast<double>(f.BOFact8) +
            bt.exposedHomeBlots * static_cast<double>(f.BOFact13) +
            termFeatures.homeBlotCount * static_cast<double>(f.BOFact14)));

  const int top = bt.ownTopHomeMadePoint;
  if (after(1) >= 2 && top >= 1 && ownMenAfter(top) % 2 == 0 && ownMenAfter(top - 1) > 3) addMain(f.BOFact16);
  const int rear = candidate.opponentRearPoint;
  if (rear >= 1 && top > rear && ownMenAfter(top - rear) == 2 && ownMenAfter(top) == 2) addMain(-f.BOFact15);
  if (top > 1) {
    if (top == 6 && ownMenAfter(6) == 3 && ownMenAfter(5) == 3) {
      addMain(f.BOFact18);
    } else {
      if (ownMenAfter(top) == 3) addMain(-(9 - top) * static_cast<double>(f.BOFact23));
      if (ownMenAfter(top - 1) == 3) addMain(-f.BOFact10);
      if (ownMenAfter(top) > 3) addMain(ownMenAfter(top) * static_cast<double>(f.BOFact22));
    }
  }
  if (features.opponentMenOutside == 1 && analysis.menLeftSaved[1] - analysis.menLeftSaved[0] > 4) {
    addMain(borneOff * static_cast<double>(f.BOFact19));
  }
  if (analysis.menLeftSaved[0] - menLeft > 7) addMain(f.MOFact);
  if (analysis.menLeftSaved[0] - menLeft > 6) addMain(f.MOFact2);
  if (menLeft > analysis.menLeftSaved[0] || candidate.candidatePipDeficit >= 11) {
    addMain(f.BOFact12 * static_cast<double>(borneOff));
  } else {
    addMain(f.BOFact24 * static_cast<double>(borneOff));
  }
  if (menLeft == 0) addMain(50);
}

int16_t tooLateToComeHome() {
  int rear = 0;
  if (before(kOwnBarIndex) < 0) {
    rear = 25;
  } else {
    for (int p = 24; p >= 1 && rear == 0; --p) {
      if (before(p) < 0) rear = p;
    }
  }
  int s = 0;
  for (int p = 10; p <= rear; ++p) s += ownMenBefore(p) * (p - 6);
  int nearHome = 0;
  for (int p = 7; p <= 9; ++p) nearHome += ownMenBefore(p);
  const double x = s / 8.33333 + nearHome / 2.0;
  // Nearest whole numbers, halves to the even one.
  return std::nearbyint(x + 0.9 + 0.5) >= std::nearbyint(race.raceRolls[0] - 1 + 0.9) ? -1 : 0;
}

void evalBackGamePenalty() {
  bt.bigRaceLeadFlag = (candidate.raceRollLeadAfterRoll > 1.8 && candidate.opponentRearPoint >= 7 &&
                        features.opponentMenOutside >= 4 && doublingPosition.doublingScore > 0)
                           ? -1
                           : 0;
  if (analysis.raceFlag == -1 || tooLateToComeHome() == 0 || settings.backgammonAllowed == 255) return;
  int a = 0;
  int b = 0;
  for (int p = 24; p >= 19 && p > candidate.opponentRearPoint; --p) {
    a += ownMenAfter(p);
    b += ownMenBefore(p);
  }
  if (a < b) addMain(-50);
}

void countHomePointsBoth() {
  auto& made = bt.homePointsMade;
  made[0] = 0;
  made[1] = 0;
  for (int p = 19; p <= 24; ++p) made[0] += position.board[p] >= 2 ? 1 : 0;
  for (int p = 1; p <= 6; ++p) made[1] += position.board[p] <= -2 ? 1 : 0;
  if (position.playerDirection[0] == -1) {
    const int16_t keep = made[0];
    made[0] = made[1];
    made[1] = keep;
  }
  candidate.ownHomePoints = made[1];
  features.opponentHomePoints = made[0];
}

}  // namespace bg
