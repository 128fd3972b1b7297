#include "rollout/rollout_picture.h"

#include "rollout/rollout_stats.h"
#include "runtime/core/format.h"

namespace bg {

namespace {
constexpr int kPlayer0Bar = 25;
constexpr int kLabelMirror = 25;
constexpr int kFirstTopLabel = 13;
constexpr int kLastTopLabel = 24;
constexpr int kLastBottomLabel = 12;

char pointMark(int p, int r) {
  const int16_t count = rolloutStats.rolloutStartBoard[p];
  if (count >= r) return 'Y';
  if (count <= -r) return 'C';
  return ' ';
}
}  // namespace

char labelMark(int label, int r) { return pointMark(kLabelMirror - label, r); }
char topBarMark(int r) { return rolloutStats.rolloutStartBoard[0] <= -r ? 'C' : ' '; }
char bottomBarMark(int r) { return rolloutStats.rolloutStartBoard[kPlayer0Bar] >= r ? 'Y' : ' '; }

bool topRowMarked(int r) {
  if (topBarMark(r) != ' ') return true;
  for (int label = kFirstTopLabel; label <= kLastTopLabel; ++label) {
    if (labelMark(label, r) != ' ') return true;
  }
  return false;
}

bool bottomRowMarked(int r) {
  if (bottomBarMark(r) != ' ') return true;
  for (int label = 1; label <= kLastBottomLabel; ++label) {
    if (labelMark(label, r) != ' ') return true;
  }
  return false;
}

std::string rolloutDiceText() {
  const RolloutSnapshot& s = rolloutSnapshot;
  if (s.sideToMove == 0) return strS(s.dice[1]) + "-" + strS(s.dice[0]);
  return strS(s.dice[0]) + "-" + strS(s.dice[1]);
}

}  // namespace bg
