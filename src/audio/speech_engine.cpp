#include "audio/speech_engine.h"

#include "audio/espeak_speech_engine.h"

namespace bg {

namespace {
SpeechEngine* installedEngine = nullptr;
}  // namespace

SpeechEngine* setSpeechEngine(SpeechEngine* engine) {
  SpeechEngine* previous = installedEngine;
  installedEngine = engine;
  return previous;
}

SpeechEngine& speechEngine() {
  if (installedEngine != nullptr) return *installedEngine;
  return systemSpeechEngine();
}

}  // namespace bg
