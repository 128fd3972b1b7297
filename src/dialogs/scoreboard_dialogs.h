#pragma once
// The scoreboard of the four player records (names edited, the pair in use chosen, a
// row's scores cleared) and the detailed scores of one record.
#include <cstdint>
#include <string_view>

#include "runtime/core/checked_array.h"
#include "state/player_records.h"

namespace bg {

inline constexpr int16_t kScoreboardWindow = 335;
inline constexpr int16_t kMoreScoresWindow = 336;
inline constexpr int16_t kScoreboardRows = 4;

// Records 1 to 4 as the scoreboard found them; Cancel puts back the rows it cleared.
// Opened by Game > Two Players, its OK lets two people in.
struct ScoreboardState {
  CheckedArray<PlayerRecord, kScoreboardRows> scoreboardBackup;
  bool forTwoPeople = false;
};
extern ScoreboardState scoreboardState;

void scoreboardDialog();
// Game > Two Players: the scoreboard, whose OK changes to two people and whose Cancel
// leaves the game as it was.
void twoPlayersDialog();
void scoreboardClearScores(int16_t id);
void moreScoresDialog(int16_t row, std::string_view name, std::string_view opponentName);

// Dispatcher rows.
void scoreboardEvent(int16_t kind, int16_t id);
void moreScoresEvent(int16_t kind, int16_t id);

}  // namespace bg
