// The dice pool, the dice of the roll in hand, their display and the dice sound.
#include <deque>
#include <set>

#include "rules/dice.h"
#include "rules_fixture.h"

namespace bg::testing {
namespace {

// rnd answers from a script; once the script runs out it answers 1.
std::deque<int32_t> scriptedRandom;
std::vector<int32_t> randomRanges;

int32_t scriptedRnd(int32_t n) {
  randomRanges.push_back(n);
  if (scriptedRandom.empty()) return 1;
  const int32_t value = scriptedRandom.front();
  scriptedRandom.pop_front();
  return value;
}

class DiceTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    scriptedRandom.clear();
    randomRanges.clear();
    display.boardWidth = 600;
    display.diceTop = 200;
    display.dieWidth = 30;
    display.dieHeight = 30;
    display.playerColors[0] = 0;
    display.playerColors[1] = 1;
    // Side 0 rolls in the right half, side 1 in the left half.
    for (int16_t n = 0; n <= 3; ++n) {
      for (int16_t layout = 0; layout <= 2; ++layout) {
        display.dicePosition[0][n][layout] = static_cast<int16_t>(400 + 10 * layout + 40 * n);
        display.dicePosition[1][n][layout] = static_cast<int16_t>(100 + 10 * layout + 40 * n);
      }
    }
    position.openingPhase = 0;
  }

  static void roll(int16_t a, int16_t b) {
    const int16_t values[4] = {a, b, a == b ? a : int16_t{0}, a == b ? a : int16_t{0}};
    for (int16_t n = 0; n <= 3; ++n) diceState.dice[n].value = diceState.rolledDice[n] = values[n];
    diceState.rolledDoubles = a == b ? -1 : 0;
  }
};

TEST_F(DiceTest, PoolIsFilledInSlotsZeroToThirtyOnly) {
  setRandomHook(scriptedRnd);
  for (int32_t n = 1; n <= 31; ++n) scriptedRandom.push_back((n % 6) + 1);
  fillDicePool();
  for (long slot = 0; slot <= 30; ++slot) EXPECT_EQ(diceState.dicePool[slot], (slot + 1) % 6 + 1);
  EXPECT_EQ(diceState.dicePool[31], 0);
  EXPECT_EQ(std::set<int32_t>(randomRanges.begin(), randomRanges.end()), std::set<int32_t>{6});
}

TEST_F(DiceTest, RollDieReturnsWhatTheSlotHeldAndRefillsIt) {
  setRandomHook(scriptedRnd);
  diceState.dicePool[7] = 5;
  scriptedRandom = {7, 2, 7, 4};
  EXPECT_EQ(rollDie(), 5);
  EXPECT_EQ(diceState.dicePool[7], 2);
  EXPECT_EQ(rollDie(), 2) << "a slot drawn twice gives the refill of the first draw";
  EXPECT_EQ(diceState.dicePool[7], 4);
  EXPECT_EQ(randomRanges, (std::vector<int32_t>{30, 6, 30, 6}));
}

