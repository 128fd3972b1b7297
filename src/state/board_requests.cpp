#include "state/board_requests.h"

#include "state/program_state.h"

namespace bg {

BoardRequests boardRequests;
BG_RESETS_WITH_PROGRAM(boardRequests);

namespace {

struct LetterFlag {
  char letter;
  int16_t BoardRequests::*flag;
};
// In the order runBoardCommand tries them.
constexpr LetterFlag kOrder[] = {
    {'B', &BoardRequests::requestCommandB}, {'P', &BoardRequests::requestCommandP},
    {'R', &BoardRequests::requestCommandR}, {'I', &BoardRequests::requestCommandI},
    {'S', &BoardRequests::requestCommandS}, {'M', &BoardRequests::requestCommandM},
    {'D', &BoardRequests::requestCommandD}, {'C', &BoardRequests::requestCommandC},
    {'N', &BoardRequests::requestCommandN}, {'#', &BoardRequests::requestPipToggle},
    {'W', &BoardRequests::requestCommandW},
};

}  // namespace

int16_t* letterRequest(char letter) {
  if (letter == '#') return nullptr;
  for (const LetterFlag& l : kOrder)
    if (l.letter == letter) return &(boardRequests.*l.flag);
  return nullptr;
}

char firstRequest() {
  for (const LetterFlag& l : kOrder)
    if (boardRequests.*l.flag != 0) return l.letter;
  return 0;
}

bool anyRequest() { return firstRequest() != 0; }

}  // namespace bg
