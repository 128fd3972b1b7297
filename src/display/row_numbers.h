#pragma once
// The point numbers at the tips of the points, as the side at the bottom counts them.
namespace bg {

void drawRowNumbers();
// The Display Settings toggle: shows or takes away the numbers.
void updateRowNumbers();

}  // namespace bg
