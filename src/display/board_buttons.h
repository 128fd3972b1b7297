#pragma once
// Buttons drawn into the board window (framed text buttons and rounded buttons in the
// checker colours, tracked by hand while the mouse is held), the centre emblem, and the
// strips that carry the point numbers.
#include <cstdint>
#include <string_view>

#include "runtime/qt/qd_types.h"

namespace bg {

struct BoardButtons {
  Rect framedTextRect;  // the last framed text button, grown by its outer frame
};
extern BoardButtons boardButtons;

// Text centred in left..right with a bevelled double frame; y is the baseline minus 1.
void drawFramedText(std::string_view text, int16_t y, int16_t left, int16_t right);
// offset 0, or -1 for a pressed button (drawn one pixel up and left).
void drawButtonLabel(const Rect& rect, std::string_view text, int16_t offset);
void drawRoundButton(const Rect& rect, int16_t pressed);
// Follows the mouse while its button is down; true when released over this same button.
bool trackButton(const Rect& rect, std::string_view label, int16_t lit);
void drawCentreEmblem();
void eraseRowNumberStrips();

}  // namespace bg
