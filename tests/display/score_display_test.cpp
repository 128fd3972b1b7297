// The score places at board width 700, in the window's pixels; matches to 5 through the main loop.
#include <gtest/gtest.h>

#include "board_fixture.h"
#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "display/board_ids.h"
#include "display/score_display.h"
#include "flow/game_end.h"
#include "flow/game_loop.h"
#include "flow/sessions.h"
#include "flow/turn_services.h"
#include "runtime/core/random.h"
#include "runtime/qt/text.h"
#include "state/play_options.h"
#include "state/shell_flags.h"

namespace bg {
namespace {

class ScoreDisplay : public testing::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    [[maybe_unused]] static const bool loaded = (initComputerData(), true);
    installComputerSearchServices();
    installFlowServices();
    testing::setPosition("start");
    testing::openBoard(700, 1);
    installScoreDisplay();
    redrawBoardWindow();
  }
  void TearDown() override {
    setRandomHook(nullptr);
    windowClose(kBoardWindow);
    DisplayTest::TearDown();
  }
  UseVirtualClock clock;  // the animations finish at once
};

struct PlaceRow { int16_t mode, score0, score1, pips; const char *side0, *side1; bool small; };  // small: 80 %
class ScorePlaces : public ScoreDisplay, public ::testing::WithParamInterface<PlaceRow> {};

TEST_P(ScorePlaces, ShowWhatTheSessionCounts) {
  const PlaceRow& row = GetParam();
  flow.scoreDisplayMode = row.mode;
  flow.scores = {{{row.score0, row.score1}}};
  testing::setPosition("start");
  options.showPipCounts = row.pips;
  storage.gameModified = row.pips;
  drawPipCounts();
  const int16_t size = row.small ? static_cast<int16_t>(layout.textSize * 0.8) : layout.textSize;
  testing::expectScoreShown(0, row.side0, size);
  testing::expectScoreShown(1, row.side1, size);
}

INSTANTIATE_TEST_SUITE_P(Rows, ScorePlaces,
                         ::testing::Values(PlaceRow{0, 3, 0, 0, "3", "", false},
                                           PlaceRow{0, 0, 12, 0, "", "12", false},
                                           PlaceRow{1, 20, 8, 0, "$12", "-$12", false},
                                           PlaceRow{1, 5, 5, 0, "", "", false},
                                           PlaceRow{1, 0, 112, 0, "-$112", "$112", true},
                                           PlaceRow{0, 3, 0, -1, "167", "167", false}));

// A match to 5, started against the computer, played by the computer for both sides.
struct MatchRun { int games = 0, crawfordGames = 0; bool crawfordDue = false; } match;

void afterGame() {
  if (shellFlags.modalBusy == 0) return;
  ++match.games;
  for (int16_t side = 0; side <= 1; ++side)
    testing::expectScoreShown(side, flow.scores[side] != 0 ? std::to_string(flow.scores[side]) : "", layout.textSize);
  // The game after a side first stands one point short is the Crawford game.
  if (match.crawfordDue) {
    ++match.crawfordGames;
    EXPECT_EQ(cube.cubeValue, 1);  // nobody doubles in the Crawford game
  }
  match.crawfordDue = flow.crawfordRestrictions[0] != 0 || flow.crawfordRestrictions[1] != 0;
  finishGameAndContinue();
  if (flow.tournamentGoing == 0 || match.games > 40) {
    shellFlags.quitRequested = -1;
    shellFlags.modalBusy = 1;  // no turn after the match
  }
}

TEST_F(ScoreDisplay, MatchesToFiveShowEachScoreAndEnd) {
  turnServices.showEndGameDialog = [](std::string_view) { shellFlags.modalBusy = 1; };
  turnServices.pumpEvents = afterGame;
  shellFlags.fastPlay = kFastPlayOn;
  int crawfordMatches = 0;
  for (int seed = 1; seed <= 6 && crawfordMatches == 0; ++seed) {
    match = MatchRun{};
    seedRandom(seed);
    fillDicePool();
    flow.opponentMode = kComputerOpponent;  // a tournament is started against the computer
    tournamentCommand();
    flow.opponentMode = kComputersOnly;
    flow.newGameRequested = -1;
    shellFlags.quitRequested = 0;
    runMainLoop();
    EXPECT_EQ(flow.tournamentGoing, 0);
    EXPECT_LE(match.crawfordGames, 1);
    crawfordMatches += match.crawfordGames;
  }
  EXPECT_EQ(crawfordMatches, 1);
}

}  // namespace
}  // namespace bg
