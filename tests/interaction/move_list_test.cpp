// The move list on the reference board: the plays of the list written in player 0's
// numbering for either side, the two lines that say no play exists, the panel beside the
// mover's dice, and a board after the closing click that a fresh redraw cannot tell apart.
#include "interaction/move_list.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <utility>
#include <vector>

#include "../display/board_fixture.h"
#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "display/colour_roles.h"
#include "display/dice_display.h"
#include "display/draw_color.h"
#include "flow/computer_move.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "interaction/key_commands.h"
#include "interaction/move_entry_state.h"
#include "rules/best_plays.h"
#include "runtime/core/format.h"
#include "runtime/core/random.h"
#include "runtime/qt/events.h"
#include "runtime/qt/text.h"
#include "state/best_plays_state.h"
#include "state/board_input.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/board_command_services.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

using Part = std::pair<float, float>;  // from-point and landing in the mover's view

void setRow(int16_t row, float score, const std::vector<Part>& parts) {
  CandidatePlayRow& r = bestPlays.bestPlaysTrue[row];
  r[kScoreColumn] = score;
  r[kPartMovesColumn] = static_cast<float>(parts.size());
  for (size_t k = 0; k < parts.size(); ++k) {
    r[2 * k + 2] = parts[k].first;
    r[2 * k + 3] = parts[k].second;
  }
}

// What the user sees while the panel waits.
struct Seen {
  std::vector<std::string> lines;  // lines 1..messageLineCount
  Rect box;
  QImage window;
  bool up = false;
};

// Text ink of the panel: the rows of ink bands, each with its leftmost and rightmost ink x.
struct InkBand {
  int top = 0, bottom = 0, left = 0, right = 0;
};

class MoveList : public testing::ScriptedBoardTest {
 protected:
  void SetUp() override {
    ScriptedBoardTest::SetUp();
    clearBestPlays();
    redrawBoardWindow();
  }
  void onRoll(int16_t side, int16_t a, int16_t b) {
    testing::setSideOnRoll(side);
    testing::setRoll(a, b);
    diceState.diceShowing = -1;
    redrawBoardWindow();
  }
  // Looks at the panel once it waits, then clicks on the board away from it.
  void closeWithAClickAfterLooking(Seen& seen) {
    script_.then([&seen] {
      seen.up = display.overlayActive == -1;
      for (int16_t n = 1; n <= interaction.messageLineCount; ++n)
        seen.lines.push_back(interaction.messageLines[n].str());
      seen.box = offscreen.messageBoxRect;
      seen.window = window();
    });
    script_.click({static_cast<int16_t>(layout.fieldLeft + 10), static_cast<int16_t>(layout.fieldTop + 10)});
  }
  Seen show() {
    Seen seen;
    closeWithAClickAfterLooking(seen);
    turnServices.showAnalysisWindow();
    EXPECT_FALSE(script_.spent) << "the panel's wait did not end";
    return seen;
  }
  static QRgb at(const Seen& seen, int x, int y) {
    const GrafPort* w = windowPort(1);
    return seen.window.pixel(x - w->origin.x(), y - w->origin.y());
  }
  // The panel inside the box: the extent of its frame's colour beside the dice.
  static Rect panelOf(const Seen& seen, int16_t side = position.currentPlayer) {
    const QRgb frame = testing::shown(paletteColour(roles.panelFrameColor)).rgb();
    const int16_t dice = layout.moveListDiceX[side];
    Rect r{32767, 32767, -1, -1};
    for (int y = seen.box.top; y < seen.box.bottom; ++y)
      for (int x = seen.box.left; x < seen.box.right; ++x) {
        if ((x >= dice && x < dice + layout.moveListDiceWidth) || at(seen, x, y) != frame) continue;
        r = makeRect(std::min<int>(r.left, x), std::min<int>(r.top, y), std::max<int>(r.right, x + 1),
                     std::max<int>(r.bottom, y + 1));
      }
    return r;
  }
  // The text's ink inside the panel's frame, in bands of touching rows.
  static std::vector<InkBand> inkBands(const Seen& seen) {
    constexpr int kDark = 160;
    constexpr int kInsideFrame = 3;
    const Rect panel = panelOf(seen);
    std::vector<InkBand> bands;
    bool inBand = false;
    for (int y = panel.top + kInsideFrame; y < panel.bottom - kInsideFrame; ++y) {
      int left = 1 << 30, right = -1;
      for (int x = panel.left + kInsideFrame; x < panel.right - kInsideFrame; ++x) {
        if (qGray(at(seen, x, y)) >= kDark) continue;
        left = std::min(left, x);
        right = std::max(right, x);
      }
      if (right < 0) {
        inBand = false;
        continue;
      }
      if (!inBand) bands.push_back({y, y, left, right});
      InkBand& b = bands.back();
      b.bottom = y;
      b.left = std::min(b.left, left);
      b.right = std::max(b.right, right);
      inBand = true;
    }
    return bands;
  }
  static int digitWidth() {
    textFont(4);
    textSize(static_cast<int16_t>(layout.textSize + 1));
    return charWidth('6');
  }
  // The width a monospaced line's ink spans, from its first to its last character.
  static int inkWidth(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    return static_cast<int>(last - first + 1) * digitWidth();
  }
  // The two dice of the turn stand in the box beside the panel, drawn as a die draws.
  static void expectDiceOfTheTurnBesideThePanel(const Seen& seen, int16_t a, int16_t b) {
    const int16_t x = layout.moveListDiceX[position.currentPlayer];
    EXPECT_EQ(diceState.dice[0].value, a);
    EXPECT_EQ(diceState.dice[1].value, b);
    // Die faces are light with dark pips: both show inside each die's square.
    for (int16_t die = 0; die <= 1; ++die) {
      int light = 0, dark = 0;
      const int left = x + die * (layout.dieWidth + 2);
      for (int y = display.diceTop + 2; y < display.diceTop + layout.dieHeight - 2; ++y)
        for (int xx = left + 2; xx < left + layout.dieWidth - 2; ++xx)
          (qGray(at(seen, xx, y)) > 200 ? light : dark) += 1;
      EXPECT_GT(light, dark) << "die " << die;
      EXPECT_GT(dark, 0) << "die " << die;
    }
  }
};

