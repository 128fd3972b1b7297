// Both cube decisions on whole positions, worked through the analysis as a game runs them:
// the doubler judges from its own view, the doubled side from its own, whichever player
// doubles, and the two scores are the ones each view gives on its own.
#include <cmath>

#include "computer/analyse_position.h"
#include "computer/cube_decisions.h"
#include "cube_fixture.h"

namespace bg::testing {
namespace {

// Mid-game, the doubler (men negative) 22 pips ahead: 3 on its 5, 4 on its 6, points on
// 7 and 8, two men on 18 still to come home; the other side anchored on the doubler's 1
// point with a three-point board and a blot on its 2.
const ViewBoard kAheadWithBlocked = {0, 2, 0, 0, 0, -3, -4, -2, -4, 0, 0, 0, 3,
                                     0, 0, 0, 0, 3, -2, 2, 2, 2, 0, 1, 0, 0};

// The starting position after the doubler's 3-1 made its 5 point.
ViewBoard afterOpeningThreeOne() {
  ViewBoard v = startingView();
  v[8] = -2;
  v[6] = -4;
  v[5] = -2;
  return v;
}

ViewBoard turnedRound(const ViewBoard& v) {
  ViewBoard t{};
  for (size_t i = 0; i <= 25; ++i) t[25 - i] = -v[i];
  return t;
}

struct Judged {
  bool doubles = false;
  float doublerScore = 0;
  float doublerT1 = 0;
  bool takes = false;
  float takerScore = 0;
  float takerT2 = 0;
  int16_t takerPips = 0;
};

class CubeViewsTest : public CubeTest {
 protected:
  void SetUp() override {
    CubeTest::SetUp();
    position.playerType[0] = kComputerPlayer;
    position.playerType[1] = kComputerPlayer;
  }

  // As the turn does: the doubler's analysis, its decision, the cube turned, the answer.
  static Judged judge(const ViewBoard& doublerView, int16_t doubler) {
    Judged j;
    analyseView(doublerView, doubler);
    decideDouble();
    j.doubles = cube.doublePending == -1;
    j.doublerScore = doublingPosition.doublingScore;
    j.doublerT1 = doublingPosition.cubeThreshold1;
    cube.cubeValue = 2;
    computerTakeDecision();
    j.takes = cube.doubleTaken == -1;
    j.takerScore = doublingPosition.doublingScore;
    j.takerT2 = doublingPosition.cubeThreshold2;
    j.takerPips = analysis.moverPipCount;
    EXPECT_EQ(position.currentPlayer, doubler) << "the sides are put back";
    cube.cubeValue = 1;
    return j;
  }

  // The doubled side's score from its own view, analysed apart from the decision.
  static float takerScoreAlone(const ViewBoard& doublerView) {
    analyseView(turnedRound(doublerView));
    takerPositionScore();
    return doublingPosition.doublingScore;
  }
};

TEST_F(CubeViewsTest, WellAheadTheDoublerDoublesAndTheTakerDropsWhicheverPlayerDoubles) {
  skill.skillLevel = 3;
  for (int16_t doubler : {0, 1}) {
    SCOPED_TRACE(doubler);
    const Judged j = judge(kAheadWithBlocked, doubler);
    // T1 = 0.0019 x 121^2; the score clears the midpoint of the thresholds (step d).
    EXPECT_NEAR(j.doublerT1, 27.818, 1e-2);
    EXPECT_NEAR(j.doublerScore, 69.31, 0.05);
    EXPECT_TRUE(j.doubles);
    // The taker analysed from its own side: its 143 pips against 121.
    EXPECT_EQ(j.takerPips, 143);
    EXPECT_NEAR(j.takerT2, 0.002 * 121 * 121 * 1.333 * 0.95, 1e-2);
    EXPECT_NEAR(j.takerScore, -94.87, 0.05);
    EXPECT_FALSE(j.takes);
  }
  EXPECT_NEAR(takerScoreAlone(kAheadWithBlocked), -94.87, 0.05);
}

TEST_F(CubeViewsTest, SkillLevelMovesBothViewsAlike) {
  // At the best level the doubler's score rises and the taker's loss shrinks, but the
  // taker still drops: the drop is the weighting, not the skill setting.
  skill.skillLevel = 5;
  const Judged j = judge(kAheadWithBlocked, 1);
  EXPECT_NEAR(j.doublerScore, 76.01, 0.05);
  EXPECT_NEAR(j.takerScore, -75.25, 0.05);
  EXPECT_TRUE(j.doubles);
  EXPECT_FALSE(j.takes);
}

TEST_F(CubeViewsTest, EarlyEdgeIsNoDoubleAndWouldBeTaken) {
  const ViewBoard v = afterOpeningThreeOne();
  struct Case {
    int16_t level;
    float doublerScore;
    float takerScore;
  };
  for (const Case& c : {Case{5, 28.56f, 8.04f}, Case{3, 14.72f, -7.45f}}) {
    SCOPED_TRACE(c.level);
    skill.skillLevel = c.level;
    for (int16_t doubler : {0, 1}) {
      const Judged j = judge(v, doubler);
      EXPECT_NEAR(j.doublerT1, 0.0019 * 163 * 163, 1e-2);
      EXPECT_NEAR(j.doublerScore, c.doublerScore, 0.05);
      EXPECT_FALSE(j.doubles);
      EXPECT_EQ(j.takerPips, 167);
      EXPECT_NEAR(j.takerScore, c.takerScore, 0.05);
      EXPECT_TRUE(j.takes);
    }
  }
}

}  // namespace
}  // namespace bg::testing
