#include "computer/analyse_position.h"

#include "computer/position_analysis.h"
#include "rules/mover_view.h"
#include "rules/play_search.h"

namespace bg {

void analysePosition() {
  // A command handled inside the search's event pump would rebuild the view the
  // search is working on.
  if (refuseWhileSearching()) return;
  buildMoverView();
  analysePositionFeatures();
}

}  // namespace bg
