#include "storage/saved_game_writer.h"

#include "runtime/core/format.h"

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
  if (value < 0) s += ' ';
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
  std::string board = "Board ";
  for (long p = 0; p < 25; ++p) board += numberField(g.board[p]) + " ";
  line(board + numberField(g.board[25]));
  line(keyed("Scores", g.scores[0]) + " " + numberField(g.scores[1]));
  line(keyed("CubeValue", g.cubeValue));
  line(keyed("CubeOwner", g.cubeOwner));
  line("PlayerDeclined " + numberField(g.playerDeclined));
  line("DiceShowing " + numberField(g.diceShowing));
  line("Dice " + numberField(g.dice[0]) + numberField(g.dice[1]));
  line("PlayerRolledOver " + numberField(signedByte(g.playerRolledOver[0])) + " " +
       numberField(signedByte(g.playerRolledOver[1])));
  line("TournamentGoing " + numberField(g.tournamentGoing));
  line(keyed("TournamentPoints", g.tournamentPoints));
  line("CrawfordRestrictions " + numberField(g.crawfordRestrictions[0]) + " " +
       numberField(g.crawfordRestrictions[1]));
  // Written only when set: a file without them is read as before, and a reader that does
  // not know them passes over them.
  if (g.moneySession != 0) line("MoneySession " + numberField(g.moneySession));
  if (g.gameContinued != 0) line("GameContinued " + numberField(g.gameContinued));
  line(keyed("LastPlayerToMove", g.lastPlayerToMove));
  line("MoveTable");
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
