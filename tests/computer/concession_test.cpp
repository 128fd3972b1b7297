// The computer's resignation: the race tests for a gammon and a single game, the offer at
// most once in five record entries.
#include "computer/concession.h"

#include "cube_fixture.h"
#include "state/concession_state.h"

namespace bg::testing {
namespace {

class ConcessionTest : public CubeTest {
 protected:
  void SetUp() override {
    CubeTest::SetUp();
    sides(1);
    record.gameRecordCount = 40;
  }

  // The race features the rule reads, the computer as the mover.
  static void raceOf(int16_t ownMen, float ownRolls, int16_t opponentMen, float opponentRolls, int16_t ownPips,
                     int16_t bearInPips = 0, int16_t menOutside = 0) {
    analysis.raceFlag = -1;
    analysis.menLeft[1] = ownMen;
    analysis.menLeft[0] = opponentMen;
    analysis.moverPipCount = ownPips;
    race.raceRolls[1] = ownRolls;
    race.raceRolls[0] = opponentRolls;
    features.ownBearInPips = bearInPips;
    features.ownMenOutside = menOutside;
  }

  static int16_t level() {
    flow.concessionLevel = 0;
    considerConcession();
    return flow.concessionLevel;
  }
};

struct LevelCase {
  const char* what;
  int16_t ownMen;
  float ownRolls;
  int16_t opponentMen;
  float opponentRolls;
  int16_t ownPips;
  int16_t bearInPips;
  int16_t menOutside;
  int16_t level;
};

TEST_F(ConcessionTest, RaceConditionsGiveTheLevel) {
  // R0 = 5: gammon when D = G - 5 > 3.5, G = bear-in pips / 8.17 + men outside / 15 + 2;
  // a single game when R1 - R0 > 4, unless fewer than 6 rolls behind with fewer pips
  // than (R0 + 1) x 24 = 144.
  const LevelCase cases[] = {
      {"all home, even race", 15, 5, 15, 5, 80, 0, 0, 0},
      // G = 40.85 / 8.17 + 1 + 2 = 8, D = 3 (between 0 and 3.5): plays on.
      {"fifteen men, D within the margin", 15, 12, 15, 5, 150, 41, 15, 0},
      // G = 57.19 / 8.17 + 1 + 2 = 10, D = 5 > 3.5.
      {"fifteen men far from home: gammon", 15, 14, 15, 5, 170, 57, 15, 2},
      // Fifteen men with D < 0: the single-game test applies.
      {"fifteen men home, far behind, many pips", 15, 12, 15, 5, 150, 0, 0, 1},
      {"fifteen men home, far behind, few pips", 15, 10, 15, 5, 130, 0, 0, 0},
      // Borne off a man: never a gammon, however far from home.
      {"a man off, far behind", 14, 14, 15, 5, 170, 57, 14, 1},
      // More than 3 + R0 / 5 = 4 behind but fewer than 6, pips under 144: plays on.
      {"five rolls behind, few pips", 14, 10, 15, 5, 120, 0, 0, 0},
      {"five rolls behind, many pips", 14, 10, 15, 5, 150, 0, 0, 1},
      {"six rolls behind, few pips", 14, 11, 15, 5, 120, 0, 0, 1},
      // A = ceil(men / 4) against B = ceil(opponent men / 2) keeps the concession.
      {"bears off too slowly", 9, 3, 2, 1.5f, 20, 0, 0, 1},
      {"five men against two", 5, 2, 2, 1.5f, 12, 0, 0, 1},
      {"four men bear off in one roll", 4, 2, 2, 1.5f, 8, 0, 0, 0},
  };
  for (const LevelCase& c : cases) {
    SCOPED_TRACE(c.what);
    raceOf(c.ownMen, c.ownRolls, c.opponentMen, c.opponentRolls, c.ownPips, c.bearInPips, c.menOutside);
    concession.concessionCheckTurn = 0;
    EXPECT_EQ(level(), c.level);
  }
}

TEST_F(ConcessionTest, OfferedAtMostOnceInFiveEntries) {
  raceOf(14, 12, 15, 5, 150);
  interactionServices.displayMessage = [] { cubeLog.shown.push_back(interaction.messageText.str()); };
  EXPECT_EQ(level(), 1);
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"MMI Concede"}));
  EXPECT_EQ(cubeLog.announcements, 1);
  EXPECT_EQ(concession.concessionCheckTurn, 40);
  EXPECT_EQ(flow.newGameRequested, 0) << "declined: play goes on";
  EXPECT_EQ(flow.abortTurn, 0);

  record.gameRecordCount = 44;
  EXPECT_EQ(level(), 1) << "the level is still worked out";
  EXPECT_EQ(cubeLog.announcements, 1) << "but nothing is shown";
  EXPECT_EQ(concession.concessionCheckTurn, 40);

  record.gameRecordCount = 45;
  level();
  EXPECT_EQ(cubeLog.announcements, 2);
}

}  // namespace
}  // namespace bg::testing
