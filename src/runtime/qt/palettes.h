#pragma once
// Palettes: colour tables attached to windows. The drawing colour can be set by entry
// (PmForeColor); the entry is read from the current port's palette, and ports without
// one (off-screen worlds) read the palette attached last.
#include <cstdint>
#include <vector>

#include "runtime/qt/qd_types.h"

namespace bg {

struct Palette {
  std::vector<RGBColor> entries;
};
using PaletteHandle = Palette*;

// The 'pltt' resource; a plain 22-entry palette (white, black, then greys) when missing.
PaletteHandle getNewPalette(int16_t id);
PaletteHandle newPalette(int count);
void disposePalette(PaletteHandle& pal);
// Attaches the palette to window n; it also becomes the palette that ports without one use.
void setPalette(int16_t window, PaletteHandle pal, bool updates);
// Nothing to do on a true-colour display.
void activatePalette(int16_t window);
// Entries outside the table are ignored on write and read as black.
void setEntryColor(PaletteHandle pal, int16_t index, const RGBColor& c);
void getEntryColor(const Palette* pal, int16_t index, RGBColor& c);
void pmForeColor(int16_t index);
void pmBackColor(int16_t index);
// The palette attached last (nullptr before any).
PaletteHandle attachedPalette();

}  // namespace bg
