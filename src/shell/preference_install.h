#pragma once
// Puts the option toggles, radio choices, check marks and the board window's place into
// the preferences code's service table (before the preferences are read at start-up).
namespace bg {

void installPreferenceServices();

}  // namespace bg
