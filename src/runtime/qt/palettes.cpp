#include "runtime/qt/palettes.h"

#include <QStringList>

#include "runtime/qt/ports.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

constexpr int kDefaultEntries = 22;

PaletteHandle& attached() {
  static PaletteHandle p = nullptr;
  return p;
}

RGBColor entryOf(int16_t index) {
  const GrafPort* port = getPort();
  const Palette* pal = port->palette != nullptr ? port->palette : attached();
  RGBColor c;
  getEntryColor(pal, index, c);
  return c;
}

}  // namespace

PaletteHandle newPalette(int count) {
  auto* pal = new Palette;
  pal->entries.resize(static_cast<std::size_t>(std::max(count, 0)));
  return pal;
}

PaletteHandle getNewPalette(int16_t id) {
  QByteArray bytes;
  PaletteHandle pal = newPalette(0);
  if (readResourceFile(QStringLiteral("pictures/pltt/%1.txt").arg(id), bytes)) {
    for (const QByteArray& line : bytes.split('\n')) {
      const QList<QByteArray> parts = line.simplified().split(' ');
      if (parts.size() < 3 || line.startsWith('#')) continue;
      auto comp = [](const QByteArray& b) { return static_cast<uint16_t>(std::clamp(b.toInt(), 0, 65535)); };
      pal->entries.push_back(RGBColor{comp(parts[0]), comp(parts[1]), comp(parts[2])});
    }
  }
  if (pal->entries.empty()) {
    pal->entries.resize(kDefaultEntries);
    pal->entries[0] = kWhiteRGB;
    pal->entries[1] = kBlackRGB;
    for (int i = 2; i < kDefaultEntries; ++i) {
      const auto g = static_cast<uint16_t>(65535 * (kDefaultEntries - i) / kDefaultEntries);
      pal->entries[static_cast<std::size_t>(i)] = RGBColor{g, g, g};
    }
  }
  return pal;
}

void disposePalette(PaletteHandle& pal) {
  if (pal == nullptr) return;
  if (attached() == pal) attached() = nullptr;
  detail::forgetPortReferences(pal);
  delete pal;
  pal = nullptr;
}

void setPalette(int16_t window, PaletteHandle pal, bool /*updates*/) {
  if (GrafPtr port = windowPort(window)) port->palette = pal;
  attached() = pal;
}

void activatePalette(int16_t /*window*/) {}

void setEntryColor(PaletteHandle pal, int16_t index, const RGBColor& c) {
  if (pal == nullptr || index < 0 || static_cast<std::size_t>(index) >= pal->entries.size()) return;
  pal->entries[static_cast<std::size_t>(index)] = c;
}

void getEntryColor(const Palette* pal, int16_t index, RGBColor& c) {
  if (pal == nullptr || index < 0 || static_cast<std::size_t>(index) >= pal->entries.size()) {
    c = kBlackRGB;
    return;
  }
  c = pal->entries[static_cast<std::size_t>(index)];
}

void pmForeColor(int16_t index) { getPort()->fore = entryOf(index); }
void pmBackColor(int16_t index) { getPort()->back = entryOf(index); }
PaletteHandle attachedPalette() { return attached(); }

}  // namespace bg
