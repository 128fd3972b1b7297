#include "storage/preferences_file.h"

#include <string>

#include "flow/turn_services.h"
#include "runtime/core/files.h"
#include "runtime/core/own_files.h"
#include "state/app_constants.h"
#include "state/display_settings.h"
#include "state/storage_state.h"
#include "storage/file_services.h"
#include "storage/preferences_reader.h"
#include "storage/preferences_writer.h"

namespace bg {

namespace {

constexpr int16_t kPreferencesFileNumber = 3;
constexpr std::string_view kUnreadableText =
    "The preferences file could not be read. The program starts with its usual settings, and the settings "
    "of this session will not be saved, so that the file is not written over: ";
constexpr std::string_view kNotWritten = "The preferences could not be saved.";
constexpr std::string_view kOldFileKept = "The previous settings file is kept.";

// The whole file; false when it cannot be opened or read (a folder opens but does not read).
bool readWhole(const std::filesystem::path& path, std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char buf[8192];
  std::size_t got = 0;
  while ((got = std::fread(buf, 1, sizeof buf, file)) > 0) text.append(buf, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

// A file that could not be read is not written over; without a folder there is no file.
bool preferencesToBeWritten() { return storage.prefsUnreadable == 0 && !preferencesFolder().empty(); }

}  // namespace

std::filesystem::path preferencesPath() {
  return preferencesFilePath(appConstants.programName.str() + " Preferences");
}

[[maybe_unused]] static const bool preferencesAreOwnFile = registerOwnFile(preferencesPath);

void loadPreferences() {
  // Without a preferences folder (a test, a home that cannot be made) it is a first run.
  const std::filesystem::path path = preferencesFolder().empty() ? std::filesystem::path() : preferencesPath();
  if (path.empty() || makeFSSpec(path) == 0) {
    storage.prefsVersion = appConstants.versionText.view();
    storage.firstRun = 255;
    validateWindowRect();
    return;
  }
  storage.prefsLoading = -1;
  displaySettings.pieceShapeBase = static_cast<int16_t>(2 * displaySettings.pieceShapeApplied);
  std::string text;
  if (readWhole(path, text)) {
    parsePreferences(text);
  } else {
    // Told once the board can show it (tellUnreadablePreferences).
    storage.prefsUnreadable = -1;
  }
  storage.prefsLoading = 0;
  storage.prefsVersion = appConstants.versionText.view();
  validateWindowRect();
}

void tellUnreadablePreferences() {
  if (storage.prefsUnreadable != 0) hook::showInformation(std::string(kUnreadableText) + preferencesPath().string());
}

std::string writePreferences() {
  if (!preferencesToBeWritten()) return {};
  const std::string text = preferencesText();
  storage.fileError = 0;
  const FileErrorVector old = setFileErrorVector(setFileErrorFlag);
  bool written = openOutput(kPreferencesFileNumber, preferencesPath());
  if (written) {
    written = writeToFile(kPreferencesFileNumber, text);
    written = closeFile(kPreferencesFileNumber) && written;
  }
  setFileErrorVector(old);
  if (written) return {};
  return std::string(kNotWritten) + " " + lastFileErrorCause() + " " + std::string(kOldFileKept);
}

}  // namespace bg
