#include "audio/speech_errors.h"

#include <string_view>

#include "runtime/core/format.h"

namespace bg {

namespace {

constexpr std::string_view kSpeechErrors[] = {
    "Unable to speak string.",
    "Error counting voices available.",
    "Can’t get individual voice.",
    "Can’t get voice description.",
    "Can’t create speech channel.",
    "Problem trying to speak text.",
    "Can’t create channel pointer.",
    "Can’t create text buffer.",
    "9",
    "10",
};
constexpr int16_t kSpeechErrorCount = 10;

// The first `characters` characters of a UTF-8 text.
std::string firstCharacters(const std::string& text, std::size_t characters) {
  std::size_t seen = 0;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const bool startsCharacter = (static_cast<unsigned char>(text[k]) & 0xC0) != 0x80;
    if (startsCharacter && seen++ == characters) return text.substr(0, k);
  }
  return text;
}

}  // namespace

std::string speechErrorText(int16_t errorNumber, int status) {
  std::string text = errorNumber >= 1 && errorNumber <= kSpeechErrorCount
                         ? std::string(kSpeechErrors[errorNumber - 1])
                         : std::string("Unknown error.");
  text += " [" + strS(status) + "]";
  return firstCharacters(text, kSpeechErrorLength);
}

}  // namespace bg
