#pragma once
// Copies between ports. The source rectangle is in the source's local coordinates, the
// destination rectangle in the destination's; different sizes scale. The current port's
// foreground and background colourise the copy unless they are black and white: a black
// source pixel takes the foreground, a white one the background, greys in between.
#include <cstdint>

#include "runtime/qt/ports.h"
#include "runtime/qt/qd_types.h"
#include "runtime/qt/regions.h"

namespace bg {

// mode srcCopy (0) copies every pixel; transparentMode (36) leaves out the source pixels
// of the current background colour. maskRgn (destination coordinates) limits the copy
// further; nullptr for none.
void copyBits(const GrafPort* src, GrafPort* dst, const Rect& srcRect, const Rect& dstRect, int16_t mode,
              const Region* maskRgn);

// Copies src through mask: where the mask is black the source shows, where it is white
// the destination stays, and grey weights each colour channel between the two.
void copyMask(const GrafPort* src, const GrafPort* mask, GrafPort* dst, const Rect& srcRect, const Rect& maskRect,
              const Rect& dstRect);

}  // namespace bg
