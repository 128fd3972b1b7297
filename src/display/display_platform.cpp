#include "display/display_platform.h"

#include "display/board_ids.h"
#include "state/display_settings.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {
}

bool pictureFrame(int16_t id, Rect* frame) {
  PicHandle picture = getPicture(id);
  *frame = pictureBounds(picture);
  const bool found = picture != nullptr;
  killPicture(picture);
  return found;
}

int16_t boardTextWidth(std::string_view text, int16_t size) {
  const GrafPtr saved = getPort();
  setPort(nullptr);  // the layer's scratch port, so no window's text settings change
  textFont(shellWindow.textFont);
  textSize(size);
  textFace(0);
  const int16_t width = stringWidth(text);
  setPort(saved);
  return width;
}

Rect boardWindowContent() {
  if (!windowExists(kBoardWindow)) return Rect{};
  return windowContentRect(kBoardWindow);
}

}  // namespace bg
