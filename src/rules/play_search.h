#pragma once
// The play search: one complete enumeration of the roll's legal plays, each handed to
// the consumer of the mode in force (playSearch.searchMode*): the evaluator in the
// normal mode, or the max-pips, break-contact and hit-tracking tests.
namespace bg {

// One search in the mode in force. A call made while a search runs (from a command
// handled inside the event pump) is refused with the busy message and changes nothing.
void searchBestPlays();

// Hit tracking: firstHitPoint is the landing point of the first hit any play makes.
// Nothing in a race.
void searchHittingPlays();

// contactBreakResult = -1 when some play leaves no own man at or behind the opponent's
// rearmost man (at once in a race).
void searchContactBreakingPlay();

// maxPipsUsable: the most pips any legal play of the roll uses. Runs the analysis first.
void computeMaxPipsUsable();

// From turn 2: when the roll has exactly one distinct play, plays it for the side to move.
void autoPlayForcedMove();

// After a normal search: rows 2 and 3 that use fewer part-moves or pips than row 1 are
// emptied.
void finalizeBestLists();

// True while a search runs: commands handled inside the event pump must not start a
// second search or analysis on the same state.
bool playSearchRunning();

// When a search runs, shows the busy message and returns true: the caller refuses.
bool refuseWhileSearching();

}  // namespace bg
