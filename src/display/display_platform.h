#pragma once
// The few platform answers the layout needs before anything is drawn: the frame of a
// stored picture, the pixel width of a board text, and where the board window's content
// lies on the screen.
#include <cstdint>
#include <string_view>

#include "runtime/qt/qd_types.h"

namespace bg {

// The frame of picture `id`; false (and an empty frame) when there is no such picture.
bool pictureFrame(int16_t id, Rect* frame);

// Width in pixels of text in the board font at the given pixel size, plain face.
int16_t boardTextWidth(std::string_view text, int16_t size);

// The board window's content rectangle in screen coordinates; empty when there is none.
Rect boardWindowContent();

}  // namespace bg
