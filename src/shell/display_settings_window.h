#pragma once
// The Display Settings window, built in code: five check boxes and five pop-ups for the
// board's look, a help button beside most of them and Done. With immediate changes on,
// each change reaches the board at once; the rest waits for Done. Escape closes the
// window without applying what waits.
#include <cstdint>

#include "state/shell_services.h"

namespace bg {

struct DisplaySettingsWindow {
  // -1 while a size chosen in the pop-up waits for Done (chosen with immediate changes
  // off); a size applied at once clears it, so Done never resizes the board for nothing.
  int16_t sizeWaitsForDone = 0;
};
extern DisplaySettingsWindow displaySettingsWindow;

void buildDisplaySettingsDialog();
void settingsToControls();
void controlsToSettings();
void displaySettingsItemHit(int16_t n);
void displaySettingsHelp(int16_t n);
void applyDisplaySettings();
void closeDisplaySettings(int16_t n);
// A control hit in the window: Done, Escape (control 2), a setting or a help button.
void displaySettingsEvent(int16_t id);

}  // namespace bg
