#include "storage/startup_notices.h"

#include <filesystem>
#include <string>
#include <string_view>

#include "flow/turn_services.h"
#include "runtime/core/files.h"
#include "state/storage_state.h"
#include "storage/preferences_file.h"

namespace bg {

namespace {

constexpr std::string_view kUnreadableText =
    "The preferences file could not be read. The program starts with its usual settings, and the settings "
    "of this session will not be saved, so that the file is not written over: ";
constexpr std::string_view kDamagedText = "The preferences file was damaged: ";
constexpr std::string_view kDamagedKeptText =
    ". The settings it held up to the damage are used, and this session's are saved in a new file. "
    "The damaged file is kept as ";
constexpr std::string_view kDamagedNotCopiedText =
    ". The settings it held up to the damage are used. No copy of it could be made, so it is not "
    "written over: the settings of this session will not be saved.";

}  // namespace

// A folder that could not be made keeps nothing of this session: told before anything is
// played that would be lost.
void tellFoldersNotMade() {
  std::string told;
  std::error_code ec;
  if (!std::filesystem::is_directory(preferencesFolder(), ec))
    told += "The folder " + preferencesFolder().string() + " could not be made: the settings will not be kept. ";
  ec.clear();
  if (!std::filesystem::is_directory(dataFolder(), ec))
    told += "The folder " + dataFolder().string() +
            " could not be made: no game, note pad or report will be kept, and no game can be resumed. ";
  if (told.empty()) return;
  told.pop_back();
  hook::showInformation(told);
}

void tellPreferencesNotReadWhole() {
  const std::string file = preferencesPath().string();
  if (storage.prefsUnreadable != 0) {
    hook::showInformation(std::string(kUnreadableText) + file);
  } else if (storage.prefsDamaged != 0 && storage.prefsKeptCopyName.empty()) {
    hook::showInformation(std::string(kDamagedText) + file + std::string(kDamagedNotCopiedText));
  } else if (storage.prefsDamaged != 0) {
    hook::showInformation(std::string(kDamagedText) + file + std::string(kDamagedKeptText) +
                          storage.prefsKeptCopyName.str() + ".");
  }
}

}  // namespace bg
