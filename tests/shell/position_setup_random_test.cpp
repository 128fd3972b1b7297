// The position editor under random clicks, drags off the board and resizes (also during a
// checker's landing sound): each side keeps its fifteen checkers (board, bar, hand and tray)
// after every action, the editor can always be finished by clicks, what it leaves on the
// window is what a fresh redraw draws, and a way out other than Done never leaves play on a
// board Done would refuse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "../display/board_fixture.h"
#include "display/checker_stacks.h"
#include "display/offscreen.h"
#include "flow/turn_services.h"
#include "interaction/position_setup.h"
#include "runtime/qt/events.h"
#include "shell/board_window_events.h"
#include "shell/shared_services.h"
#include "state/board_input.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/sound_services.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

using testing::middleOf;

int16_t h16(int v) { return static_cast<int16_t>(v); }

// Places on point or bar p: the bottom checker, the top one, the free slot above.
Point onPoint(int16_t p, int16_t slot) {
  const BoardLayout& L = layout;
  const int step = std::abs(L.stackStep);
  const int16_t x = h16(L.pointGeometry[p][5] + L.pieceWidth / 2);
  slot = static_cast<int16_t>(slot % kStackWrap);
  if (p >= 13) return {x, h16(L.fieldBottom - slot * step - step / 2)};
  return {x, h16(L.fieldTop + L.pointMargin / 2 + slot * step + step / 2)};
}

// The n-th checker place of side's tray (1 the first laid).
Point trayPlace(int16_t side, int16_t n) {
  const Point p = trayPiecePosition(side, n);
  return {h16(p.h + layout.pieceWidth / 2), h16(p.v + layout.trayPieceThickness / 2)};
}

int onBoardOf(int16_t side) {
  int n = 0;
  for (int p = 0; p <= 25; ++p)
    if (position.board[p] * position.playerDirection[side] > 0) n += std::abs(position.board[p]);
  return n;
}

// Board and bar, the hand, the tray: fifteen a side.
std::string countFault() {
  std::ostringstream out;
  for (int16_t side = 0; side <= 1; ++side) {
    const int held = side == position.currentPlayer ? boardInput.pickedCount : 0;
    const int tray = kCheckersPerSide - position.piecesOnBoard[side];
    if (onBoardOf(side) + held + tray != kCheckersPerSide || tray < 0 || tray > kCheckersPerSide)
      out << "side " << side << ": board " << onBoardOf(side) << " hand " << held << " tray " << tray << "; ";
  }
  return out.str();
}

// A resize waiting for a checker's landing: its sound takes the window's events.
std::pair<int, int> resizeAtLanding{0, 0};
void landingSound() {
  if (resizeAtLanding.first == 0) return;
  const auto [w, h] = resizeAtLanding;
  resizeAtLanding = {0, 0};
  testing::userResize(1, w, h);
  for (int i = 0; i < 5; ++i) pollEvents();
}

class PositionSetupRandom : public testing::ScriptedBoardTest {
 protected:
  void SetUp() override {
    ScriptedBoardTest::SetUp();
    resizeAtLanding = {0, 0};
    soundServices.playPieceSound = landingSound;
    testing::loadShippedMessages();
    installBoardWindowHandler();
    windowSelect(1);
    turnServices.chooseDiceWindow = flowLeast::nothing;
  }

