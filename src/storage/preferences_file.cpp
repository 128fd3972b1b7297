#include "storage/preferences_file.h"

#include <string>

#include "runtime/core/files.h"
#include "runtime/core/own_files.h"
#include "state/app_constants.h"
#include "state/display_settings.h"
#include "state/storage_state.h"
#include "storage/damaged_copies.h"
#include "storage/file_services.h"
#include "storage/preferences_reader.h"
#include "storage/preferences_writer.h"
#include "storage/resume_note.h"

namespace bg {

namespace {

constexpr int16_t kPreferencesFileNumber = 3;
constexpr std::string_view kNotWritten = "The preferences could not be saved.";
constexpr std::string_view kOldFileKept = "The previous settings file is kept.";
constexpr std::string_view kSavedGameNotResumed =
    "The game saved now will not come back by itself at the next start: File > Open Saved Game brings it.";
constexpr std::string_view kOlderGameResumedBefore = "The next start will bring back the game saved earlier in ";
constexpr std::string_view kOlderGameResumedAfter = ", not this one.";

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
// when no copy can be made it is not written over.
void keepDamagedFile(const std::string& text) {
  storage.prefsDamaged = -1;
  const std::filesystem::path kept = freeDamagedCopyPath(preferencesPath(), {});
  if (!kept.empty() && writeWholeFile(kept, text, nullptr)) storage.prefsKeptCopyName.assign(kept.string());
}

// The game the file kept names to resume at the next start; empty: none.
std::string gameTheKeptFileResumes() {
  std::string text;
  if (!readWhole(preferencesPath(), text)) return {};
  return gameResumedBy(text);
}

// The file kept stays in force: where it names another game to resume than this quit, the
// note makes the next start resume the quit's; without the note, the words say what comes.
std::string resumeAfterFailedWrite(const std::string& text, bool kept) {
  const std::string meant = gameResumedBy(text);
  const std::string older = kept ? gameTheKeptFileResumes() : std::string();
  if (kept && older == meant) removeResumeNote();
  if (kept && older != meant && writeResumeNote(text)) return {};
  std::string words;
  if (!older.empty() && older != meant)
    words += "\r" + std::string(kOlderGameResumedBefore) + older + std::string(kOlderGameResumedAfter);
  if (!meant.empty() && older != meant) words += "\r" + std::string(kSavedGameNotResumed);
  return words;
}

// A file that could not be read is not written over; without a folder there is no file.
bool preferencesToBeWritten() { return !preferencesKeptAsTheyAre() && !preferencesFolder().empty(); }

}  // namespace

std::filesystem::path preferencesPath() {
  return preferencesFilePath(appConstants.programName.str() + " Preferences");
}

std::filesystem::path preferencesKeptCopyPath() { return damagedCopyPath(preferencesPath(), {}); }

bool isPreferencesDamagedCopy(const std::filesystem::path& file) {
  return isDamagedCopyPath(file, preferencesPath(), {});
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
    std::string note;
    if (resumeNoteInForce(path) && readWhole(resumeNotePath(), note)) applyResumeNote(note);
  } else {
    // Told once the board can show it (tellPreferencesNotReadWhole).
    storage.prefsUnreadable = -1;
  }
  storage.prefsLoading = 0;
  storage.prefsVersion = appConstants.versionText.view();
  validateWindowRect();
}

bool preferencesKeptAsTheyAre() {
  return storage.prefsUnreadable != 0 || (storage.prefsDamaged != 0 && storage.prefsKeptCopyName.empty());
}

std::string writePreferences() {
  if (!preferencesToBeWritten()) return {};
  const std::string text = preferencesText();
  storage.fileError = 0;
  if (writeWholeFile(preferencesPath(), text, setFileErrorFlag)) {
    removeResumeNote();
    return {};
  }
  std::string failure = std::string(kNotWritten) + " " + lastFileErrorCause();
  const bool kept = fileExists(preferencesPath());
  if (kept) failure += " " + std::string(kOldFileKept);
  return failure + resumeAfterFailedWrite(text, kept);
}

}  // namespace bg
