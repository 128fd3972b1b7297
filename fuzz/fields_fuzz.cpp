// Field input over any bytes: every read takes bytes, fields are bytes of the file and
// valid text stays valid; after the last line, line input takes what is left of it.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "runtime/core/files.h"

namespace {
constexpr std::size_t kEveryNumberRead = 4;  // every so often a field is read as a number
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bg;
  const std::string_view bytes = fuzz::bytesOf(data, size);
  const fuzz::ScratchInput file("fields", bytes);
  const std::int16_t n = file.number();
  const bool validText = fuzz::isValidUtf8(bytes);
  for (std::size_t reads = 0; !fileEof(n); ++reads) {
    fuzz::check(reads < size, "every field read takes a byte");
    if (reads % kEveryNumberRead == kEveryNumberRead - 1) {
      inputInt32(n);
      continue;
    }
    const Str255 field = inputField(n);
    fuzz::check(bytes.find(field.view()) != std::string_view::npos, "a field is bytes of the file");
    fuzz::check(!validText || fuzz::isValidUtf8(field), "valid text is cut between characters");
  }
  const Str255 rest = lineInput(n);
  fuzz::check(bytes.find(rest.view()) != std::string_view::npos, "the rest is bytes of the file");
  setLastFileError(0);
  fuzz::check(inputField(n).empty() && lastFileError() == ((n << 8) | kFileErrorPastEnd),
              "reading past the end is a file error");
  return 0;
}