TEST_F(MoveList, EachPlayIsWrittenInPlayerZerosNumberingForEitherSide) {
  const struct {
    int16_t side;
    std::vector<Part> parts;
    const char* text;
  } rows[] = {
      {0, {{8, 5}, {6, 5}}, " 8- 5  6- 5 "},
      {1, {{8, 5}, {6, 5}}, "17-20 19-20 "},
      {0, {{25, 19}, {19, 15}}, " B-19 19-15 "},
      {1, {{25, 19}, {19, 15}}, " B- 6  6-10 "},
      {0, {{5, 0}}, " 5-BO "},
      {0, {{5, -1}}, " 5-BO "},
      {1, {{5, 0}}, "20-BO "},
      {1, {{25, 22}, {25, 22}, {22, 19}, {1, -2}}, " B- 3  B- 3  3- 6 24-BO "},
      // A part-move from the mover's 0 moved nothing, whichever side's numbers it maps to.
      {0, {{8, 5}, {0, 0}}, " 8- 5 "},
      {1, {{8, 5}, {0, 0}}, "17-20 "},
  };
  for (const auto& row : rows) {
    onRoll(row.side, 3, 1);
    clearBestPlays();
    setRow(1, 1.5f, row.parts);
    const Seen seen = show();
    EXPECT_TRUE(seen.up);
    ASSERT_EQ(seen.lines.size(), 3u);
    EXPECT_EQ(seen.lines[0], row.text) << "side " << row.side;
    EXPECT_EQ(seen.lines[1], "");
    // One band of ink: the line's first to last character, in the panel's monospaced text.
    const std::vector<InkBand> bands = inkBands(seen);
    ASSERT_EQ(bands.size(), 1u) << row.text;
    EXPECT_NEAR(bands[0].right - bands[0].left + 1, inkWidth(row.text), digitWidth()) << row.text;
  }
}

TEST_F(MoveList, NoPlayShowsNoMovesAvailableOnTwoLinesBesideTheDice) {
  for (int16_t side = 0; side <= 1; ++side) {
    onRoll(side, 6, 6);
    clearBestPlays();
    const Seen seen = show();
    ASSERT_EQ(seen.lines, (std::vector<std::string>{"No Moves", "Available"}));
    const std::vector<InkBand> bands = inkBands(seen);
    ASSERT_EQ(bands.size(), 2u) << "side " << side;
    const Rect panel = panelOf(seen);
    EXPECT_NEAR(bands[0].left, panel.left + 8, 2);
    EXPECT_NEAR(bands[1].left, panel.left + 8, 2);
    EXPECT_NEAR(bands[0].right - bands[0].left + 1, inkWidth("No Moves"), digitWidth());
    EXPECT_NEAR(bands[1].right - bands[1].left + 1, inkWidth("Available"), digitWidth());
    EXPECT_GT(bands[1].top, bands[0].bottom);
    expectDiceOfTheTurnBesideThePanel(seen, 6, 6);
  }
}

