// A game saved while the computer's notice says its roll could not be played, the roll
// still on the board: loaded into a fresh program, that turn is over and the next side
// rolls its own dice.
#include "state/rollout_state.h"
#include "state/settings.h"
#include "storage_fixture.h"

namespace bg::testing {
namespace {

void computerAgainstComputer() {
  flow.opponentMode = kComputersOnly;
  position.playerType[0] = position.playerType[1] = kComputerPlayer;
  rollout.noPause = -1;
  shellFlags.fastPlay = kFastPlayOn;
  settings.soundOptions.soundOn = 0;
  // These positions are lost for one side: no concession and no cube end them.
  options.autoConcessions = 0;
  cube.cubeUsed = 0;
}

class BlockedTurnSave : public StorageTest {
 protected:
  void freshComputerProgram() {
    resetProgramState();
    installComputerSearchServices();
    installFlowServices();
    resetGameRecord();
    installFakes();
    shellServices.pauseAfterMove = shellServices.pauseSeconds = [](double) {};
    computerAgainstComputer();
  }
  // Plays from the loaded game until a side has made an entry after `count`.
  static const GameRecordEntry& nextTurnAfter(int16_t count) {
    static int16_t watched = 0;
    watched = count;
    options.showPipCounts = -1;
    turnServices.drawPipCounts = [] {
      if (record.gameRecordCount > watched) shellFlags.quitRequested = -1;
    };
    runMainLoop();
    return record.gameRecord[count + 1];
  }
};

struct Row {
  const char* position;  // side 0 has just moved: side 1 rolls next
  std::vector<int> dice;
  const char* what;
};

TEST_F(BlockedTurnSave, TheNextSideRollsItsOwnDiceAfterATurnThatCouldNotBePlayed) {
  const Row rows[] = {
      // Side 1 on the bar against a closed board.
      {"19:2 20:2 21:2 22:2 23:2 24:2 18:3 0:-1 1:-14 | side 0", {6, 5}, "closed out"},
      // Two of side 1 enter on its only open point with 6-6; the other sixes are stopped.
      {"20:2 21:2 22:2 23:2 24:2 13:2 17:3 0:-2 1:-13 | side 0", {6, 6}, "a double stuck half way"},
      // The 5 enters on the only open point; the 6 then finds its point taken.
      {"19:2 21:2 22:2 23:2 24:2 14:2 12:3 0:-1 1:-14 | side 0", {6, 5}, "one die played"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    freshComputerProgram();
    setPosition(r.position);
    position.openingPhase = 0;
    std::vector<int> dice = r.dice;
    dice.insert(dice.end(), {3, 1});
    scriptDice(dice);
    static bool saved = false;
    saved = false;
    shellServices.pauseAfterMove = [](double) {
      if (saved || flow.movesLeft != 0 || diceState.diceShowing == 0) return;
      saved = saveGame(0);
      shellFlags.quitRequested = -1;
    };
    runMainLoop();
    ASSERT_TRUE(saved);
    const int16_t count = record.gameRecordCount;
    EXPECT_EQ(record.gameRecord[count].side, 1);

    freshComputerProgram();
    scriptDice({3, 1});
    loadGame(0);
    ASSERT_TRUE(infoBoxes.empty()) << infoBoxes.front();
    EXPECT_EQ(diceState.diceShowing, 0);
    const GameRecordEntry& next = nextTurnAfter(count);
    EXPECT_EQ((std::vector<int>{next.side, next.die1, next.die2}), (std::vector<int>{0, 3, 1}));
  }
}

}  // namespace
}  // namespace bg::testing
