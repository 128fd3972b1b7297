#pragma once
// The game flow tests' fixture: the program's state fresh, the computer's data and the
// message texts loaded, the virtual clock, a fixed random sequence, and recording fakes
// for what the flow shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rules/dice.h"
#include "rules/game_record.h"
#include "rules/random_positions.h"
#include "runtime/core/clock.h"
#include "runtime/core/messages.h"
#include "runtime/core/random.h"
#include "state/board_input.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_options.h"
#include "state/play_search_state.h"
#include "state/program_state.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/sound_services.h"
#include "support/message_stand_in.h"
#include "support/position_text.h"

namespace bg::testing {

// What the fakes saw: message line texts (numbered ones as "#n"), dialogs, alerts, pumps.
struct FlowLog {
  std::vector<std::string> messages;
  std::vector<std::string> dialogs;
  int alerts = 0, pumps = 0;
};
inline FlowLog flowLog;

inline bool sawMessage(const std::string& text) {
  return std::find(flowLog.messages.begin(), flowLog.messages.end(), text) != flowLog.messages.end();
}

// The dice the roll stage draws, in order; after the script the faces go round.
inline std::vector<int> diceScript;
inline size_t diceNext = 0;
inline void scriptDice(std::vector<int> values) {
  diceScript = std::move(values);
  diceNext = 1;
  diceState.dicePool[1] = static_cast<int16_t>(diceScript.empty() ? 1 : diceScript[0]);
  setRandomHook([](int32_t n) -> int32_t {
    if (n != 6) return 1;
    return diceNext < diceScript.size() ? diceScript[diceNext++] : static_cast<int32_t>(diceNext++ % 6 + 1);
  });
}

// The hand-over of playTurn gives `side` the turn.
inline void turnGoesTo(int16_t side) { setSideOnRoll(static_cast<int16_t>(1 - side)); }

class FlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    TearDown();
    seedRandom(20240611);
    fillDicePool();
    [[maybe_unused]] static const bool loaded = [] {
      std::ifstream in(std::filesystem::path(BG_SOURCE_ROOT) / "resources/text/messages.txt");
      loadMessageTable(std::string(std::istreambuf_iterator<char>(in), {}));
      initComputerData();
      return true;
    }();
    installComputerSearchServices();
    installFlowServices();
    resetGameRecord();
    flowLog = FlowLog{};
    interactionServices.displayMessage = [] {
      showLikeMessageLine([](int16_t number, const std::string& text) {
        if (number != kNoMessage) flowLog.messages.push_back("#" + std::to_string(number));
        if (!text.empty()) flowLog.messages.push_back(text);
      });
    };
    shellServices.pauseAfterMove = shellServices.pauseSeconds = [](double) {};
    soundServices.playAlertSound = [] { ++flowLog.alerts; };
    turnServices.showEndGameDialog = [](std::string_view text) { flowLog.dialogs.emplace_back(text); };
  }
  void TearDown() override { setRandomHook(nullptr); }

  UseVirtualClock clock_;
};

}  // namespace bg::testing
