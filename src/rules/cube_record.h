#pragma once
// A double written into the game record: the new owner and value on the current entry,
// and the cube drawn again.
namespace bg {

// The taker becomes the owner (the owner before is kept for a take-back), then the
// double is recorded.
void recordCubeChange();
// Writes cubeOwner and cubeValue into the entry at gameRecordCount with flag 8, and
// flag 4 when the cube was centred before; then draws the cube.
void recordCubeInMoveTable();
// The cube may be doubled once more: the doubled value stays within the highest cube and
// the cube maximum.
bool cubeMayDoubleAgain();

}  // namespace bg