TEST_F(MoveList, OnlyTheThreeRankedRowsShowEachOnItsOwnLine) {
  onRoll(0, 3, 1);
  clearBestPlays();
  setRow(1, 2.0f, {{8, 5}, {6, 5}});
  setRow(3, 1.0f, {{13, 10}, {10, 9}});
  setRow(4, 0.5f, {{24, 21}, {24, 23}});  // the last candidate offered: never shown
  const Seen seen = show();
  ASSERT_EQ(seen.lines, (std::vector<std::string>{" 8- 5  6- 5 ", "", "13-10 10- 9 "}));
  const std::vector<InkBand> bands = inkBands(seen);
  ASSERT_EQ(bands.size(), 2u);
  // The third row keeps its own line: two line heights below the first.
  EXPECT_NEAR(bands[1].bottom - bands[0].bottom, 2 * (layout.textSize + 2), 1);
}

TEST_F(MoveList, TheMoversDiceSideDecidesWhereThePanelStandsAndAOneStepPlayIsAsWideAsTwo) {
  for (int16_t side = 0; side <= 1; ++side) {
    onRoll(side, 4, 2);
    std::vector<int> widths;
    const std::vector<std::vector<Part>> plays = {{{6, 2}}, {{8, 4}, {6, 4}}, {{8, 4}, {8, 4}, {6, 4}, {6, 4}}};
    for (const auto& parts : plays) {
      clearBestPlays();
      setRow(1, 1.0f, parts);
      const Seen seen = show();
      const Rect panel = panelOf(seen);
      const int16_t dice = layout.moveListDiceX[side];
      // The box covers the dice and the panel, which stands on the far side of the dice
      // from the nearer frame.
      EXPECT_LE(seen.box.left, dice);
      EXPECT_GE(seen.box.right, dice + layout.moveListDiceWidth);
      if (dice < display.boardWidth / 2)
        EXPECT_GE(panel.left, dice + layout.moveListDiceWidth) << "side " << side;
      else
        EXPECT_LE(panel.right + layout.panelShadowX, dice) << "side " << side;
      EXPECT_LE(seen.box.top, display.diceTop);
      EXPECT_GE(seen.box.bottom, display.diceTop + layout.dieHeight);
      widths.push_back(panel.right - panel.left);
    }
    EXPECT_EQ(widths[0], widths[1]) << "side " << side;
    EXPECT_EQ(widths[2] - widths[1], 12 * digitWidth()) << "side " << side;
  }
}

TEST_F(MoveList, AfterTheClickOrAKeyTheBoardIsAFreshRedraw) {
  for (const bool byKey : {false, true}) {
    onRoll(1, 5, 3);
    clearBestPlays();
    setRow(1, 1.0f, {{25, 20}, {20, 17}});
    setRow(2, 0.5f, {{25, 22}, {13, 8}});
    Seen seen;
    if (byKey) {
      // A key press posts a click where the mouse is.
      script_.then([&seen] {
        seen.up = display.overlayActive == -1;
        boardInput.clickH = 5;
        boardInput.clickV = 5;
        flow.keyCommandBusy = -1;
      });
      turnServices.showAnalysisWindow();
    } else {
      seen = show();
    }
    EXPECT_FALSE(script_.spent);
    EXPECT_TRUE(seen.up);
    EXPECT_EQ(display.overlayActive, 0);
    EXPECT_EQ(overlay.overlayPicture, nullptr);
    EXPECT_EQ(offscreen.messageBoxRect, makeRect(80, 80, 180, 130));
    EXPECT_EQ(boardInput.waitHelpContext, 0);
    expectLikeAFreshRedraw(byKey ? "after a key" : "after a click");
  }
}

