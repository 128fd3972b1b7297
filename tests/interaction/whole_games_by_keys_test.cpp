// Whole games with the human's side played from the keyboard alone, each key handed to
// the board's key entry from inside the waits: "+" rolls, each step of a legal play is typed as "from.pips" and Return in the
// person's own numbering, the computer's doubles are answered with Y and N. Before some
// steps the script types an entry that must be refused and change nothing.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/key_commands.h"
#include "interaction/move_entry_state.h"
#include "runtime/qt/events.h"
#include "scripted_games.h"

namespace bg {
namespace {

using testing::applyStep;
using testing::makePlan;

struct KeyRun : testing::GameScript {
  bool inKey = false;
};
KeyRun* run = nullptr;

// Keys arrive as the shell hands them on: upper-cased, one by one.
bool boardKeys(AppEvent& e) {
  if (e.kind != AppEvent::kKeyDown) return false;
  const char typed = static_cast<char>(std::toupper(e.charCode));
  interactionDisplay.keyBuffer = std::string_view(&typed, 1);
  // A typed move plays inside the key: the person waits for it to end.
  run->inKey = true;
  doKeyDown();
  run->inKey = false;
  return true;
}

// The keys of one entry in one pump, handed to the board's key entry as the shell hands
// them on: the pumps of the move they play take no further key.
void type(const std::string& keys) {
  run->script.then([keys] {
    for (char c : keys) {
      AppEvent e;
      e.kind = AppEvent::kKeyDown;
      e.window = 1;
      e.charCode = static_cast<uint8_t>(c);
      boardKeys(e);
    }
  });
}

// The person's number of side 0's program point: counted from the other end, 25 the bar.
int personsPoint(int16_t program) { return program == 25 ? 25 : 25 - program; }

void planner() {
  if (::testing::Test::HasFatalFailure() || panelWait.clickWaitRunning == 0 || run->inKey) return;
  if (panelWait.questionPanelUp == -1) {
    type(++run->answers % 2 ? "Y" : "N");
    return;
  }
  if (position.currentPlayer != 0 || diceState.diceShowing != -1) run->planned = false;
  if (turnState.awaitingDiceClick == -1) {
    run->planned = false;
    type("+");
    return;
  }
  if (position.currentPlayer != 0 || diceState.diceShowing != -1 || moveEntry.waitingForMove != -1) return;
  if (!run->planned) makePlan();
  if (run->next >= run->plan.size()) {
    type("+");  // the rest of the roll cannot be played: the dice
    return;
  }
  for (int p = 0; p <= 25; ++p) ASSERT_EQ(position.board[p], run->expected[p]) << "point " << p;
  const auto [from, pips] = run->plan[run->next++];
  if (run->stepsPlayed % 3 == 0) {
    // Refused entries: a point off the board, and the step with a distance no die has.
    type("26.1\r" + std::to_string(personsPoint(from)) + ".0\r");
    run->script.then([before = run->expected] {
      for (int p = 0; p <= 25; ++p) EXPECT_EQ(position.board[p], before[p]) << "point " << p;
      ++run->refusals;
    });
  }
  type(std::to_string(personsPoint(from)) + "." + std::to_string(pips) + "\r");
  applyStep(run->expected, from, pips);
  ++run->stepsPlayed;
}

class WholeGamesByKeys : public testing::ScriptedGamesTest {
 protected:
  void SetUp() override {
    ScriptedGamesTest::SetUp();
    setAppEventHandler(boardKeys);
    run = &state_;
  }
  void TearDown() override {
    run = nullptr;
    setAppEventHandler(nullptr);
    ScriptedGamesTest::TearDown();
  }
  KeyRun state_;
};

TEST_P(WholeGamesByKeys, EveryPlayIsTypedLegallyAndEveryBadEntryRefused) { playTwoGames(state_, planner, 40000); }

INSTANTIATE_TEST_SUITE_P(Seeds, WholeGamesByKeys, ::testing::Values<uint32_t>(5, 11));

}  // namespace
}  // namespace bg
