#include "shell/saved_game_commands.h"

#include <filesystem>
#include <string>

#include "audio/sound_effects.h"
#include "computer/personalities.h"
#include "display/upper_services.h"
#include "flow/turn_services.h"
#include "interaction/board_waits.h"
#include "rules/play_search.h"
#include "runtime/core/files.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/save_file_chooser.h"
#include "shell/open_game_dialog.h"
#include "shell/option_toggles.h"
#include "shell/radio_groups.h"
#include "shell/refusals.h"
#include "shell/shell_settings.h"
#include "state/cube_state.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/quit_services.h"
#include "state/settings.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "storage/saved_game_file.h"
#include "storage/storage_services.h"

namespace bg {

namespace {

constexpr int16_t kLowestSoundLevel = 1;
constexpr int16_t kHighestSoundLevel = 10;
constexpr int16_t kFallbackSoundLevel = 8;

bool heldCheckerRefusal() {
  if (hand.pieceInHand == 0) return false;
  refuseWithCheckerInHand();
  return true;
}

// The rollout's game is never saved as the person's: the File menu stays off while a
// rollout holds the board.
bool saveRefused() { return heldCheckerRefusal() || refuseWhileSearching(); }

bool openRefused() {
  if (heldCheckerRefusal()) return true;
  if (panelWait.questionPanelUp != 0) {
    refuseWhileQuestionWaits();
    return true;
  }
  return refuseWhileSearching();
}

std::string chooseSaveFile(std::string_view prompt, std::string_view defaultName) {
  return chooseFileToSave(prompt, dataFilePath(defaultName)).string();
}

// The open dialog starts in the data folder, where the games are saved, and lists games.
std::string chooseOpenFile(std::string_view prompt, std::string_view /*defaultName*/) {
  return chooseGameToOpen(prompt).string();
}

void applyOlderLayoutSettings(const OlderLayoutSettings& s) {
  shell.phoneNumber = s.phoneNumber;
  shell.playerNames[0] = s.playerNames[0];
  shell.playerNames[1] = s.playerNames[1];
  const bool levelFits = s.soundLevel >= kLowestSoundLevel && s.soundLevel <= kHighestSoundLevel;
  setSoundOption(levelFits ? s.soundLevel : kFallbackSoundLevel, false);
  if (s.skillLevel != skill.skillLevel && s.skillLevel >= kLowestSkillLevel && s.skillLevel <= kHighestSkillLevel) {
    skill.skillLevel = s.skillLevel;
    markSkillLevelMenus();
  }
  if (s.cubeUsed != cube.cubeUsed) toggleCubeUsed();
  if (s.autoDoubleMax != cube.autoDoubleMax && s.autoDoubleMax >= 0 &&
      s.autoDoubleMax < menuItemCount(kAutoDoubleMenu)) {
    shellSettings.autoDoubleMaxChoice = s.autoDoubleMax;
    selectAutoDoubleMax();
  }
  if (s.beaverAllowed != cube.beaverAllowed) toggleBeaverAllowed();
  if (s.acceptDoubles != cube.acceptDoubles) toggleAcceptDoubles();
  // The roll-over goes through its command, which keeps its menu mark and the board's
  // marker in step.
  if ((s.rollOverOnce != 0) != (options.rollOverOnce != 0)) hook::updateRollOverDisplay();
  if (s.jacobyRule != cube.jacobyRule) toggleJacobyRule();
  cube.crawfordRule = s.crawfordRule;
}

// The game kept at the last quit, read whole before any of it is put in place: one that
// cannot be resumed is refused as it stands.
bool resumeKeptGame() {
  if (!checkSavedGameToResume()) return false;
  const uint16_t loadedBefore = storage.gamesLoaded;
  loadGame(0);
  return storage.gamesLoaded != loadedBefore;
}

}  // namespace

void fileOpenSaveCommand(int16_t item) {
  switch (item) {
    case kOpenSavedGameItem:
      if (!openRefused()) loadGame(0);
      break;
    case kOpenGameItem:
      if (!openRefused()) openSavedGame();
      break;
    case kSaveGameItem:
      if (!saveRefused()) saveGame(0);
      break;
    case kSaveGameAsItem:
      if (!saveRefused()) saveGameAs();
      break;
    default: break;
  }
}

void takeDocumentFromCommandLine(int argc, char** argv) {
  if (argc < 2 || argv[1] == nullptr || argv[1][0] == '\0') return;
  std::error_code ec;
  const std::filesystem::path whole = std::filesystem::absolute(argv[1], ec);
  storage.openDocumentPending = -1;
  storage.openedDocumentName.assign(ec ? std::string(argv[1]) : whole.string());
}

void installSavedGameServices() {
  storageServices.chooseSaveFile = chooseSaveFile;
  storageServices.chooseOpenFile = chooseOpenFile;
  storageServices.applyOlderLayoutSettings = applyOlderLayoutSettings;
  upperServices.resumeKeptGame = resumeKeptGame;
  quitServices.endProcess = FBShutdown;
}

}  // namespace bg
