#pragma once
// The board's platform handles given back at once: worlds, patterns, cursors, the
// palette, regions and pictures. The program's reset runs it before the display's
// structs are made fresh.

namespace bg {

void releaseBoardGraphics();

}  // namespace bg
