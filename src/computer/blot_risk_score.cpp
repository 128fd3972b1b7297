#include "computer/blot_risk_score.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "computer/position_features.h"
#include "state/position.h"
#include "state/program_state.h"

namespace bg {

PointStructure pointStructure;
BG_RESETS_WITH_PROGRAM(pointStructure);

namespace {

constexpr int16_t kPerspectiveBase[2] = {25, 0};
constexpr int kNoOpponentChecker = 99;
constexpr int kNoBarLimit = -1;

// One way to reach a blot with both dice: the distance, how much it adds, the points the
// path needs open (any one of them, or all), and how many opponent checkers may be on the
// bar when the shooter is a point.
struct ComboRow {
  int distance;
  int adds;
  std::array<int, 3> path;  // offsets from the shooter, 0 = unused
  bool anyOpen;
  int barLimit;  // kNoBarLimit: the opponent's bar must be empty
};

// The double 3 at twelve adds 2 and does not look at the ninth point; kept as the table
// has always been.
constexpr std::array<ComboRow, 21> kComboRows{{
    {7, 2, {1, 6, 0}, true, kNoBarLimit},
    {7, 2, {2, 5, 0}, true, kNoBarLimit},
    {7, 2, {3, 4, 0}, true, kNoBarLimit},
    {8, 1, {4, 0, 0}, false, 2},
    {8, 1, {2, 4, 6}, false, kNoBarLimit},
    {8, 2, {2, 6, 0}, true, kNoBarLimit},
    {8, 2, {3, 5, 0}, true, kNoBarLimit},
    {9, 1, {3, 6, 0}, false, 1},
    {9, 2, {3, 6, 0}, true, kNoBarLimit},
    {9, 2, {4, 5, 0}, true, kNoBarLimit},
    {10, 1, {5, 0, 0}, false, 2},
    {10, 2, {4, 6, 0}, true, kNoBarLimit},
    {11, 2, {5, 6, 0}, true, kNoBarLimit},
    {12, 2, {3, 6, 0}, false, kNoBarLimit},
    {12, 1, {4, 8, 0}, false, 1},
    {12, 1, {6, 0, 0}, false, 2},
    {15, 1, {5, 10, 0}, false, 1},
    {16, 1, {4, 8, 12}, false, kNoBarLimit},
    {18, 1, {6, 12, 0}, false, 1},
    {20, 1, {5, 10, 15}, false, kNoBarLimit},
    {24, 1, {6, 12, 18}, false, kNoBarLimit},
}};

double comboShots(const CheckedArray<int16_t, 26>& view, int blot) {
  const int onBar = view[0];
  double t = 0;
  for (const ComboRow& row : kComboRows) {
    const int j = blot - row.distance;
    if (j < 0 || view[j] <= 0) continue;
    if (j >= 1 && (row.barLimit == kNoBarLimit ? onBar != 0 : onBar > row.barLimit)) continue;
    bool any = false;
    bool all = true;
    for (int offset : row.path) {
      if (offset == 0) continue;
      const bool open = view[j + offset] > -2;
      any = any || open;
      all = all && open;
    }
    if (row.anyOpen ? any : all) t += row.adds;
  }
  return t;
}

}  // namespace

double blotRiskScore(const CheckedArray<int16_t, 25>& positionBoard, int16_t side) {
  CheckedArray<int16_t, 26> view;
  const int dir = position.playerDirection[side];
  for (int i = 0; i <= 25; ++i) {
    const int k = kPerspectiveBase[side] - dir * i;
    view[k] = static_cast<int16_t>(-dir * positionBoard[i]);
  }
  int ownPips = 0;
  int opponentPips = 0;
  for (int k = 1; k <= 24; ++k) {
    if (view[k] < 0) ownPips += -view[k] * k;
    if (view[k] > 0) opponentPips += view[k] * (25 - k);
  }
  ownPips += 25 * -view[0];
  opponentPips += 25 * view[25];
  const int lead = opponentPips - ownPips;

  // The opponent's rearmost checker in the side's own view, whichever side it is.
  int rear = kNoOpponentChecker;
  if (view[25] > 0) {
    rear = 0;
  } else {
    for (int k = 1; k <= 24 && rear == kNoOpponentChecker; ++k)
      if (view[k] > 0) rear = k;
  }

  std::swap(view[0], view[25]);  // the opponent's bar men now shoot from point 0

  int block = 0;
  for (int e = 24; e >= 21; --e) {
    int held = 0;
    for (int m = e - 5; m <= e; ++m) held += view[m] > 1 ? 1 : 0;
    block = std::max(block, held);
  }
  features.opponentBlockCount = static_cast<int16_t>(block);

  double s = 0;
  double x = 0;
  int homePoints = 0;
  for (int i = 1; i <= 24; ++i) {
    if (view[i] == -1 && !(i >= 23 && block < 5)) {
      if (rear < i && i < 23) x += (25 - i) * 0.1;
      double t = 0;
      int n = 0;
      int firstShooter = -1;
      for (int j = std::max(i - 6, 0); j <= i - 1; ++j) {
        if (view[j] <= 0) continue;
        ++n;
        t += static_cast<double>(i - j + 10) / n;
        if (firstShooter < 0) firstShooter = j;
      }
      int blocking = 0;
      if (firstShooter >= 0)
        for (int j = firstShooter; j <= i - 1; ++j) blocking += view[j] < -1 ? 1 : 0;
      t -= blocking;
      if (i > 21) t /= 3;
      s -= 0.2 * t;
      if (n == 0) {
        t = comboShots(view, i);
        if (i > 21) t /= 2;
        s -= 0.2 * t;
      }
    }
    if (i > 18 && view[i] > 1) ++homePoints;
  }
  s *= (homePoints * homePoints + 4) * 0.15;
  if (lead > 10) s *= static_cast<double>(lead) / (14 - block);
  return s - 0.8 * x;
}

int16_t analysePointStructureOnCopy(CheckedArray<int16_t, 25> v) {
  PointStructure& ps = pointStructure;
  ps = PointStructure{};
  int opponentBlotRow = 0;
  for (int i = 6; i >= 1; --i) {
    if (v[i] == -1) {
      ps.slotRow = static_cast<int16_t>(i);
      break;
    }
    if (v[i] == 1) opponentBlotRow = i;
  }
  if (v[25] > 0 && ps.slotRow > 0) ps.slotAtRiskFlag = -1;
  if (ps.slotAtRiskFlag == 0 && ps.slotRow > 1) {
    for (int i = ps.slotRow - 1; i >= 1; --i) {
      if (v[i] > 0) {
        ps.slotAtRiskFlag = -1;
        break;
      }
    }
  }
  if (ps.slotRow == 0) {
    for (int i = 6; i >= 1; --i) {
      if (v[i] == 0) {
        ps.firstEmptyRow = static_cast<int16_t>(i);
        break;
      }
      if (v[i] == 1) opponentBlotRow = i;
      }
  }
  const int target = ps.slotRow != 0 ? ps.slotRow : ps.firstEmptyRow != 0 ? ps.firstEmptyRow : opponentBlotRow;
  if (target == 0) return 0;

  const bool slot = ps.slotRow > 0;
  // A checker on p can come to the target: from outside, or a spare off a point.
  auto builderOn = [&](int p) { return v[p] < 0 && (p >= 7 || v[p] < -2); };
  int count = 0;
  for (int a = 1; a <= 6; ++a) {
    for (int c = 1; c <= 6; ++c) {
      const int t = target;
      bool found;
      if (a != c) {
        found = builderOn(t + a) || builderOn(t + c) ||
                (slot && v[t + a + c] < 0 && (v[t + a] < 2 || v[t + c] < 2) && builderOn(t + a + c));
      } else {
        found = builderOn(t + a) ||
                (v[t + a] < 2 && builderOn(t + 2 * a)) ||
                (v[t + a] < 2 && v[t + 2 * a] < 1 && builderOn(t + 3 * a)) ||
                (v[t + a] < 2 && v[t + 2 * a] < 1 && slot && v[t + 3 * a] < 1 && t + 4 * a < 25 &&
                 builderOn(t + 4 * a));
      }
      count += found ? 1 : 0;
    }
  }
  if ((ps.slotRow >= 1 && ps.slotAtRiskFlag != 0) || (v[25] > 0 && !slot) || opponentBlotRow != 0) {
    for (int p = target; p <= 8; ++p) count += v[p] < -2 ? 1 : 0;
  }
  return static_cast<int16_t>(count);
}

}  // namespace bg
