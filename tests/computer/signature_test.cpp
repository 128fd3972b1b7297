// One signature over the computer's own output on many seeded positions: the best plays
// it lists with their scores, its doubling score and both cube decisions. It pins the
// evaluation terms, the race estimates and the doubling evaluator together; a change to
// any of them that alters a choice or a score shows here. Re-pin only on purpose.
#include <gtest/gtest.h>

#include <cmath>

#include "computer/cube_decisions.h"
#include "search_fixture.h"
#include "state/cube_state.h"

namespace bg::testing {
namespace {

struct Signature {
  uint64_t h = 0xcbf29ce484222325ULL;
  void add(int64_t v) {
    for (int i = 0; i < 8; ++i) {
      h ^= static_cast<uint64_t>(v >> (8 * i)) & 0xFFu;
      h *= 0x100000001b3ULL;
    }
  }
  void addScore(double s) { add(std::llround(s * 100)); }
};

// Both sides' men in their home boards only: the bear-off.
ViewBoard homeBoards(std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  ViewBoard v{};
  for (int k = pick(1, 15); k > 0; --k) v[static_cast<size_t>(pick(1, 6))] -= 1;
  for (int k = pick(1, 15); k > 0; --k) v[static_cast<size_t>(pick(19, 24))] += 1;
  return v;
}

void addList(Signature& s, const BestPlaysList& list) {
  for (int r = 1; r <= 3; ++r) {
    if (list[r][kScoreColumn] == kEmptyRow) break;
    s.addScore(list[r][kScoreColumn]);
    for (int i = 2; i <= 2 * static_cast<int>(list[r][kPartMovesColumn]) + 1; ++i) s.add(std::lround(list[r][i]));
  }
}

TEST(SignatureTest, BestPlaysAndCubeDecisionsOnSeededPositions) {
  std::mt19937 rng(20260601);
  Signature s;
  for (int n = 0; n < 600; ++n) {
    const auto level = static_cast<int16_t>(n % 2 == 0 ? kHighestSkillLevel : 1 + n % 5);
    setUpComputer(level);
    position.playerType[0] = kComputerPlayer;
    position.playerType[1] = kComputerPlayer;
    flow.turnNumber = 10;
    const ViewBoard v = n % 5 == 4 ? homeBoards(rng) : randomView(rng);
    placeForPlayer(v, n % 3 == 0 ? 0 : 1);
    rollInto(rng);
    searchComputerMove();
    addList(s, bestPlays.bestPlaysTrue);
    addList(s, bestPlays.bestPlaysSkill);
    analysePosition();
    decideDouble();
    s.add(cube.doublePending);
    s.addScore(doublingPosition.doublingScore);
    cube.cubeValue = 2;
    computerTakeDecision();
    s.add(cube.doubleTaken);
    s.addScore(doublingPosition.doublingScore);
  }
  // Re-pinned: a play reaching the board of a listed one is listed once (rows 2 and 3).
  EXPECT_EQ(s.h, 0xcca99e99b008556aULL) << std::hex << s.h;
}

}  // namespace
}  // namespace bg::testing
