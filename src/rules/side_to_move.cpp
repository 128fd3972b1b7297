#include "rules/side_to_move.h"

#include <cstdint>

#include "state/position.h"

namespace bg {

void exchangeSideToMove() {
  const int16_t current = position.currentPlayer;
  position.currentPlayer = position.otherPlayer;
  position.otherPlayer = current;
}

}  // namespace bg
