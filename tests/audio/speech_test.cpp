#include "audio/speech.h"

#include "audio/speech_errors.h"
#include "audio_fixture.h"
#include "runtime/core/messages.h"
#include "state/cube_state.h"
#include "state/interaction_state.h"
#include "state/speech_state.h"

namespace bg::testing {
namespace {

class Speech : public AudioTest {
 protected:
  void SetUp() override {
    AudioTest::SetUp();
    loadMessageTable("217\tSpeech failed and has been turned off\n");
  }
  void startWith(std::vector<std::string> voices, std::string_view stored) {
    engine.voices = std::move(voices);
    speech.voiceName = stored;
    initSpeech();
  }
};

TEST_F(Speech, StartUpChoosesTheStoredOrPreferredVoiceWithoutGreeting) {
  struct Row { std::vector<std::string> voices; std::string stored; int16_t item; std::string name; };
  const Row rows[] = {
      {{"Alex", "Fred", "Marvin", "Bruce"}, "", 5, "Bruce"},
      {{"Alex", "Marvin", "Fred"}, "", 4, "Fred"},
      {{"Alex", "Female Voice, Compressed", "Marvin"}, "", 4, "Marvin"},
      {{"Alex", "Victoria"}, "", 1, "Speech Off"},
      {{"Alex", "Victoria"}, "Victoria", 3, "Victoria"},
      {{"Alex", "Victoria"}, "Zarvox", 1, "Speech Off"},
      {{"Alex", "Victoria"}, "Speech Off", 1, "Speech Off"},
      {{}, "Alex", 1, "Speech Off"},
  };
  for (const Row& row : rows) {
    resetProgramState();
    installRecorders();
    startWith(row.voices, row.stored);
    EXPECT_EQ(speechChannel.voiceIndex, row.item) << row.stored;
    EXPECT_EQ(speech.voiceName, row.name) << row.stored;
    EXPECT_EQ(speech.speechOn, row.item == 1 ? 0 : -1);
    EXPECT_TRUE(engine.spoken.empty());
    EXPECT_TRUE(notices.empty());
    // Menu 13: one item per voice after "Speech Off", then the check moves to the choice.
    std::vector<std::string> expected;
    for (size_t v = 0; v < row.voices.size(); ++v)
      expected.push_back("13 " + std::to_string(v + 2) + " 1 " + row.voices[v]);
    expected.push_back("13 1 1");
    expected.push_back("13 " + std::to_string(row.item) + " 2");
    EXPECT_EQ(menuMarks, expected) << row.stored;
  }
}

TEST_F(Speech, ChoosingAVoiceLaterGreets) {
  startWith({"Alex", "Victoria"}, "Speech Off");
  speechChannel.pendingVoiceIndex = 3;
  applyVoiceChoice();
  EXPECT_EQ(engine.spoken, (std::vector<std::string>{"Hi, I am Victoria.", " "}));
  speechChannel.pendingVoiceIndex = 1;
  applyVoiceChoice();
  EXPECT_EQ(speech.speechOn, 0);
  EXPECT_EQ(engine.spoken.size(), 2u);
}

TEST_F(Speech, ErrorTexts) {
  const std::tuple<int16_t, int, std::string> rows[] = {
      {5, -50, "Can’t create speech channel. [-50]"}, {1, 0, "Unable to speak string. [ 0]"},
      {9, 7, "9 [ 7]"}, {11, -1, "Unknown error. [-1]"}, {0, 2, "Unknown error. [ 2]"},
      {2, -2147483647, "Error counting voices available. [-2147483647]"}};
  for (const auto& [number, status, text] : rows) EXPECT_EQ(speechErrorText(number, status), text);
}

TEST_F(Speech, StuckChannelIsStoppedAfterFiveSecondsQuotingTheRightText) {
  startWith({"Alex"}, "Alex");
  speakText("first");
  engine.stuck = true;
  hand.pieceInHand = 0;
  speech.waitForSpeechEnd = -1;
  const double seconds = secondsOf([] { speakText("second"); });
  EXPECT_NEAR(seconds, 10.0, 0.01);  // one limit before speaking, one after
  EXPECT_EQ(notices, (std::vector<std::string>{"Speech is having a problem finishing saying:\r\r'first'",
                                               "Speech is having a problem finishing saying:\r\r'second'"}));
  EXPECT_EQ(engine.stops, 2);
  EXPECT_EQ(speech.waitForSpeechEnd, 0);
}

TEST_F(Speech, NoWaitAfterSpeakingWhileACheckerIsHeldOrADoublePends) {
  startWith({"Alex"}, "Alex");
  engine.stuck = true;
  const std::tuple<int16_t, int16_t, int16_t> rows[] = {{-1, 0, -1}, {0, -1, -1}, {0, 0, 0}};
  for (auto [inHand, pending, wait] : rows) {
    notices.clear();
    speechChannel.speechTextCopy.clear();
    hand.pieceInHand = inHand;
    cube.doublePending = pending;
    speech.waitForSpeechEnd = wait;
    speakText("x");
    EXPECT_EQ(notices.size(), 1u);  // only the wait before speaking
  }
}

TEST_F(Speech, FailureTurnsSpeechOff) {
  startWith({"Alex"}, "Alex");
  engine.failSpeak = true;
  speakText("hello");
  EXPECT_EQ(notices, (std::vector<std::string>{"Speech failed and has been turned off"}));
  EXPECT_EQ(speech.speechOn, 0);
  EXPECT_EQ(speech.voiceName, "Speech Off");
  EXPECT_EQ(speechChannel.voiceIndex, 1);
}

}  // namespace
}  // namespace bg::testing
