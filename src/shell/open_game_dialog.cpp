#include "shell/open_game_dialog.h"

#include "dialogs/note_pad.h"
#include "rollout/rollout_report.h"
#include "runtime/core/files.h"
#include "runtime/qt/file_chooser.h"
#include "storage/preferences_file.h"

namespace bg {

namespace {

// A file the program writes for itself that holds no game.
bool ownFileHoldingNoGame(const std::filesystem::path& file) {
  const std::filesystem::path seen = file.lexically_normal();
  for (const std::filesystem::path& own :
       {dataFilePath(kNotePadFileName), dataFilePath(kNotePadKeptCopyName), dataFilePath(kRolloutReportName),
        preferencesPath(), preferencesKeptCopyPath()})
    if (own.lexically_normal() == seen) return true;
  return false;
}

}  // namespace

std::filesystem::path chooseGameToOpen(std::string_view prompt) {
  return chooseFileToOpen(prompt, dataFolder(), ownFileHoldingNoGame);
}

}  // namespace bg
