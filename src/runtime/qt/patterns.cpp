#include "runtime/qt/patterns.h"

#include "runtime/qt/ports.h"
#include "runtime/qt/resources.h"

namespace bg {

PixPatHandle getPixPat(int16_t id) {
  QImage tile = loadResourceImage(QStringLiteral("pictures/ppat/%1.png").arg(id));
  if (tile.isNull()) return nullptr;
  return newPixPatFromImage(tile);
}

PixPatHandle newPixPatFromImage(const QImage& tile) {
  if (tile.isNull()) return nullptr;
  return new PixPat{tile.convertToFormat(QImage::Format_RGB32)};
}

void disposePixPat(PixPatHandle& pat) {
  if (pat == nullptr) return;
  detail::forgetPortReferences(pat);
  delete pat;
  pat = nullptr;
}

}  // namespace bg
