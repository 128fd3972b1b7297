#include "computer/blot_risk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "computer/program_data.h"
#include "state/position.h"
#include "state/program_state.h"

namespace bg {
namespace {

// A board in the examined side's view: its checkers negative, the shooter's positive,
// [25] the shooter's men on the bar.
using View = std::array<int, 26>;

struct Call {
  View w{};
  std::vector<int> blots, shooters;  // ascending; the shooters' bar as 0 first
  int rear = 24, home = 0;
};

Call describe(const View& w) {
  Call c;
  c.w = w;
  if (w[25] > 0) c.shooters.push_back(0);
  for (int p = 1; p <= 24; ++p) {
    if (w[p] == -1) c.blots.push_back(p);
    if (w[p] > 0) c.shooters.push_back(p);
    if (p >= 19 && w[p] >= 2) ++c.home;
  }
  c.rear = c.shooters.empty() ? 24 : c.shooters.front();
  return c;
}

void run(const Call& c) {
  CheckedArray<int16_t, 26> board;
  CheckedArray<int16_t, 15> blots, shooters;
  for (int i = 0; i <= 25; ++i) board[i] = static_cast<int16_t>(c.w[i]);
  for (int k = 0; k < static_cast<int>(c.blots.size()); ++k) blots[k + 1] = static_cast<int16_t>(c.blots[k]);
  for (int k = 0; k < static_cast<int>(c.shooters.size()); ++k) shooters[k + 1] = static_cast<int16_t>(c.shooters[k]);
  determineCubeBlotRisk(board, static_cast<int16_t>(c.rear), static_cast<int16_t>(c.blots.size()), blots,
                        static_cast<int16_t>(c.shooters.size()), shooters, static_cast<int16_t>(c.home));
}

// ---------------------------------------------------------------------------------------
// An independent count, roll by roll: for each of the 36 ordered rolls, which levels of
// hits it is counted at, under the counting rules the analysis follows (no direct shot
// from a two-checker point in the shooter's home board, deep back blots left out, the bar
// rules, combination shots never listed, level 3 from doubles only).

struct Shot {
  int die, from, steps;
  int landing() const { return die * steps + from; }
};

struct Expected {
  std::array<int, 4> hits{};
  std::array<int, 25> pointRolls{}, markA{}, markB{};
  std::array<int, 7> exposure{};
  int hittable = 0;
  double riskSum = 0;
  std::vector<Shot> shots;  // every listed shot, uncapped
};

struct Reference {
  const Call& c;
  View b;
  int bar;
  std::vector<int> kept;

  explicit Reference(const Call& call) : c(call), b(call.w), bar(call.w[25]) {
    b[0] = bar;
    kept = c.blots;
    while (!kept.empty() && kept.back() >= 22 && c.home + (25 - kept.back()) < 5) kept.pop_back();
  }
  bool open(int p) const { return b[p] > -2; }
  int at(int p) const { return b[p]; }

  bool directShot(int p, int d) const {
    const int q = p - d;
    return d <= p - c.rear && q >= 0 && at(q) > 0 && !(q > 18 && at(q) == 2);
  }
  bool directShotListed(int p, int d) const {
    const int q = p - d;
    if (q == 0 || bar < 2) return true;
    return bar <= 3 && open(d) && !(bar == 3 && at(d) >= 0);
  }
  // A shooter that may use both dice on one checker.
  bool comboShooter(int p, int q) const {
    const int dist = p - q;
    if (bar >= 2 || dist < 1 || dist > std::min(12, p - c.rear)) return false;
    if (bar >= 1 && q != 0) return false;
    return !(q > 18 && at(q) == 2);
  }
  // Blots hit on the way (1 = the target only), or 0 when the double cannot get there.
  int doublesPath(int p, int q, int die) const {
    const int dist = p - q;
    if (dist <= die || dist % die != 0) return 0;
    int steps = (q == 0 ? 5 : 4) - bar;
    if (bar >= 1 && !open(die)) steps = 0;
    if (steps * die < dist) return 0;
    int hits = 1;
    for (int mid = q + die; mid < p; mid += die) {
      if (!open(mid)) return 0;
      if (at(mid) == -1) ++hits;
    }
    return hits;
  }

