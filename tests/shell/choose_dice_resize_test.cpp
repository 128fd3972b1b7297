// A resize of the board window while the dice chooser waits closes it: no dice, the sound
// as it was, the turn left so that the hand-over gives it back to the side that was
// choosing, and the board at its new size as a fresh redraw draws it.
#include <gtest/gtest.h>

#include <algorithm>

#include "../display/board_fixture.h"
#include "display/dice_display.h"
#include "flow/turn_services.h"
#include "interaction/board_waits.h"
#include "interaction/choose_dice.h"
#include "interaction/interaction_install.h"
#include "runtime/qt/events.h"
#include "shell/board_window.h"
#include "shell/board_window_events.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/settings.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

class ChooseDiceResize : public testing::ScriptedBoardTest {
 protected:
  void SetUp() override {
    ScriptedBoardTest::SetUp();
    testing::loadShippedMessages();
    installBoardWindowHandler();
    script_.budget = 4000;
    windowSelect(1);
    testing::setPosition("start | side 0");
    position.openingPhase = 0;
    settings.inputDice = -1;
    redrawBoardWindow();
  }
};

TEST_F(ChooseDiceResize, AResizeClosesThePanelAndLeavesTheTurnToTheSameSide) {
  for (const uint8_t sound : {uint8_t{255}, uint8_t{0}}) {
    SCOPED_TRACE(int(sound));
    settings.soundOptions.soundOn = sound;
    const int16_t side = position.currentPlayer;
    const int16_t widthBefore = display.boardWidth;
    const Rect content = windowContentRect(1);
    // One face chosen, then the window is made larger.
    script_.then([] {
      const Point p{static_cast<int16_t>(diceChooser.chooserLeft + 2 + layout.dieWidth / 2),
                    static_cast<int16_t>(diceChooser.chooserTop + 2 + layout.dieHeight / 2)};
      testing::simulateMouse(testing::MouseScript::globalOf(p), true);
      testing::pressAt(1, p);
      testing::simulateMouse(testing::MouseScript::globalOf(p), false);
      testing::releaseAt(1, p);
    });
    bool heardWhileOpen = true;
    script_.then([&heardWhileOpen, content] {
      heardWhileOpen = soundHeard();
      testing::userResize(1, content.width() + 120, content.height() + 90);
    });
    chooseDiceWindow();
    EXPECT_FALSE(script_.spent) << "the panel did not end";
    EXPECT_FALSE(heardWhileOpen);
    EXPECT_EQ(settings.soundOptions.soundOn, sound);
    EXPECT_EQ(soundHeard(), sound != 0);
    EXPECT_EQ(diceChooser.chooseDiceOpen, 0);
    EXPECT_EQ(panelWait.questionPanelUp, 0);
    EXPECT_EQ(display.overlayActive, 0);
    EXPECT_EQ(flow.abortTurn, kLeaveTurn);
    // The hand-over at the next turn swaps the sides back.
    EXPECT_EQ(position.currentPlayer, 1 - side);
    for (int16_t n = 0; n <= 3; ++n) EXPECT_EQ(diceState.dice[n].value, 0);
    EXPECT_EQ(diceState.diceShowing, 0);
    EXPECT_NE(display.boardWidth, widthBefore) << "the board follows the window";
    expectLikeAFreshRedraw("after the resize");
    flow.abortTurn = 0;
  }
}

}  // namespace
}  // namespace bg
