#include "audio/speech.h"

#include "audio/dice_speech.h"
#include "audio/espeak_speech_engine.h"
#include "audio/speech_errors.h"
#include "audio_fixture.h"
#include "runtime/core/messages.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/speech_state.h"

namespace bg::testing {
namespace {

class Speech : public AudioTest {
 protected:
  void startWith(std::vector<std::string> voices, std::string_view stored) {
    resetProgramState();
    installRecorders();
    engine.voices = std::move(voices);
    speech.voiceName = stored;
    initSpeech();
  }
};

TEST_F(Speech, StartUpChoosesTheStoredOrPreferredVoiceWithoutGreeting) {
  struct Row { std::vector<std::string> voices; std::string stored; int16_t item; std::string name; };
  const Row rows[] = {
      {{"Alex", "Fred", "Marvin", "Bruce"}, "", 5, "Bruce"},   {{"Alex", "Marvin", "Fred"}, "", 4, "Fred"},
      {{"Alex", "Female Voice, Compressed", "Marvin"}, "", 4, "Marvin"},
      {{"Alex", "Victoria"}, "", 1, "Speech Off"},             {{"Alex", "Victoria"}, "Victoria", 3, "Victoria"},
      {{"Alex", "Victoria"}, "Zarvox", 1, "Speech Off"},
      {{}, "Alex", 1, "Speech Off"},                          {{"Alex"}, "Speech Off", 1, "Speech Off"},
  };
  for (const Row& row : rows) {
    startWith(row.voices, row.stored);
    EXPECT_EQ(speech.voiceName, row.name) << row.stored;
    EXPECT_EQ(speech.speechOn, row.item == 1 ? 0 : -1);
    EXPECT_TRUE(engine.spoken.empty() && notices.empty());
    // Menu 13: one item per voice after "Speech Off", then the check moves to the choice.
    std::vector<std::string> expected;
    for (size_t v = 0; v < row.voices.size(); ++v)
      expected.push_back("13 " + std::to_string(v + 2) + " 1 " + row.voices[v]);
    expected.insert(expected.end(), {"13 1 1", "13 " + std::to_string(row.item) + " 2"});
    EXPECT_EQ(menuMarks, expected) << row.stored;
  }
  speechChannel.pendingVoiceIndex = 2;  // chosen later: greets
  applyVoiceChoice();
  EXPECT_EQ(engine.spoken, (std::vector<std::string>{"Hi, I am Alex.", " "}));
}

TEST_F(Speech, StuckChannelIsStoppedAfterFiveSecondsQuotingTheRightText) {
  startWith({"Alex"}, "Alex");
  speakText("first");
  engine.stuck = true;
  speech.waitForSpeechEnd = -1;
  const std::uint64_t sleptBefore = clock_.clock.slept();
  EXPECT_NEAR(secondsOf([] { speakText("second"); }), 10.0, 0.01);  // one limit before speaking, one after
  EXPECT_GT(clock_.clock.slept() - sleptBefore, 9'500'000u) << "the waits sleep between looks, spinning no processor";
  const std::string stuck = "Speech is having a problem finishing saying:\r\r'";
  EXPECT_EQ(notices, (std::vector<std::string>{stuck + "first'", stuck + "second'"}));
  EXPECT_EQ(engine.stops, 2);
  // No wait after speaking while a checker is held, a double pends, or nobody asked.
  const std::tuple<int16_t, int16_t, int16_t> rows[] = {{-1, 0, -1}, {0, -1, -1}, {0, 0, 0}};
  for (auto [inHand, pending, wait] : rows) {
    notices.clear();
    hand.pieceInHand = inHand;
    cube.doublePending = pending;
    speech.waitForSpeechEnd = wait;
    speakText("x");
    EXPECT_EQ(notices.size(), 1u);  // only the wait before speaking
    EXPECT_EQ(speech.waitForSpeechEnd, 0);
  }
}

TEST_F(Speech, FailureTurnsSpeechOffAndErrorTexts) {
  startWith({"Alex"}, "Alex");
  loadMessageTable("217\tSpeech failed and has been turned off\n");
  engine.failSpeak = true;
  speakText("hello");
  EXPECT_EQ(notices, (std::vector<std::string>{"Speech failed and has been turned off"}));
  EXPECT_EQ(speech.voiceName, "Speech Off");
  EXPECT_EQ(speechErrorText(5, -50), "Can’t create speech channel. [-50]");
  EXPECT_EQ(speechErrorText(1, 0), "Unable to speak string. [ 0]");
  EXPECT_EQ(speechErrorText(11, -1) + speechErrorText(0, 2), "Unknown error. [-1]Unknown error. [ 2]");
}

// espeak-ng synthesises into a buffer that plays in the speech slot.
TEST_F(Speech, EspeakSpeaksIntoTheSpeechSlot) {
  SpeechEngine& espeak = systemSpeechEngine();
  if (espeak.available() != 0) GTEST_SKIP() << "espeak-ng data not installed";
  EXPECT_NE(espeak.openChannel(static_cast<int16_t>(espeak.countVoices() + 1)), 0);
  ASSERT_EQ(espeak.openChannel(1), 0);
  ASSERT_EQ(espeak.speak("you rolled a 5 and a 3"), 0);
  EXPECT_GT(device.loaded[kSpeechSlot].size(), 20000u);  // about a second of speech
  EXPECT_TRUE(espeak.busy());
}

std::vector<std::string> shown;  // each text with the speech wait flag it was shown with

TEST(DiceSpeech, RollTexts) {
  resetProgramState();
  interactionServices.displayMessage = [] {
    shown.push_back(std::string(interaction.messageText.view()) + (speech.waitForSpeechEnd ? "" : " nowait"));
  };
  struct Row { int16_t first, second, mover, opening, shortForm, human, computer, mode; std::string text; };
  const Row rows[] = {
      {3, 5, 0, 0, 0, -1, -1, kComputerOpponent, "MMYou rolled a 5 and a 3"},
      {3, 5, 1, 0, 0, -1, -1, kComputerOpponent, "MMOpponent rolled a 3 and a 5"},
      {3, 5, 0, 0, -1, -1, -1, kComputerOpponent, "MM 5 AND 3"},
      {3, 5, 1, 0, -1, -1, -1, kComputerOpponent, "MM 3 AND 5"},
      {4, 4, 0, 0, 0, -1, -1, kComputerOpponent, "MMYou rolled double fours"},
      {4, 4, 1, 0, 0, -1, -1, kComputerOpponent, "MMThe Computer rolled double fours"},
      {4, 4, 0, 0, -1, -1, -1, kComputerOpponent, "MMDouble fours"},
      {1, 1, 1, 0, -1, -1, -1, kComputerOpponent, "MMDouble ones"},
      {6, 2, 0, -1, 0, -1, -1, kComputerOpponent, "MMYou won the first roll with a 6, opponent had a 2"},
      {2, 6, 1, -1, 0, -1, -1, kComputerOpponent, "MMOpponent won the first roll with a 6, you have a 2"},
      {6, 2, 0, -1, -1, -1, -1, kComputerOpponent, "MMYou won the first roll with a 6, opponent had a 2"},  // no short form
      {3, 5, 1, 0, 0, -1, 0, kComputerOpponent, ""},  // each side only with its own flag
      {3, 5, 0, 0, 0, 0, -1, kComputerOpponent, ""},
      {3, 5, 0, 0, 0, -1, -1, kTwoPeople, ""},  // two people: composed, not shown
  };
  for (const Row& row : rows) {
    shown.clear();
    std::tie(diceState.dice[0].value, diceState.dice[1].value, position.currentPlayer, position.openingPhase) =
        std::tie(row.first, row.second, row.mover, row.opening);
    std::tie(options.shortDiceMessage, options.speakHumanDice, options.speakComputerDice, flow.opponentMode) =
        std::tie(row.shortForm, row.human, row.computer, row.mode);
    speech.waitForSpeechEnd = 0;
    speakDiceRoll();
    EXPECT_EQ(shown, row.text.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.text});
    EXPECT_TRUE(row.mode != kTwoPeople || interaction.messageText == "MMYou rolled a 5 and a 3");
  }
  resetProgramState();
}

}  // namespace
}  // namespace bg::testing
