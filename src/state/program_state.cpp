#include "state/program_state.h"

#include <vector>

namespace bg {

namespace {

// Built on first use: units register during static initialisation, in any order.
std::vector<StateReset>& resets() {
  static std::vector<StateReset> list;
  return list;
}

std::vector<StateReset>& releases() {
  static std::vector<StateReset> list;
  return list;
}

}  // namespace

bool registerStateReset(StateReset reset) {
  resets().push_back(reset);
  return true;
}

bool registerStateRelease(StateReset release) {
  releases().push_back(release);
  return true;
}

void resetProgramState() {
  for (const StateReset release : releases()) release();
  for (const StateReset reset : resets()) reset();
}

}  // namespace bg
