// The bear-off-all trial against a brute-force search over the ordinary rules of bearing
// off.
#include "computer/bear_off_all.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "state/analysis_state.h"
#include "state/program_state.h"

namespace bg {
namespace {

// A side's men and the other side's men, both counted positive, in the side's own
// numbering (it moves from 24 toward 1 and bears off below 1).
struct Side {
  std::array<int, 26> own{};  // [0] the side's bar
  std::array<int, 26> opp{};
};

int menOf(const Side& s) {
  int n = 0;
  for (int v : s.own) n += v;
  return n;
}

// Every legal single move of one die, by the ordinary rules.
std::vector<Side> singleMoves(const Side& s, int die) {
  std::vector<Side> out;
  if (s.own[0] > 0) {
    const int landing = 25 - die;
    if (s.opp[landing] < 2) {
      Side n = s;
      n.own[0] -= 1;
      n.opp[landing] = 0;
      n.own[landing] += 1;
      out.push_back(n);
    }
    return out;
  }
  bool allHome = true;
  for (int p = 7; p <= 24; ++p) allHome = allHome && s.own[p] == 0;
  for (int p = 1; p <= 24; ++p) {
    if (s.own[p] == 0) continue;
    const int landing = p - die;
    if (landing >= 1) {
      if (s.opp[landing] >= 2) continue;
      Side n = s;
      n.own[p] -= 1;
      n.opp[landing] = 0;
      n.own[landing] += 1;
      out.push_back(n);
    } else if (allHome) {
      bool higher = false;
      for (int q = p + 1; q <= 6; ++q) higher = higher || s.own[q] > 0;
      if (landing < 0 && higher) continue;
      Side n = s;
      n.own[p] -= 1;
      out.push_back(n);
    }
  }
  return out;
}

// True when some order of the dice takes every man off.
bool clearsWith(const Side& s, std::vector<int> dice) {
  if (menOf(s) == 0) return true;
  // Each die takes off at most one man.
  if (menOf(s) > static_cast<int>(dice.size())) return false;
  for (std::size_t i = 0; i < dice.size(); ++i) {
    std::vector<int> rest = dice;
    rest.erase(rest.begin() + static_cast<long>(i));
    for (const Side& n : singleMoves(s, dice[i])) {
      if (clearsWith(n, rest)) return true;
    }
  }
  return false;
}

int bruteCount(const Side& s) {
  int n = 0;
  for (int a = 1; a <= 6; ++a) {
    for (int b = 1; b <= 6; ++b) {
      std::vector<int> dice = a == b ? std::vector<int>{a, a, a, a} : std::vector<int>{a, b};
      if (clearsWith(s, dice)) n += 1;
    }
  }
  return n;
}

int highestOf(const Side& s) {
  if (s.own[0] > 0) return 25;
  for (int p = 24; p >= 1; --p) {
    if (s.own[p] > 0) return p;
  }
  return 1;
}

// Loads the side as the mover on evalBoard (own men negative).
void loadAsMover(const Side& s) {
  analysis.evalBoard.fill(0);
  analysis.evalBoard[0] = static_cast<int16_t>(-s.own[0]);
  for (int p = 1; p <= 24; ++p) {
    analysis.evalBoard[p] = static_cast<int16_t>(s.opp[p] > 0 ? s.opp[p] : -s.own[p]);
  }
  analysis.evalBoard[25] = static_cast<int16_t>(s.opp[25]);
}

// Loads the side as the opponent of the mover: the saved view holds the mover's side,
// so the side stands positive on the mirrored points.
void loadAsOpponent(const Side& s) {
  analysis.evalBoardB.fill(0);
  analysis.evalBoardB[25] = static_cast<int16_t>(s.own[0]);
  analysis.evalBoardB[0] = static_cast<int16_t>(-s.opp[25]);
  for (int p = 1; p <= 24; ++p) {
    analysis.evalBoardB[25 - p] = static_cast<int16_t>(s.own[p] > 0 ? s.own[p] : -s.opp[p]);
  }
  analysis.evalBoard.fill(7);  // must not be read
}

bool trialSucceeds(int a, int b, int highest, int men, bool opponentView) {
  auto& t = bearOffTrial;
  t.trialDice[0] = static_cast<int16_t>(a);
  t.trialDice[1] = static_cast<int16_t>(b);
  t.trialDice[2] = static_cast<int16_t>(a == b ? a : 0);
  t.trialDice[3] = static_cast<int16_t>(a == b ? a : 0);
  t.trialHighestPoint = static_cast<int16_t>(highest);
  t.trialMenCount = static_cast<int16_t>(men);
  t.trialUseOpponentView = static_cast<int16_t>(opponentView ? -1 : 0);
  t.trialSuccessFlag = 0;
  canBearOffAllWithRoll();
  return t.trialSuccessFlag == -1;
}

int trialCount(const Side& s, bool opponentView = false) {
  if (opponentView) {
    loadAsOpponent(s);
  } else {
    loadAsMover(s);
  }
  int n = 0;
  for (int a = 1; a <= 6; ++a) {
    for (int b = 1; b <= 6; ++b) {
      if (trialSucceeds(a, b, highestOf(s), menOf(s), opponentView)) n += 1;
    }
  }
  return n;
}

Side sideWith(std::initializer_list<std::pair<int, int>> men) {
  Side s;
  for (auto [point, count] : men) s.own[static_cast<std::size_t>(point)] += count;
  return s;
}

class BearOffAllTest : public ::testing::Test {
 protected:
  void SetUp() override { resetProgramState(); }
};

// Cases worked by hand pin the brute force itself.
TEST_F(BearOffAllTest, HandWorkedRolls) {
  const struct {
    Side side;
    bool opponentView;
    int rolls;
  } counts[] = {
      {sideWith({{1, 1}, {2, 1}}), false, 36},
      {sideWith({{6, 1}, {5, 1}}), false, 6},  // 6-5 both ways and the four top doubles
      {sideWith({{6, 1}, {5, 1}}), true, 6},
      {sideWith({{6, 2}}), false, 4},  // 6-6 down to 3-3
      {sideWith({{1, 3}}), true, 6},   // doubles only
      {sideWith({{0, 1}, {1, 1}}), false, 0},
  };
  for (const auto& c : counts) {
    EXPECT_EQ(trialCount(c.side, c.opponentView), c.rolls);
    EXPECT_EQ(bruteCount(c.side), c.rolls);
  }
}

Side randomSide(std::mt19937& rng) {
  Side s;
  std::uniform_int_distribution<int> pct(0, 99);
  // Mostly the few men the late race counts; sometimes many.
  const int men = pct(rng) < 80 ? 1 + pct(rng) % 4 : 5 + pct(rng) % 11;
  // Mostly home; sometimes a man or two still outside.
  const int reach = pct(rng) < 70 ? 6 : 6 + 1 + pct(rng) % 8;
  for (int i = 0; i < men; ++i) {
    const int point = (pct(rng) < 85) ? 1 + pct(rng) % 6 : 1 + pct(rng) % reach;
    s.own[static_cast<std::size_t>(point)] += 1;
  }
  if (pct(rng) < 3) s.own[0] += 1;
  const int highest = highestOf(s);
  const int kind = pct(rng) % 3;
  for (int p = 1; p <= 24; ++p) {
    if (s.own[static_cast<std::size_t>(p)] != 0) continue;
    if (kind == 1 && p > highest && pct(rng) < 25) s.opp[static_cast<std::size_t>(p)] = 1 + pct(rng) % 3;
    // Contact: the other side's men among the side's own.
    if (kind == 2 && pct(rng) < 20) s.opp[static_cast<std::size_t>(p)] = 1 + pct(rng) % 3;
  }
  if (kind == 2 && pct(rng) < 20) s.opp[25] = 1;
  return s;
}

TEST_F(BearOffAllTest, AgreesWithBruteForceOnRandomPositions) {
  std::mt19937 rng(20240611);
  for (int i = 0; i < 5200; ++i) {
    const Side s = randomSide(rng);
    const int expected = bruteCount(s);
    const int got = trialCount(s, i % 4 == 3);
    ASSERT_EQ(got, expected) << "random position " << i;
  }
}

}  // namespace
}  // namespace bg
