#include "rules/cube_record.h"

#include "state/cube_state.h"
#include "state/display_services.h"
#include "rules/game_record.h"
#include "state/position.h"
#include "state/storage_state.h"

namespace bg {

void recordCubeChange() {
  // A double changes the game as a move does: it is saved at quit.
  storage.gameModified = -1;
  cube.cubeOwnerBeforeDouble = cube.cubeOwner;
  cube.cubeOwner = position.otherPlayer;
  recordCubeInMoveTable();
}

bool cubeMayDoubleAgain() { return cube.cubeValue < kHighestCube && 2 * cube.cubeValue <= cube.cubeMaximum; }

void recordCubeInMoveTable() {
  // Entry 0 is the header of counters: a double before any play (a set-up position) is
  // not recorded, only drawn.
  if (record.gameRecordCount < 1) {
    hook::drawCube();
    return;
  }
  GameRecordEntry& entry = record.gameRecord[record.gameRecordCount];
  entry.cubeOwner = cube.cubeOwner;
  entry.cubeValue = cube.cubeValue;
  // An entry keeps one double: a later one on it (no play between) replaces the marks of the
  // one before, or taking it back would halve once more for a beaver that was not its own.
  entry.flags &= ~(kFlagBeavered | kFlagCubeWasCentred);
  entry.flags |= kFlagDoubleRecorded;
  if (cube.cubeOwnerBeforeDouble == kCubeCentred && cube.cubeOwner != kCubeCentred) {
    entry.flags |= kFlagCubeWasCentred;
  }
  hook::drawCube();
}

}  // namespace bg
