#include "shell/start_picture.h"

#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/colour_roles.h"
#include "display/draw_color.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "shell/shell_settings.h"

namespace bg {

namespace {
constexpr int16_t kStartPicture = 128;
constexpr int16_t kPictureInset = 6;
constexpr int16_t kShadowOffset = 6;
constexpr int16_t kStartPointOffset = 120;
constexpr int16_t kStartTextSize = 14;
}  // namespace

void drawStartPicture() {
  PicHandle picture = getPicture(kStartPicture);
  int16_t x = 0;
  int16_t y = 0;
  if (picture != nullptr) {
    const Rect bounds = pictureBounds(picture);
    const Rect content = windowContentRect(kBoardWindow);
    x = static_cast<int16_t>(windowPlacement.boardWidthOffset + (content.width() - bounds.right) / 2 + kPictureInset);
    y = static_cast<int16_t>(windowPlacement.boardHeightOffset + (content.height() - bounds.bottom) / 2 +
                             kPictureInset);
    setDrawColor(roles.boardForeColor);
    const int16_t sx = static_cast<int16_t>(x + kShadowOffset);
    const int16_t sy = static_cast<int16_t>(y + kShadowOffset);
    paintRect(makeRect(sx, sy, static_cast<int16_t>(sx + bounds.width()), static_cast<int16_t>(sy + bounds.height())));
    drawPicture(picture, makeRect(x, y, static_cast<int16_t>(x + bounds.width()), static_cast<int16_t>(y + bounds.height())));
  }
  flushWindow(kBoardWindow);
  textSize(kStartTextSize);
  shellSettings.startPicturePoint = Point{static_cast<int16_t>(x + kStartPointOffset),
                                          static_cast<int16_t>(y + kStartPointOffset)};
  killPicture(picture);
}

}  // namespace bg
