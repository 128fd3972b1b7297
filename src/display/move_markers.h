#pragma once
// The possible-move markers: a blue one beside the point a checker comes from and a green
// one beside each point (or the tray) it can reach with the dice of the turn. They are
// drawn over the window only; the pixels under each are kept and put back on erasing.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"
#include "runtime/qt/qd_types.h"

namespace bg {

struct GrafPort;

inline constexpr int16_t kMarkerEntries = 4;  // entry 0 the from-point, 1..4 landings

struct MoveMarker {
  int16_t left = 0;  // 0: the entry is free
  int16_t top = 0;
  Rect rect;
  PString<3> label;  // "O" the from-point, "X" a landing
  bool operator==(const MoveMarker&) const = default;
};

struct PossibleMove {
  int16_t to = 0;
  int16_t from = 0;
  int16_t die = 0;
  int16_t offBoard = 0;  // -1: the landing is off the board
  bool operator==(const PossibleMove&) const = default;
};

struct MoveMarkerState {
  CheckedArray<MoveMarker, kMarkerEntries> moveMarkers{};
  CheckedArray<GrafPort*, kMarkerEntries> markerSaveWorlds{};
  CheckedArray<PossibleMove, kMarkerEntries> possibleMoves{};
  int16_t trayMarkerShown = 0;
  int16_t hoverPoint = 0;  // the point under the mouse whose moves are marked
};
extern MoveMarkerState moveMarkerState;

// Works out and draws the markers of the checker in hand, the one picked, or hoverPoint.
void showPossibleMoveMarkers();
// Records entry k at (left, top), keeps the window's pixels under it and draws it.
void drawMoveMarker(int16_t left, int16_t top, int16_t k);
void drawMarkerPicture(int16_t k);
// Puts back the pixels under every marker and frees the entries.
void erasePossibleMoveMarkers();
// Draws every marker up again over a freshly redrawn board.
void redrawMarkedAreas();
// Frees the entries without touching the window: their pixels and places belong to a
// layout that is gone.
void forgetPossibleMoveMarkers();
bool markersShown();

}  // namespace bg
