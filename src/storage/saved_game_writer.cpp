#include "storage/saved_game_writer.h"

#include "runtime/core/format.h"
#include "storage/saved_game_keys.h"
#include "storage/side_names.h"

namespace bg {

namespace {
constexpr char kLineEnd = '\r';
}

std::string numberField(int64_t value) { return strS(value); }

namespace {
// A key written without a blank of its own: a negative number gets one, so its sign
// does not glue onto the key.
std::string keyed(std::string_view key, int64_t value) {
  std::string s(key);
  if (value < 0) s += kKeyBlank;
  return s + numberField(value);
}
}  // namespace

std::string savedGameText(const SavedGame& g) {
  std::string t;
  auto line = [&t](const std::string& s) {
    t += s;
    t += kLineEnd;
  };
  line("");
  std::string board = keyAndBlank(kBoardKey);
  for (long p = 0; p < 25; ++p) board += numberField(g.board[p]) + " ";
  line(board + numberField(g.board[25]));
  line(keyed(kScoresKey, g.scores[0]) + " " + numberField(g.scores[1]));
  line(keyed(kCubeValueKey, g.cubeValue));
  line(keyed(kCubeOwnerKey, g.cubeOwner));
  line(keyAndBlank(kPlayerDeclinedKey) + numberField(g.playerDeclined));
  line(keyAndBlank(kDiceShowingKey) + numberField(g.diceShowing));
  line(keyAndBlank(kDiceKey) + numberField(g.dice[0]) + numberField(g.dice[1]));
  line(keyAndBlank(kPlayerRolledOverKey) + numberField(signedByte(g.playerRolledOver[0])) + " " +
       numberField(signedByte(g.playerRolledOver[1])));
  line(keyAndBlank(kTournamentGoingKey) + numberField(g.tournamentGoing));
  line(keyed(kTournamentPointsKey, g.tournamentPoints));
  line(keyAndBlank(kCrawfordRestrictionsKey) + numberField(g.crawfordRestrictions[0]) + " " +
       numberField(g.crawfordRestrictions[1]));
  // Written only when set: a file without them is read as before, and a reader that does
  // not know them passes over them.
  if (g.moneySession != 0) line(keyAndBlank(kMoneySessionKey) + numberField(g.moneySession));
  if (g.gameContinued != 0) line(keyAndBlank(kGameContinuedKey) + numberField(g.gameContinued));
  if (g.twoPeople != 0) {
    line(keyAndBlank(kTwoPlayersKey) + numberField(g.pairRow));
    for (long side = 0; side <= 1; ++side) line(keyAndBlank(kSideNameKeys[side]) + nameOnLine(g.sideNames[side].view()));
  }
  line(keyed(kLastPlayerToMoveKey, g.lastPlayerToMove));
  line(std::string(kMoveTableKey));
  for (const GameRecordEntry& e : g.rows) {
    const int16_t w[] = {e.side, e.fromPoint, e.toPoint, e.distance, e.die1,
                         e.die2, e.moveNumber, e.cubeOwner, e.cubeValue, e.flags};
    std::string row;
    for (int i = 0; i < 10; ++i) {
      if (i > 0) row += ",";
      row += numberField(w[i]);
    }
    line(row);
  }
  return t;
}

}  // namespace bg
