#include "audio/dice_speech.h"

#include "flow/game_end.h"
#include "rules/dice.h"
#include "runtime/core/format.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/speech_state.h"

namespace bg {

namespace {

constexpr int16_t kPluralWord = 1;

Str255 die(int16_t k) { return Str255(intText(diceState.dice[k].value)); }

void announce(bool human) {
  interaction.messageText = diceRollText(human);
  if (flow.opponentMode == kTwoPeople) return;
  speech.waitForSpeechEnd = -1;
  hook::displayMessage();
}

}  // namespace

Str255 diceRollText(bool human) {
  const bool shortForm = options.shortDiceMessage != 0;
  const int16_t first = diceState.dice[0].value;
  Str255 text = "MM";
  if (first == diceState.dice[1].value && isDie(first)) {
    const std::string_view word = diceWords[first][kPluralWord];
    if (shortForm) return text + "Double " + word;
    return text + (human ? "You rolled double " : "The Computer rolled double ") + word;
  }
  if (shortForm && position.openingPhase == 0)
    return human ? text + die(1) + " AND" + die(0) : text + die(0) + " AND" + die(1);
  if (position.openingPhase != 0) {
    return human ? text + "You won the first roll with a" + die(0) + ", opponent had a" + die(1)
                 : text + "Opponent won the first roll with a" + die(1) + ", you have a" + die(0);
  }
  return human ? text + "You rolled a" + die(1) + " and a" + die(0)
               : text + "Opponent rolled a" + die(0) + " and a" + die(1);
}

void speakDiceRoll() {
  const int16_t mover = position.playerType[position.currentPlayer];
  if (options.speakHumanDice != 0 && mover == kHumanPlayer) announce(true);
  if (options.speakComputerDice != 0 && mover == kComputerPlayer) announce(false);
}

}  // namespace bg