  bool levelOne(int a, int d2) const {
    for (int p : kept) {
      for (auto [d, e] : {std::pair{a, d2}, std::pair{d2, a}}) {
        if (!directShot(p, d)) continue;
        const int q = p - d;
        if (q == 0 || bar == 0) return true;
        if (bar == 1 && open(e)) return true;
        if (bar >= 2 && bar <= 3 && a == d2 && open(d)) return true;
      }
      for (int q : c.shooters) {
        if (comboShooter(p, q) && p - q == a + d2 && (open(q + a) || open(q + d2))) return true;
        if (a == d2 && doublesPath(p, q, a) >= 1) return true;
      }
    }
    return false;
  }

  Expected count() const {
    Expected x;
    for (int p : c.blots)
      if (p < c.rear) x.riskSum += 40 - p;
    // Shots in listing order: the direct ones, then those with a double.
    for (int p : kept)
      for (int d = 1; d <= 6; ++d)
        if (directShot(p, d)) {
          ++x.exposure[d];
          if (directShotListed(p, d)) x.shots.push_back({d, p - d, 1});
        }
    for (auto pit = kept.rbegin(); pit != kept.rend(); ++pit) {
      for (auto qit = c.shooters.rbegin(); qit != c.shooters.rend(); ++qit) {
        const int p = *pit, q = *qit;
        for (int die = 1; die <= 6; ++die) {
          if (p - q == die && at(q) >= 2) ++x.pointRolls[p];
          if (doublesPath(p, q, die) >= 1) {
            if ((p - q) / die == 2 && at(q) >= 2) ++x.pointRolls[p];
            x.shots.push_back({die, q, (p - q) / die});
          }
        }
      }
    }
    for (const Shot& s : x.shots) x.markA[s.landing()] = 1;
    for (int p : kept) {
      x.hittable += x.markA[p];
      for (int q : c.shooters)
        if (comboShooter(p, q))
          for (int j = 1; j <= 6; ++j)
            if (p - q - j >= 1 && p - q - j <= 6 && open(q + j)) x.markB[p] = 1;
    }
    std::vector<Shot> listed = x.shots;
    if (listed.size() > kShotListCapacity) listed.resize(kShotListCapacity);

    // Pairs of listed shots: rolls that hit two blots, and ways to point on one.
    std::array<std::array<bool, 7>, 7> pairRoll{};
    if (x.hittable >= 2 && listed.size() >= 2) {
      for (size_t i = 0; i < listed.size(); ++i) {
        for (size_t j = i + 1; j < listed.size(); ++j) {
          const Shot &s = listed[i], &t = listed[j];
          const bool singles = s.steps == 1 && t.steps == 1;
          const int m = s.steps + t.steps + bar - ((s.from == 0 || t.from == 0) ? 1 : 0);
          if (s.landing() == t.landing()) {
            if (singles) x.pointRolls[s.landing()] += 2;
            else if (s.die == t.die && m < 5) x.pointRolls[s.landing()] += 1;
            continue;
          }
          const bool ok =
              singles && s.from != t.from
                  ? bar == 0 || (bar == 1 && (s.from == 0 || t.from == 0)) || (bar >= 2 && s.die == t.die)
              : singles ? at(s.from) >= 2 && !(bar >= 1 && s.from != 0)
                        : s.die == t.die && m < 5;
          if (ok) pairRoll[s.die][t.die] = true;
        }
      }
    }
    // Three blots with one double: per die, distinct landings whose steps fit in four.
    std::array<bool, 7> tripleDie{};
    if (x.hittable >= 3) {
      for (int die = 1; die <= 6; ++die) {
        std::vector<int> landings;
        int steps = 0;
        for (const Shot& s : listed) {
          if (s.die != die || landings.size() >= 3) continue;
          if (std::find(landings.begin(), landings.end(), s.landing()) != landings.end()) continue;
          if (steps + s.steps >= 5) continue;
          steps += s.steps;
          landings.push_back(s.landing());
        }
        tripleDie[die] = landings.size() == 3;
      }
    }

    for (int a = 1; a <= 6; ++a) {
      for (int d = 1; d <= 6; ++d) {
        if (levelOne(a, d)) ++x.hits[1];
        bool two = false, three = false;
        for (int p : kept) {
          for (int q : c.shooters) {
            two = two || (comboShooter(p, q) && p - q == a + d && (at(q + a) == -1 || at(q + d) == -1));
            if (a == d) {
              const int h = doublesPath(p, q, a);
              two = two || h >= 2;
              three = three || h >= 3;
            }
          }
        }
        two = two || pairRoll[a][d] || pairRoll[d][a];
        three = three || (a == d && tripleDie[a]);
        if (two && x.hittable >= 2) ++x.hits[2];
        if (three && x.hittable >= 3) ++x.hits[3];
      }
    }
    return x;
  }
};

class BlotRiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    readProgramData();
    position.openingPhase = 0;
  }
};

