#pragma once
// What the sound and speech ask of the areas above them: the information box. The table
// is filled at start-up; the least form shows nothing.
#include <string_view>

namespace bg {

namespace least {
void showAudioNotice(std::string_view text);
}  // namespace least

struct AudioServices {
  // The information box with a Done button; returns when dismissed.
  void (*showInformation)(std::string_view text) = least::showAudioNotice;
};
extern AudioServices audioServices;

namespace hook {
inline void showSpeechNotice(std::string_view text) { audioServices.showInformation(text); }
}  // namespace hook

}  // namespace bg
