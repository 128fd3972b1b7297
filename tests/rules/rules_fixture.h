#pragma once
// A fixture that gives every test the program-wide state of a fresh start: each state
// struct and each service table back at its plain value, and a fixed random sequence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/analysis_state.h"
#include "state/best_plays_state.h"
#include "rules/checker_move.h"
#include "state/concession_state.h"
#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_services.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/rollout_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/sound_services.h"
#include "state/storage_state.h"
#include "runtime/core/random.h"

namespace bg::testing {

inline void resetRulesState() {
  position = Position{};
  diceState = DiceState{};
  record = GameRecord{};
  flow = FlowState{};
  settings = Settings{};
  hand = HandState{};
  interaction = InteractionState{};
  display = DisplayState{};
  rollout = RolloutState{};
  cube = CubeState{};
  shell = ShellState{};
  storage = StorageState{};
  concession = ConcessionState{};
  bestPlays = BestPlaysState{};
  playSearch = PlaySearchState{};
  analysis = AnalysisState{};

  displayServices = DisplayServices{};
  flowServices = FlowServices{};
  interactionServices = InteractionServices{};
  shellServices = ShellServices{};
  rolloutServices = RolloutServices{};
  soundServices = SoundServices{};

  setRandomHook(nullptr);
  seedRandom(20240611);
}

// What the recording fakes saw, in call order.
struct ServiceLog {
  std::vector<std::string> calls;
  std::vector<int> sounds;
  std::vector<int> diceUsed;
  std::vector<BoardRect> restored;
  std::vector<int> faces;  // die face index of each drawn die
  std::vector<int> facesLeft;
  std::vector<int> masks;
  std::vector<std::string> messages;
  std::vector<std::string> menuTexts;
  std::vector<int> seen;  // values a fake observed when it was called
  int boardRedraws = 0;
  void clear() { *this = ServiceLog{}; }
};

inline ServiceLog serviceLog;

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetRulesState();
    serviceLog.clear();
  }
  void TearDown() override { resetRulesState(); }

  // Recording fakes that keep the least forms' state changes.
  static void recordSounds() {
    soundServices.playSound = [](int16_t sound, int16_t) { serviceLog.sounds.push_back(sound); };
  }
  static void recordDiceUsed() {
    displayServices.showDieUsed = [](int16_t die) {
      serviceLog.diceUsed.push_back(die);
      least::showDieUsed(die);
    };
  }
  static void recordDrawing() {
    displayServices.drawDieImage = [](int16_t face, int16_t mask, int16_t left, int16_t) {
      serviceLog.faces.push_back(face);
      serviceLog.masks.push_back(mask);
      serviceLog.facesLeft.push_back(left);
    };
    displayServices.restoreBoardBackground = [](BoardRect area) { serviceLog.restored.push_back(area); };
    displayServices.redrawBoardWindow = [] {
      serviceLog.calls.push_back("redrawBoardWindow:" + std::to_string(position.currentPlayer));
    };
    displayServices.frameAllDice = [] { serviceLog.calls.push_back("frameAllDice"); };
    displayServices.flushBoardWindow = [] { serviceLog.calls.push_back("flush"); };
  }
  static void recordMessages() {
    interactionServices.displayMessage = [] { serviceLog.messages.push_back(interaction.messageText.str()); };
  }

  // The roll stage's part: the dice in hand, the side on turn, the roll entry at count + 1.
  static void rollFor(int16_t side, int16_t a, int16_t b, int16_t rollFlags = 0) {
    const bool doubles = a == b;
    position.currentPlayer = side;
    position.otherPlayer = static_cast<int16_t>(1 - side);
    position.turnPlayer = side;
    diceState.dice[0].value = a;
    diceState.dice[1].value = b;
    diceState.dice[2].value = doubles ? a : int16_t{0};
    diceState.dice[3].value = doubles ? a : int16_t{0};
    for (int16_t n = 0; n <= 3; ++n) diceState.rolledDice[n] = diceState.dice[n].value;
    diceState.rolledDoubles = doubles ? -1 : 0;
    flow.movesAllowed = doubles ? 4 : 2;
    flow.movesLeft = flow.movesAllowed;
    flow.moveNumber = 0;
    flow.abortTurn = 0;
    playSearch.playLength = flow.movesAllowed;
    if (record.gameRecordCount < kLastPlayEntry) {  // a full record takes no roll entry
      GameRecordEntry& entry = record.gameRecord[record.gameRecordCount + 1];
      entry = blankRecordEntry;
      entry.side = side;
      entry.die1 = a;
      entry.die2 = b;
      entry.flags = rollFlags;
    }
  }

  static void moveChecker(int16_t from, int16_t distance) {
    hand.selectedPoint = from;
    hand.moveDistance = distance;
    moveOneChecker();
  }
};

// Player 0 (direction +1) moving over the board: board positive for player 0.
inline int checkersOf(int16_t side) {
  int count = 0;
  for (const int16_t c : position.board) {
    if (c * position.playerDirection[side] > 0) count += c * position.playerDirection[side];
  }
  return count;
}

}  // namespace bg::testing
