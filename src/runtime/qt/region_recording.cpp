#include "runtime/qt/region_recording.h"

#include <map>
#include <vector>

#include "runtime/qt/regions.h"

namespace bg::detail {

namespace {

struct Recording {
  QRegion area;
  std::vector<QPolygon> outlines;
  QPolygon current;
};

std::map<const GrafPort*, Recording>& recordings() {
  static std::map<const GrafPort*, Recording> m;
  return m;
}

void closeOutline(Recording& r) {
  if (r.current.size() >= 3) r.outlines.push_back(r.current);
  r.current.clear();
}

}  // namespace

void beginRegionRecording(GrafPort* port) {
  if (port == nullptr || recordingRegion(port)) return;
  recordings()[port] = Recording{};
  port->regionRecording = new Region;
}

QRegion endRegionRecording(GrafPort* port) {
  auto& m = recordings();
  auto it = m.find(port);
  if (it == m.end()) return QRegion();
  Recording r = std::move(it->second);
  m.erase(it);
  closeOutline(r);
  QRegion result = r.area;
  // Outlines combine by parity, as traced edges do.
  for (const QPolygon& p : r.outlines) result = result.xored(QRegion(p, Qt::OddEvenFill));
  Region* marker = port->regionRecording;
  port->regionRecording = nullptr;
  delete marker;
  return result;
}

bool recordingRegion(const GrafPort* port) { return recordings().count(port) != 0; }

void recordRegionArea(GrafPort* port, const QRegion& area) {
  auto it = recordings().find(port);
  if (it != recordings().end()) it->second.area += area;
}

void recordRegionMove(GrafPort* port, QPoint to) {
  auto it = recordings().find(port);
  if (it == recordings().end()) return;
  closeOutline(it->second);
  it->second.current << to;
}

void recordRegionLine(GrafPort* port, QPoint from, QPoint to) {
  auto it = recordings().find(port);
  if (it == recordings().end()) return;
  Recording& r = it->second;
  if (r.current.isEmpty() || r.current.last() != from) {
    closeOutline(r);
    r.current << from;
  }
  r.current << to;
}

}  // namespace bg::detail
