#pragma once
// A window manager hands the keyboard on when the window holding it goes; without one the
// keys would go nowhere until a click. The program does it itself: the window then in
// front takes the keys.

namespace bg {

// Once for the application; rtInit installs it.
void installKeyHandover();

}  // namespace bg
