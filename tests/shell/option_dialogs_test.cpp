// The four option dialogs of the Settings menu, opened through their menu items and
// answered through their real widgets and keys: OK, Return and Enter store what the
// controls show, Cancel and Escape nothing; the help buttons open the info box over the
// dialog and come back to it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialogs_install.h"
#include "dialogs/message_boxes.h"
#include "dialogs/option_dialogs.h"
#include "interaction/interaction_install.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/settings.h"
#include "shell/dialog_script.h"
#include "shell/started_program.h"

namespace bg {
namespace {

using testing::Answer;

class OptionDialogs : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    installDialogServices();
    installInteractionServices();
    windowSelect(1);
  }
  void TearDown() override {
    for (int16_t n : {kInfoBoxWindow, kClickAfterMoveWindow, kAutomaticMovesWindow, kSpeakDiceWindow, kSoundWindow})
      windowClose(n);
    StartedProgram::TearDown();
  }
};

struct ControlUse {
  int16_t id;
  int radioValue;  // 0: a check box, clicked once
};

struct DialogCase {
  const char* name;
  int16_t item, window;
  std::function<void()> setBefore;
  std::vector<std::pair<int16_t, int16_t>> shown;  // control, value the filler shows
  std::vector<ControlUse> uses;
  std::function<std::vector<long>()> stored;
  std::vector<long> before, afterOk;
};

std::vector<DialogCase> cases() {
  auto sound = [] {
    const SoundOptions& s = settings.soundOptions;
    return std::vector<long>{s.soundOn, s.diceSoundOn, settings.longDiceSound, s.soundLevel};
  };
  auto autoMoves = [] {
    return std::vector<long>{options.autoEnterFromBarOn, options.autoBearOffOn, options.autoPlayForHumanOn,
                             options.autoPlayForcedOn, options.autoMoves};
  };
  auto speak = [] {
    return std::vector<long>{options.speakHumanDice, options.speakComputerDice, options.shortDiceMessage};
  };
  auto click = [] {
    return std::vector<long>{options.clickAfterHumanMove, options.clickAfterComputerMove, options.autoPass};
  };
  return {
      {"sound off, dice sound on, short", 4, kSoundWindow,
       [] { settings.soundOptions = {255, 4, 0}, settings.longDiceSound = -1; },
       {{3, 2}, {4, 0}, {5, 2}}, {{3, 1}, {4, 0}, {5, 1}}, sound, {255, 0, -1, 4}, {0, 255, 0, 4}},
      {"sound on, dice sound off, long", 4, kSoundWindow,
       [] { settings.soundOptions = {0, 7, 255}, settings.longDiceSound = 0; },
       {{3, 1}, {4, 1}, {5, 1}}, {{3, 2}, {4, 0}, {5, 2}}, sound, {0, 255, 0, 7}, {255, 0, -1, 7}},
      {"all four automatic moves", 11, kAutomaticMovesWindow,
       [] { options.autoEnterFromBarOn = 0, options.autoBearOffOn = -1, options.autoPlayForHumanOn = 0,
            options.autoPlayForcedOn = 0, options.autoMoves = 2; },
       {{3, 0}, {4, 1}, {5, 0}, {6, 0}}, {{3, 0}, {5, 0}, {6, 0}}, autoMoves, {0, -1, 0, 0, 2}, {-1, -1, -1, -1, 15}},
      {"only the forced moves", 11, kAutomaticMovesWindow,
       [] { options.autoEnterFromBarOn = -1, options.autoBearOffOn = -1, options.autoPlayForHumanOn = 0,
            options.autoPlayForcedOn = 0, options.autoMoves = 3; },
       {{3, 1}, {4, 1}, {5, 0}, {6, 0}}, {{3, 0}, {4, 0}, {6, 0}}, autoMoves, {-1, -1, 0, 0, 3}, {0, 0, 0, -1, 8}},
      {"speak dice", 7, kSpeakDiceWindow,
       [] { options.speakHumanDice = -1, options.speakComputerDice = 0, options.shortDiceMessage = 0; },
       {{3, 1}, {4, 0}, {5, 0}}, {{3, 0}, {4, 0}, {5, 0}}, speak, {-1, 0, 0}, {0, -1, -1}},
      {"click after both moves, the pass untouched", 19, kClickAfterMoveWindow,
       [] { options.clickAfterHumanMove = 0, options.clickAfterComputerMove = 0, options.autoPass = 255; },
       {{3, 0}, {4, 0}}, {{3, 0}, {4, 0}}, click, {0, 0, 255}, {255, 255, 255}},
  };
}

