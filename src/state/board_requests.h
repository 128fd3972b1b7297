#pragma once
// The board's command requests: set by a click on a frame letter or the pip-count zone
// and by the letter keys, run (the first one only) and cleared by runBoardCommand.
#include <cstdint>

namespace bg {

struct BoardRequests {
  int16_t requestCommandB = 0;  // blot risk
  int16_t requestCommandP = 0;  // the left statistics panel
  int16_t requestCommandR = 0;  // the right statistics panel
  int16_t requestCommandI = 0;  // the computer plays its last turn again
  int16_t requestCommandS = 0;  // show the best moves
  int16_t requestCommandM = 0;  // make the best move
  int16_t requestCommandD = 0;  // cube advice
  int16_t requestCommandC = 0;  // the last move's analysis
  int16_t requestCommandN = 0;  // the note pad
  int16_t requestPipToggle = 0;
  int16_t requestCommandW = 0;  // who is ahead
};
extern BoardRequests boardRequests;

// The request flag of a frame letter (B P R I S M D C N W), or nullptr for any other.
int16_t* letterRequest(char letter);
// The letter of the first request set, in the order they run; 0 for none, '#' for the
// pip-count toggle.
char firstRequest();
bool anyRequest();

}  // namespace bg
