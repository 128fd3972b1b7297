#pragma once
// The note pad: the user's own notes, kept as RTF in "notePad.txt" in the data folder,
// read on every opening and written at a closing when they were changed.
#include <QByteArray>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class QTextDocument;

namespace bg {

inline constexpr std::string_view kNotePadFileName = "notePad.txt";
// Whether `file` is where a note pad file that did not read whole is kept: "notePad
// damaged.txt", or a later one beside it, numbered ("notePad damaged 2.txt", ...).
bool isNotePadDamagedCopy(const std::filesystem::path& file);

// Refused while a checker is held or the help window or note pad is open. A file that
// does not read whole is shown as far as it reads, and the person is told so and where
// the file, as it is, is kept.
void openNotePad();
// Reads the file into window n's view, creating it empty when missing; 0, or the error.
int16_t loadNotePadFile(int16_t n, const std::filesystem::path& file);
// Saves the note pad and closes it. On a failure the user is told in a box that the note
// pad could not be saved and why, and the window stays open with its text; returns false.
bool saveNotePad();
// The same without the box: empty when saved (or unchanged) and closed, otherwise what
// could not be saved and why, the window left open with its text.
std::string saveAndCloseNotePad();
// Closes the note pad, its changes given up; they are kept aside for a quit that stays.
void closeNotePadUnsaved();
// The note pad given up by a quit that then stayed comes back with the notes it held.
void reopenGivenUpNotePad();
// Writes the document as RTF through a temporary file renamed over the old one, so a
// failure leaves the old file whole; 0 or the error number.
int16_t saveNotePadFile(const QTextDocument& doc, const std::filesystem::path& file);
// Prints the note pad's text.
void notePadEditOps();
bool notePadShowing();

}  // namespace bg
