#pragma once
// The game flow tests' fixture: every state struct and service table at its plain value,
// the computer's data loaded, the message texts read, the virtual clock in place, and
// recording fakes for what the flow shows and waits for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "computer/computer_play.h"
#include "computer/computer_services.h"
#include "computer/eval_terms_backgame.h"
#include "computer/personalities.h"
#include "computer/program_data.h"
#include "state/board_input.h"
#include "flow/game_loop.h"
#include "state/play_options.h"
#include "state/session_statistics.h"
#include "state/shell_flags.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "state/player_records.h"
#include "state/search_services.h"
#include "state/speech_state.h"
#include "state/turn_flags.h"
#include "rules/whole_roll_check.h"
#include "rules_fixture_link.h"
#include "runtime/core/clock.h"
#include "runtime/core/messages.h"
#include "runtime/core/random.h"

namespace bg::testing {

inline std::string readMessageFile() {
  const auto path = std::filesystem::path(__FILE__).parent_path() / "../../resources/text/messages.txt";
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// What the flow's fakes saw.
struct FlowLog {
  std::vector<std::string> messages;  // message line texts; numbered ones as "#n"
  std::vector<float> pauses;
  std::vector<std::string> dialogs;
  int alerts = 0;
  int pumps = 0;
  void clear() { *this = FlowLog{}; }
};

inline FlowLog flowLog;

// The dice rollDie returns, in order: every draw takes pool slot 1, and each refill of
// it is the next value of the script.
inline std::vector<int> diceScript;
inline size_t diceScriptNext = 0;

inline int32_t scriptedRnd(int32_t n) {
  if (n != 6) return 1;
  if (diceScriptNext < diceScript.size()) return diceScript[diceScriptNext++];
  // After the script the faces go round, so no roll repeats for ever.
  return static_cast<int32_t>(diceScriptNext++ % 6 + 1);
}

inline void scriptDice(std::initializer_list<int> values) {
  diceScript.assign(values.begin(), values.end());
  diceScriptNext = 1;
  diceState.dicePool[1] = static_cast<int16_t>(diceScript.empty() ? 1 : diceScript[0]);
  setRandomHook(scriptedRnd);
}

class FlowTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    resetFlowState();
    static const std::string messageFile = readMessageFile();
    loadMessageTable(messageFile);
    initComputerData();
    installComputerSearchServices();
    installFlowServices();
    recordFlow();
  }
  void TearDown() override {
    resetFlowState();
    RulesTest::TearDown();
  }

  static void resetFlowState() {
    turnState = TurnState{};
    shellFlags = ShellFlags{};
    options = PlayOptions{};
    boardInput = BoardInput{};
    statistics = SessionStatistics{};
    players = PlayerRecords{};
    turnServices = TurnServices{};
    searchServices = SearchServices{};
    turnFlags = TurnFlags{};
    wholeRoll = WholeRollState{};
    speech = SpeechState{};
    backgameTerms = BackgameTermState{};
    skill = SkillSettings{};
    flowLog.clear();
    diceScript.clear();
    diceScriptNext = 0;
  }

  static void recordFlow() {
    interactionServices.displayMessage = [] {
      if (interaction.messageNumber != kNoMessage) {
        flowLog.messages.push_back("#" + std::to_string(interaction.messageNumber));
      }
      if (interaction.messageText.len() > 2) flowLog.messages.push_back(interaction.messageText.str().substr(2));
    };
    shellServices.pauseAfterMove = [](double seconds) { flowLog.pauses.push_back(static_cast<float>(seconds)); };
    shellServices.pauseSeconds = [](double seconds) { flowLog.pauses.push_back(static_cast<float>(seconds)); };
    soundServices.playAlertSound = [] { ++flowLog.alerts; };
    turnServices.showEndGameDialog = [](std::string_view text) { flowLog.dialogs.emplace_back(text); };
  }

  static bool sawMessage(const std::string& text) {
    for (const std::string& m : flowLog.messages) {
      if (m == text) return true;
    }
    return false;
  }

  UseVirtualClock clock_;
};

// Board helpers: player 0 counts positive and bears off upward, player 1 negative.
inline void clearBoard() {
  position.board.fill(0);
  position.piecesOnBoard[0] = 0;
  position.piecesOnBoard[1] = 0;
}

inline void place(int16_t side, int16_t point, int16_t count) {
  position.board[point] = static_cast<int16_t>(position.board[point] + count * position.playerDirection[side]);
  position.piecesOnBoard[side] = static_cast<int16_t>(position.piecesOnBoard[side] + count);
}

}  // namespace bg::testing
