#pragma once
// Pixel patterns: colour tiles that fill shapes in place of the pen colour. Tiles are laid
// from the port's local (0, 0), so neighbouring areas join whatever the origin.
#include <QImage>

#include <cstdint>

namespace bg {

struct PixPat {
  QImage tile;
};
using PixPatHandle = PixPat*;

// The 'ppat' resource with that id; nullptr when there is none.
PixPatHandle getPixPat(int16_t id);
PixPatHandle newPixPatFromImage(const QImage& tile);
void disposePixPat(PixPatHandle& pat);

}  // namespace bg