TEST_F(DiceTest, RollDieNeverReadsSlotZeroOrThirtyOne) {
  fillDicePool();
  // Poison the two slots that are never drawn.
  diceState.dicePool[0] = 9;
  diceState.dicePool[31] = 9;
  std::set<int16_t> seen;
  for (int n = 0; n < 5000; ++n) seen.insert(rollDie());
  EXPECT_EQ(seen, (std::set<int16_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(diceState.dicePool[0], 9);
  EXPECT_EQ(diceState.dicePool[31], 9);
}

TEST_F(DiceTest, DiceFlagsHideTheSideNotOnTurn) {
  auto hidden = [] {
    std::vector<int> flags;
    for (int end = 0; end <= 1; ++end)
      for (int place = 0; place <= 1; ++place) flags.push_back(display.dieSlots[end][place].hidden);
    return flags;
  };
  position.turnPlayer = 1;
  hook::setDiceDisplayFlags(-1);
  EXPECT_EQ(diceState.diceShowing, -1);
  EXPECT_EQ(hidden(), (std::vector<int>{0, 0, 255, 255}));
  position.turnPlayer = 0;
  hook::setDiceDisplayFlags(-1);
  EXPECT_EQ(hidden(), (std::vector<int>{255, 255, 0, 0}));
  position.openingPhase = -1;
  hook::setDiceDisplayFlags(-1);
  EXPECT_EQ(hidden(), (std::vector<int>{255, 0, 255, 0}));
  hook::setDiceDisplayFlags(0);
  EXPECT_EQ(diceState.diceShowing, 0);
  EXPECT_EQ(hidden(), (std::vector<int>{0, 0, 0, 0}));

  // Showing a roll frames the places, sets the flags, then draws.
  recordDrawing();
  position.openingPhase = 0;
  roll(5, 1);
  showRolledDice();
  EXPECT_EQ(serviceLog.calls, std::vector<std::string>{"frameAllDice"});
  EXPECT_EQ(serviceLog.faces.size(), 2u);
  EXPECT_EQ(hidden(), (std::vector<int>{255, 255, 0, 0}));
}

TEST_F(DiceTest, LayoutFollowsOpeningPhaseDoublesAndFourDiceSetting) {
  recordDrawing();
  position.currentPlayer = 0;

  position.openingPhase = -1;
  roll(3, 1);
  drawDice();
  EXPECT_EQ(diceState.drawnDieLeft[0], 400);  // layout 0
  EXPECT_EQ(diceState.drawnDieLeft[1], 440);

  position.openingPhase = 0;
  drawDice();
  EXPECT_EQ(diceState.drawnDieLeft[0], 410);  // layout 1

  roll(4, 4);
  drawDice();
  EXPECT_EQ(diceState.drawnDieLeft[0], 420);  // layout 2: a double shown as four dice
  EXPECT_EQ(diceState.drawnDieLeft[3], 540);
  EXPECT_EQ(serviceLog.facesLeft.size(), 2u + 2u + 4u);

  position.openingPhase = -1;
  serviceLog.clear();
  drawDice();
  EXPECT_EQ(diceState.drawnDieLeft[0], 400) << "no four-dice layout in the opening phase";
  EXPECT_EQ(serviceLog.facesLeft.size(), 2u) << "dice 2 and 3 are never drawn in the opening phase";

  eraseDice();  // both sides at the current layout
  EXPECT_EQ(std::vector<BoardRect>(serviceLog.restored.end() - 4, serviceLog.restored.end()),
            (std::vector<BoardRect>{{400, 200, 430, 230}, {440, 200, 470, 230}, {100, 200, 130, 230},
                                    {140, 200, 170, 230}}));
}

TEST_F(DiceTest, DoubleShownAsTwoDiceDrawsTwoAndKeepsDieOnePlaceForTheOthers) {
  recordDrawing();
  settings.display4OnDoubles = 0;
  roll(5, 5);
  drawDice();
  EXPECT_EQ(serviceLog.facesLeft, (std::vector<int>{410, 450}));
  EXPECT_EQ(diceState.drawnDieLeft[2], 450);
  EXPECT_EQ(diceState.drawnDieLeft[3], 450);
  // A double first restores the board under the last dice.
  EXPECT_EQ(serviceLog.restored.size(), 2u);

  serviceLog.clear();
  removeDie(3);
  ASSERT_EQ(serviceLog.restored.size(), 1u);
  EXPECT_EQ(serviceLog.restored[0], (BoardRect{450, 200, 480, 230}));
}

TEST_F(DiceTest, DieColourFaceAndMaskComeFromTheBoardHalf) {
  recordDrawing();
  display.playerColors[0] = 1;  // colour sets exchanged
  display.playerColors[1] = 0;
  roll(6, 2);
  position.currentPlayer = 0;  // right half
  drawDice();
  position.currentPlayer = 1;  // left half
  drawDice();
  EXPECT_EQ(serviceLog.faces, (std::vector<int>{6 + 7, 2 + 7, 6, 2}));
  EXPECT_EQ(serviceLog.masks, (std::vector<int>{0, 0, 0, 0}));

  // The solid scheme gives dark dice (faces 7 and up) the second mask.
  serviceLog.clear();
  display.boardColor = kSolidBoardColour;
  position.currentPlayer = 0;
  drawDice();
  position.currentPlayer = 1;
  drawDice();
  EXPECT_EQ(serviceLog.masks, (std::vector<int>{1, 1, 0, 0}));

  // The colour follows where the die is drawn, against the whole half width (300 of
  // 601), not the four-dice place: in the opening roll a die stands in the other half.
  serviceLog.clear();
  display.boardColor = 3;
  display.playerColors[0] = 0;
  display.playerColors[1] = 1;
  display.boardWidth = 601;
  display.dicePosition[0][0][2] = 0;
  display.dicePosition[0][1][2] = 600;
  display.dicePosition[0][0][1] = 300;
  display.dicePosition[0][1][1] = 299;
  roll(3, 4);
  position.currentPlayer = 0;
  drawDice();
  EXPECT_EQ(serviceLog.faces, (std::vector<int>{3, 4 + 7}));
}

TEST_F(DiceTest, UsedDiceAreShownUsedAndFlagsFollowTheRoll) {
  recordDrawing();
  recordDiceUsed();
  roll(6, 3);
  diceState.dice[1].value = 0;  // the 3 has been played
  display.redrawPending = -1;
  drawDice();
  EXPECT_EQ(serviceLog.faces, (std::vector<int>{6}));
  EXPECT_EQ(serviceLog.diceUsed, (std::vector<int>{1}));
  EXPECT_EQ(diceState.diceShowing, -1);
  EXPECT_EQ(display.redrawPending, -1) << "only a roll with both dice to play clears the redraw request";

  roll(6, 3);
  drawDice();
  EXPECT_EQ(display.redrawPending, 0);
}

TEST_F(DiceTest, HiddenRolloutDrawsNothingButStillClearsTheDiceState) {
  recordDrawing();
  rollout.rolloutRunning = 255;
  rollout.rolloutShowBoard = 0;
  roll(5, 2);
  drawDice();
  redrawDice();
  eraseDice();
  drawDiceBackground();
  removeDice();
  for (int16_t n = 0; n <= 3; ++n) {
    EXPECT_EQ(diceState.dice[n].value, 0);
    EXPECT_EQ(diceState.rolledDice[n], 0);
  }
  EXPECT_EQ(diceState.diceShowing, 0);
  EXPECT_TRUE(serviceLog.faces.empty());
  EXPECT_TRUE(serviceLog.restored.empty());
  EXPECT_TRUE(serviceLog.calls.empty());

  rollout.rolloutShowBoard = -1;  // a shown rollout draws the dice but never erases them
  roll(2, 1);
  drawDice();
  eraseDice();
  EXPECT_EQ(serviceLog.faces.size(), 2u);
  EXPECT_TRUE(serviceLog.restored.empty());
}

TEST_F(DiceTest, DiceSoundNeedsSoundAndDiceSoundAndNoReplayOrRollOver) {
  recordSounds();
  roll(4, 2);
  showRolledDice();
  settings.longDiceSound = 0;
  showRolledDice();
  EXPECT_EQ(serviceLog.sounds, (std::vector<int>{kLongDiceSound, kShortDiceSound}));

  // Each case turns exactly one condition off: sound, dice sound, replay, roll-over.
  for (int off = 0; off < 4; ++off) {
    serviceLog.clear();
    settings.soundOptions.soundOn = off == 0 ? 0 : 255;
    settings.soundOptions.diceSoundOn = off == 1 ? 0 : 255;
    interaction.replayingMove = off == 2 ? -1 : 0;
    interaction.rollOverActive = off == 3 ? 255 : 0;
    showRolledDice();
    EXPECT_TRUE(serviceLog.sounds.empty()) << off;
  }
}

TEST_F(DiceTest, RemoveDieClearsItAndTheDisplayFlagsOnceAllAreGone) {
  recordDrawing();
  roll(6, 1);
  diceState.diceShowing = -1;
  display.redrawPending = -1;
  diceState.drawnDieLeft[0] = 410;
  removeDie(0);
  EXPECT_EQ(diceState.dice[0].value + diceState.rolledDice[0], 0);
  EXPECT_EQ(diceState.diceShowing + display.redrawPending, -2);
  EXPECT_EQ(serviceLog.restored[0], (BoardRect{410, 200, 440, 230}));

  // The last die clears the flags; so does removing a die that is already gone.
  for (int pass = 0; pass < 2; ++pass) {
    serviceLog.clear();
    diceState.diceShowing = -1;
    display.redrawPending = -1;
    removeDie(1);
    EXPECT_EQ(serviceLog.restored.size(), 1u);
    EXPECT_EQ(diceState.diceShowing, 0);
    EXPECT_EQ(display.redrawPending, 0);
    EXPECT_EQ(serviceLog.calls.back(), "flush");
  }
}

TEST_F(DiceTest, RemoveDiceTakesOffOnlyDiceOfTheRoll) {
  recordDrawing();
  roll(3, 3);
  diceState.rolledDice[2] = 0;  // no longer part of the roll
  removeDice();
  EXPECT_EQ(serviceLog.restored.size(), 3u);
  for (int16_t n = 0; n <= 3; ++n) EXPECT_EQ(diceState.rolledDice[n], 0);
  EXPECT_EQ(diceState.dice[2].value, 3) << "die 2 was not taken off";
}

TEST_F(DiceTest, HiddenRolloutStillClearsTheDiceState) {
  recordDrawing();
  rollout.rolloutRunning = 255;
  rollout.rolloutShowBoard = 0;
  roll(5, 2);
  diceState.diceShowing = -1;
  removeDice();
  for (int16_t n = 0; n <= 3; ++n) {
    EXPECT_EQ(diceState.dice[n].value, 0);
    EXPECT_EQ(diceState.rolledDice[n], 0);
  }
  EXPECT_EQ(diceState.diceShowing, 0);
  EXPECT_TRUE(serviceLog.restored.empty());
  EXPECT_TRUE(serviceLog.calls.empty());
}

}  // namespace
}  // namespace bg::testing
