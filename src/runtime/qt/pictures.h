#pragma once
// Pictures: stored images by resource id, and recordings. While a port records a picture,
// everything drawn into that port goes into the recording alone (the screen does not
// change); reads from the port still see its image. Drawing a picture replays it into a
// rectangle, scaled from its frame.
#include <QImage>

#include <cstdint>

#include "runtime/qt/qd_types.h"

namespace bg {

struct Picture {
  Rect frame;
  QImage image;  // recordings: premultiplied ARGB, transparent where nothing was drawn
};
using PicHandle = Picture*;

// The 'PICT' resource with that id; nullptr when there is none.
PicHandle getPicture(int16_t id);
void killPicture(PicHandle& pic);
// The picture's frame; an empty rectangle for none.
Rect pictureBounds(const Picture* pic);
// Draws the picture into r of the current port, scaled from its frame, through the clip.
void drawPicture(const Picture* pic, const Rect& r);

// Starts recording on the current port; recordings nest and the innermost gets the drawing.
PicHandle openPicture(const Rect& frame);
// Ends the innermost recording of the current port.
void closePicture();

}  // namespace bg
