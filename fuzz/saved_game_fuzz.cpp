// The saved-game reader over any bytes: every input returns, and either a legal game is
// put in place or the file is refused with a message and the game stays as it was.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "flow/turn_services.h"
#include "fuzz_support.h"
#include "rules/game_record.h"
#include "runtime/core/files.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/storage_state.h"
#include "storage/saved_game.h"
#include "storage/saved_game_file.h"
#include "storage/saved_game_keys.h"

namespace {

int refusals = 0;
constexpr std::size_t kBareBoardEvery = 7;  // now and then the command key is held

// The counts of the board the input's first field gives: the field after its key (as a
// bare board too, where a file the game wrote starts with it), the whole field as a bare
// board without the key; nothing for the older layout.
std::optional<std::string> boardFieldOf(std::string_view bytes, bool bareBoard) {
  const bg::fuzz::ScratchInput in("saved_game_board", bytes);
  bg::lineInput(in.number());
  const std::string first = bg::inputField(in.number()).str();
  const bool keyed = first.substr(0, bg::kBoardKey.size()) == bg::kBoardKey;
  if (keyed) return first.substr(bg::kBoardKey.size());
  if (bareBoard) return first;
  return std::nullopt;
}

// The board in place is the field's counts: 26 whole numbers of checkers between blanks,
// one for each point, none missing, damaged or left over.
bool boardIsTheField(std::string_view field) {
  std::vector<int> counts;
  while (!field.empty()) {
    const std::size_t end = std::min(field.find(' '), field.size());
    const std::string_view word = field.substr(0, end);
    field.remove_prefix(end == field.size() ? end : end + 1);
    if (word.empty()) continue;
    int count = 0;
    const auto [at, error] = std::from_chars(word.data(), word.data() + word.size(), count);
    if (error != std::errc() || at != word.data() + word.size() || std::abs(count) > bg::kCheckersPerSide) return false;
    counts.push_back(count);
  }
  if (counts.size() != 26) return false;
  for (long p = 0; p <= 25; ++p)
    if (bg::position.board[p] != counts[static_cast<std::size_t>(p)]) return false;
  return true;
}

struct Before {
  bg::SavedGame values = bg::currentGameValues();
  bg::GameRecord rec = bg::record;
};

bool legalGame() {
  using namespace bg;
  int own = 0, other = 0;
  for (const int16_t c : position.board) (c > 0 ? own : other) += c > 0 ? c : -c;
  bool cubeOk = false;
  for (int v = 1; v <= kHighestCube; v *= 2) cubeOk = cubeOk || cube.cubeValue == v;
  const bool rollFits = diceState.diceShowing == 0 ||
                        (diceState.dice[0].value >= 1 && diceState.dice[1].value >= 1 && flow.movesLeft == flow.movesAllowed);
  const bool scoresFit = std::abs(static_cast<int64_t>(flow.scores[0])) <= kHighestScore + kHighestCube &&
                         std::abs(static_cast<int64_t>(flow.scores[1])) <= kHighestScore + kHighestCube;
  return own >= 1 && other >= 1 && rollFits && scoresFit && own <= kCheckersPerSide && other <= kCheckersPerSide && cubeOk && cube.cubeOwner >= 0 &&
         cube.cubeOwner <= kCubeCentred && diceState.dice[0].value >= 0 && diceState.dice[0].value <= 6 &&
         diceState.dice[1].value >= 0 && diceState.dice[1].value <= 6 && record.gameRecordCount >= 0 &&
         record.gameRecordCount <= kGameRecordHighest && position.currentPlayer >= 0 && position.currentPlayer <= 1 &&
         position.piecesOnBoard[0] == own && position.piecesOnBoard[1] == other;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bg;
  resetProgramState();
  resetGameRecord();
  refusals = 0;
  turnServices.showInformation = [](std::string_view) { ++refusals; };
  const bool bareBoard = size % kBareBoardEvery == 0;
  turnServices.isModifierDown = bareBoard ? [](int16_t) { return true; } : [](int16_t) { return false; };
  const std::optional<std::string> boardField = boardFieldOf(fuzz::bytesOf(data, size), bareBoard);
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("bg_fuzz_saved_game_" + std::to_string(getpid()));
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  storage.openDocumentPending = -1;
  storage.openedDocumentName.assign(path.string());
  const Before before;
  loadGame(0);
  std::filesystem::remove(path);
  fuzz::check(!fileIsOpen(kSavedGameFileNumber), "the file is closed");
  fuzz::check(storage.openDocumentPending == 0, "the opened document is read once");
  if (flow.abortTurn == kLeaveTurn) {
    fuzz::check(refusals == 0, "a game put in place is not refused");
    fuzz::check(legalGame(), "a game put in place is legal");
    fuzz::check(!boardField || boardIsTheField(*boardField), "a game put in place has the board its Board line holds");
  } else {
    fuzz::check(refusals == 1, "a refused file is told once");
    const Before after;
    fuzz::check(after.values == before.values && after.rec.gameRecord == before.rec.gameRecord &&
                    after.rec.gameRecordCount == before.rec.gameRecordCount,
                "a refused file changes nothing");
  }
  return 0;
}
