#include "rollout/rollout_results_window.h"

#include <string>

#include "computer/personalities.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "runtime/core/format.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/designed_windows.h"
#include "runtime/qt/windows.h"
#include "state/app_constants.h"
#include "state/cube_state.h"
#include "state/settings.h"

namespace bg {

namespace {
constexpr std::string_view kResultsForm = "rolloutResultsDialog";
constexpr int16_t kLastOptionField = 75;

void setButton(int16_t id, std::string_view title, bool enabled) {
  if (!controlExists(kRolloutResultsWindow, id)) return;
  if (!title.empty()) setControlText(kRolloutResultsWindow, id, title);
  setControlEnabled(kRolloutResultsWindow, id, enabled);
}
}  // namespace

bool openRolloutResultsWindow() { return openDesignedWindow(kRolloutResultsWindow, kResultsForm); }

void setResultsField(int16_t id, std::string_view text) {
  if (windowExists(kRolloutResultsWindow) && controlExists(kRolloutResultsWindow, id)) {
    setControlText(kRolloutResultsWindow, id, text);
  }
}

void showRolloutRunning() {
  setButton(kStartStopButton, "Stop", true);
  setButton(kPrintButton, "", false);
}

void showRolloutPaused() {
  setButton(kStartStopButton, "Start", true);
  setButton(kPrintButton, "", true);
}

void showRolloutFinished() {
  setButton(kStartStopButton, "", false);
  setButton(kReturnButton, "Return", true);
  setButton(kPrintButton, "", true);
  // What Return and Enter press from now on.
  setDefaultButton(kRolloutResultsWindow, kReturnButton);
}

void buildRolloutResultsText() {
  setResultsField(kGamesWantedField, strS(rolloutSettings.gamesWanted));
  setResultsField(kMinMaxStartField, strS(rolloutSettings.minMaxStart));
  setResultsField(kDescriptionField, rolloutSettings.description.view());
  setResultsField(kSkillField, "Skill Level: " + std::string(skillNameTable.skillNames[skill.skillLevel].view()));
  int16_t field = kFirstOptionField;
  if (cube.jacobyRule != 0) setResultsField(field++, "Jacoby Rule");
  if (settings.backgammonAllowed != 0) setResultsField(field++, "Backgammons Allowed");
  if (rolloutSnapshot.diceShowing != 0) setResultsField(field++, "Dice were rolled");
  while (field <= kLastOptionField) setResultsField(field++, "");
}

}  // namespace bg
