#pragma once
// A position in one line, so a test case is a row:
//   "start | dice 3 1 | cube 2 0 | side 1"
//   "1:2 6:-5 25:1 0:-2 | dice 6 6"
// Points are "point:count" (player 0 positive, player 1 negative; 25 is player 0's bar,
// 0 player 1's); "start" is the starting position. Checkers not on the board are borne
// off. "dice a b" sets the roll in hand (four dice on a double), "cube value owner" the
// cube (owner 0, 1, or 2 centred), "side n" the side on roll. Sections may be left out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/position.h"

namespace bg::testing {

inline void setSideOnRoll(int16_t side) {
  position.currentPlayer = side;
  position.turnPlayer = side;
  position.otherPlayer = static_cast<int16_t>(1 - side);
}

inline void setRoll(int16_t a, int16_t b) {
  const bool doubles = a == b;
  for (int n = 0; n <= 3; ++n) {
    diceState.dice[n] = DiceEntry{};
    diceState.rolledDice[n] = 0;
  }
  const int16_t values[4] = {a, b, a, b};
  for (int n = 0; n < (doubles ? 4 : 2); ++n) {
    diceState.dice[n].value = values[n];
    diceState.rolledDice[n] = values[n];
  }
  diceState.rolledDoubles = doubles ? -1 : 0;
}

// Sets the position, the roll, the cube and the side; a malformed line fails the test.
inline void setPosition(std::string_view text) {
  position.board = {};
  int counted[2] = {0, 0};
  std::istringstream sections{std::string(text)};
  std::string section;
  while (std::getline(sections, section, '|')) {
    std::istringstream words(section);
    std::string word;
    words >> word;
    if (word == "dice") {
      int a = 0, b = 0;
      ASSERT_TRUE(words >> a >> b) << "dice in: " << text;
      setRoll(static_cast<int16_t>(a), static_cast<int16_t>(b));
    } else if (word == "cube") {
      int value = 1, owner = kCubeCentred;
      ASSERT_TRUE(words >> value >> owner) << "cube in: " << text;
      cube.cubeValue = static_cast<int16_t>(value);
      cube.cubeOwner = static_cast<int16_t>(owner);
    } else if (word == "side") {
      int side = 0;
      ASSERT_TRUE(words >> side) << "side in: " << text;
      setSideOnRoll(static_cast<int16_t>(side));
    } else {
      do {
        if (word == "start") {
          for (const StartingPoint& p : kStartingPosition) position.board[p.point] = p.count;
          continue;
        }
        const auto colon = word.find(':');
        ASSERT_NE(colon, std::string::npos) << "point '" << word << "' in: " << text;
        const int point = std::atoi(word.substr(0, colon).c_str());
        const int count = std::atoi(word.substr(colon + 1).c_str());
        ASSERT_TRUE(point >= 0 && point <= 25) << "point '" << word << "' in: " << text;
        position.board[point] = static_cast<int16_t>(count);
      } while (words >> word);
    }
  }
  for (int p = 0; p <= 25; ++p) {
    if (position.board[p] > 0) counted[0] += position.board[p];
    if (position.board[p] < 0) counted[1] -= position.board[p];
  }
  ASSERT_LE(counted[0], kCheckersPerSide) << text;
  ASSERT_LE(counted[1], kCheckersPerSide) << text;
  position.piecesOnBoard[0] = static_cast<int16_t>(counted[0]);
  position.piecesOnBoard[1] = static_cast<int16_t>(counted[1]);
}

// The line's position with the person on roll ("side n") against the computer, past the
// opening, the roll thrown and all of it still to play.
inline void personToPlay(std::string_view text) {
  setPosition(text);
  const int16_t person = position.currentPlayer;
  position.playerType[person] = kHumanPlayer;
  position.playerType[1 - person] = kComputerPlayer;
  position.openingPhase = 0;
  diceState.diceShowing = -1;
  flow.movesAllowed = flow.movesLeft = diceState.rolledDoubles != 0 ? int16_t{4} : int16_t{2};
  flow.opponentMode = kComputerOpponent;
}

}  // namespace bg::testing
