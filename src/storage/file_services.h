#pragma once
// Small services of the file code: whether a file exists, the numbers of a value that
// holds several, and the file-error routines the readers install.
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace bg {

// -1 when the file exists, else 0 (any failure counts as missing).
int16_t makeFSSpec(const std::filesystem::path& path);

// The next blank-separated number of text from position (1-based) on, read as VAL reads
// it from at most its first 15 characters; 0 for an empty field. The position moves to
// the next field, or past the end once the text is used up (so a further call gives 0).
int32_t parseFieldList(int16_t& position, std::string_view text);
// The same field as the number VAL reads, before it is cut to an Int32.
double parseFieldValue(int16_t& position, std::string_view text);

// File-error routines: both note the failure in storage.fileError; the alert also shows
// "disk error" unless the reading only ran past the end.
void setFileErrorFlag(int32_t error);
void diskErrorAlert(int32_t error);

}  // namespace bg
