#pragma once
// One look at the idle mouse between the polls of a board wait: the cursor of the zone
// under it and the held checker following it.

namespace bg {

void trackIdleMouse();

}  // namespace bg
