#pragma once
// The legal-play enumeration: one play per step, on the mover's view. Every step that
// finds a play leaves it applied on analysis.evalBoard and described by playSearch's
// playFrom/playDice[1..playLength] and genPipsUsed.
namespace bg {

// One enumeration step.
void findNextLegalPlay();

// Sets up an enumeration of the roll in hand (dice entries, movesAllowed) over the
// current view; the search driver calls it before stepping.
void startLegalPlayEnumeration(int movesAllowed);

// One step with the driver's bookkeeping around it (men left restored before, the
// opponent's bar and men left written back after). Returns true when a play was found.
bool stepLegalPlayEnumeration();

// The steps of the enumeration (k = part-move number).
void advancePartMoveOdometer(int k);
void tryPartMove(int k);
void tryBearOffPartMove(int k, int landing);
void nextDiceOrderOrFewerDice();

}  // namespace bg
