// The mover's view: pip counts and men counted independently on random positions, the same
// view for a position and its mirror, and the race test.
#include "rules/mover_view.h"

#include "random_positions.h"
#include "rules_fixture.h"

namespace bg::testing {
namespace {

using MoverView = RulesTest;

TEST_F(MoverView, CountsAgreeWithTheBoardAndTheMirrorGivesTheSameView) {
  RandomPositions gen(99);
  for (int n = 0; n < 2000; ++n) {
    const int mover = gen.below(2);
    RefPosition pos = gen.make(mover), mirror;
    int pips[2] = {0, 0};  // each side's distance to bear everything off
    for (int i = 0; i <= 25; ++i) {
      mirror.board[i] = -pos.board[25 - i];
      pips[0] += std::max(pos.board[i], 0) * (i == 25 ? 25 : 25 - i);  // the bar is 25 away
      pips[1] += std::max(-pos.board[i], 0) * (i == 0 ? 25 : i);
    }
    mirror.off = {pos.off[1], pos.off[0]};
    loadPosition(pos, mover, 1, 2);
    buildMoverView();
    const AnalysisState view = analysis;
    SCOPED_TRACE(n);
    ASSERT_EQ(view.moverPipCount, pips[mover]);
    ASSERT_EQ(view.opponentPipCount, pips[1 - mover]);
    ASSERT_EQ(view.menLeft[1], 15 - pos.off[mover]);
    ASSERT_EQ(view.menLeft[0], 15 - pos.off[1 - mover]);
    loadPosition(mirror, 1 - mover, 1, 2);
    buildMoverView();
    ASSERT_EQ(analysis.evalBoard, view.evalBoard);
    ASSERT_EQ(analysis.pipsToBreakContact, view.pipsToBreakContact);
    ASSERT_EQ(analysis.ownMenBehindRear, view.ownMenBehindRear);
    ASSERT_EQ(analysis.raceFlag, view.raceFlag);
  }
}

struct RaceRow {
  const char* position;
  int16_t race;
};

class RaceTest : public RulesTest, public ::testing::WithParamInterface<RaceRow> {};

TEST_P(RaceTest, NoContactIsARace) {
  setPosition(GetParam().position);
  buildMoverView();
  EXPECT_EQ(analysis.raceFlag, GetParam().race);
  EXPECT_EQ(analysis.contactBroken, GetParam().race);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RaceTest,
    ::testing::Values(RaceRow{"start | side 1", 0}, RaceRow{"start | side 0", 0},
                      RaceRow{"3:-10 6:-5 7:5 20:10 | side 1", -1}, RaceRow{"2:-3 | side 1", -1},
                      // A man on the bar passes every opponent man only when all of its
                      // points from the rearmost up are held (one needs 20 or higher).
                      RaceRow{"0:-1 3:-14 20:3 21:3 22:1 23:4 24:4 | side 1", 0},
                      RaceRow{"0:-1 3:-14 20:3 21:3 22:2 23:3 24:4 | side 1", -1},
                      RaceRow{"25:1 22:14 5:-3 4:-3 3:-2 2:-3 1:-4 | side 0", -1},
                      RaceRow{"0:-1 3:-14 19:3 20:2 21:2 22:2 23:3 24:3 | side 1", 0}));

}  // namespace
}  // namespace bg::testing
