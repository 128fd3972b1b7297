#pragma once
// The voice names the game prefers, which no Linux system has, each mapped to an
// espeak-ng voice and variant of the same character. They are voices 1 to
// kVoiceAliasCount of the voice menu, ahead of espeak-ng's own voices, so the preference
// order at start-up finds a voice.
#include <cstdint>
#include <string_view>

namespace bg {

struct VoiceAlias {
  std::string_view name;   // as the menu and the preferences show it
  std::string_view voice;  // espeak-ng voice+variant
};

inline constexpr int16_t kVoiceAliasCount = 5;

inline constexpr VoiceAlias kVoiceAliases[kVoiceAliasCount] = {
    {"Bruce", "en-us+m3"},                     // male, American
    {"Fred", "en-us+m1"},                      // male, plain
    {"Male Voice, Compressed", "en+m7"},       // male, narrow
    {"Marvin", "en+robosoft"},                 // robotic
    {"Female Voice, Compressed", "en+f3"},     // female
};

}  // namespace bg
