#include "storage/preferences_file.h"

#include <string>

#include "flow/turn_services.h"
#include "runtime/core/files.h"
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
constexpr std::string_view kDamagedText = "The preferences file was damaged: ";
constexpr std::string_view kDamagedKeptText =
    ". The settings it held up to the damage are used, and this session's are saved in a new file. "
    "The damaged file is kept as ";
constexpr std::string_view kKeptCopySuffix = " damaged";
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

// A file that did not read whole is copied aside as it is before the quit writes a new one;
// when the copy fails it is not written over, as one that could not be read.
void keepDamagedFile(const std::string& text) {
  const FileErrorVector old = setFileErrorVector(nullptr);
  bool kept = openOutput(kPreferencesFileNumber, preferencesKeptCopyPath());
  if (kept) {
    kept = writeToFile(kPreferencesFileNumber, text);
    kept = closeFile(kPreferencesFileNumber) && kept;
  }
  setFileErrorVector(old);
  if (kept) storage.prefsDamaged = -1;
  else storage.prefsUnreadable = -1;
}

// A file that could not be read is not written over; without a folder there is no file.
bool preferencesToBeWritten() { return storage.prefsUnreadable == 0 && !preferencesFolder().empty(); }

}  // namespace

std::filesystem::path preferencesPath() {
  return preferencesFilePath(appConstants.programName.str() + " Preferences");
}

std::filesystem::path preferencesKeptCopyPath() {
  std::filesystem::path kept = preferencesPath();
  kept += kKeptCopySuffix;
  return kept;
}

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
    if (!parsePreferences(text)) keepDamagedFile(text);
  } else {
    // Told once the board can show it (tellUnreadablePreferences).
    storage.prefsUnreadable = -1;
  }
  storage.prefsLoading = 0;
  storage.prefsVersion = appConstants.versionText.view();
  validateWindowRect();
}

void tellUnreadablePreferences() {
  if (storage.prefsUnreadable != 0) {
    hook::showInformation(std::string(kUnreadableText) + preferencesPath().string());
  } else if (storage.prefsDamaged != 0) {
    hook::showInformation(std::string(kDamagedText) + preferencesPath().string() + std::string(kDamagedKeptText) +
                          preferencesKeptCopyPath().string() + ".");
  }
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

bool savePreferences() {
  if (!preferencesToBeWritten()) return false;
  const std::string failure = writePreferences();
  if (!failure.empty()) hook::showInformation(failure);
  return failure.empty();
}

}  // namespace bg
