#pragma once
// The start picture drawn over the empty board while the program data load.
namespace bg {
void drawStartPicture();
}
