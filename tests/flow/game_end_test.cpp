// The end of a game as rows: who wins what under the cube, the Jacoby rule, resignations,
// matches and money; and a turn's unplayed dice.
#include "flow/flow_fixture.h"
#include "flow/game_end.h"
#include "state/cube_state.h"
#include "state/flow_services.h"
#include "state/rollout_state.h"
#include "state/shell_state.h"

namespace bg {
namespace {

using testing::flowLog;
using testing::sawMessage;

const GameRecordEntry& lastEntry() { return record.gameRecord[record.gameRecordCount]; }
std::string dialog() { return flowLog.dialogs.empty() ? "" : flowLog.dialogs.back(); }
void match(int32_t score0) {
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 5;
  flow.scores[0] = score0;
}
void money() {
  flow.moneySessionActive = 255;
  options.wagerAmount = 2;
  options.wagerCurrency = "Euros";
}
void computerResigns() {
  flow.autoConcession[1] = -1;
  flow.concessionLevel = 2;
}

struct EndRow {
  const char* board;  // Alice (player 0, human) against Computer (player 1)
  void (*setup)();
  int16_t winner;
  int32_t score;        // the winner's score after
  const char* dialog;   // "" when none opens
  const char* message;  // a line the message line shows
  void (*check)() = nullptr;
};

class GameEndTest : public testing::FlowTest, public ::testing::WithParamInterface<EndRow> {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    shell.playerNames = {"Alice", "Computer"};
    record.gameRecordCount = 5;  // some play before the end
    for (int16_t n = 1; n <= 5; ++n) record.gameRecord[n].side = static_cast<int16_t>(n % 2);
    testing::setPosition(GetParam().board);
    if (GetParam().setup != nullptr) GetParam().setup();
    announceGameResult();
  }
};

TEST_P(GameEndTest, ScoresAndTellsTheResult) {
  EXPECT_EQ((std::vector<int>{flow.winnerSide, flow.scores[GetParam().winner]}), (std::vector<int>{GetParam().winner, GetParam().score}));
  EXPECT_EQ(dialog(), GetParam().dialog);
  EXPECT_TRUE(*GetParam().message == '\0' || sawMessage(GetParam().message)) << GetParam().message;
  if (GetParam().check != nullptr) GetParam().check();
}

INSTANTIATE_TEST_SUITE_P(Rows, GameEndTest, ::testing::Values(
  EndRow{"12:-15", nullptr, 0, 2, "Alice won a double game worth 2 points!!", "You win the game with a gammon!"},
  EndRow{"12:-15", [] { cube.jacobyRule = -1; }, 0, 1, "Alice won 1 point", "Alice,  congratulations!"},
  EndRow{"0:-1 12:-14 | cube 2 0", nullptr, 0, 6, "Alice won a triple game worth 6 points!!!", "You win the game with a backgammon!"},
  EndRow{"3:2 14:13", nullptr, 1, 3, "Computer won a triple game worth 3 points!!!", "The computer wins the game with a backgammon!"},
  EndRow{"12:-15", [] { position.playerType[0] = kComputerPlayer; }, 0, 2, "Alice won a double game worth 2 points!!",
         "Alice  wins the game with a gammon!", [] { EXPECT_FALSE(sawMessage("Alice,  congratulations!")); }},
  // A resignation's level replaces the multiplier; the entry says it was conceded.
  EndRow{"20:15 12:-15 | cube 4 1", computerResigns, 0, 8, "Alice won a double game worth 8 points!!", "", [] {
           EXPECT_EQ((std::vector<int>{lastEntry().die2, lastEntry().flags}), (std::vector<int>{-1, kFlagGameEnd | kFlagConceded}));
         }},
  EndRow{"20:15 12:-15 | cube 2 2", [] { cube.playerDeclined[0] = -1; }, 1, 2, "Computer won 2 points!", "The computer wins the game"},
  EndRow{"12:-13", [] { match(3); }, 0, 4, "Alice won 1 point", "", [] { EXPECT_EQ(flow.crawfordRestrictions[1], -1); }},
  EndRow{"14:3", [] { flow.crawfordRestrictions[1] = -1, match(0); }, 1, 1, "Computer won 1 point", "",
         [] { EXPECT_EQ(flow.crawfordRestrictions[1], 0); }},
  EndRow{"12:-14", [] { match(4); }, 0, 5, "Alice won 1 point and won the tournament!", "#210"},
  EndRow{"12:-15 | cube 2 0", money, 0, 8, "Congratulations, you have won 8 Euros.", ""},
  EndRow{"14:3 | cube 2 0", money, 1, 4, "You lost 4 Euros.  Better luck next time.", ""},
  EndRow{"12:-14", [] { rollout.noPause = -1; }, 0, 1, "", ""},
  EndRow{"", nullptr, 0, 0, "", "", [] { EXPECT_EQ(record.gameRecordCount, 5); }},  // New Game emptied the board
  EndRow{"12:-14", nullptr, 0, 1, "Alice won 1 point", "", [] {  // announced twice: scored and recorded once
           announceGameResult();
           EXPECT_EQ((std::vector<int>{flow.scores[0], record.gameRecordCount}), (std::vector<int>{1, 6}));
         }}));

// A turn ending with dice left: the unplayed dice are recorded and the computer says so.
using TurnEndTest = testing::FlowTest;

TEST_F(TurnEndTest, RecordsTheUnplayedDiceOfEitherSide) {
  // The dice unplayed, the side, what the computer says; the notice stays until the next board wait.
  for (const auto& [roll, left, played, entries, message] :
       {std::tuple{"dice 6 5 | side 1", std::vector<int16_t>{0, 5}, 1, 1, "The computer can't use its five"},
        {"dice 3 3 | side 1", {3, 3, 0, 0}, 2, 2, "The computer can't use its last 2 threes"},
        {"dice 3 3 | side 1", {3, 0, 0, 0}, 3, 1, "The computer can't use its last three"},
        {"dice 6 5 | side 0", {0, 5}, 1, 1, ""}}) {  // the human's turn ended by the best-move command
    SCOPED_TRACE(roll);
    SetUp();
    testing::setPosition(std::string("20:15 12:-15 | ") + roll);
    for (size_t n = 0; n < left.size(); ++n) diceState.dice[n].value = left[n];
    flow.movesAllowed = static_cast<int16_t>(left.size());
    playSearch.playLength = flow.moveNumber = static_cast<int16_t>(played);
    const bool human = position.currentPlayer == 0;
    flow.bestMoveForHuman = human ? -1 : 0;
    hook::recordTurnEnd();
    EXPECT_EQ((std::vector<int>{record.gameRecordCount, record.gameRecord[1].distance, flow.abortTurn}),
              (std::vector<int>{entries, left[0] != 0 ? left[0] : left[1], human ? 0 : kLeaveTurn}));
    EXPECT_EQ(flowLog.messages, (*message == '\0' ? std::vector<std::string>{} : std::vector<std::string>{message}));
    EXPECT_TRUE(*message == '\0' || boardInput.holdMessageLine == -1) << "held until the next board wait";
  }
}

}  // namespace
}  // namespace bg
