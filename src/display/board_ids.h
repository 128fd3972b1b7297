#pragma once
// Window and picture ids that more than one part of the board's drawing uses.
#include <cstdint>

namespace bg {

inline constexpr int16_t kBoardWindow = 1;

// The painted boards' cube faces start here (one per size class).
inline constexpr int16_t kCubePictureBase = 150;

// The picture board's stored pictures.
inline constexpr int16_t kFramePicture = 549;              // the whole board with its points
inline constexpr int16_t kPictureBoardCheckerShape = 147;  // the checkers' shape
inline constexpr int16_t kFirstTrayPicture = 541;          // the first tray
inline constexpr int16_t kPictureBoardDieBase = 575;       // die faces 0..6
inline constexpr int16_t kStripPicture = 594;              // the text strip above the field
inline constexpr int16_t kPictureCubeBase = 567;           // cube faces

}  // namespace bg
