#include "shell/board_options.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "display/board_layout.h"
#include "display/board_picture.h"
#include "display/board_redraw.h"
#include "interaction/position_setup.h"
#include "rules/numbered_message.h"
#include "state/display_settings.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/message_numbers.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr int16_t kOpeningEntriesRealigned = 3;
constexpr int16_t kNoToPoint = -1;
constexpr int16_t kBarToBar = 25;  // point p seen from the other side is 25 - p
constexpr std::string_view kFlipAfterStepText = "MMFlip Board is not available once a checker has moved this turn";
constexpr std::string_view kFlipInEditorText = "MMFlip Board is not available while you set up a position";

void flipOwner(int16_t& owner) {
  if (owner != kCubeCentred) owner = static_cast<int16_t>(1 - owner);
}

void flipEntry(GameRecordEntry& e) {
  if ((e.flags & kFlagDoubleRecorded) != 0) flipOwner(e.cubeOwner);
  if (e.side != position.currentPlayer && e.side != position.otherPlayer) return;
  e.side = e.side == position.currentPlayer ? position.otherPlayer : position.currentPlayer;
  e.fromPoint = static_cast<int16_t>(kBarToBar - e.fromPoint);
  if (e.toPoint != kNoToPoint) e.toPoint = static_cast<int16_t>(kBarToBar - e.toPoint);
}

}  // namespace

void togglePlayDirection() {
  mirrorPointTables();
  displaySettings.playDirection = displaySettings.playDirection == 0 ? 1 : 0;
  if (flow.opponentMode != kTwoPeople) {
    // The opening rolls' dice follow the direction the dice are laid out in.
    auto& entries = record.gameRecord;
    int16_t i = 0;
    while (i != kOpeningEntriesRealigned && entries[i].die1 == entries[i].die2) {
      ++i;
      std::swap(entries[i].die1, entries[i].die2);
    }
  }
  layoutTrayRects();
  buildBoardPicture();
  redrawBoardWindow();
}

void swapPlayerColours() {
  std::swap(display.playerColors[0], display.playerColors[1]);
  buildBoardPicture();
  redrawBoardWindow();
}

void flipBoard() {
  const bool diceShowing = diceState.diceShowing != 0;
  // The item stays enabled: a refusal says why. The editor's board is no game yet: a flip
  // would end it half laid out, or with its roll half chosen.
  if (setupEditorRunning()) {
    showMessageText(kFlipInEditorText);
    return;
  }
  if (position.openingPhase != 0 && !diceShowing) {
    showNumberedMessage(kRollFirstMessage);
    return;
  }
  // Any step made refuses it, also when the roll plays only that one die.
  if (diceShowing && flow.movesLeft < flow.movesAllowed) {
    showMessageText(kFlipAfterStepText);
    return;
  }
  flipOwner(cube.cubeOwner);
  flipOwner(cube.cubeOwnerBeforeDouble);
  const auto old = position.board;
  for (int16_t i = 0; i <= kBarToBar; ++i) position.board[i] = static_cast<int16_t>(-old[kBarToBar - i]);
  // Each side's checkers are now the other's: the counts go with them, whether or not the
  // board is drawn (a rollout may hide it).
  std::swap(position.piecesOnBoard[0], position.piecesOnBoard[1]);
  // Bounded by the record's end: a full record has no entry after its last.
  const long next = record.gameRecordCount + 1;
  for (long n = 1; n <= std::min(next, kGameRecordHighest); ++n) flipEntry(record.gameRecord[n]);
  GameRecordEntry blank = blankRecordEntry;
  blank.side = kEmptyEntrySide;
  for (long n = next; n <= kGameRecordHighest && record.gameRecord[n].side != kEmptyEntrySide; ++n)
    record.gameRecord[n] = blank;
  position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  if (diceShowing) {
    // Each die keeps its face: a step played after the flip takes the die of its distance.
    std::swap(diceState.rolledDice[0], diceState.rolledDice[1]);
    std::swap(diceState.dice[0].value, diceState.dice[1].value);
    if (next <= kGameRecordHighest) {
      GameRecordEntry& e = record.gameRecord[next];
      e.die1 = diceState.rolledDice[0];
      e.die2 = diceState.rolledDice[1];
      e.side = position.currentPlayer;
    }
  }
  redrawBoardWindow();
  // The redraw pairs the other side with the flipped one: both sides go back.
  position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  flow.abortTurn = kLeaveTurn;
}

}  // namespace bg
