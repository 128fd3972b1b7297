#include "storage/storage_services.h"

#include "computer/personalities.h"
#include "state/cube_state.h"
#include "state/play_options.h"
#include "state/program_state.h"
#include "state/settings.h"
#include "state/shell_state.h"

namespace bg {

StorageServices storageServices;
BG_RESETS_WITH_PROGRAM(storageServices);

namespace {
constexpr int16_t kLowestSoundLevel = 1;
constexpr int16_t kHighestSoundLevel = 10;
constexpr int16_t kFallbackSoundLevel = 8;
constexpr int16_t kLowestSkill = 1;
}  // namespace

namespace storageLeast {

std::string chooseNoFile(std::string_view /*prompt*/, std::string_view /*defaultName*/) { return {}; }

void storeOlderLayoutSettings(const OlderLayoutSettings& s) {
  shell.phoneNumber = s.phoneNumber;
  shell.playerNames[0] = s.playerNames[0];
  shell.playerNames[1] = s.playerNames[1];
  const bool levelFits = s.soundLevel >= kLowestSoundLevel && s.soundLevel <= kHighestSoundLevel;
  settings.soundOptions.soundLevel = levelFits ? s.soundLevel : kFallbackSoundLevel;
  // A skill outside the menu keeps the one in force: it indexes the skill tables.
  if (s.skillLevel >= kLowestSkill && s.skillLevel <= kHighestSkillLevel) skill.skillLevel = s.skillLevel;
  cube.cubeUsed = s.cubeUsed;
  cube.autoDoubleMax = s.autoDoubleMax;
  cube.beaverAllowed = s.beaverAllowed;
  cube.acceptDoubles = s.acceptDoubles;
  options.rollOverOnce = s.rollOverOnce;
  cube.jacobyRule = s.jacobyRule;
  cube.crawfordRule = s.crawfordRule;
}

}  // namespace storageLeast
}  // namespace bg
