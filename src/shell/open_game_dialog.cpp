#include "shell/open_game_dialog.h"

#include <algorithm>
#include <vector>

#include "dialogs/note_pad.h"
#include "rollout/rollout_report.h"
#include "runtime/core/files.h"
#include "runtime/qt/file_chooser.h"
#include "storage/preferences_file.h"
#include "storage/resume_note.h"

namespace bg {

std::filesystem::path chooseGameToOpen(std::string_view prompt) {
  // The program's own files that hold no game, named once for the whole list, and the
  // damaged copies kept of them, whatever their number.
  std::vector<std::filesystem::path> noGames;
  for (const std::filesystem::path& own :
       {dataFilePath(kNotePadFileName), dataFilePath(kRolloutReportName), preferencesPath(), resumeNotePath()})
    noGames.push_back(own.lexically_normal());
  return chooseFileToOpen(prompt, dataFolder(), [noGames](const std::filesystem::path& file) {
    return std::find(noGames.begin(), noGames.end(), file.lexically_normal()) != noGames.end() ||
           isNotePadDamagedCopy(file) || isPreferencesDamagedCopy(file);
  });
}

}  // namespace bg
