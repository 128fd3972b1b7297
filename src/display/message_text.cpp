#include "display/message_text.h"

#include <algorithm>

namespace bg {

namespace {

// The first n characters after the two-character prefix, never cut inside a character.
std::string_view afterPrefix(std::string_view text, long n) {
  if (text.size() <= 2 || n <= 0) return {};
  const std::string_view body = text.substr(2);
  return body.substr(0, utf8FitLength(body, static_cast<std::size_t>(n)));
}

long withoutPrefixCut(std::string_view text, int16_t maxLength) {
  return std::min<long>(static_cast<long>(text.size()) - 2, maxLength);
}

}  // namespace

Str255 composeMessageText(std::string_view freeText, int16_t number, std::string_view entry,
                          int16_t maxLength) {
  Str255 out;
  if (!freeText.empty()) {
    out = afterPrefix(freeText, withoutPrefixCut(freeText, maxLength));
    if (number != kNoMessage) out += entry;
    return out;
  }
  if (number != kNoMessage) out = afterPrefix(entry, withoutPrefixCut(entry, maxLength));
  return out;
}

void noteNumberedMessage(MessageRepeatRecord& r, int16_t number, int16_t point, int32_t seconds) {
  r.previousNumber = r.currentNumber;
  r.currentNumber = number;
  r.previousSeconds = r.currentSeconds;
  r.currentSeconds = seconds;
  r.previousPoint = r.currentPoint;
  r.currentPoint = point;
  // A signed difference: across midnight it is negative and so counts as a quick repeat.
  if (r.currentNumber == r.previousNumber && r.currentPoint == r.previousPoint &&
      r.currentSeconds - r.previousSeconds < 2)
    r.speakFlag = 0;
}

int16_t reducedShadow(int16_t panelShadow) { return std::max<int16_t>(static_cast<int16_t>(panelShadow - 4), 1); }

Rect messageLineBox(int16_t textWidth, const MessageBoxMeasures& m) {
  Rect box;
  box.left = static_cast<int16_t>((m.boardWidth - textWidth) / 2 - 6);
  box.right = static_cast<int16_t>(box.left + textWidth + 2 * m.panelMargin + m.textSize + m.shadowX);
  const int height = m.textSize + 2 * m.panelMargin + m.textSize / 4 + m.shadowY - 1;
  if (m.pictureBoard) {
    box.top = static_cast<int16_t>((m.textStripTop + m.textStripHeight - m.textSize) / 2 + 4);
    box.bottom = static_cast<int16_t>(box.top + m.textSize + 4);
  } else {
    box.top = static_cast<int16_t>((m.fieldTop - height) / 2 - 2);
    box.bottom = static_cast<int16_t>(box.top + height);
  }
  return box;
}

Point messageTextPen(const Rect& box, const MessageBoxMeasures& m) {
  if (m.pictureBoard) return {box.left, static_cast<int16_t>(box.top + m.textSize)};
  return {static_cast<int16_t>(box.left + m.panelMargin + m.textSize / 2),
          static_cast<int16_t>(box.top + m.textSize + m.panelMargin - 1)};
}

}  // namespace bg
