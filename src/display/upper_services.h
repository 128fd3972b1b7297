#pragma once
// What the board display asks of the areas above it (the shell, speech). Each service is
// a plain call through a table that those areas fill at start-up; the defaults do nothing
// visible, which is also what the tests start from.
#include <cstdint>
#include <string_view>

namespace bg {

namespace least {
void showInformation(std::string_view text);
void endWaitLoop();
void speakText(std::string_view text);
void macintalkNotSupported(std::string_view text);
void showStopAlert(std::string_view first, std::string_view second);
void showLargeMessageYesNoDone(std::string_view text, int16_t width, int16_t height);
void enterPlayerName();
bool resumeKeptGame();
}  // namespace least

struct UpperServices {
  // The information box with a Done button; returns when dismissed.
  void (*showInformation)(std::string_view text) = least::showInformation;
  // Makes the wait loop that is running return.
  void (*endWaitLoop)() = least::endWaitLoop;
  // Speaks the text with the chosen voice.
  void (*speakText)(std::string_view text) = least::speakText;
  // The notice that the old voice is no longer supported; nothing is spoken.
  void (*macintalkNotSupported)(std::string_view text) = least::macintalkNotSupported;
  // A stop alert with two lines that offers only quitting (the caller then ends the
  // program). The least form writes the lines to standard error.
  void (*showStopAlert)(std::string_view first, std::string_view second) = least::showStopAlert;
  // The large text box of width x height with its single Done button.
  void (*showLargeMessageYesNoDone)(std::string_view text, int16_t width, int16_t height) =
      least::showLargeMessageYesNoDone;
  // Asks the player's name.
  void (*enterPlayerName)() = least::enterPlayerName;
  // Reads the game saved at the last quit and puts it on the board; tells the person when
  // it cannot be resumed, and forgets it. False when no game was put in place.
  bool (*resumeKeptGame)() = least::resumeKeptGame;
};
extern UpperServices upperServices;

namespace hook {
inline void showBoardNotice(std::string_view text) { upperServices.showInformation(text); }
inline bool resumeKeptGame() { return upperServices.resumeKeptGame(); }
}  // namespace hook

}  // namespace bg
