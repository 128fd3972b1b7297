#pragma once
// Borne-off checkers: one slid into its tray slot, and both trays drawn from the counts.
namespace bg {

void bearOffToTray();
void redrawTrays();

}  // namespace bg
