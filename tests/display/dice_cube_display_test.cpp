// The dice of a roll, the die places of the frame and the doubling cube on the board.
#include <gtest/gtest.h>

#include <vector>

#include "board_fixture.h"
#include "display/dice_display.h"
#include "state/shell_services.h"
#include "state/sound_services.h"

namespace bg {
namespace {

std::vector<int16_t> sounds;

class DiceAndCube : public testing::BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    redrawBoardWindow();
    sounds.clear();
    soundServices.playSound = [](int16_t sound, int16_t) { sounds.push_back(sound); };
  }
  static QRgb dieFacePixel(int16_t face) { return boardImages.dieFaceWorlds[face]->image.pixel(14, 6); }
};

TEST_F(DiceAndCube, TheRolledDiceStandAtTheirPlacesInTheSidesColours) {
  struct Row {
    const char* roll;
    std::vector<int16_t> xs;
    int16_t colour;
  };
  for (const Row& row : {Row{"dice 3 1 | side 0", {502, 459}, 0}, {"dice 3 1 | side 1", {150, 193}, 1},
                         {"dice 2 2 | side 0", {430, 463, 496, 529}, 0}, {"dice 2 2 | side 1", {120, 153, 186, 219}, 1}}) {
    testing::setPosition(std::string("start | ") + row.roll);
    settings.display4OnDoubles = -1;
    position.openingPhase = 0;
    showRolledDice();
    for (size_t n = 0; n < row.xs.size(); ++n) {
      EXPECT_EQ(diceState.drawnDieLeft[static_cast<int>(n)], row.xs[n]) << row.roll;
      const int16_t face = static_cast<int16_t>(diceState.rolledDice[static_cast<int>(n)] + 7 * row.colour);
      EXPECT_EQ(testing::pixelAt(row.xs[n] + 14, 245 + 6), dieFacePixel(face)) << row.roll << " die " << n;
    }
    removeDice();
  }
}

TEST_F(DiceAndCube, AUsedDieIsDimmedInTheColoursOfWhereItStands) {
  // The opening roll: side 1's die stands at 193, in the left half, in side 1's colours.
  testing::setPosition("start | dice 4 2 | side 1");
  position.openingPhase = -1;
  showRolledDice();
  const int16_t left = diceState.drawnDieLeft[1];
  const QRgb fresh = testing::pixelAt(left + 14, 245 + 6);
  EXPECT_EQ(fresh, dieFacePixel(static_cast<int16_t>(diceState.rolledDice[1] + 7 * dieColourAt(left))));
  diceState.dice[1].value = 0;
  showDieUsed(1);
  EXPECT_NE(testing::pixelAt(left + 14, 245 + 6), fresh);
  // On a double shown as two dice, dice 1 and 3 have no picture of their own.
  testing::setPosition("start | dice 5 5 | side 0");
  settings.display4OnDoubles = 0;
  showRolledDice();
  const QImage before = window();
  diceState.dice[3].value = 0;
  showDieUsed(3);
  EXPECT_EQ(before, window());
}

TEST_F(DiceAndCube, ARedrawDrawsTheUsedDiceWithoutThePauseOfTheLastMove) {
  static double paused = 0;
  shellServices.pauseSeconds = [](double seconds) { paused += seconds; };
  testing::setPosition("start | dice 3 1 | side 0");
  position.openingPhase = 0;
  showRolledDice();
  // Make Best Move has played the roll and asks whether to keep it.
  flow.bestMoveForHuman = -1;
  flow.movesLeft = 0;
  for (int16_t die = 0; die <= 1; ++die) diceState.dice[die].value = 0, showDieUsed(die);
  EXPECT_GT(paused, 0) << "the last move pauses";
  const auto dieAt = [](int die) { return testing::pixelAt(diceState.drawnDieLeft[die] + 14, 245 + 6); };
  const QRgb used[] = {dieAt(0), dieAt(1)};
  paused = 0;
  redrawBoardWindow();
  EXPECT_EQ(paused, 0);
  for (int die = 0; die <= 1; ++die) EXPECT_EQ(dieAt(die), used[die]) << die;
}

