#include "storage/saved_game_reader.h"

#include <limits>
#include <string>
#include <utility>
#include <string_view>

#include "runtime/core/files.h"
#include "runtime/core/format.h"
#include "storage/saved_game_values.h"
#include "storage/side_names.h"

namespace bg {

namespace {

constexpr int16_t kEntryFields = 10;

int16_t sideOnRoll(int32_t v) { return (v < 0 || v > 1) ? 0 : static_cast<int16_t>(v); }
int16_t flagOf(std::string_view v) { return int16Of(val(v)) != 0 ? int16_t{-1} : int16_t{0}; }

// A name is text: no number in it is checked.
constexpr NumberField kTextField{-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};

// Only the blank that parts the key from the name is not the name's.
void putSideName(std::string_view v, Str40& name) { name.assign(nameFromLine(v.substr(v.empty() ? 0 : 1))); }

// Every key the reader takes, with the field its numbers are stored in: the one list both
// the check of the numbers and the reading of the value follow.
struct KeyedValue {
  std::string_view key;
  NumberField field;
  void (*apply)(std::string_view value, SavedGame& g);
};

constexpr KeyedValue kKeyedValues[] = {
    {kScoresKey, kInt32Field, parseScoresValue},
    {kCubeValueKey, kInt16Field, [](std::string_view v, SavedGame& g) { g.cubeValue = int16Of(val(v)); }},
    {kCubeOwnerKey, kInt16Field, [](std::string_view v, SavedGame& g) { g.cubeOwner = int16Of(val(v)); }},
    {kPlayerDeclinedKey, kInt16Field, [](std::string_view v, SavedGame& g) { g.playerDeclined = int16Of(val(v)); }},
    {kDiceShowingKey, kInt16Field, [](std::string_view v, SavedGame& g) { g.diceShowing = flagOf(v); }},
    {kDiceKey, kInt16Field, parseDiceValue},
    {kPlayerRolledOverKey, kByteField, parseRolledOverValue},
    {kTournamentGoingKey, kInt16Field, [](std::string_view v, SavedGame& g) { g.tournamentGoing = flagOf(v); }},
    {kTournamentPointsKey, kInt16Field, [](std::string_view v, SavedGame& g) { g.tournamentPoints = int16Of(val(v)); }},
    {kCrawfordRestrictionsKey, kInt16Field, parseCrawfordValue},
    {kMoneySessionKey, kInt16Field, [](std::string_view v, SavedGame& g) { g.moneySession = flagOf(v); }},
    {kGameContinuedKey, kInt16Field, [](std::string_view v, SavedGame& g) { g.gameContinued = flagOf(v); }},
    {kTwoPlayersKey, kInt16Field,
     [](std::string_view v, SavedGame& g) { g.twoPeople = -1, g.pairRow = int16Of(val(v)); }},
    {kSideNameKeys[0], kTextField, [](std::string_view v, SavedGame& g) { putSideName(v, g.sideNames[0]); }},
    {kSideNameKeys[1], kTextField, [](std::string_view v, SavedGame& g) { putSideName(v, g.sideNames[1]); }},
    {kLastPlayerToMoveKey, kInt16Field,
     [](std::string_view v, SavedGame& g) { g.lastPlayerToMove = sideOnRoll(int16Of(val(v))); }},
};

void noteUnfit(SavedGameReading& r, std::string where) {
  if (r.unfitNumber.empty()) r.unfitNumber = std::move(where);
}

// One keyed line: its numbers checked against their field, then put into the copy. A key
// the reader does not know is passed over.
void applyKeyLine(std::string_view key, std::string_view value, SavedGameReading& r) {
  for (const KeyedValue& k : kKeyedValues) {
    if (k.key != key) continue;
    if (!numbersFit(value, k.field)) noteUnfit(r, "The " + std::string(key) + " line");
    k.apply(value, r.game);
    return;
  }
}

bool blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

enum class RowRead { kWhole, kCutShort, kUnfit };

// One row: a line's ten comma-separated numbers. Cut short when the line holds fewer, as a
// file cut short does: its record would end before the game its board shows.
RowRead readEntry(std::string_view rest, GameRecordEntry& e) {
  int16_t w[kEntryFields] = {};
  bool fits = true;
  for (int16_t k = 0; k < kEntryFields; ++k) {
    const std::size_t comma = rest.find(',');
    const bool last = k == kEntryFields - 1;
    if (blank(rest.substr(0, comma)) || (comma == std::string_view::npos && !last)) return RowRead::kCutShort;
    fits = fits && numbersFitInt16(rest.substr(0, comma));
    w[k] = int16Of(val(rest.substr(0, comma)));
    if (!last) rest.remove_prefix(comma + 1);
  }
  e = {w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9]};
  return fits ? RowRead::kWhole : RowRead::kUnfit;
}

void readMoveTable(int16_t n, SavedGameReading& r) {
  SavedGame& g = r.game;
  g.rows.clear();
  while (!fileEof(n)) {
    const Str255 line = lineInput(n);
    if (blank(line.view())) continue;
    GameRecordEntry e{};
    const RowRead read = readEntry(line.view(), e);
    if (read == RowRead::kCutShort) {
      r.cutShort = true;
      return;
    }
    // The header is row 0; the rows of play count from 1.
    if (read == RowRead::kUnfit) noteUnfit(r, "Move row " + std::to_string(g.rows.size()));
    // Rows past the record's last entry are read and left out.
    if (static_cast<long>(g.rows.size()) <= kGameRecordHighest) g.rows.push_back(e);
  }
}

void readKeyedLayout(int16_t n, std::string_view firstField, SavedGameReading& r) {
  r.boardDamaged = !parseBoardLine(firstField, r.game);
  for (;;) {
    const Str255 field = inputField(n);
    if (fileEof(n)) return;  // the file ends before its move table
    const std::string_view text = field.view();
    const std::size_t space = text.find(kKeyBlank);
    const std::string_view key = text.substr(0, space);
    const std::string_view value = space == std::string_view::npos ? std::string_view() : text.substr(space);
    if (key == kMoveTableKey) break;
    applyKeyLine(key, value, r);
  }
  readMoveTable(n, r);
  r.complete = true;
}

void readBareBoard(std::string_view firstField, SavedGameReading& r) {
  r.bareBoard = true;
  r.game.lastPlayerToMove = 1;
  r.game.diceShowing = 0;
  // A file the program wrote starts its first line with the key; the counts follow it.
  const bool keyed = firstField.substr(0, kBoardKey.size()) == kBoardKey;
  r.boardDamaged =
      !parseBoardLine(keyed ? std::string(firstField) : keyAndBlank(kBoardKey) + std::string(firstField), r.game);
  r.game.rows.assign(1, blankRecordEntry);
  r.complete = true;
}

}  // namespace

SavedGameReading readSavedGameFields(int16_t n, bool bareBoard) {
  SavedGameReading r;
  r.game = currentGameValues();
  // A money session's game says so by its key: a file without it holds points.
  r.game.moneySession = 0;
  lineInput(n);  // the writer's empty first line
  const Str255 first = inputField(n);
  if (bareBoard) {
    readBareBoard(first.view(), r);
  } else if (first.view().substr(0, kBoardKey.size()) == kBoardKey) {
    readKeyedLayout(n, first.view(), r);
  } else {
    readOlderLayout(n, r);
  }
  return r;
}

}  // namespace bg
