#include "shell/program_data.h"

#include "audio/sound_effects.h"
#include "computer/computer_play.h"
#include "computer/computer_services.h"
#include "computer/personalities.h"
#include "computer/program_data.h"
#include "display/board_layout.h"
#include "state/display_settings.h"
#include "flow/turn_state.h"
#include "rules/dice.h"
#include "runtime/core/messages.h"
#include "runtime/core/random.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/text.h"
#include "shell/shell_settings.h"
#include "state/app_constants.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/search_services.h"
#include "state/settings.h"
#include "state/shell_state.h"

namespace bg {

namespace {
constexpr int16_t kSkillMenu = 6;
constexpr int16_t kNamedSkills = 5;
constexpr int16_t kHelpTitleList = 128;
constexpr int16_t kSixthSkillName = 128;
constexpr int16_t kNoAlertSound = 99;
constexpr int16_t kNoPoint = 99;
}  // namespace

int16_t loadStringList(int16_t id) {
  int16_t count = 0;
  for (int16_t i = 1; i <= kHelpTopicHighest; ++i) {
    const Str255 text = getIndString(id, i);
    shellSettings.helpTopicTitles[i] = text;
    if (!text.empty()) count = i;
  }
  return count;
}

Str255 loadStringResource(int16_t id) { return getString(id); }

void initProgramData() {
  shellSettings.keyLogOn = 0;
  seedRandomFromDevice();
  fillDicePool();
  textMode(0);
  settings.noPumpDuringSearch = -1;
  shellSettings.searchDisplayFlag = -1;
  shellSettings.gameShown = -1;
  shellSettings.alertSoundIndex = kNoAlertSound;
  flow.highestCube = 1;
  interaction.messageNumber = kNoMessage;
  hand.selectedPoint = kNoPoint;
  // The spoken table exists for English only (exact spelling).
  messageTables.messageTable2.fill(Str255());
  loadMessageResources(shell.languageName.view() == "English");
  computerPlay.chosenPlayIndex = 1;
  shellSettings.checkerAnimFlag = -1;
  // The factors, the skill factor for the level the preferences left, the error odds, the
  // data tables and the personalities.
  initComputerData();
  shellSettings.moveListScoreMask = "+##.# ";
  loadStringList(kHelpTitleList);
  for (int16_t i = 1; i <= kNamedSkills; ++i) skillNameTable.skillNames[i] = menuItemText(kSkillMenu, i).c_str();
  skillNameTable.skillNames[6] = loadStringResource(kSixthSkillName);
  initSoundTable();
  applySoundOption();
  display.firstBoardBuild = -1;
  turnState.previousOpponentMode = 1;
  flow.newGameRequested = -1;
  // The play search reaches the evaluation through these; the turn's entries come with
  // the game flow's services, installed before the program starts.
  installComputerSearchServices();
  searchServices.handleEvents = [] { FBHandleEvents(); };
}

}  // namespace bg
