#pragma once
// When two people play on one board, framed labels with their names stand in the strip
// above the field: both during the opening roll, afterwards the one of the side to move.
namespace bg {

// Places the labels after a name or mode change, and draws them again.
void layoutNameLabels();
void drawNameLabels();
// The label of one side.
void drawNameLabel(int side);

}  // namespace bg
