#pragma once
// A scripted person at the program's waits. pumpWithScript makes a MouseScript the event
// pump, one step a pump, with a budget whose end leaves the turn, so a wait that goes wrong
// ends instead of hanging. ScriptedBoardTest puts such a script at the reference board,
// with the board interaction's routines installed, every click on the board taken as its
// input and no real time spent in a pump.
#include "../display/board_fixture.h"
#include "flow/turn_services.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "runtime/qt/events.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "support/mouse_script.h"

namespace bg::testing {

inline constexpr long kScriptPumps = 2000;

inline MouseScript*& pumpingScript() {
  static MouseScript* script = nullptr;
  return script;
}

inline void pumpWithScript(MouseScript& script, long budget = kScriptPumps) {
  pumpingScript() = &script;
  script.budget = budget;
  script.onBudgetSpent = [] { flow.abortTurn = kLeaveTurn; };
  turnServices.pumpEvents = [] { pumpingScript()->pump(); };
}

// Every click on the board window counts as the board's input, as the shell's mouse hook
// makes it.
inline void takeBoardClicks() {
  setMouseVector([] { queueBoardClick(mouseClickPoint(), mouseClickCount()); });
}

// Where a click lands on point p (0..25): the first slot of its stack.
inline Point pointSpot(int16_t p) {
  return {static_cast<int16_t>(layout.pointGeometry[p][5] + layout.pieceWidth / 2),
          static_cast<int16_t>(layout.pointGeometry[p][0] + layout.pieceHeight / 2)};
}

// The dice to the right of the board's centre, where a click rolls or ends the turn.
inline Point diceSpot() {
  constexpr int16_t kDiceRightOfCentre = 70;
  const BoardPoint c = turnServices.boardCentre();
  return {static_cast<int16_t>(c.h + kDiceRightOfCentre), c.v};
}

inline Point middleOf(const Rect& r) {
  return {static_cast<int16_t>((r.left + r.right) / 2), static_cast<int16_t>((r.top + r.bottom) / 2)};
}

class ScriptedBoardTest : public BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    installInteractionServices();
    takeBoardClicks();
    slice_ = eventSlice();
    setEventSlice(0);
    pumpWithScript(script_);
  }
  void TearDown() override {
    pumpingScript() = nullptr;
    setMouseVector(nullptr);
    setEventSlice(slice_);
    BoardWindowTest::TearDown();
  }
  MouseScript script_;

 private:
  int16_t slice_ = 0;
};

}  // namespace bg::testing