// The S key during the person's turn: the search of the roll, then the panel with the
// search's plays; the roll and the position are untouched and the board is a fresh redraw.
// The same roll for the other side on the mirrored board lists the mirrored plays, which
// player 0's numbering writes with the other numbers.
TEST_F(MoveList, TheShowBestMovesKeyListsTheSearchedPlaysOfTheRollForEitherSide) {
  testing::loadShippedMessages();
  initComputerData();
  installComputerSearchServices();
  installFlowServices();
  std::vector<std::vector<std::string>> listed;
  for (int16_t side = 0; side <= 1; ++side) {
    testing::personToPlay(side == 0 ? "19:3 17:2 12:5 1:2 6:-5 8:-3 13:-5 24:-2 | dice 4 2 | side 0"
                                    : "6:-3 8:-2 13:-5 24:-2 19:5 17:3 12:5 1:2 | dice 4 2 | side 1");
    redrawBoardWindow();
    const auto board = position.board;
    const int16_t shownBefore = record.gameRecord[0].die1;
    Seen seen;
    closeWithAClickAfterLooking(seen);
    interactionDisplay.keyBuffer = "S";
    doKeyDown();
    EXPECT_FALSE(script_.spent);
    ASSERT_TRUE(seen.up) << "side " << side;
    EXPECT_EQ(record.gameRecord[0].die1, shownBefore + 1);
    EXPECT_EQ(position.board, board);
    EXPECT_EQ(flow.movesLeft, 2);
    EXPECT_EQ(diceState.diceShowing, -1);
    for (int16_t r = 1; r <= kRankedRows; ++r) {
      const bool listedRow = bestPlays.bestPlaysTrue[r][kScoreColumn] > kEmptyRow;
      EXPECT_EQ(seen.lines.at(r - 1), listedRow ? playNotation(bestPlays.bestPlaysTrue, r) : "");
    }
    EXPECT_NE(seen.lines.at(0), "");
    listed.push_back(seen.lines);
    expectLikeAFreshRedraw("after the list");
  }
  // Side 1's numbers are side 0's counted from the other end.
  for (size_t r = 0; r < listed[0].size(); ++r) {
    std::string mirrored;
    const std::string& line = listed[0][r];
    for (size_t at = 0; at + 6 <= line.size(); at += 6) {
      const int from = std::stoi(line.substr(at, 2)), to = std::stoi(line.substr(at + 3, 2));
      mirrored += usingS("##", 25 - from) + "-" + usingS("##", 25 - to) + " ";
    }
    EXPECT_EQ(listed[1][r], mirrored);
  }
}

// Every board size and scheme: the widest list stays inside the board, its dice and its
// lines show, and the board is a fresh redraw once it is gone.
TEST_F(MoveList, OnEverySizeAndSchemeTheListStaysOnTheBoardAndLeavesNoTrace) {
  const struct {
    int16_t width, colour;
  } boards[] = {{424, 1}, {927, 1}, {700, 2}, {700, 12}, {700, kPictureBoard}, {424, kPictureBoard}};
  for (const auto& b : boards) {
    setPort(nullptr);
    windowClose(1);
    testing::openBoard(b.width, b.colour);
    for (int16_t side = 0; side <= 1; ++side) {
      onRoll(side, 2, 2);
      clearBestPlays();
      setRow(1, 1.0f, {{25, 23}, {25, 23}, {13, 11}, {13, 11}});
      setRow(2, 0.5f, {{25, 23}, {25, 23}, {24, 22}, {6, 4}});
      const Seen seen = show();
      const std::string what =
          std::to_string(b.width) + "/" + std::to_string(b.colour) + " side " + std::to_string(side);
      ASSERT_TRUE(seen.up) << what;
      EXPECT_GE(seen.box.left, layout.fieldLeft) << what;
      EXPECT_LE(seen.box.right, layout.fieldRight) << what;
      EXPECT_GE(seen.box.top, layout.fieldTop) << what;
      EXPECT_LE(seen.box.bottom, layout.fieldBottom) << what;
      EXPECT_EQ(seen.lines[0], side == 0 ? " B-23  B-23 13-11 13-11 " : " B- 2  B- 2 12-14 12-14 ") << what;
      expectLikeAFreshRedraw(what);
    }
  }
}

// A key closes the list and does nothing else: a letter does not run its command again
// behind the list (a second search and a second list over the first), digits play no
// typed move under it. The help key still asks for help and the list stays.
TEST_F(MoveList, AKeyOnlyClosesTheListAndTheHelpKeyLeavesItUp) {
  testing::loadShippedMessages();
  initComputerData();
  installComputerSearchServices();
  installFlowServices();
  static int helpAsked = 0;
  boardCommandServices.showContextHelp = [] { ++helpAsked; };
  for (const std::string keys : {"M", "S", "B", "8.4\r", "A", "H"}) {
    testing::personToPlay("start | dice 4 2 | side 0");
    moveEntry.waitingForMove = -1;  // the person's move entry waits under the list
    redrawBoardWindow();
    const auto board = position.board;
    const int16_t shownBefore = record.gameRecord[0].die1;
    helpAsked = 0;
    int looks = 0;
    bool secondBox = false;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning != -1) return;
      secondBox = secondBox || overlay.overlayShown != 0;
      if (++looks == 1) {
        script_.then([keys] {
          for (const char c : keys) {
            interactionDisplay.keyBuffer = std::string_view(&c, 1);
            doKeyDown();
          }
        });
      } else {
        script_.click({static_cast<int16_t>(layout.fieldLeft + 10), static_cast<int16_t>(layout.fieldTop + 10)});
      }
    };
    interactionDisplay.keyBuffer = "S";
    doKeyDown();
    script_.planner = nullptr;
    EXPECT_FALSE(script_.spent) << keys;
    EXPECT_EQ(looks, keys == "H" ? 2 : 1) << keys;
    EXPECT_EQ(helpAsked, keys == "H" ? 1 : 0) << keys;
    EXPECT_FALSE(secondBox) << keys;
    EXPECT_EQ(record.gameRecord[0].die1, shownBefore + 1) << keys;
    EXPECT_EQ(position.board, board) << keys;
    EXPECT_EQ(flow.movesLeft, 2) << keys;
    EXPECT_EQ(panelWait.panelCloseWait, 0);
    expectLikeAFreshRedraw(keys);
  }
  moveEntry.waitingForMove = 0;
}

