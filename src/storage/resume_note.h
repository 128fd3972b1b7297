#pragma once
// When the preferences cannot be written at a quit, the file kept may name another game to
// resume than the quit meant: an older one, or one where the quit keeps none. A note in the
// data folder then holds the two resume lines the quit meant, and the next start takes
// them over the file's. Writing the preferences whole ends the note.
#include <filesystem>
#include <string>
#include <string_view>

namespace bg {

inline constexpr std::string_view kResumeNoteName = "Game To Resume";

std::filesystem::path resumeNotePath();

// The game the resume lines of a preferences text name, by the reader's rule; empty: none.
std::string gameResumedBy(std::string_view preferencesText);

// The resume lines of the preferences text not written; false when the note cannot be kept.
bool writeResumeNote(std::string_view preferencesText);
void removeResumeNote();

// At the start, once the preferences file is read: a note written after it is in force.
// A note older than the file outlived a write that should have ended it.
bool resumeNoteInForce(const std::filesystem::path& preferences);
void applyResumeNote(std::string_view note);

}  // namespace bg
