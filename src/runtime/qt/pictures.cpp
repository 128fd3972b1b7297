#include "runtime/qt/pictures.h"

#include "runtime/qt/draw_target.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/resources.h"

namespace bg {

PicHandle getPicture(int16_t id) {
  QImage img = loadResourceImage(QStringLiteral("pictures/%1.png").arg(id));
  if (img.isNull()) return nullptr;
  return new Picture{makeRect(0, 0, img.width(), img.height()), img};
}

void killPicture(PicHandle& pic) {
  if (pic == nullptr) return;
  detail::forgetPortReferences(pic);
  delete pic;
  pic = nullptr;
}

Rect pictureBounds(const Picture* pic) { return pic == nullptr ? Rect{} : pic->frame; }

void drawPicture(const Picture* pic, const Rect& r) {
  GrafPort* p = getPort();
  if (pic == nullptr || pic->image.isNull() || emptyRect(r)) return;
  auto t = detail::drawTarget(p);
  if (t.image == nullptr) return;
  const QRect dst(r.left - t.offset.x(), r.top - t.offset.y(), r.width(), r.height());
  const QRegion device = detail::deviceArea(p, t, QRegion(r.left, r.top, r.width(), r.height()));
  if (device.isEmpty()) return;
  // Pictures are pixel images here, so scaling keeps hard pixels as the original did.
  const QImage scaled = pic->image.size() == dst.size()
                            ? pic->image
                            : pic->image.scaled(dst.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  QPainter painter(t.image);
  painter.setClipRegion(device);
  painter.drawImage(dst.topLeft(), scaled);
  painter.end();
  detail::keepOneBit(t, dst);
}

PicHandle openPicture(const Rect& frame) {
  const int w = std::max(1, static_cast<int>(frame.width()));
  const int h = std::max(1, static_cast<int>(frame.height()));
  auto* pic = new Picture{frame, QImage(w, h, QImage::Format_ARGB32_Premultiplied)};
  pic->image.fill(Qt::transparent);
  getPort()->recordings.push_back(pic);
  return pic;
}

void closePicture() {
  GrafPort* p = getPort();
  if (!p->recordings.empty()) p->recordings.pop_back();
}

}  // namespace bg
