#pragma once
// PNG pictures of what a window or an off-screen world holds, for tests and bug reports.
#include <QString>

#include <cstdint>

#include "runtime/qt/ports.h"

namespace bg {

// Saves the port's image (a window's backing image or a world's pixels); false on failure.
bool savePortSnapshot(const GrafPort* port, const QString& pngPath);
bool saveWindowSnapshot(int16_t window, const QString& pngPath);

}  // namespace bg
