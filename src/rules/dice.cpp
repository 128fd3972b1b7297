#include "rules/dice.h"

#include "state/display_services.h"
#include "state/display_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/sound_services.h"
#include "runtime/core/random.h"

namespace bg {


namespace {

constexpr int16_t kDrawnPoolSlots = 30;  // slots 1..30 are drawn; 0 and 31 never

bool fourDiceOnDoubles() { return settings.display4OnDoubles != 0; }

int16_t currentDiceLayout() {
  if (position.openingPhase != 0) return kOpeningDiceLayout;
  if (diceState.rolledDoubles != 0 && fourDiceOnDoubles()) return kFourDiceLayout;
  return kNormalDiceLayout;
}

BoardRect dieArea(int16_t left) {
  return {left, display.diceTop, static_cast<int16_t>(left + display.dieWidth),
          static_cast<int16_t>(display.diceTop + display.dieHeight)};
}

}  // namespace

void fillDicePool() {
  for (int16_t slot = 0; slot <= kDrawnPoolSlots; ++slot) diceState.dicePool[slot] = static_cast<int16_t>(rnd(6));
}

int16_t rollDie() {
  const int16_t slot = static_cast<int16_t>(rnd(kDrawnPoolSlots));
  const int16_t value = diceState.dicePool[slot];
  diceState.dicePool[slot] = static_cast<int16_t>(rnd(6));
  return value;
}

void showRolledDice() {
  hook::setDiceDisplayFlags(-1);
  hook::frameAllDice();
  if (soundHeard() && interaction.replayingMove == 0 && interaction.rollOverActive == 0 &&
      settings.soundOptions.diceSoundOn != 0) {
    hook::playSound(settings.longDiceSound != 0 ? kLongDiceSound : kShortDiceSound, -1);
  }
  drawDice();
}

void drawDice() {
  const bool doubles = diceState.rolledDoubles != 0;
  // A double may stand at other places than the last dice.
  if (doubles) drawDiceBackground();
  const int16_t side = position.currentPlayer;
  const int16_t layout = currentDiceLayout();
  const bool extraDiceDrawn = fourDiceOnDoubles() && position.openingPhase == 0;
  for (int16_t n = 0; n <= 3; ++n) {
    const int16_t left = display.dicePosition[side][n][layout];
    // A die drawn in the right half of the board takes player 0's colour: where it is
    // drawn, since in the opening roll a die stands in the other side's half.
    const int16_t colour = left >= display.boardWidth / 2 ? display.playerColors[0] : display.playerColors[1];
    display.dieFaceIndex = static_cast<int16_t>(diceState.rolledDice[n] + kDieFacesPerColour * colour);
    diceState.drawnDieLeft[n] = left;
    if (doubles && !fourDiceOnDoubles() && n >= 2) diceState.drawnDieLeft[n] = diceState.drawnDieLeft[1];
    if (diceState.dice[n].value >= 1) {
      if (n <= 1 || extraDiceDrawn) {
        display.dieLeft = left;
        display.dieTop = display.diceTop;
        drawDieFace();
      }
    } else if (diceState.rolledDice[n] > 0) {
      hook::showDieUsed(n);
    }
  }
  int rolledSum = 0;
  for (const int16_t value : diceState.rolledDice) rolledSum += value;
  if (rolledSum > 0) hook::setDiceDisplayFlags(-1);
  if (diceState.dice[0].value >= 1 && diceState.dice[1].value >= 1) display.redrawPending = 0;
}

void drawDieFace() {
  if (rolloutHidesBoard()) return;
  // The dark dice of the solid scheme need their own mask.
  const int16_t mask = display.dieFaceIndex >= kDieFacesPerColour && display.boardColor == kSolidBoardColour ? 1 : 0;
  hook::drawDieImage(display.dieFaceIndex, mask, display.dieLeft, display.dieTop);
}

void redrawDice() {
  if (rolloutHidesBoard()) return;
  hook::setDiceDisplayFlags(0);
  hook::frameAllDice();
}

void eraseDice() {
  if (rolloutPlaysUnattended()) return;
  const int16_t layout = currentDiceLayout();
  for (int16_t side = 0; side <= 1; ++side) {
    for (int16_t n = 0; n <= 1; ++n) hook::restoreBoardBackground(dieArea(display.dicePosition[side][n][layout]));
  }
}

void drawDiceBackground() {
  if (rolloutPlaysUnattended()) return;
  for (int16_t n = 0; n <= 1; ++n) hook::restoreBoardBackground(dieArea(diceState.drawnDieLeft[n]));
}

void removeDie(int16_t n) {
  // A hidden rollout skips only the drawing: the dice state must still change.
  const bool drawn = !rolloutHidesBoard();
  if (drawn) {
    const BoardRect area = dieArea(diceState.drawnDieLeft[n]);
    hook::restoreBoardBackground(area);
    hook::refreshDragSaveUnder(area);
  }
  diceState.dice[n].value = 0;
  diceState.rolledDice[n] = 0;
  int sum = 0;
  for (const DiceEntry& die : diceState.dice) sum += die.value;
  if (sum == 0) {
    display.redrawPending = 0;
    // With the dice gone all four frame places show again.
    hook::setDiceDisplayFlags(0);
    if (drawn) hook::frameAllDice();
  }
  if (drawn) hook::flushBoardWindow();
}

void removeDice() {
  for (int16_t n = 0; n <= 3; ++n) {
    if (diceState.rolledDice[n] > 0) removeDie(n);
  }
}

}  // namespace bg
