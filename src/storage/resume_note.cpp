#include "storage/resume_note.h"

#include <system_error>

#include "runtime/core/files.h"
#include "runtime/core/own_files.h"
#include "storage/preference_appliers.h"
#include "storage/preferences_reader.h"
#include "storage/preferences_writer.h"
#include "storage/resume_lines.h"

namespace bg {

namespace {

constexpr int16_t kResumeNoteFileNumber = 3;  // the preferences' own: the note stands in for them
constexpr char kLineEnd = '\r';

bool isResumeKey(std::string_view key) { return key == kLoadGameOnStartupKey || key == kGameWasSavedKey; }

}  // namespace

[[maybe_unused]] static const bool resumeNoteIsOwnFile = registerOwnFile(resumeNotePath);

std::filesystem::path resumeNotePath() { return dataFilePath(kResumeNoteName); }

std::string gameResumedBy(std::string_view preferencesText) {
  ResumeLines lines;
  forEachPreferenceLine(preferencesText, [&lines](std::string_view key, std::string_view value) {
    takeResumeLine(lines, key, value);
  });
  return lines.savedGameName;
}

bool writeResumeNote(std::string_view preferencesText) {
  std::string note;
  forEachPreferenceLine(preferencesText, [&note](std::string_view key, std::string_view value) {
    if (isResumeKey(key)) note += std::string(key) + std::string(kKeySeparator) + std::string(value) + kLineEnd;
  });
  const FileErrorVector old = setFileErrorVector(nullptr);
  bool written = openOutput(kResumeNoteFileNumber, resumeNotePath());
  if (written) {
    written = writeToFile(kResumeNoteFileNumber, note);
    written = closeFile(kResumeNoteFileNumber) && written;
  }
  setFileErrorVector(old);
  return written;
}

void removeResumeNote() {
  std::error_code ec;
  std::filesystem::remove(resumeNotePath(), ec);
}

bool resumeNoteInForce(const std::filesystem::path& preferences) {
  std::error_code ec;
  const auto noteTime = std::filesystem::last_write_time(resumeNotePath(), ec);
  if (ec) return false;
  const auto fileTime = std::filesystem::last_write_time(preferences, ec);
  return !ec && noteTime >= fileTime;
}

void applyResumeNote(std::string_view note) {
  forEachPreferenceLine(note, [](std::string_view key, std::string_view value) {
    if (key == kLoadGameOnStartupKey) applyPrefLoadGameOnStartup(value);
    if (key == kGameWasSavedKey) applyPrefGameWasSaved(value);
  });
}

}  // namespace bg