// Analyse Last Play (the C key) after the computer's 4-2 from the start: the computer's
// searched plays as its own list, beside its dice, with the 4 and the 2 of its turn taken
// from the record while the person's 6-5 stays on the board; also once the person has
// conceded, when the record ends with the result (a concession's second die is -1).
TEST_F(MoveList, TheLastPlayAnalysisListsTheOpponentsPlaysWithItsDice) {
  testing::loadShippedMessages();
  initComputerData();
  installComputerSearchServices();
  installFlowServices();
  for (const bool conceded : {false, true}) {
    SCOPED_TRACE(conceded ? "after the person's concession" : "the computer's play last");
    testing::setPosition("start | dice 4 2 | side 1");
    position.playerType = {{{kHumanPlayer, kComputerPlayer}}};
    position.openingPhase = 0;
    flow.opponentMode = kComputerOpponent;
    flow.movesAllowed = flow.movesLeft = 2;
    computerPlaysMoveFlagged();  // the computer's search of its roll
    ASSERT_EQ(playSearch.searchedPlayer, 1);
    record.gameRecordCount = 1;
    record.gameRecord[1] = GameRecordEntry{};
    record.gameRecord[1].side = 1;
    record.gameRecord[1].die1 = 4;
    record.gameRecord[1].die2 = 2;
    if (conceded) {
      record.gameRecordCount = 2;
      record.gameRecord[2] = GameRecordEntry{kGameEndEntrySide, 1, 1, 0, 1, -1, 0, 0, 0, kFlagGameEnd | kFlagConceded};
    }
    testing::setSideOnRoll(0);
    testing::setRoll(6, 5);
    diceState.diceShowing = -1;
    redrawBoardWindow();

    Seen seen;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning != -1 || seen.up) return;
      seen.up = display.overlayActive == -1;
      for (int16_t n = 1; n <= interaction.messageLineCount; ++n)
        seen.lines.push_back(interaction.messageLines[n].str());
      seen.box = offscreen.messageBoxRect;
      seen.window = window();
      script_.click({static_cast<int16_t>(layout.fieldRight - 10), static_cast<int16_t>(layout.fieldTop + 10)});
    };
    interactionDisplay.keyBuffer = "C";
    doKeyDown();
    script_.planner = nullptr;
    ASSERT_TRUE(seen.up);
    EXPECT_EQ(seen.lines.at(0), "17-21 19-21 ");
    EXPECT_EQ(position.currentPlayer, 0);
    EXPECT_EQ(diceState.dice[0].value, 6);
    // The list stands right of side 1's dice box, which holds the record's dice.
    const int16_t x = layout.moveListDiceX[1];
    EXPECT_EQ(seen.box.left, x);
    EXPECT_GE(panelOf(seen, 1).left, x + layout.moveListDiceWidth);
    expectLikeAFreshRedraw("after the analysis");
    const GrafPort* w = windowPort(1);
    for (int16_t die = 0; die <= 1; ++die) {
      const int16_t left = static_cast<int16_t>(x + die * (layout.dieWidth + 2));
      display.dieLeft = left;
      display.dieTop = display.diceTop;
      display.dieFaceIndex = static_cast<int16_t>((die == 0 ? 4 : 2) + kDieFacesPerColour * dieColourAt(left));
      drawDieFace();
      const QImage drawn = windowPort(1)->image.copy(left - w->origin.x(), display.diceTop - w->origin.y(),
                                                     layout.dieWidth, layout.dieHeight);
      const QImage shownThen = seen.window.copy(left - w->origin.x(), display.diceTop - w->origin.y(),
                                                layout.dieWidth, layout.dieHeight);
      EXPECT_EQ(drawn, shownThen) << "die " << die;
    }
  }
}

}  // namespace
}  // namespace bg
