#include "audio/dice_speech.h"

#include "audio_fixture.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/speech_state.h"

namespace bg::testing {
namespace {

std::vector<std::string> shown;

class DiceSpeech : public AudioTest {
 protected:
  void SetUp() override {
    AudioTest::SetUp();
    shown.clear();
    interactionServices.displayMessage = [] {
      shown.emplace_back(interaction.messageText.view());
      EXPECT_EQ(speech.waitForSpeechEnd, -1);
    };
    options.speakHumanDice = -1;
    options.speakComputerDice = -1;
  }
  static void roll(int16_t first, int16_t second, int16_t mover, int16_t openingPhase, int16_t shortForm) {
    diceState.dice[0].value = first;
    diceState.dice[1].value = second;
    position.currentPlayer = mover;
    position.openingPhase = openingPhase;
    options.shortDiceMessage = shortForm;
    speakDiceRoll();
  }
};

TEST_F(DiceSpeech, RollTexts) {
  struct Row { int16_t first, second, mover, opening, shortForm; std::string text; };
  const Row rows[] = {
      {3, 5, 0, 0, 0, "MMYou rolled a 5 and a 3"},
      {3, 5, 1, 0, 0, "MMOpponent rolled a 3 and a 5"},
      {3, 5, 0, 0, -1, "MM 5 AND 3"},
      {3, 5, 1, 0, -1, "MM 3 AND 5"},
      {4, 4, 0, 0, 0, "MMYou rolled double fours"},
      {4, 4, 1, 0, 0, "MMThe Computer rolled double fours"},
      {4, 4, 0, 0, -1, "MMDouble fours"},
      {1, 1, 1, 0, -1, "MMDouble ones"},
      {6, 2, 0, -1, 0, "MMYou won the first roll with a 6, opponent had a 2"},
      {2, 6, 1, -1, 0, "MMOpponent won the first roll with a 6, you have a 2"},
      {6, 2, 0, -1, -1, "MMYou won the first roll with a 6, opponent had a 2"},  // no short form then
  };
  for (const Row& row : rows) {
    shown.clear();
    roll(row.first, row.second, row.mover, row.opening, row.shortForm);
    EXPECT_EQ(shown, std::vector<std::string>{row.text});
  }
}

TEST_F(DiceSpeech, EachSideOnlyWithItsFlagAndNeverBetweenTwoPeople) {
  options.speakComputerDice = 0;
  roll(3, 5, 1, 0, 0);
  EXPECT_TRUE(shown.empty());
  roll(3, 5, 0, 0, 0);
  EXPECT_EQ(shown.size(), 1u);
  flow.opponentMode = 3;
  speech.waitForSpeechEnd = 0;
  roll(3, 5, 0, 0, 0);
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(interaction.messageText, "MMYou rolled a 5 and a 3");  // composed, not shown
  EXPECT_EQ(speech.waitForSpeechEnd, 0);
}

}  // namespace
}  // namespace bg::testing
