#include "rules/mover_view.h"

#include "state/analysis_state.h"
#include "state/position.h"
#include "state/program_state.h"

namespace bg {

AnalysisState analysis;
BG_RESETS_WITH_PROGRAM(analysis);

namespace {

constexpr int16_t kPerspectiveBase[2] = {25, 0};

// Basic counts of the finished view.
void computeBasicCounts() {
  auto& a = analysis;
  auto& v = a.evalBoard;

  a.opponentLastPoint = 24;
  if (v[kOpponentBarIndex] > 0) {
    a.opponentLastPoint = 0;
  } else {
    for (int16_t i = 1; i <= 23; ++i) {
      if (v[i] > 0) {
        a.opponentLastPoint = i;
        break;
      }
    }
  }

  a.highestOccupiedPoint = 1;
  if (v[kOwnBarIndex] < 0) {
    a.highestOccupiedPoint = 25;
  } else {
    for (int16_t i = 24; i >= 1; --i) {
      if (v[i] < 0) {
        a.highestOccupiedPoint = i;
        break;
      }
    }
  }

  const int16_t barMen = static_cast<int16_t>(-v[kOwnBarIndex]);
  // Each man behind goes to the point below the opponent's rearmost, or off when that
  // man is on the bar.
  const int target = a.opponentLastPoint > 0 ? a.opponentLastPoint - 1 : 0;
  int behind = barMen;
  int pips = barMen * (25 - target);
  for (int16_t p = static_cast<int16_t>(a.opponentLastPoint + 1); p <= 24; ++p) {
    if (v[p] < 0) {
      behind += -v[p];
      pips += -v[p] * (p - target);
    }
  }
  a.ownMenBehindRear = static_cast<int16_t>(behind);
  a.pipsToBreakContact = static_cast<int16_t>(pips);

  a.raceFlag = 0;
  if (barMen == 0) {
    if (a.opponentLastPoint > a.highestOccupiedPoint) a.raceFlag = -1;
  } else if (a.opponentLastPoint > 19) {
    // A man entering can only land below every opponent man when all of its points
    // from the rearmost up are held.
    bool allHeld = true;
    for (int16_t p = a.opponentLastPoint; p <= 24; ++p) {
      if (v[p] < 2) allHeld = false;
    }
    if (allHeld) a.raceFlag = -1;
  }
  a.contactBroken = a.raceFlag;
  a.analysisRaceFlag = a.raceFlag;
}

}  // namespace

void buildMoverView() {
  auto& a = analysis;
  const int16_t p = position.currentPlayer;
  const int16_t dir = position.playerDirection[p];
  const int16_t base = kPerspectiveBase[p];

  int moverPips = 0;
  int opponentPips = 0;
  int moverMen = 0;
  int opponentMen = 0;
  int16_t moverPoints = 0;
  int16_t opponentPoints = 0;

  for (int16_t i = 0; i <= 25; ++i) {
    const int16_t v = static_cast<int16_t>(base - i * dir);
    const int16_t c = static_cast<int16_t>(-dir * position.board[i]);
    a.evalBoard[v] = c;
    a.evalBoardB[v] = c;
    if (c == 0 || i < 1 || i > 24) continue;
    if (c > 0) {
      opponentMen += c;
      ++opponentPoints;
      opponentPips += c * (25 - v);
    } else {
      moverMen += -c;
      ++moverPoints;
      moverPips += -c * v;
    }
  }

  moverPips += 25 * -a.evalBoard[kOwnBarIndex];
  opponentPips += 25 * a.evalBoard[kOpponentBarIndex];
  moverMen += -a.evalBoard[kOwnBarIndex];
  opponentMen += a.evalBoard[kOpponentBarIndex];

  a.moverPipCount = static_cast<int16_t>(moverPips);
  a.opponentPipCount = static_cast<int16_t>(opponentPips);
  a.menLeft[1] = static_cast<int16_t>(moverMen);
  a.menLeft[0] = static_cast<int16_t>(opponentMen);
  a.analysisPips[0] = a.opponentPipCount;
  a.analysisPips[1] = a.moverPipCount;
  a.menLeftSaved = a.menLeft;
  a.moverOccupiedPoints = moverPoints == 0 ? int16_t{1} : moverPoints;
  a.opponentOccupiedPoints = opponentPoints == 0 ? int16_t{1} : opponentPoints;

  computeBasicCounts();
}

}  // namespace bg
