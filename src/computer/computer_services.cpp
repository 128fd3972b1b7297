#include "computer/computer_services.h"

#include "computer/analyse_position.h"
#include "computer/computer_play.h"
#include "computer/evaluate_position.h"
#include "computer/race_estimates.h"
#include "state/search_services.h"

namespace bg {

void installComputerSearchServices() {
  searchServices.analysePosition = analysePosition;
  searchServices.evaluatePosition = evaluatePosition;
  searchServices.setRaceLeadFlags = setRaceLeadFlags;
  searchServices.pickOpeningBookPlay = pickOpeningBookPlay;
}

}  // namespace bg
