// Questions inside the board: a click on Yes or No, or a click a key posted at the button,
// ends the wait with that answer and leaves no button laid out, also for a second box
// asked right after the first; a click in the help zone meanwhile opens the help; a click
// on the roll-over mark asks only where a Yes rolls again.
#include <gtest/gtest.h>

#include <string>

#include "../display/board_fixture.h"
#include "flow/turn_services.h"
#include "interaction/board_question.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "interaction/quit_question.h"
#include "display/board_layout.h"
#include "display/message_line.h"
#include "state/board_command_services.h"
#include "state/display_state.h"
#include "runtime/qt/events.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/game_record_state.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/storage_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "support/position_text.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

using testing::middleOf;

enum class Answer { kYesClick, kNoClick, kYesPosted, kNoPosted };

class BoardQuestion : public testing::ScriptedBoardTest {
 protected:
  // Asks one question and answers it once the wait runs; the answer the wait ended with.
  int16_t ask(Answer how) {
    interaction.messageLines[1] = "Take the double?";
    interaction.messageLineCount = 1;
    drawBoardQuestion();
    const bool yes = how == Answer::kYesClick || how == Answer::kYesPosted;
    const Rect button = yes ? interactionDisplay.yesButtonRect : interactionDisplay.noButtonRect;
    if (how == Answer::kYesClick || how == Answer::kNoClick) {
      script_.click(middleOf(button));
    } else {
      script_.then([button] {
        boardInput.clickH = middleOf(button).h;
        boardInput.clickV = middleOf(button).v;
        flow.keyCommandBusy = -1;
      });
    }
    interaction.panelAnswer = 1;  // a stale answer the wait must not keep
    waitForBoardClick();
    EXPECT_FALSE(script_.spent) << "the wait did not end";
    return interaction.panelAnswer;
  }
};

TEST_F(BoardQuestion, EachAnswerEndsItsWaitAlsoInASecondBox) {
  const struct {
    Answer first, second;
    int16_t firstAnswer, secondAnswer;
    bool inside = false;  // the second, the quit's No, asked inside the first's wait
  } rows[] = {
      {Answer::kYesClick, Answer::kNoClick, -1, 0},
      {Answer::kNoClick, Answer::kYesClick, 0, -1},
      {Answer::kYesPosted, Answer::kNoPosted, -1, 0},
      {Answer::kNoPosted, Answer::kYesClick, 0, -1},
      {Answer::kYesClick, Answer::kNoClick, -1, 0, true},
  };
  for (const auto& row : rows) {
    if (row.inside) {
      // The first is back once the second is answered, its box up and its Yes live.
      int16_t second = 1;
      bool boxBack = false;
      interaction.messageLines[1] = "Keep this move?";
      interaction.messageLineCount = 1;
      drawBoardQuestion();
      script_.then([&] {
        storage.gameModified = -1;
        script_.clickWhere([] { return middleOf(interactionDisplay.noButtonRect); });
        saveAskedBeforeQuitFailed();
        second = interaction.panelAnswer;
        script_.clickWhere([&boxBack] {
          boxBack = display.overlayActive != 0 && interaction.messageLines[1] == "Keep this move?";
          return middleOf(interactionDisplay.yesButtonRect);
        });
      });
      waitForBoardClick();
      EXPECT_EQ(interaction.panelAnswer, row.firstAnswer);
      EXPECT_EQ(second, row.secondAnswer);
      EXPECT_TRUE(boxBack);
    } else {
      EXPECT_EQ(ask(row.first), row.firstAnswer);
      EXPECT_EQ(ask(row.second), row.secondAnswer);
    }
    EXPECT_EQ(panelWait.questionPanelUp, 0);
    // Nothing asks now: no button is left laid out (a panel shown next would look like one).
    EXPECT_EQ(interactionDisplay.yesButtonRect, Rect{});
    EXPECT_EQ(interactionDisplay.noButtonRect, Rect{});
  }
}

int helpsOpened = 0;
bool helpShowing = false;

// A click in the help zone, above the board beside the field, opens the context help unless
// its text already shows; the question waits on for its answer.
TEST_F(BoardQuestion, AClickInTheHelpZoneOpensTheContextHelp) {
  helpsOpened = 0;
  boardCommandServices.showContextHelp = [] { ++helpsOpened; };
  boardCommandServices.helpTextShowing = [] { return helpShowing; };
  const Point helpZone{static_cast<int16_t>(layout.fieldLeft / 2), static_cast<int16_t>(layout.fieldTop / 2)};
  for (const bool showing : {false, true}) {
    helpShowing = showing;
    script_.click(helpZone);
    EXPECT_EQ(ask(Answer::kYesClick), -1);
  }
  EXPECT_EQ(helpsOpened, 1);
}

// Roll Over Once on, and a click on the "R" with the person's roll in hand or before it is
// thrown: on the game's first roll there is nothing to take back, so nothing is asked and
// the line says why; later the Yes rolls again.
TEST_F(BoardQuestion, TheRollOverMarkAsksOnlyWhereAYesRollsAgain) {
  const struct {
    int16_t entries;  // the game record before the roll
    int16_t openingPhase;
    bool thrown;  // the roll in hand, or still to be thrown
    bool asked;
  } rows[] = {{0, -1, true, false},
              {2, 0, true, true},
              // The winner of the last game starts: the game's first roll, no opening roll.
              {0, 0, false, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.entries) + " entries" + (row.thrown ? "" : ", before the roll"));
    testing::personToPlay("start | dice 6 5 | side 0");
    if (!row.thrown) diceState.diceShowing = 0;
    position.openingPhase = row.openingPhase;
    record.gameRecordCount = row.entries;
    for (int16_t n = 1; n <= row.entries; ++n) {
      record.gameRecord[n] = blankRecordEntry;
      record.gameRecord[n].side = static_cast<int16_t>(n % 2);
    }
    options.rollOverOnce = -1;
    interaction.playerRolledOver[0] = 0;
    hook::clearMessageLine(0);
    const BoardLayout& L = layout;
    script_.click({static_cast<int16_t>(L.rollOverMarkerX + L.textSize / 2),
                   static_cast<int16_t>(L.rollOverMarkerY - L.textSize / 2)});
    bool asked = false;
    script_.planner = [this, &asked] {
      if (panelWait.questionPanelUp != 0 && !asked) {
        asked = true;
        script_.click(middleOf(interactionDisplay.yesButtonRect));
      } else if (panelWait.questionPanelUp == 0 && panelWait.clickWaitRunning != 0) {
        flow.abortTurn = kLeaveTurn;  // the click was taken: the wait is over
      }
    };
    waitForPointClick();
    script_.planner = nullptr;
    EXPECT_FALSE(script_.spent);
    EXPECT_EQ(asked, row.asked);
    EXPECT_EQ(interaction.playerRolledOver[0] != 0, row.asked) << "rolled over";
    EXPECT_EQ(diceState.diceShowing == 0, row.asked || !row.thrown) << "the dice went to be rolled again";
    EXPECT_EQ(messageLine.messageLineShown == -1, !row.asked) << "the line says why";
    flow.abortTurn = 0;
  }
}

}  // namespace
}  // namespace bg
