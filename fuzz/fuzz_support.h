#pragma once
// What the fuzz targets share. A failed check goes to a handler: the libFuzzer programs
// abort, so libFuzzer keeps the input; the test suite throws, to name the input.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace bg::fuzz {

// Must not return. nullptr restores the default (print and abort). Returns the old one.
using FailureHandler = void (*)(const char* what);
FailureHandler setFailureHandler(FailureHandler handler);
// Fails the run, naming the property, unless ok.
void check(bool ok, const char* what);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text);

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input as a file of its own, open for input under one file number with file errors
// quiet; closed, restored and removed again even when a check throws.
class ScratchInput {
 public:
  ScratchInput(std::string_view tag, std::string_view bytes);
  ~ScratchInput();
  ScratchInput(const ScratchInput&) = delete;
  ScratchInput& operator=(const ScratchInput&) = delete;
  std::int16_t number() const;

 private:
  std::filesystem::path path_;
  void (*oldVector_)(std::int32_t);
};

}  // namespace bg::fuzz
