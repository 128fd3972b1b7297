// The dice pool, which dice show, the dice sound, and taking dice off.
#include "rules/dice.h"

#include <map>

#include "rules_fixture.h"
#include "state/display_state.h"
#include "state/rollout_state.h"

namespace bg::testing {
namespace {

using DiceTest = RulesTest;

TEST_F(DiceTest, RollsAreFairAndNeverReadSlotZeroOrThirtyOne) {
  fillDicePool();
  diceState.dicePool[0] = 9;  // the two slots that are never drawn
  diceState.dicePool[31] = 9;
  std::map<int, int> faces;
  for (int n = 0; n < 6000; ++n) ++faces[rollDie()];
  ASSERT_EQ(faces.size(), 6u);
  for (const auto& [face, count] : faces) {
    EXPECT_TRUE(face >= 1 && face <= 6) << face;
    EXPECT_NEAR(count, 1000, 150) << face;
  }
  EXPECT_EQ(diceState.dicePool[0], 9);
  EXPECT_EQ(diceState.dicePool[31], 9);
}

TEST_F(DiceTest, DisplayFlagsHideTheSideNotOnTurn) {
  // Turn player, opening phase, dice showing; hidden flags [end][place] of both dice places.
  for (const auto& [turnPlayer, openingPhase, show, hidden] :
       {std::tuple{1, 0, -1, std::vector<int>{0, 0, 255, 255}}, {0, 0, -1, {255, 255, 0, 0}},
        {0, -1, -1, {255, 0, 255, 0}},  // the opening roll: one each
        {0, 0, 0, {0, 0, 0, 0}}}) {
    position.turnPlayer = static_cast<int16_t>(turnPlayer);
    position.openingPhase = static_cast<int16_t>(openingPhase);
    hook::setDiceDisplayFlags(static_cast<int16_t>(show));
    std::vector<int> seen;
    for (const auto& end : display.dieSlots) {
      for (const auto& place : end) seen.push_back(place.hidden);
    }
    EXPECT_EQ(seen, hidden);
    EXPECT_EQ(diceState.diceShowing, show);
  }
}

TEST_F(DiceTest, TakingDiceOffClearsOnlyTheRollsDiceEvenInAHiddenRollout) {
  int restored = 0;
  static int* count = &restored;
  count = &restored;
  displayServices.restoreBoardBackground = [](BoardRect) { ++*count; };
  setRoll(3, 3);
  diceState.rolledDice[2] = 0;  // no longer part of the roll
  diceState.diceShowing = -1;
  removeDice();
  EXPECT_EQ(restored, 3);
  EXPECT_EQ(diceState.dice[2].value, 3) << "die 2 was not taken off";
  for (const int16_t rolled : diceState.rolledDice) EXPECT_EQ(rolled, 0);

  rollout.rolloutRunning = 255;  // hidden: nothing is drawn or erased, the state still clears
  rollout.rolloutShowBoard = 0;
  setRoll(5, 2);
  diceState.diceShowing = -1;
  restored = 0;
  drawDice();
  removeDice();
  EXPECT_EQ(restored, 0);
  for (const DiceEntry& die : diceState.dice) EXPECT_EQ(die.value, 0);
  EXPECT_EQ(diceState.diceShowing, 0);
}

}  // namespace
}  // namespace bg::testing
