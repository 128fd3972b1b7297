#pragma once
// Least forms of the sound and speech start-up until the audio area provides them.
namespace bg {
void initSpeech();
void initSoundTable();
void applySoundOption();
}  // namespace bg
