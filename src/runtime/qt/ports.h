#pragma once
// Graphics ports: the drawing state that QuickDraw-style calls draw through. A window's
// port draws into the window's retained backing image; an off-screen world is a port over
// an image of its own. Coordinates are local: SetOrigin moves the local coordinates of the
// image's top-left pixel, and the clip region stays put in local coordinates.
#include <QImage>
#include <QPoint>
#include <QRegion>

#include <cstdint>
#include <vector>

#include "runtime/qt/qd_types.h"

namespace bg {

struct PixPat;
struct Picture;
struct Palette;
struct Region;

// Transfer modes: copies and text use the source modes, shapes and lines the pattern modes.
inline constexpr int16_t srcCopy = 0;
inline constexpr int16_t srcOr = 1;
inline constexpr int16_t srcXor = 2;
inline constexpr int16_t srcBic = 3;
inline constexpr int16_t patCopy = 8;
inline constexpr int16_t patOr = 9;
inline constexpr int16_t patXor = 10;
inline constexpr int16_t patBic = 11;
inline constexpr int16_t transparentMode = 36;

// Text faces, as bits.
inline constexpr int16_t kBoldFace = 1;
inline constexpr int16_t kItalicFace = 2;
inline constexpr int16_t kUnderlineFace = 4;
inline constexpr int16_t kOutlineFace = 8;
inline constexpr int16_t kShadowFace = 16;

struct GrafPort {
  QImage image;                 // RGB32; 1-bit worlds keep only black and white pixels
  QPoint origin{0, 0};          // local coordinates of image pixel (0, 0)
  QRegion clip;                 // local coordinates
  Point penLoc{};
  int16_t penWidth = 1;
  int16_t penHeight = 1;
  int16_t penMode = patCopy;
  PixPat* penPat = nullptr;     // nullptr: solid in the foreground colour
  int penHidden = 0;            // > 0 after HidePen: nothing is drawn
  RGBColor fore = kBlackRGB;
  RGBColor back = kWhiteRGB;
  int16_t textFont = 0;
  int16_t textSize = 12;
  int16_t textFace = 0;
  int16_t textMode = srcOr;
  Palette* palette = nullptr;
  std::vector<Picture*> recordings;  // innermost last; drawing goes to it alone
  Region* regionRecording = nullptr;  // set while OpenRgn records: shapes draw nothing
  bool oneBit = false;
  int16_t windowNumber = 0;     // 0 for an off-screen world

  // The port's rectangle in local coordinates.
  Rect bounds() const;
};

using GrafPtr = GrafPort*;
using GWorldPtr = GrafPort*;

GrafPtr getPort();
void setPort(GrafPtr port);  // nullptr falls back to the layer's scratch port

// Off-screen worlds. The world's bounds are rect in its local coordinates. A failed
// creation returns nullptr (a test hook can force the failure).
GWorldPtr newGWorld(const Rect& rect);
GWorldPtr newMaskWorld(const Rect& rect);  // 1 bit per pixel, erased to white
void disposeGWorld(GWorldPtr& world);
bool lockPixels(GWorldPtr world);
void unlockPixels(GWorldPtr world);
// Largest free block in bytes; large on this platform.
int32_t maxMem();
int16_t mainDeviceDepth();

void setOrigin(int h, int v);
void setPortOrigin(GrafPtr port, int h, int v);

// Clip in local coordinates.
void clipRect(const Rect& r);
void setClip(const Region* rgn);
void getClip(Region* rgn);

namespace testing {
// Makes the next n world creations fail.
void failNextWorldCreations(int n);
void setMaxMem(int32_t bytes);
}  // namespace testing

namespace detail {
// Sets up a port with the defaults of a new port over an image of the given size.
void initPort(GrafPort& port, int width, int height);
// Clears the port's references to a picture or region being disposed.
void forgetPortReferences(const void* object);
void registerPort(GrafPort* port);
void unregisterPort(GrafPort* port);
}  // namespace detail

}  // namespace bg
