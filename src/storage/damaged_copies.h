#pragma once
// Where a file that did not read whole is kept aside, as it was, beside itself: the first
// copy as "<name> damaged", later ones as "<name> damaged 2", "<name> damaged 3" and so on,
// the name's extension (when it has one) kept last. A copy kept earlier is never written
// over. One rule for every file of the program that keeps its damaged copies.
#include <filesystem>
#include <string>
#include <string_view>

namespace bg {

// The n-th name (from 1) for a damaged copy of the file `stem` + `extension`.
std::filesystem::path damagedCopyPath(const std::filesystem::path& stem, std::string_view extension, int n = 1);

// Whether `file` bears one of those names, whichever its number.
bool isDamagedCopyPath(const std::filesystem::path& file, const std::filesystem::path& stem,
                       std::string_view extension);

// The first of those names that no file holds; with `sameBytes`, a copy that holds those
// bytes already is named instead, so the same damage is kept once. Empty when every name
// is taken.
std::filesystem::path freeDamagedCopyPath(const std::filesystem::path& stem, std::string_view extension,
                                          const std::string* sameBytes = nullptr);

}  // namespace bg
