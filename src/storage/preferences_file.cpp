#include "storage/preferences_file.h"

#include <string>

#include "flow/turn_services.h"
#include "runtime/core/files.h"
#include "runtime/core/own_files.h"
#include "runtime/core/format.h"
#include "state/app_constants.h"
#include "state/display_settings.h"
#include "state/shell_state.h"
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
constexpr std::string_view kLoadKey = "LOADGAMEONSTARTUP";
constexpr std::string_view kSavedKey = "GAMEWASSAVED";
constexpr std::string_view kSavedGameNotResumed =
    "The game saved now will not come back by itself at the next start: File > Open Saved Game brings it.";

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

// Writes text as the whole file at path through the preferences' file number, file errors
// going to onError; true when every byte reached the file.
bool writeWholeFile(const std::filesystem::path& path, const std::string& text, FileErrorVector onError) {
  const FileErrorVector old = setFileErrorVector(onError);
  bool written = openOutput(kPreferencesFileNumber, path);
  if (written) {
    written = writeToFile(kPreferencesFileNumber, text);
    written = closeFile(kPreferencesFileNumber) && written;
  }
  setFileErrorVector(old);
  return written;
}

// A file that did not read whole is copied aside as it is before the quit writes a new one;
// when the copy fails it is not written over, as one that could not be read.
void keepDamagedFile(const std::string& text) {
  const bool kept = writeWholeFile(preferencesKeptCopyPath(), text, nullptr);
  if (kept) storage.prefsDamaged = -1;
  else storage.prefsUnreadable = -1;
}

// Whether the file kept names the game to resume as the one to resume at the next start,
// read as the reader takes the two lines: the name counts only after the switch, which
// turned off forgets it.
bool keptFileResumes(const std::string& name) {
  std::string text;
  if (!readWhole(preferencesPath(), text)) return false;
  bool load = false;
  std::string resumed;
  forEachPreferenceLine(text, [&](std::string_view key, std::string_view value) {
    if (key == kLoadKey) {
      const int16_t n = int16Of(val(value));
      if (n == 0 || n == -1) load = n != 0;
      if (!load) resumed.clear();
    } else if (key == kSavedKey && load) {
      resumed = value;
    }
  });
  return load && !resumed.empty() && resumed == name;
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

[[maybe_unused]] static const bool preferencesAreOwnFiles =
    registerOwnFile(preferencesPath) && registerOwnFile(preferencesKeptCopyPath);

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
  if (writeWholeFile(preferencesPath(), text, setFileErrorFlag)) return {};
  std::string failure = std::string(kNotWritten) + " " + lastFileErrorCause();
  const bool kept = fileExists(preferencesPath());
  if (kept) failure += " " + std::string(kOldFileKept);
  // The game to resume is named for the next start only by the file that was not written,
  // unless the one kept names it already.
  const bool toResume = storage.gameWasSaved != 0 && storage.loadGameOnStartup != 0;
  if (toResume && !(kept && keptFileResumes(shell.savedGameName.str())))
    failure += "\r" + std::string(kSavedGameNotResumed);
  return failure;
}

}  // namespace bg
