#pragma once
// The keys of the saved game's lines: the writer writes them and the reader looks for them.
#include <string>
#include <string_view>

namespace bg {

inline constexpr std::string_view kBoardKey = "Board";
inline constexpr std::string_view kScoresKey = "Scores";
inline constexpr std::string_view kCubeValueKey = "CubeValue";
inline constexpr std::string_view kCubeOwnerKey = "CubeOwner";
inline constexpr std::string_view kPlayerDeclinedKey = "PlayerDeclined";
inline constexpr std::string_view kDiceShowingKey = "DiceShowing";
inline constexpr std::string_view kDiceKey = "Dice";
inline constexpr std::string_view kPlayerRolledOverKey = "PlayerRolledOver";
inline constexpr std::string_view kTournamentGoingKey = "TournamentGoing";
inline constexpr std::string_view kTournamentPointsKey = "TournamentPoints";
inline constexpr std::string_view kCrawfordRestrictionsKey = "CrawfordRestrictions";
inline constexpr std::string_view kMoneySessionKey = "MoneySession";
inline constexpr std::string_view kGameContinuedKey = "GameContinued";
inline constexpr std::string_view kTwoPlayersKey = "TwoPlayers";
inline constexpr std::string_view kSideNameKeys[] = {"Side0Name", "Side1Name"};
inline constexpr std::string_view kLastPlayerToMoveKey = "LastPlayerToMove";
// The last key: the rows of the game record follow it.
inline constexpr std::string_view kMoveTableKey = "MoveTable";

// A key and its value are parted by a blank.
inline constexpr char kKeyBlank = ' ';
// A key and the blank that parts it from its value.
inline std::string keyAndBlank(std::string_view key) { return std::string(key) + kKeyBlank; }

}  // namespace bg
