#include "runtime/core/files.h"
#include "runtime/core/format.h"
#include "storage/saved_game_reader.h"

namespace bg {

namespace {

constexpr int16_t kEntryFields = 10;

int16_t textInt16(int16_t n) { return int16Of(val(inputField(n))); }

void readSettingsBlock(int16_t n, OlderLayoutSettings& s) {
  inputInt16(n);  // three values the program no longer uses
  inputInt16(n);
  inputInt32(n);
  s.phoneNumber = inputField(n).view();
  s.playerNames[0] = inputField(n).view();
  s.playerNames[1] = inputField(n).view();
  inputInt16(n);
  s.soundLevel = inputInt16(n);
  s.skillLevel = inputInt16(n);
  inputInt16(n);
}

void readRulesBlock(int16_t n, OlderLayoutSettings& s) {
  s.cubeUsed = inputInt16(n);
  s.autoDoubleMax = inputInt16(n);
  s.beaverAllowed = inputInt16(n);
  s.acceptDoubles = inputInt16(n);
  s.rollOverOnce = inputInt16(n);
  s.jacobyRule = inputInt16(n);
  s.crawfordRule = inputByte(n);
  inputInt16(n);
}

// Rows field by field while the file lasts; a row counts once its tenth field is read,
// and a table without one whole row is an empty record.
void readRows(int16_t n, SavedGame& g) {
  g.rows.clear();
  GameRecordEntry e;
  int16_t* fields[kEntryFields] = {&e.side, &e.fromPoint, &e.toPoint, &e.distance, &e.die1,
                                   &e.die2, &e.moveNumber, &e.cubeOwner, &e.cubeValue, &e.flags};
  while (!fileEof(n)) {
    e = blankRecordEntry;
    int read = 0;
    for (int16_t* f : fields) {
      if (fileEof(n)) break;
      *f = inputInt16(n);
      ++read;
    }
    if (read == kEntryFields && static_cast<long>(g.rows.size()) <= kGameRecordHighest) g.rows.push_back(e);
  }
  if (g.rows.empty()) g.rows.push_back(blankRecordEntry);
}

}  // namespace

void readOlderLayout(int16_t n, SavedGameReading& r) {
  SavedGame& g = r.game;
  r.olderLayout = true;
  for (long p = 0; p <= 25; ++p) g.board[p] = inputInt16(n);
  g.scores[0] = int32Of(val(inputField(n)));
  g.scores[1] = int32Of(val(inputField(n)));
  g.cubeValue = textInt16(n);
  g.cubeOwner = textInt16(n);
  readSettingsBlock(n, r.settings);
  readRulesBlock(n, r.settings);
  g.playerDeclined = inputInt16(n);
  g.diceShowing = textInt16(n) != 0 ? -1 : 0;
  g.dice[0] = 0;
  g.dice[1] = 0;
  if (g.diceShowing != 0) {
    g.dice[0] = textInt16(n);
    g.dice[1] = textInt16(n);
  }
  g.playerRolledOver[0] = byteOf(val(inputField(n)));
  g.playerRolledOver[1] = byteOf(val(inputField(n)));
  g.tournamentGoing = textInt16(n) != 0 ? -1 : 0;
  g.tournamentPoints = textInt16(n);
  g.crawfordRestrictions[0] = textInt16(n);
  g.crawfordRestrictions[1] = textInt16(n);
  const int16_t side = textInt16(n);
  g.lastPlayerToMove = (side < 0 || side > 1) ? 0 : side;
  readRows(n, g);
  r.complete = true;
}

}  // namespace bg
