#include "dialogs/blot_risk_window.h"

#include "computer/blot_risk_report.h"
#include "dialogs/question_window.h"
#include "rules/play_search.h"
#include "state/interaction_state.h"

namespace bg {

void showBlotRisk() {
  if (hand.pieceInHand != 0) return;
  if (refuseWhileSearching()) return;
  blotRiskDialog("Blot Risk", blotRiskText(countBlotRisk()));
}

}  // namespace bg
