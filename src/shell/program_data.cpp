#include "shell/program_data.h"

#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "flow/computer_move.h"
#include "rules/dice.h"
#include "state/search_services.h"
#include "runtime/core/random.h"
#include "runtime/qt/events.h"
#include "runtime/qt/resources.h"

namespace bg {

void initProgramData() {
  seedRandomFromDevice();
  fillDicePool();
  initComputerData();
  loadMessageResources();
  // The play search reaches the evaluation and the turn through these.
  installComputerSearchServices();
  installFlowSearchServices();
  searchServices.handleEvents = [] { FBHandleEvents(); };
}

}  // namespace bg