TEST_F(OptionDialogs, OkReturnAndEnterStoreTheControlsCancelAndEscapeNothing) {
  for (const DialogCase& c : cases()) {
    for (Answer a : testing::kAllAnswers) {
      const std::string where = std::string(c.name) + " by " + testing::answerName(a);
      c.setBefore();
      ASSERT_EQ(c.stored(), c.before) << where;
      ASSERT_TRUE(testing::openFromMenu(kSettingsMenu, c.item, c.window)) << where;
      testing::expectDialogInFront(c.window, where);
      for (const auto& [id, value] : c.shown) EXPECT_EQ(controlValue(c.window, id), value) << where << " control " << id;
      for (const ControlUse& u : c.uses) {
        if (u.radioValue == 0)
          testing::clickControl(c.window, u.id);
        else
          testing::clickRadioValue(c.window, u.id, u.radioValue);
      }
      testing::settle();
      EXPECT_EQ(c.stored(), c.before) << where << ": nothing changes before OK";
      testing::giveAnswer(c.window, a);
      ASSERT_TRUE(testing::pumpUntil([&] { return !windowExists(c.window); }, 5)) << where;
      EXPECT_EQ(c.stored(), testing::accepts(a) ? c.afterOk : c.before) << where;
      testing::expectBackOnTheBoard(where);
    }
  }
}

TEST_F(OptionDialogs, TheSoundLevelMenuFollowsTheSwitchAndTheLevelIsKept) {
  settings.soundOptions = {255, 3, 255};
  ASSERT_TRUE(testing::openFromMenu(kSettingsMenu, 4, kSoundWindow));
  testing::clickRadioValue(kSoundWindow, 3, 1);
  testing::clickControl(kSoundWindow, 1);
  testing::pumpUntil([] { return !windowExists(kSoundWindow); }, 5);
  EXPECT_TRUE(menuItemChecked(24, 1));
  EXPECT_FALSE(menuItemChecked(24, 4));
  EXPECT_EQ(settings.soundOptions.soundLevel, 3);
  ASSERT_TRUE(testing::openFromMenu(kSettingsMenu, 4, kSoundWindow));
  testing::clickRadioValue(kSoundWindow, 3, 2);
  testing::typeKey(kSoundWindow, Qt::Key_Return);
  testing::pumpUntil([] { return !windowExists(kSoundWindow); }, 5);
  EXPECT_TRUE(menuItemChecked(24, 4));
  EXPECT_FALSE(menuItemChecked(24, 1));
}

TEST_F(OptionDialogs, HelpButtonsShowTheirTextOverTheDialogAndComeBackToIt) {
  const struct {
    int16_t item, window, help;
    std::vector<std::string> choices;  // named in the text, which says what each does
  } rows[] = {
      {4, kSoundWindow, 6, {"On", "Off", "Dice sound", "Short", "Long"}},
      {11, kAutomaticMovesWindow, 7, {}},
      {19, kClickAfterMoveWindow, 5, {}},
  };
  for (const auto& r : rows) {
    const std::string where = "window " + std::to_string(r.window);
    ASSERT_TRUE(testing::openFromMenu(kSettingsMenu, r.item, r.window)) << where;
    testing::clickControl(r.window, 3);  // a change the help must not lose or store
    const int16_t changed = controlValue(r.window, 3);
    testing::clickControl(r.window, r.help);
    ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kInfoBoxWindow); }, 5)) << where;
    const std::string shown = controlText(kInfoBoxWindow, 40);
    EXPECT_GE(shown.size(), 2u) << where;
    EXPECT_NE(shown, "Sorry, no help.") << where;
    for (const std::string& choice : r.choices) EXPECT_NE(shown.find(choice), std::string::npos) << where << ": " << choice;
    testing::clickControl(kInfoBoxWindow, 1);
    ASSERT_TRUE(testing::pumpUntil([] { return !windowExists(kInfoBoxWindow); }, 5)) << where;
    testing::expectDialogInFront(r.window, where + " after the help");
    EXPECT_EQ(controlValue(r.window, 3), changed) << where;
    testing::typeKey(r.window, Qt::Key_Escape);
    ASSERT_TRUE(testing::pumpUntil([&] { return !windowExists(r.window); }, 5)) << where;
    testing::expectBackOnTheBoard(where);
  }
  // The speak-dice dialog has no help button.
  ASSERT_TRUE(testing::openFromMenu(kSettingsMenu, 7, kSpeakDiceWindow));
  for (int16_t id = 6; id <= 8; ++id) EXPECT_FALSE(controlExists(kSpeakDiceWindow, id));
  testing::typeKey(kSpeakDiceWindow, Qt::Key_Escape);
  testing::pumpUntil([] { return !windowExists(kSpeakDiceWindow); }, 5);
}

TEST_F(OptionDialogs, TabGoesThroughTheControlsInReadingOrder) {
  const struct {
    int16_t item, window;
    std::vector<int16_t> order;
  } rows[] = {
      {11, kAutomaticMovesWindow, {3, 4, 5, 6, 7, 2, 1}},
      {7, kSpeakDiceWindow, {3, 4, 5, 2, 1}},
      {19, kClickAfterMoveWindow, {3, 4, 5, 2, 1}},
  };
  for (const auto& r : rows) {
    ASSERT_TRUE(testing::openFromMenu(kSettingsMenu, r.item, r.window));
    focusControl(r.window, r.order.front());
    for (size_t k = 1; k < r.order.size(); ++k) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(focusedControl(r.window), r.order[k]) << r.window << " step " << k;
    }
    testing::typeKey(r.window, Qt::Key_Escape);
    testing::pumpUntil([&] { return !windowExists(r.window); }, 5);
  }
}

}  // namespace
}  // namespace bg
