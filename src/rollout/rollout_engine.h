#pragma once
// The rollout: the position on the board is played out again and again, computer against
// computer, on the ordinary game loop. The end of every game hands its result to
// updateRolloutStatistics, every new game calls nextRolloutGame, which counts it, puts
// the position back and ends the rollout when enough games are played or the user
// stopped it. The user's settings and game come back at the end.
#include <cstdint>

namespace bg {

// Takes the snapshot, forces the rollout's settings and hands the turn in progress to
// the computer. The caller has opened the results window.
void startRollout();
void updateRolloutStatistics();
void nextRolloutGame();
void restoreSettingsAfterRollout();
// Start/Stop: a pause gives the user's sides back their turns and shows the board.
void toggleRolloutStartStop();
// Return: the game in progress is dropped uncounted and the rollout ends at the next new
// game, which the turn in hand leaves for at once.
void stopRollout();
// Ends a rollout in progress here and now, its game dropped: the user's settings, board
// and game are back before anything is saved (a quit).
void endRolloutAtOnce();

// A rollout needs a game on the board: checkers of both sides. With one side (or both)
// borne off, or nothing set up yet, no game could ever be counted.
bool positionCanBeRolledOut();

// True while games are played or paused, until the last game is counted.
bool rolloutInProgress();
bool rolloutPaused();

// Puts the engine's two entries into the game flow's hook tables, and the printed report
// behind the results window's Print.
void installRolloutServices();

}  // namespace bg
