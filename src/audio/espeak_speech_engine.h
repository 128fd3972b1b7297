#pragma once
// Speech through espeak-ng: the text is synthesised to a buffer, which plays in the
// speech slot of the sound device. Voices are the aliases first, then espeak-ng's own.
#include <cstddef>
#include <string>

#include "audio/speech_engine.h"

namespace bg {

SpeechEngine& systemSpeechEngine();

// 16-bit mono samples as the bytes of a WAV file.
std::string wavFromSamples(const short* samples, std::size_t count, int sampleRate);

}  // namespace bg
