// A resize that comes in while a move is under way (the window's events are taken while a
// checker's landing sound plays): the hand keeps or gives back only real checkers, and
// every side still has its fifteen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "../display/board_fixture.h"
#include "interaction/move_entry.h"
#include "interaction/move_entry_state.h"
#include "shell/board_window_events.h"
#include "shell/help_text_window.h"
#include "shell/shared_services.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/sound_services.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

int sounds = 0;
int resizeAtSound = -1;

// The n-th landing sound waits for a resize of the window, as a real sound lets the
// window's events in while it plays.
void soundWithAResize() {
  if (++sounds != resizeAtSound) return;
  const Rect content = windowContentRect(1);
  const int grow = sounds % 2 == 0 ? 110 : -70;
  testing::userResize(1, content.width() + grow, content.height() + grow * 3 / 4);
  for (int i = 0; i < 5; ++i) pollEvents();
}

Point spot(int16_t p, int16_t slot = 0) {
  return {static_cast<int16_t>(layout.pointGeometry[p][5] + layout.pieceWidth / 2),
          static_cast<int16_t>(layout.pointGeometry[p][slot] + layout.pieceHeight / 2)};
}

int onBoard(int16_t side) {
  int n = 0;
  for (int p = 0; p <= 25; ++p)
    if (position.board[p] * position.playerDirection[side] > 0) n += std::abs(position.board[p]);
  return n;
}

std::string countFault() {
  std::string out;
  for (int16_t side = 0; side <= 1; ++side) {
    const int held = side == position.currentPlayer ? boardInput.pickedCount : 0;
    const int tray = kCheckersPerSide - position.piecesOnBoard[side];
    if (onBoard(side) + held + tray != kCheckersPerSide || held < 0 || tray < 0)
      out += "side " + std::to_string(side) + ": board " + std::to_string(onBoard(side)) + " hand " +
             std::to_string(held) + " tray " + std::to_string(tray) + "; ";
  }
  for (int16_t k = 1; k <= boardInput.pickedCount; ++k)
    if (interactionDisplay.pickedCheckers[k] == kEmptyPickSlot) out += "an empty slot held; ";
  return out;
}

class ResizeInMove : public testing::ScriptedBoardTest {
 protected:
  void SetUp() override {
    ScriptedBoardTest::SetUp();
    testing::loadShippedMessages();
    installBoardWindowHandler();
    windowSelect(1);
    soundServices.playPieceSound = soundWithAResize;
    sounds = 0;
    script_.budget = 5000;
  }
};

struct Row {
  const char* name;
  const char* position;
  int16_t selectOneOnly;
  // The clicks of the person; each is followed by a count check.
  std::vector<std::pair<int16_t, int16_t>> clicks;  // point, stack slot
};

TEST_F(ResizeInMove, TheHandAndTheCountsHoldWhateverSoundTheResizeComesIn) {
  const std::vector<Row> rows = {
      // Two checkers of the 12-point in the hand, one laid on 15, the other on 16.
      {"two held, laid one by one", "start | dice 3 4 | side 0", 0, {{12, 0}, {12, 1}, {15, 0}, {16, 0}}},
      // A blot hit, then the hitting checker put back where it came from: the take-back
      // lands it and brings the hit checker back from the bar.
      {"a hit taken back", "1:2 12:5 17:3 19:5 20:-1 6:-5 8:-3 13:-5 24:-1 | dice 3 1 | side 0", -1,
       {{17, 0}, {20, 0}, {20, 0}, {17, 0}}},
      // Both dice with one checker from the 1-point, the second step a hit.
      {"a checker moved twice", "1:2 12:5 17:3 19:5 5:-1 6:-4 8:-3 13:-5 24:-2 | dice 3 1 | side 0", -1,
       {{1, 0}, {4, 0}, {4, 0}, {5, 0}}},
  };
  for (const Row& r : rows) {
    for (const int at : {1, 2, 3, 4}) {
      SCOPED_TRACE(std::string(r.name) + ", resize at sound " + std::to_string(at));
      testing::personToPlay(r.position);
      boardInput.pickedCount = 0;
      hand.pieceInHand = 0;
      options.selectOneOnly = r.selectOneOnly;
      redrawBoardWindow();
      sounds = 0;
      resizeAtSound = at;
      script_ = testing::MouseScript{};
      testing::pumpWithScript(script_, 5000);
      std::vector<std::string> faults;
      for (const auto& [p, slot] : r.clicks) {
        script_.clickWhere([p = p, slot = slot] { return spot(p, slot); });
        script_.then([&faults] {
          const std::string f = countFault();
          if (!f.empty()) faults.push_back(f);
        });
      }
      // The person's part is over: the turn is left, as its end leaves it.
      script_.then([] { flow.abortTurn = kLeaveTurn; });
      flow.abortTurn = 0;
      while (!script_.idle() && !script_.spent && flow.abortTurn == 0) humanMoveInput();
      EXPECT_FALSE(script_.spent);
      EXPECT_EQ(faults, std::vector<std::string>{});
      EXPECT_EQ(countFault(), "");
      EXPECT_EQ(boardInput.pickedCount, 0) << "the hand is empty once the turn is left";
    }
  }
}

// Two checkers of the 12-point in the hand and help asked (its topic draws the checkers
// again first), then one laid with the whole 3-4: the other goes back to its point, as
// one more than the roll can play does, and every side keeps its fifteen.
TEST_F(ResizeInMove, HelpAskedWithCheckersInTheHandKeepsTheHand) {
  testing::personToPlay("start | dice 3 4 | side 0");
  boardInput.pickedCount = 0;
  options.selectOneOnly = 0;
  redrawBoardWindow();
  auto played = position.board;
  played[12] -= 1, played[19] += 1;
  resizeAtSound = -1;
  for (const auto& [p, slot] : {std::pair{12, 0}, {12, 1}})
    script_.click(spot(static_cast<int16_t>(p), static_cast<int16_t>(slot))), script_.then([] {});
  script_.then([] {
    EXPECT_EQ(boardInput.pickedCount, 2);
    EXPECT_EQ(contextHelpTopic(), 33);
    EXPECT_EQ(position.currentPlayer, 0) << "the side on roll holds the hand";
    EXPECT_EQ(countFault(), "") << "after the help";
  });
  script_.click(spot(19, 0));
  flow.abortTurn = 0;
  while (!script_.idle() && !script_.spent && flow.abortTurn == 0) humanMoveInput();
  EXPECT_FALSE(script_.spent);
  EXPECT_NE(flow.abortTurn, 0) << "the roll is played";
  EXPECT_EQ(boardInput.pickedCount, 0);
  EXPECT_EQ(countFault(), "");
  EXPECT_EQ(position.board, played);
}

}  // namespace
}  // namespace bg
