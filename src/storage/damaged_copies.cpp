#include "storage/damaged_copies.h"

#include <fstream>
#include <iterator>

namespace bg {

namespace {

constexpr std::string_view kDamagedSuffix = " damaged";
constexpr int kMostDamagedCopies = 99;  // "damaged", "damaged 2" ... "damaged 99"

bool holds(const std::filesystem::path& file, const std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  const std::string held((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return !in.bad() && held == bytes;
}

}  // namespace

std::filesystem::path damagedCopyPath(const std::filesystem::path& stem, std::string_view extension, int n) {
  std::filesystem::path kept = stem;
  kept += kDamagedSuffix;
  if (n > 1) kept += " " + std::to_string(n);
  kept += extension;
  return kept;
}

bool isDamagedCopyPath(const std::filesystem::path& file, const std::filesystem::path& stem,
                       std::string_view extension) {
  const std::filesystem::path named = file.lexically_normal();
  for (int n = 1; n <= kMostDamagedCopies; ++n)
    if (damagedCopyPath(stem, extension, n).lexically_normal() == named) return true;
  return false;
}

std::filesystem::path freeDamagedCopyPath(const std::filesystem::path& stem, std::string_view extension,
                                          const std::string* sameBytes) {
  if (sameBytes != nullptr) {
    for (int n = 1; n <= kMostDamagedCopies; ++n) {
      const std::filesystem::path kept = damagedCopyPath(stem, extension, n);
      if (holds(kept, *sameBytes)) return kept;
    }
  }
  for (int n = 1; n <= kMostDamagedCopies; ++n) {
    const std::filesystem::path kept = damagedCopyPath(stem, extension, n);
    std::error_code ec;
    if (!std::filesystem::exists(kept, ec) && !ec) return kept;
  }
  return {};
}

}  // namespace bg
