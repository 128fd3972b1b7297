#pragma once
// Composing the message line's text, the memory of the last numbered message that keeps
// a quick repeat from being spoken twice, and the box the line is drawn in.
#include <cstdint>
#include <string_view>

#include "runtime/qt/qd_types.h"
#include "state/interaction_state.h"
#include "runtime/core/pstring.h"

namespace bg {

inline constexpr std::string_view kFreeTextMarker = "MM";  // in front of every free text

struct MessageRepeatRecord {
  int16_t currentNumber = 0;
  int16_t previousNumber = 0;
  int16_t currentPoint = 0;
  int16_t previousPoint = 0;
  int32_t currentSeconds = 0;
  int32_t previousSeconds = 0;
  uint8_t speakFlag = 255;  // 0: a quick repeat, drawn but not spoken
};

// The text of the line from a free text (with its two-character prefix) and a numbered
// entry (also with its prefix). A free text loses its prefix and is cut to maxLength
// characters; an entry appended to it keeps its prefix and is not cut; an entry alone
// loses its prefix and is cut. The whole stops at 255 bytes.
Str255 composeMessageText(std::string_view freeText, int16_t number, std::string_view entry,
                          int16_t maxLength);

// Notes a numbered message shown for the clicked point at the given second of the day
// and clears speakFlag when it repeats the previous one within 2 seconds.
void noteNumberedMessage(MessageRepeatRecord& record, int16_t number, int16_t point, int32_t seconds);

struct MessageBoxMeasures {
  int16_t boardWidth;
  int16_t fieldTop;
  int16_t textSize;
  int16_t panelMargin;
  int16_t shadowX;  // the reduced shadow offsets
  int16_t shadowY;
  bool pictureBoard;
  int16_t textStripTop;
  int16_t textStripHeight;
};

// The message box around a text of the given pixel width, in board coordinates.
Rect messageLineBox(int16_t textWidth, const MessageBoxMeasures& m);
// The pen position of the text's baseline inside that box.
Point messageTextPen(const Rect& box, const MessageBoxMeasures& m);
// The line's shadow offset: the panels' offset less 4, at least 1.
int16_t reducedShadow(int16_t panelShadow);

}  // namespace bg
