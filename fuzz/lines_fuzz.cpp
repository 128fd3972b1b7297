// Line input over any bytes: every read takes bytes, valid text is cut between
// characters, and the pieces join up to the file with its line ends left out.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "runtime/core/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bg;
  const std::string_view bytes = fuzz::bytesOf(data, size);
  const fuzz::ScratchInput file("lines", bytes);
  const std::int16_t n = file.number();
  const bool validText = fuzz::isValidUtf8(bytes);
  std::string joined;
  for (std::size_t reads = 0; !fileEof(n); ++reads) {
    fuzz::check(reads < size, "every line read takes a byte");
    const Str255 piece = lineInput(n);
    fuzz::check(piece.view().find_first_of("\r\n") == std::string_view::npos, "no line end in a line");
    fuzz::check(!validText || fuzz::isValidUtf8(piece), "valid text is cut between characters");
    joined += piece.view();
  }
  std::string expected(bytes);
  std::erase_if(expected, [](char c) { return c == '\r' || c == '\n'; });
  fuzz::check(joined == expected, "the pieces join up to the file");
  setLastFileError(0);
  fuzz::check(lineInput(n).empty() && lastFileError() == ((n << 8) | kFileErrorPastEnd),
              "reading past the end is a file error");
  return 0;
}
