#pragma once
// Taking play back by walking the game record backwards. Entries after the count are
// kept, so the roll of a taken-back turn is replayed, never rolled again.
#include <cstdint>

namespace bg {

// Undoes the last unit of play: an automatic double, a double, a roll before any move,
// the part-moves of the roll in hand, or whole turns (two against the computer, one
// otherwise). With nothing recorded it changes nothing. Clears
// interaction.takeBackPending when something was undone.
void takeBack();

// The pieces of takeBack, each on the entry at gameRecordCount.
void undoTurnEntries();  // the part-moves of the turn ending at the count
void takeBackRoll();     // an automatic-double entry
void takeBackDouble();   // the double recorded on the entry, if any
// The entry's die back to a free place of the dice with its face, counted as a move left
// again; false, changing nothing, when the dice have no such place.
bool restoreDie();
void undoMoveEntry();    // the entry's checker back, with the checker it hit
void restoreHitPiece();  // the checker the entry hit, from the bar to its point
void recheckStartingPosition();

// During move entry: the held checker, picked up from hand.selectedPoint (-1: the
// side's tray), is put down on hand.moveToPoint.
//
// Put on the from-point of the last part-move it undoes that part-move; on doubles, put
// two to four steps back it undoes that many part-moves of the same checker.
// interaction.takeBackFailed is -1 when nothing applied.
void takeBackLastMove();
// The last part-move's checker (held) back to its from-point, then the checker it hit.
void undoMovePiece();
// The same for the last `chainLength` + 1 part-moves, one checker's chain.
void undoHitPiece(int16_t chainLength);
// Put on the from-point of the last part-move when that move's landing point is one
// free die away from the held checker: the entry is rewritten as the held checker's move
// with that die, and the checker lands where it was put. interaction.putBackDone is -1
// when it did so.
void putPieceBack();

}  // namespace bg