TEST_F(DiceAndCube, TheFramePlacesShowAllFourBetweenRollsAndOneEndAfterARoll) {
  struct Place {
    int16_t end, place, y;
  };
  for (const Place& p : {Place{0, 0, 447}, {0, 1, 422}, {1, 0, 36}, {1, 1, 61}})
    EXPECT_EQ(layout.dieSlotPositions[0][p.end][p.place], (Point{642, p.y}));
  for (auto& end : display.dieSlots)
    for (auto& place : end) place.value = 4;
  hook::setDiceDisplayFlags(0);
  frameAllDice();
  EXPECT_NE(testing::pixelAt(642 + 14, 36 + 6), boardImages.boardWorld->image.pixel(642 + 14, 36 + 6));
  // A place with no face is no die: the board shows.
  display.dieSlots[1][0].value = 0;
  frameAllDice();
  EXPECT_EQ(testing::pixelAt(642 + 14, 36 + 6), boardImages.boardWorld->image.pixel(642 + 14, 36 + 6));
  display.dieSlots[1][0].value = 4;
  position.turnPlayer = 0;
  position.openingPhase = 0;
  hook::setDiceDisplayFlags(-1);
  frameAllDice();
  EXPECT_EQ(testing::pixelAt(642 + 14, 447 + 6), boardImages.boardWorld->image.pixel(642 + 14, 447 + 6));
  EXPECT_NE(testing::pixelAt(642 + 14, 36 + 6), boardImages.boardWorld->image.pixel(642 + 14, 36 + 6));
}

TEST_F(DiceAndCube, TheCubeShowsItsValueAtItsOwnersPlace) {
  for (auto [value, text] : {std::pair{1, "64"}, {2, "2"}, {8, "8"}, {16, "16"}, {32, "32"}, {64, "64"}})
    EXPECT_EQ(cubeValueText(static_cast<int16_t>(value)), text);
  for (int16_t k = 0; k <= 6; ++k) EXPECT_EQ(cubeFaceOf(static_cast<int16_t>(1 << k)), k);
  EXPECT_EQ(layout.cubeX[0], 641);
  for (auto [owner, y] : {std::pair{kCubeCentred, 245}, {0, 355}, {1, 122}}) {
    EXPECT_EQ(layout.cubeY[owner], y);
    cube.cubeOwner = static_cast<int16_t>(owner);
    cube.cubeOwnerBeforeDouble = static_cast<int16_t>(owner);
    drawCube();
    const QImage& face = boardImages.cubeFaceWorlds[0][0]->image;
    EXPECT_EQ(testing::pixelAt(641 + 3, y + 3), face.pixel(3, 3)) << owner;
    eraseCubeAtOldPlace();
  }
  // The value reads on the face: the scheme window tests.
  testing::setPosition("1:11 13:1 25:1 0:-1 24:-1 | dice 3 1 | side 0");
  position.openingPhase = 0;
  redrawBoardWindow();
  showRolledDice();
  EXPECT_TRUE(saveWindowSnapshot(1, testing::snapshotPath(QStringLiteral("stacks_dice_cube_w700"))));
}

TEST_F(DiceAndCube, ADoubleSlidesTheCubeAndSoundsOnlyOutsideARedraw) {
  cube.cubeValue = 2;
  cube.cubeOwnerBeforeDouble = kCubeCentred;
  cube.cubeOwner = 1;
  cube.cubeJustDoubled = -1;
  const uint64_t start = clock.clock.now();
  drawCube();
  EXPECT_GT(clock.clock.now() - start, 245u - 122u);
  EXPECT_EQ(cube.cubeJustDoubled, 0);
  EXPECT_EQ(cube.cubeOwner, 1);
  EXPECT_EQ(sounds, (std::vector<int16_t>{1}));
  const QImage slid = testing::boardArea();
  sounds.clear();
  redrawBoardWindow();
  EXPECT_EQ(slid, testing::boardArea());
  EXPECT_TRUE(sounds.empty());
  EXPECT_EQ(settings.soundOptions.soundOn, 255);
}

}  // namespace
}  // namespace bg
