// The computer's double and take decisions: the match-score shortcuts for whichever side
// doubles, the vetoes, the Jacoby rule against the gammon hold-back, the beaver margin,
// and the take rules.
#include "computer/cube_decisions.h"

#include "computer/analyse_position.h"
#include "computer/backgame_flags.h"
#include "computer/term_features.h"
#include "computer/late_race.h"
#include "support/position_text.h"
#include "cube_fixture.h"

namespace bg::testing {
namespace {

class DecideDoubleTest : public CubeTest {
 protected:
  static bool doubles() {
    decideDouble();
    return cube.doublePending == -1;
  }
};

struct MatchCase {
  const char* what;
  int16_t doubler;
  int32_t doublerScore;
  int32_t takerScore;
  bool crawford;
  bool farAhead;  // else hopeless: contact, a man on the bar, far behind
  bool doubles;
};

TEST_F(DecideDoubleTest, MatchScoreShortcutsReadTheDoublerAndTheTaker) {
  const MatchCase cases[] = {
      {"Crawford game, far ahead", 1, 0, 4, true, true, false},
      {"after the Crawford game, far ahead", 1, 0, 4, false, true, true},
      {"the doubler wins the match with this cube", 1, 4, 0, false, false, false},
      {"the taker wins the match with this cube", 1, 2, 4, false, false, true},
      {"the same with player 0 doubling", 0, 2, 4, false, false, true},
      {"player 0 doubling, player 1 near the end", 0, 4, 2, false, false, false},
      {"the taker needs two cubes", 1, 0, 3, false, false, false},
  };
  for (const MatchCase& c : cases) {
    SCOPED_TRACE(c.what);
    flow = FlowState{};
    flow.tournamentGoing = 255;
    flow.tournamentPoints = 5;
    sides(c.doubler);
    flow.scores[c.doubler] = c.doublerScore;
    flow.scores[1 - c.doubler] = c.takerScore;
    flow.crawfordRestrictions[c.doubler] = c.crawford ? -1 : 0;
    if (c.farAhead) {
      stubRace(80, 140);
    } else {
      stubContact(150, 90);
      analysis.evalBoard[0] = -1;
    }
    EXPECT_EQ(doubles(), c.doubles);
  }
}

TEST_F(DecideDoubleTest, VetoesStopADoubleWhateverTheLead) {
  sides(1);
  struct Veto {
    const char* what;
    void (*set)();
  };
  const Veto vetoes[] = {
      {"backgame", [] { backgame.backgameFlag = -1; }},
      {"man on the bar", [] { analysis.evalBoard[0] = -1; }},
      {"weak home board, long race, small lead", [] { stubContact(100, 130), features.startHomePoints = 1; }},
      {"primed with men back",
       [] { features.opponentBlockCount = 6, features.sideHasBackMen = -1, features.ownBlockCount = 4; }},
      {"behind with no shot", [] { stubContact(120, 100), features.shotValue = 0; }},
  };
  for (const Veto& v : vetoes) {
    SCOPED_TRACE(v.what);
    stubContact(80, 200);
    backgame = BackgameFlags{};
    v.set();
    EXPECT_FALSE(doubles());
    EXPECT_EQ(doublingPosition.cubeThreshold1, 0) << "stopped before the thresholds";
    doublingPosition = DoublingPositionState{};
  }
  // A prime of the side's own against the opponent's back men lifts the last veto.
  stubContact(120, 100);
  features.shotValue = 0, features.opponentHasBackMen = -1;
  termFeatures.ownBlockAfterPlay = 5;
  decideDouble();
  EXPECT_GT(doublingPosition.cubeThreshold1, 0);
}

TEST_F(DecideDoubleTest, JacobyKeepsTheDoubleOnlyWithTheCubeInTheMiddle) {
  sides(1);
  // 8a doubles (lead 30 > Dblfact31); the opponent cannot save the gammon in time.
  auto setUp = [] {
    stubRace(100, 130);
    race.gammonSaveRolls = 12;  // a = 12, b = trunc(12.24 + 0.99 - 2) = 11
  };
  setUp();
  EXPECT_FALSE(doubles()) << "plays on for the gammon";
  cube.jacobyRule = -1;
  EXPECT_TRUE(doubles()) << "no gammon without a double under Jacoby";
  cube.cubeValue = 2;
  EXPECT_FALSE(doubles()) << "with the cube turned, the hold-back applies again";
}

TEST_F(DecideDoubleTest, ShortRaceIsTheEndgameDecisionUnlessABeaverIsJudged) {
  sides(1);
  // Two men each, the mover's on its 1 and 2 points: it bears off with any roll.
  const ViewBoard v = viewWith({{1, -1}, {2, -1}, {19, 1}, {20, 1}});
  analyseView(v);
  ASSERT_LT(analysis.moverPipCount, 60);
  ASSERT_EQ(analysis.contactBroken, -1);
  const int16_t endgame = endgameDoubleDecision();
  EXPECT_EQ(doubles(), endgame == -1);
  cube.beaverClick = 1;
  EXPECT_FALSE(doubles()) << "a beaver is never judged by the bear-off counts";
}

// Judging a beaver, the side takes nine pips (or nine points of position score) off its
// lead: a lead that clears a threshold by less than that doubles but does not beaver.
struct BeaverRow {
  const char* position;  // side 1 on roll: 81 pips, the opponent 8, 17, 21 or 30 behind
  bool doubles, beavers;
};

TEST_F(DecideDoubleTest, BeaverMarginComesOffTheLead) {
  const BeaverRow rows[] = {
      {"9:-3 6:-3 5:-3 4:-3 3:-3 10:1 19:6 20:6 21:2 | side 1", false, false},
      {"9:-3 6:-3 5:-3 4:-3 3:-3 10:2 19:5 20:6 21:2 | side 1", true, false},
      {"9:-3 6:-3 5:-3 4:-3 3:-3 10:2 19:7 20:6 | side 1", true, false},
      {"9:-3 6:-3 5:-3 4:-3 3:-3 10:3 19:6 20:6 | side 1", true, true},
  };
  for (const BeaverRow& r : rows) {
    SCOPED_TRACE(r.position);
    setPosition(r.position);
    analysePosition();
    ASSERT_EQ(analysis.contactBroken, -1);
    cube.beaverMode = 0;
    EXPECT_EQ(doubles(), r.doubles);
    cube.beaverMode = 9;
    EXPECT_EQ(doubles(), r.beavers);
  }
}

TEST_F(DecideDoubleTest, BeaverInAMatchOnlyWhenTheRedoubleCannotWinIt) {
  // The taker wins the match with this cube: the doubler doubles whatever the position;
  // a beaver only when twice the cube leaves the doubler short of the match.
  for (int32_t doublerScore : {0, 3}) {
    SCOPED_TRACE(doublerScore);
    flow.tournamentGoing = 255;
    flow.tournamentPoints = 5;
    flow.scores[1] = doublerScore;
    flow.scores[0] = 4;
    sides(1);
    stubContact(150, 90);
    analysis.evalBoard[0] = -1;  // hopeless: the veto stops any position test
    cube.beaverMode = 0;
    EXPECT_TRUE(doubles());
    cube.beaverMode = 9;
    EXPECT_EQ(doubles(), doublerScore + 2 < 5);
  }
}

class TakeDecisionTest : public CubeTest {
 protected:
  static bool takes() {
    computerTakeDecision();
    return cube.doubleTaken == -1;
  }
};


TEST_F(TakeDecisionTest, DropThatLosesTheMatchAnywayIsTaken) {
  // Hopeless for the taker: fifteen men far from home, the doubler's last two on its
  // 2-point; but the drop gives the doubler the match.
  const ViewBoard hopeless = viewWith({{24, -15}, {23, 2}});
  for (int16_t doubler : {0, 1}) {
    SCOPED_TRACE(doubler);
    flow = FlowState{};
    flow.tournamentGoing = 255;
    flow.tournamentPoints = 5;
    layOutForTaker(hopeless, doubler);
    cube.cubeValue = 4;
    flow.scores[doubler] = 3;  // 3 + 4 div 2 = 5
    EXPECT_TRUE(takes());
    flow.scores[doubler] = 2;
    EXPECT_FALSE(takes());
  }
}

}  // namespace
}  // namespace bg::testing
