#include "dialogs/game_setup_dialogs.h"

#include "dialogs/dialog_frame.h"
#include "runtime/qt/controls.h"
#include "state/settings.h"

namespace bg {

namespace {

constexpr int16_t kFirstRollGroup = 3;

void fillWhoGetsFirstRoll() { setControlValue(kWhoGetsFirstRollWindow, kFirstRollGroup, settings.whoRollsFirst); }

}  // namespace

void whoGetsFirstRollDialog() {
  openNibDialog(kWhoGetsFirstRollWindow, "whoGetsFirstRollDialog", fillWhoGetsFirstRoll, DialogOpening::kFromBoard);
}

void readWhoGetsFirstRoll() {
  const int16_t v = controlValue(kWhoGetsFirstRollWindow, kFirstRollGroup);
  // A group with nothing chosen keeps the setting.
  if (v > 0) settings.whoRollsFirst = v;
}

}  // namespace bg
