#include "audio/espeak_speech_engine.h"

#include <espeak-ng/speak_lib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "audio/sound_device.h"
#include "audio/voice_aliases.h"

namespace bg {

namespace {

constexpr float kSpeechVolume = 1.0f;

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int k = 0; k < bytes; ++k) out.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
}

class EspeakSpeechEngine final : public SpeechEngine {
 public:
  int available() override {
    if (!tried_) {
      tried_ = true;
      sampleRate_ = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
      if (sampleRate_ > 0) {
        espeak_SetSynthCallback(collectSamples);
        // The list is the library's own and scanning it reads the voice files: once.
        const espeak_VOICE** voices = espeak_ListVoices(nullptr);
        for (int n = 0; voices != nullptr && voices[n] != nullptr; ++n) ownVoices_.emplace_back(voices[n]->name);
      }
    }
    return sampleRate_ > 0 ? 0 : kNoSpeechStatus;
  }

  int16_t countVoices() override {
    if (available() != 0) return 0;
    return static_cast<int16_t>(kVoiceAliasCount + ownVoices_.size());
  }

  int describeVoice(int16_t v, Str255& name) override {
    std::string espeakVoice;
    if (!espeakVoiceFor(v, name, espeakVoice)) return kVoiceNotFoundStatus;
    return 0;
  }

  int openChannel(int16_t v) override {
    Str255 name;
    std::string espeakVoice;
    if (!espeakVoiceFor(v, name, espeakVoice)) return kVoiceNotFoundStatus;
    if (espeak_SetVoiceByName(espeakVoice.c_str()) != EE_OK) return kVoiceNotFoundStatus;
    return 0;
  }

  void closeChannel() override { stop(); }

  int speak(std::string_view text) override {
    if (available() != 0) return kNoSpeechStatus;
    samples().clear();
    const std::string copy(text);
    if (espeak_Synth(copy.c_str(), copy.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr) != EE_OK)
      return kSpeechFailedStatus;
    if (samples().empty()) return 0;  // nothing to say (a blank)
    SoundDevice& device = soundDevice();
    if (!device.load(kSpeechSlot, wavFromSamples(samples().data(), samples().size(), sampleRate_))) return 0;
    device.setVolume(kSpeechSlot, kSpeechVolume);
    device.play(kSpeechSlot);
    return 0;
  }

  bool busy() override { return soundDevice().isPlaying(kSpeechSlot); }

  void stop() override { soundDevice().stop(kSpeechSlot); }

 private:
  static std::vector<short>& samples() {
    static std::vector<short> buffer;
    return buffer;
  }

  static int collectSamples(short* wav, int count, espeak_EVENT* /*events*/) {
    if (wav != nullptr && count > 0) samples().insert(samples().end(), wav, wav + count);
    return 0;
  }

  // The menu name and the espeak-ng voice of voice v.
  bool espeakVoiceFor(int16_t v, Str255& name, std::string& espeakVoice) {
    if (available() != 0 || v < 1) return false;
    if (v <= kVoiceAliasCount) {
      name = kVoiceAliases[v - 1].name;
      espeakVoice = kVoiceAliases[v - 1].voice;
      return true;
    }
    const auto own = static_cast<std::size_t>(v - kVoiceAliasCount - 1);
    if (own >= ownVoices_.size()) return false;
    name = std::string_view(ownVoices_[own]);
    espeakVoice = ownVoices_[own];
    return true;
  }

  std::vector<std::string> ownVoices_;  // espeak-ng's voices by name
  bool tried_ = false;
  int sampleRate_ = 0;
};

}  // namespace

std::string wavFromSamples(const short* samples, std::size_t count, int sampleRate) {
  constexpr std::uint32_t kHeaderRest = 36;  // RIFF size = data bytes + the rest of the header
  constexpr int kBytesPerSample = 2;
  const auto dataBytes = static_cast<std::uint32_t>(count * kBytesPerSample);
  std::string out = "RIFF";
  putLittleEndian(out, kHeaderRest + dataBytes, 4);
  out += "WAVEfmt ";
  putLittleEndian(out, 16, 4);  // fmt chunk size
  putLittleEndian(out, 1, 2);   // PCM
  putLittleEndian(out, 1, 2);   // mono
  putLittleEndian(out, static_cast<std::uint32_t>(sampleRate), 4);
  putLittleEndian(out, static_cast<std::uint32_t>(sampleRate * kBytesPerSample), 4);
  putLittleEndian(out, kBytesPerSample, 2);
  putLittleEndian(out, 8 * kBytesPerSample, 2);
  out += "data";
  putLittleEndian(out, dataBytes, 4);
  for (std::size_t k = 0; k < count; ++k) putLittleEndian(out, static_cast<std::uint16_t>(samples[k]), 2);
  return out;
}

SpeechEngine& systemSpeechEngine() {
  static EspeakSpeechEngine engine;
  return engine;
}

}  // namespace bg