void expectMatchesReference(const Call& c, int trial) {
  blotRisk.pointHitMarkA.fill(0);
  blotRisk.pointHitMarkB.fill(0);
  blotRisk.pointHitRolls.fill(0);
  run(c);
  const Expected x = Reference(c).count();
  SCOPED_TRACE(::testing::Message() << "trial " << trial);
  if (c.blots.empty()) {
    EXPECT_EQ(blotRisk.noOwnBlots, -1);
    return;
  }
  EXPECT_EQ(blotRisk.noOwnBlots, 0);
  EXPECT_FLOAT_EQ(blotRisk.blotRiskSum, static_cast<float>(x.riskSum));
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(blotRisk.blotsHitCounts[k], x.hits[k]) << "level " << k;
  for (int d = 1; d <= 6; ++d) EXPECT_EQ(blotRisk.dieExposureCounts[d], x.exposure[d]);
  EXPECT_EQ(blotRisk.hittableBlotCount, x.hittable);
  EXPECT_EQ(blotRisk.shotCount, std::min<int>(kShotListCapacity, static_cast<int>(x.shots.size())));
  for (int p = 1; p <= 24; ++p) {
    EXPECT_EQ(blotRisk.pointHitMarkA[p], x.markA[p]) << "point " << p;
    EXPECT_EQ(blotRisk.pointHitMarkB[p], x.markB[p]) << "point " << p;
    EXPECT_EQ(blotRisk.pointHitRolls[p], x.pointRolls[p]) << "point " << p;
  }
}

// Random positions rich in blots, with the shooter sometimes on the bar.
View randomView(std::mt19937& rng) {
  View w{};
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<int> points(24);
  for (int p = 0; p < 24; ++p) points[p] = p + 1;
  std::shuffle(points.begin(), points.end(), rng);
  const int ownPoints = pick(2, 10), shooterPoints = pick(2, 9);
  int ownMen = 15 - pick(0, 4) - ownPoints;
  int shooterMen = 15 - pick(0, 4);
  w[25] = pick(0, 9) < 6 ? 0 : pick(1, 4);
  shooterMen -= w[25] + shooterPoints;
  for (int k = 0; k < ownPoints; ++k) w[points[k]] = -1;
  for (int k = 0; k < shooterPoints; ++k) w[points[ownPoints + k]] = 1;
  // Spread the rest so that many points stay blots.
  while (ownMen-- > 0) --w[points[pick(0, ownPoints - 1) / (pick(0, 2) == 0 ? 1 : 2)]];
  while (shooterMen-- > 0) ++w[points[ownPoints + pick(0, shooterPoints - 1)]];
  return w;
}

TEST_F(BlotRiskTest, CountsMatchAnIndependentCountOverTheRolls) {
  std::mt19937 rng(20240611);
  int withLevelTwo = 0, withLevelThree = 0, withBar = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const Call c = describe(randomView(rng));
    expectMatchesReference(c, trial);
    if (HasFailure()) return;
    withLevelTwo += blotRisk.blotsHitCounts[2] > 0;
    withLevelThree += blotRisk.blotsHitCounts[3] > 0;
    withBar += c.w[25] > 0;
  }
  // The sample reaches every rule.
  EXPECT_GT(withLevelTwo, 300);
  EXPECT_GT(withLevelThree, 30);
  EXPECT_GT(withBar, 600);
}

// Counts the view and checks every output against the independent count as well.
void countChecked(const View& w) { expectMatchesReference(describe(w), 0); }

TEST_F(BlotRiskTest, ShotListStopsAtItsCapacity) {
  // Fifteen blots in front of a shooter on nine points: far more than 60 shots.
  View w{};
  for (int p = 10; p <= 24; ++p) w[p] = -1;
  for (int p = 1; p <= 9; ++p) w[p] = p <= 6 ? 2 : 1;
  ASSERT_GT(Reference(describe(w)).count().shots.size(), kShotListCapacity);
  countChecked(w);
  EXPECT_EQ(blotRisk.shotCount, kShotListCapacity);
}

}  // namespace
}  // namespace bg
