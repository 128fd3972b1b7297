#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "runtime/core/files.h"

namespace bg::fuzz {
namespace {

// The highest number, out of the way of the numbers tests and the game use.
constexpr std::int16_t kScratchFileNumber = kHighestFileNumber;

void printAndAbort(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

FailureHandler gHandler = printAndAbort;

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

FailureHandler setFailureHandler(FailureHandler handler) {
  const FailureHandler old = gHandler;
  gHandler = handler != nullptr ? handler : printAndAbort;
  return old;
}

void check(bool ok, const char* what) {
  if (ok) return;
  gHandler(what);
  printAndAbort(what);  // a handler that returned
}

bool isValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t len = 1;
    char32_t code = c;
    char32_t least = 0;  // the smallest value its length may carry
    if (c >= 0xF0 && c <= 0xF4) {
      len = 4, code = c & 0x07, least = 0x10000;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3, code = c & 0x0F, least = 0x800;
    } else if (c >= 0xC2 && c <= 0xDF) {
      len = 2, code = c & 0x1F, least = 0x80;
    } else if (c >= 0x80) {
      return false;
    }
    if (i + len > text.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if (!isContinuation(b)) return false;
      code = (code << 6) | (b & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

ScratchInput::ScratchInput(std::string_view tag, std::string_view bytes)
    : path_(std::filesystem::temp_directory_path() /
            ("bg_fuzz_" + std::string(tag) + "_" + std::to_string(getpid()))),
      oldVector_(setFileErrorVector(nullptr)) {
  std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  closeFile(kScratchFileNumber);
  if (openInput(kScratchFileNumber, path_)) return;
  setFileErrorVector(oldVector_);  // the destructor does not run after a throw here
  check(false, "the scratch file opens");
}

ScratchInput::~ScratchInput() {
  closeFile(kScratchFileNumber);
  setFileErrorVector(oldVector_);
  std::error_code ec;
  std::filesystem::remove(path_, ec);
}

std::int16_t ScratchInput::number() const { return kScratchFileNumber; }

}  // namespace bg::fuzz
