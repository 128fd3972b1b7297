// A small scene drawn with every primitive, compared pixel for pixel with the expected
// picture: '.' white, '#' black, 'r' red, 'b' blue, 'g' the used-die grey, '?' other.
#include <gtest/gtest.h>

#include <string>

#include "runtime/qt/app_init.h"
#include "runtime/qt/copy_bits.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/palettes.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/regions.h"
#include "state/program_state.h"

namespace bg {
namespace {

std::string letters(const GrafPort* p) {
  std::string s;
  for (int y = 0; y < p->image.height(); ++y) {
    for (int x = 0; x < p->image.width(); ++x) {
      switch (p->image.pixel(x, y) & 0xFFFFFF) {
        case 0xFFFFFF: s += '.'; break;
        case 0x000000: s += '#'; break;
        case 0xFF0000: s += 'r'; break;
        case 0x0000FF: s += 'b'; break;
        case 0x7D7D7D: s += 'g'; break;
        default: s += '?'; break;
      }
    }
    s += '\n';
  }
  return s;
}

TEST(SceneTest, EveryPrimitiveInOnePicture) {
  resetProgramState();
  int argc = 0;
  rtInit(argc, nullptr);
  GWorldPtr scene = newGWorld(makeRect(0, 0, 24, 12));
  GWorldPtr die = newGWorld(makeRect(0, 0, 3, 3));
  GWorldPtr mask = newMaskWorld(makeRect(0, 0, 3, 3));
  PaletteHandle pal = newPalette(22);
  setEntryColor(pal, 1, kBlackRGB);
  setEntryColor(pal, 5, RGBColor{65535, 0, 0});
  setPalette(0, pal, true);

  // The die: a black pip in a white face; its mask, a plus sign.
  setPort(die);
  paintRect(makeRect(1, 1, 2, 2));
  setPort(mask);
  paintRect(makeRect(1, 0, 2, 3));
  paintRect(makeRect(0, 1, 3, 2));

  setPort(scene);
  setOrigin(-1, -1);  // local (-1, -1) is the top-left pixel
  pmForeColor(5);
  paintRect(makeRect(0, 0, 4, 3));  // red block
  pmForeColor(1);
  penSize(1, 1);
  frameRect(makeRect(5, 0, 10, 4));  // black frame inside its rectangle
  RgnHandle rgn = newRgn();
  openRgn();
  frameOval(makeRect(11, 0, 15, 4));
  closeRgn(rgn);
  rgbForeColor(RGBColor{0, 0, 65535});
  paintRgn(rgn);  // the recorded oval, in blue
  rgbForeColor(kBlackRGB);
  penSize(2, 1);
  moveTo(0, 5);
  lineTo(6, 5);  // the pen hangs right: 8 pixels wide
  penNormal();
  copyBits(die, scene, makeRect(0, 0, 3, 3), makeRect(8, 5, 11, 8), srcCopy, nullptr);
  rgbBackColor(RGBColor{32000, 32000, 32000});
  copyMask(die, mask, scene, makeRect(0, 0, 3, 3), makeRect(0, 0, 3, 3), makeRect(12, 5, 15, 8));
  rgbBackColor(kWhiteRGB);
  PicHandle pic = openPicture(makeRect(0, 0, 2, 2));
  paintRect(makeRect(0, 0, 1, 1));
  closePicture();
  drawPicture(pic, makeRect(16, 5, 20, 9));  // twice the size
  RgnHandle clip = newRgn();
  rectRgn(clip, makeRect(-1, 8, 3, 11));
  setClip(clip);
  pmForeColor(5);
  paintOval(makeRect(-5, 7, 5, 13));  // cut by the clip
  setClip(nullptr);

  EXPECT_EQ(letters(scene),
            "........................\n"
            ".rrrr.#####..bb.........\n"
            ".rrrr.#...#.bbbb........\n"
            ".rrrr.#...#.bbbb........\n"
            "......#####..bb.........\n"
            "........................\n"
            ".########.....g..##.....\n"
            "..........#..g#g.##.....\n"
            "..............g.........\n"
            "rrrr....................\n"
            "rrrr....................\n"
            "rrrr....................\n");

  killPicture(pic);
  disposeRgn(rgn);
  disposeRgn(clip);
  setPort(nullptr);
  disposePalette(pal);
  disposeGWorld(scene);
  disposeGWorld(die);
  disposeGWorld(mask);
}

}  // namespace
}  // namespace bg
