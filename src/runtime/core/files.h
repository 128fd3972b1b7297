#pragma once
// Text files by number (1 to 255): open for input, output or append; read line by line
// (LINE INPUT) or field by field (INPUT #); write lines ended by a carriage return.
// Text is UTF-8 bytes and passes through unchanged. Bytes that are not valid UTF-8 (a
// Latin-1 or damaged file) are kept as they are, never replaced or dropped: with the line
// ends left out, the pieces read join up to the file's bytes. Every read before the end
// takes at least one byte, so reading until fileEof always ends.
//
// Every failure sets the last file error (the file number in the high byte, the code in
// the low byte) and calls the file-error vector: by default the alert
// "The program has returned a file error.", or a routine of the program's own that only
// raises a flag the caller tests, or nothing when the vector is cleared.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/pstring.h"

namespace bg {

inline constexpr std::int16_t kHighestFileNumber = 255;
inline constexpr std::string_view kFileErrorAlertText = "The program has returned a file error.";

// Low byte of a file error.
enum FileErrorCode : std::uint8_t {
  kFileErrorBadNumber = 1,    // a file number outside 1 to 255
  kFileErrorNotOpen = 2,      // reading or writing a number that is not open
  kFileErrorAlreadyOpen = 3,  // opening a number that is in use
  kFileErrorOpenFailed = 4,   // the file is missing or cannot be opened
  kFileErrorReadFailed = 5,
  kFileErrorWriteFailed = 6,  // also a failure to write out the rest at close
  kFileErrorWrongMode = 7,    // reading an output file or writing an input file
  kFileErrorPastEnd = 10,     // reading after the end of the file
};

// The file-error routine; it receives the error (also in lastFileError()).
using FileErrorVector = void (*)(std::int32_t error);
// Installs the routine; nullptr switches the reporting off. Returns the previous one.
FileErrorVector setFileErrorVector(FileErrorVector vector);
// The runtime's default file-error routine: shows kFileErrorAlertText with the error
// number through the alert presenter.
void FBFileErrorAlert(std::int32_t error);

// How the alert is shown; the Qt side installs a message box. The default writes to
// stderr. Returns the previous presenter.
using FileErrorAlertPresenter = void (*)(std::string_view text, std::int32_t error);
FileErrorAlertPresenter setFileErrorAlertPresenter(FileErrorAlertPresenter presenter);

// Test seams: the nth write from now (1: the next) fails as a full disk would; the next
// rename of a finished output file fails; both cleared.
void failNthFileWrite(int n);
void failNextFileRename();
void clearFileFaults();

std::int32_t lastFileError();
void setLastFileError(std::int32_t error);  // 0 clears it, and its cause
// Why the last failure to open or write happened, in words for the person ("The disk is
// full.", "The folder ... does not exist."), naming the folder or file where it helps;
// kNoCauseGiven when the system gave no reason.
inline constexpr std::string_view kNoCauseGiven = "The system gave no reason.";
std::string lastFileErrorCause();

// Opening. A failure leaves the number closed and returns false.
bool openInput(std::int16_t n, const std::filesystem::path& path);
// Output replaces a regular file whole or not at all: the text goes to a temporary file
// beside it, which the close puts on disk and renames over the file. A failed write or
// close keeps the old file, removes the temporary and is reported once. Temporaries of the
// same file left by a run that was killed before its rename, and long untouched, are
// removed. A device is written in place.
bool openOutput(std::int16_t n, const std::filesystem::path& path);
bool openAppend(std::int16_t n, const std::filesystem::path& path);  // created when missing
// Closing writes out what is pending; a failure there, or an earlier failed write of the
// file, gives false (reported once).
// Closing a number that is not open does nothing.
bool closeFile(std::int16_t n);
void closeAllFiles();
bool fileIsOpen(std::int16_t n);

// LINE INPUT: the rest of the current line, or the next line. A line ends at CR, LF or
// CR LF (none of them part of it) and holds at most 255 bytes; a longer line comes in
// pieces, cut between characters (a stray byte of invalid UTF-8 counts as one).
Str255 lineInput(std::int16_t n);
// INPUT #: the next field. When the current line is used up the next line is read.
// Blanks and tabs before a field are skipped; a field that starts with a double quote
// runs to the closing quote, any other up to the next comma or tab or the end of the
// line (blanks at its end stay). After it, blanks, tabs and one comma are passed over.
Str255 inputField(std::int16_t n);
// INPUT # into a number: the field read as VAL reads it, keeping the low bits.
std::int16_t inputInt16(std::int16_t n);
std::int32_t inputInt32(std::int16_t n);
std::uint8_t inputByte(std::int16_t n);
// EOF: true once the last line has been taken into the line buffer, even while fields
// of it remain; true for a number that is not open for input.
bool fileEof(std::int16_t n);

// PRINT #: the text and a carriage return. False (and reported) when the write fails.
bool printToFile(std::int16_t n, std::string_view text);
// The text without a line end (PRINT # with a trailing semicolon).
bool writeToFile(std::int16_t n, std::string_view text);

bool fileExists(const std::filesystem::path& path);
// DEF OPEN: file type and creator codes mean nothing here.
inline void defOpen(std::string_view /*typeAndCreator*/) {}

// The per-user folders: the data folder holds the saved game, the rollout report, the
// note pad and the custom colour file; the preferences folder the preferences file.
// Each is created when missing; false when that fails.
bool setDataFolder(const std::filesystem::path& folder);
bool setPreferencesFolder(const std::filesystem::path& folder);
const std::filesystem::path& dataFolder();
const std::filesystem::path& preferencesFolder();
// Removes the temporaries a killed run left long ago beside the named files, those the program
// writes under its own names in the folder (those of any file also go at that file's next
// write). Nothing else in the folder is touched: a person's file may look like a temporary.
void removeStaleTemporariesIn(const std::filesystem::path& folder, const std::vector<std::string>& names);
// A file name in the folder; the folder is created again if it went missing.
std::filesystem::path dataFilePath(std::string_view name);
std::filesystem::path preferencesFilePath(std::string_view name);

}  // namespace bg