  // One random action of a person at the editor, then the counts checked.
  void randomAction() {
    auto pick = [this](int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); };
    const int kind = pick(100);
    std::ostringstream what;
    if (kind < 40) {
      const auto p = static_cast<int16_t>(pick(26));
      const auto n = static_cast<int16_t>(std::abs(position.board[p]));
      const auto slot = static_cast<int16_t>(pick(3) == 0 ? 0 : std::max(0, n - pick(2)));
      what << "click point " << p << " slot " << slot;
      script_.clickWhere([p, slot] { return onPoint(p, slot); });
    } else if (kind < 65) {
      const auto side = static_cast<int16_t>(pick(2));
      const auto n = static_cast<int16_t>(1 + pick(15));
      what << "click tray " << side << " place " << n;
      script_.clickWhere([side, n] { return trayPlace(side, n); });
    } else if (kind < 80) {
      // Pressed on a checker or a tray, moved, let go on the board, off it or off the window.
      const Point a = pick(2) == 0 ? onPoint(static_cast<int16_t>(pick(26)), 0)
                                   : trayPlace(static_cast<int16_t>(pick(2)), static_cast<int16_t>(1 + pick(15)));
      const Rect c = windowContentRect(1);
      const Point b = pick(2) == 0 ? onPoint(static_cast<int16_t>(pick(26)), 0)
                                   : Point{h16(pick(c.width() + 200) - 100), h16(pick(c.height() + 200) - 100)};
      // A press held on a button is tracked until it is let go: no drag starts in the box.
      if (ptInRect(a, offscreen.messageBoxRect)) return;
      what << "drag " << a.h << "," << a.v << " to " << b.h << "," << b.v;
      script_.then([a] {
        testing::simulateMouse(testing::MouseScript::globalOf(a), true);
        testing::pressAt(1, a);
      });
      script_.drag(a, b, 3);
      script_.then([b] {
        testing::simulateMouse(testing::MouseScript::globalOf(b), false);
        testing::releaseAt(1, b);
      });
    } else if (kind < 84) {
      const int w = 560 + pick(500);
      const int h = 430 + pick(380);
      what << "resize " << w << "x" << h;
      script_.then([w, h] { testing::userResize(1, w, h); });
    } else if (kind < 88) {
      // The window is resized while the next checker to land makes its sound, as a real
      // sound lets the window's events in.
      const int w = 560 + pick(500);
      const int h = 430 + pick(380);
      what << "resize " << w << "x" << h << " during the next landing";
      script_.then([w, h] { resizeAtLanding = {w, h}; });
    } else if (kind < 94) {
      what << "Done";
      script_.clickWhere([] { return middleOf(interactionDisplay.doneButtonRect); });
    } else {
      const Rect c = windowContentRect(1);
      const Point at{h16(pick(c.width())), h16(pick(c.height()))};
      what << "click " << at.h << "," << at.v;
      script_.clickWhere([at] { return at; });
    }
    log_ += what.str() + "\n";
    script_.then([this] {
      const std::string fault = countFault();
      if (!fault.empty() && fault_.empty()) fault_ = fault + "after:\n" + log_;
    });
  }

  // The person finishes: the hand emptied into its tray, a checker for a side with none,
  // Done, then no cube and side 0 to roll.
  void finishByClicks() {
    if (boardInput.pickedCount > 0) {
      const int16_t side = position.currentPlayer;
      log_ += "put down in tray\n";
      script_.clickWhere([side] { return trayPlace(side, 15); });
      return;
    }
    for (int16_t side = 0; side <= 1; ++side) {
      if (position.piecesOnBoard[side] > 0) continue;
      int16_t free = 1;
      while (position.board[free] != 0) ++free;
      log_ += "lay side " + std::to_string(side) + "\n";
      script_.clickWhere([side] { return trayPlace(side, 1); });
      script_.clickWhere([free] { return onPoint(free, 0); });
      return;
    }
    log_ += "Done\n";
    script_.clickWhere([] { return middleOf(interactionDisplay.doneButtonRect); });
  }

  // A chooser waits: now and then the window is resized under it or the cube's value
  // doubled, else a side's checker is chosen.
  void answerChooser() {
    const int kind = static_cast<int>(rng_() % 8);
    if (kind == 0) {
      const int w = 560 + static_cast<int>(rng_() % 500);
      const int h = 430 + static_cast<int>(rng_() % 380);
      log_ += "resize under a chooser\n";
      script_.then([w, h] { testing::userResize(1, w, h); });
    } else if (kind == 1 && interactionDisplay.middleButtonActive != 0) {
      log_ += "cube value\n";
      script_.clickWhere([] { return middleOf(interactionDisplay.middleButtonRect); });
    } else {
      log_ += "chooser answered\n";
      script_.clickWhere([kind] {
        return middleOf(kind % 2 == 0 ? interactionDisplay.noButtonRect : interactionDisplay.yesButtonRect);
      });
    }
    script_.then([this] {
      const std::string fault = countFault();
      if (!fault.empty() && fault_.empty()) fault_ = fault + "after:\n" + log_;
    });
  }

  std::mt19937 rng_;
  std::string log_;
  std::string fault_;
  bool laidBothSides_ = true;
};

TEST_F(PositionSetupRandom, EveryCheckerKeptAndTheEditorLeftOnlyForAPositionDoneAccepts) {
  enum End { kByDone, kOtherWayOut };
  for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
    for (const bool cleared : {true, false}) {
      const End end = seed % 3 == 0 ? kOtherWayOut : kByDone;
      SCOPED_TRACE("seed " + std::to_string(seed) + (cleared ? " from a cleared board" : " from the position") +
                   (end == kByDone ? ", Done" : ", another way out"));
      rng_.seed(seed);
      log_.clear();
      fault_.clear();
      laidBothSides_ = true;
      script_ = testing::MouseScript{};
      testing::pumpWithScript(script_, 60000);
      testing::setPosition("1:2 12:5 17:3 19:4 6:-5 8:-3 13:-5 24:-2 | side 0");
      const auto before = position.board;
      cube.cubeUsed = seed % 2 == 0 ? -1 : 0;
      redrawBoardWindow();
      int actions = 0;
      script_.planner = [this, &actions, end] {
        if (boardState.setupInProgress == 0) return;
        if (interactionDisplay.doneButtonShown == 0) {
          answerChooser();
          return;
        }
        if (actions++ < 60) {
          randomAction();
        } else if (end == kByDone) {
          finishByClicks();
        } else {
          log_ += "the turn left\n";
          script_.then([this] {
            // Held checkers go back where they came from first.
            int laid[2] = {onBoardOf(0), onBoardOf(1)};
            for (int16_t k = 1; k <= boardInput.pickedCount; ++k)
              if (interactionDisplay.pickedCheckers[k] >= 0) ++laid[position.currentPlayer];
            laidBothSides_ = laid[0] > 0 && laid[1] > 0;
            flow.abortTurn = kLeaveTurn;
          });
          script_.planner = nullptr;
        }
      };
      flow.abortTurn = 0;
      if (cleared)
        startPositionSetup();
      else
        setUpPosition();
      script_.planner = nullptr;
      ASSERT_FALSE(script_.spent) << "the editor could not be finished:\n" << log_;
      EXPECT_EQ(fault_, "");
      EXPECT_EQ(countFault(), "") << log_;
      EXPECT_EQ(boardState.setupInProgress, 0);
      EXPECT_EQ(boardInput.pickedCount, 0);
      EXPECT_EQ(flow.abortTurn, kLeaveTurn);
      // Play goes on from a board Done accepts, or from the game before the editor.
      const bool accepted = position.piecesOnBoard[0] > 0 && position.piecesOnBoard[1] > 0;
      EXPECT_TRUE(accepted) << log_;
      if (end == kOtherWayOut && !laidBothSides_) {
        EXPECT_EQ(position.board, before) << "the game before the editor comes back";
      }
    }
  }
}

}  // namespace
}  // namespace bg
