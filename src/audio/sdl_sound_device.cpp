#include "audio/sdl_sound_device.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <cstdio>

#include "runtime/core/checked_array.h"

namespace bg {

namespace {

constexpr int kMixRate = 22050;
constexpr int kMixChannels = 1;
constexpr int kMixBufferFrames = 1024;
constexpr const char* kNoSoundDeviceText = "No sound device: the game plays without sound.\n";

// ALSA writes every step of a failed open to standard error; the game says it once itself.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

class SdlSoundDevice final : public SoundDevice {
 public:
  SdlSoundDevice() { volumes_.fill(MIX_MAX_VOLUME); }
  ~SdlSoundDevice() override { close(); }

  bool load(int16_t slot, std::string_view wavBytes) override {
    if (!valid(slot) || !open()) return false;
    release(slot);
    SDL_RWops* rw = SDL_RWFromConstMem(wavBytes.data(), static_cast<int>(wavBytes.size()));
    if (rw == nullptr) return false;
    chunks_[slot] = Mix_LoadWAV_RW(rw, 1);
    if (chunks_[slot] != nullptr) Mix_VolumeChunk(chunks_[slot], volumes_[slot]);
    return chunks_[slot] != nullptr;
  }

  void play(int16_t slot) override {
    if (valid(slot) && opened_ && chunks_[slot] != nullptr) Mix_PlayChannel(slot, chunks_[slot], 0);
  }

  void stop(int16_t slot) override {
    if (valid(slot) && opened_) Mix_HaltChannel(slot);
  }

  bool isPlaying(int16_t slot) override { return valid(slot) && opened_ && Mix_Playing(slot) != 0; }

  void setVolume(int16_t slot, float volume) override {
    if (!valid(slot)) return;
    volumes_[slot] = static_cast<int>(volume * MIX_MAX_VOLUME);
    if (chunks_[slot] != nullptr) Mix_VolumeChunk(chunks_[slot], volumes_[slot]);
  }

 private:
  static bool valid(int16_t slot) { return slot >= 0 && slot < kDeviceSlots; }

  bool open() {
    if (opened_ || failed_) return opened_;
    failed_ = true;
    snd_lib_error_set_handler(ignoreAlsaError);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      std::fputs(kNoSoundDeviceText, stderr);
      return false;
    }
    if (Mix_OpenAudio(kMixRate, AUDIO_S16SYS, kMixChannels, kMixBufferFrames) != 0) {
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      std::fputs(kNoSoundDeviceText, stderr);
      return false;
    }
    Mix_AllocateChannels(kDeviceSlots);
    opened_ = true;
    failed_ = false;
    return true;
  }

  void release(int16_t slot) {
    if (chunks_[slot] == nullptr) return;
    Mix_HaltChannel(slot);
    Mix_FreeChunk(chunks_[slot]);
    chunks_[slot] = nullptr;
  }

  void close() {
    if (!opened_) return;
    for (int16_t slot = 0; slot < kDeviceSlots; ++slot) release(slot);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    opened_ = false;
  }

  CheckedArray<Mix_Chunk*, kDeviceSlots - 1> chunks_{};
  CheckedArray<int, kDeviceSlots - 1> volumes_;
  bool opened_ = false;
  bool failed_ = false;  // opening failed once: stay silent rather than retry every call
};

}  // namespace

SoundDevice& systemSoundDevice() {
  static SdlSoundDevice device;
  return device;
}

}  // namespace bg
