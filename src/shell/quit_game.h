#pragma once
// Every way out of the program: the quit items, the board window's close box, the quit
// event, the end of a game that asked to quit, signals and the end of the desktop session.
namespace bg {

// Says goodbye for the hour, saves an unfinished game when asked to, writes the
// preferences and ends the process. Runs once: a second way out while it runs does
// nothing.
void quitGame();
// A signal or the end of the desktop session: no question, no pause, and the program ends
// even while a person's quit waits for an answer.
void quitWithoutQuestion();

// The farewell for an hour of the day, with the message line's free-text marker.
const char* farewellForHour(int hour);

}  // namespace bg
