#pragma once
// Puts the sound effects and the speech into the hook tables of the rules, the game flow
// and the board display, and routes the speech notices to the board's information box.
// Start-up calls it before initSpeech, initSoundTable and applySoundOption.
namespace bg {

void installAudioServices();

}  // namespace bg
