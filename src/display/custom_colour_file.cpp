#include "display/custom_colour_file.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "display/colour_schemes.h"
#include "state/display_settings.h"
#include "display/upper_services.h"
#include "runtime/core/files.h"
#include "runtime/core/format.h"
#include "runtime/qt/file_chooser.h"
#include "storage/file_services.h"
#include "state/display_state.h"
#include "state/menu_numbers.h"
#include "state/shell_services.h"

namespace bg {

namespace {

constexpr int16_t kColourFile = 4;
constexpr size_t kShortestRecord = 11;
constexpr int64_t kHighestComponent = 65535;
constexpr int64_t kComponentSteps = 256;
// A file chosen by mistake (a picture) is mostly unknown keys: a few are enough to tell.
constexpr int16_t kMostBadRecords = 3;
constexpr int16_t kFallbackBoardColour = 3;
// Far beyond any component, near enough to keep the scaling inside 64 bits.
constexpr double kLargestWritten = 1e15;

struct KeyedColour {
  std::string_view key;
  SchemeColour colour;
};
constexpr KeyedColour kKeys[] = {
    {"BOARDFIELDCOLOR", kFieldColour},    {"BOARDFRAMECOLOR", kFrameColour}, {"DARKPIECECOLOR", kDarkPieceColour},
    {"LITEPIECECOLOR", kLightPieceColour}, {"DARKROWCOLOR", kDarkRowColour}, {"LITEROWCOLOR", kLightRowColour},
    {"BORDERCOLOR", kBorderColour},
};

int64_t componentOf(std::string_view text) {
  const double v = std::trunc(val(text));
  if (!std::isfinite(v)) return 0;
  return static_cast<int64_t>(std::clamp(v, -kLargestWritten, kLargestWritten));
}

void fallBackToColour3() {
  hook::setMenuItemState(kBoardColourMenu, display.boardColor, kItemEnabled, "");
  display.boardColor = kFallbackBoardColour;
  hook::setMenuItemState(kBoardColourMenu, kFallbackBoardColour, kItemChecked, "");
}

// The file to read: at start-up the remembered one, later the user's choice (a cancel
// keeps the remembered name). Empty when there is none.
std::filesystem::path locateColourFile(bool startingUp) {
  DisplaySettings& S = displaySettings;
  if (!startingUp) {
    defOpen("TEXT");
    const std::filesystem::path chosen = chooseFileToOpen("", dataFolder());
    if (chosen.empty()) return {};
    S.customColorsFileName.assign(chosen.string());
    return chosen;
  }
  const std::string_view name = S.customColorsFileName.view();
  if (name.empty()) return {};
  const std::filesystem::path remembered(name);
  const std::filesystem::path path = remembered.has_parent_path() ? remembered : dataFilePath(name);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return {};
  return path;
}

// Clamps the scaled components with one message per direction; false never.
void clampComponents(const Str255& key, int64_t& r, int64_t& g, int64_t& b) {
  if (r > kHighestComponent || g > kHighestComponent || b > kHighestComponent) {
    hook::showBoardNotice(std::string(key.view()) + " RGB value is greater than 255! - 255 is being used");
    for (int64_t* c : {&r, &g, &b}) *c = std::min(*c, kHighestComponent);
  }
  if (r < 0 || g < 0 || b < 0) {
    hook::showBoardNotice(std::string(key.view()) + " RGB value is less than 0! - 255 is being used");
    for (int64_t* c : {&r, &g, &b})
      if (*c < 0) *c = kHighestComponent;
  }
}

// Unknown keys are told together once the reading ends: one by one while they are few,
// and in one message that names the file when so many stop the reading.
class BadRecords {
 public:
  explicit BadRecords(std::string fileName) : fileName_(std::move(fileName)) {}
  void tell() const {
    if (keys_.size() < static_cast<std::size_t>(kMostBadRecords)) {
      for (const std::string& key : keys_) hook::showBoardNotice("Bad line - " + key);
      return;
    }
    // The keys themselves may be any bytes (a picture chosen by mistake): not shown.
    hook::showBoardNotice("The colour file \"" + fileName_ + "\" was read no further: " + std::to_string(keys_.size()) +
                          " of its lines are not colour records. Is it a colour file?");
  }
  void add(std::string_view key) { keys_.emplace_back(key); }
  bool tooMany() const { return keys_.size() >= static_cast<std::size_t>(kMostBadRecords); }

 private:
  std::string fileName_;
  std::vector<std::string> keys_;
};

// Reads the open file's records into row 11; true when the colours count as read.
bool readColourRecords(BadRecords& bad) {
  ColourScheme& row = colours.colourSchemes[kCustomColours];
  int16_t accepted = 0;
  if (fileEof(kColourFile)) return false;  // an empty file holds no colours
  for (;;) {
    const Str255 record = inputField(kColourFile);
    if (record.view().size() < kShortestRecord) {
      if (!fileEof(kColourFile)) hook::showBoardNotice("Bad line - '" + record.str() + "'");
      return accepted > 0;
    }
    const ColourRecord parsed = parseColorLine(record.view());
    if (parsed.key == "END") return true;
    int64_t r = scaleColourComponent(parsed.red);
    int64_t g = scaleColourComponent(parsed.green);
    int64_t b = scaleColourComponent(parsed.blue);
    clampComponents(parsed.key, r, g, b);
    const auto found = std::find_if(std::begin(kKeys), std::end(kKeys),
                                    [&](const KeyedColour& k) { return parsed.key == k.key; });
    if (found != std::end(kKeys)) {
      row[found->colour] = RGBColor{static_cast<uint16_t>(r), static_cast<uint16_t>(g), static_cast<uint16_t>(b)};
      ++accepted;
    } else {
      bad.add(parsed.key.view());
      if (bad.tooMany()) return accepted > 0;
    }
    if (fileEof(kColourFile)) return true;
  }
}

}  // namespace

ColourRecord parseColorLine(std::string_view line) {
  ColourRecord rec;
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < line.size() && line[i] == ' ') ++i;
  };
  auto takeWord = [&] {
    const size_t from = i;
    while (i < line.size() && line[i] != ' ') ++i;
    return line.substr(from, i - from);
  };
  skipBlanks();
  rec.key = takeWord();
  for (int64_t* c : {&rec.red, &rec.green, &rec.blue}) {
    if (i >= line.size()) break;
    skipBlanks();
    if (i >= line.size()) break;
    *c = componentOf(takeWord());
  }
  return rec;
}

int64_t scaleColourComponent(int64_t written) {
  // -1 is the darkest value a file can give; the formula would make it one below 0.
  if (written == -1) return 0;
  return (written + 1) * kComponentSteps - 1;
}

uint8_t readCustomColors() {
  const bool startingUp = display.firstBoardBuild == -1;
  setLastFileError(0);
  // A file that cannot be read is told as a disk error, not as the layer's bare alert.
  const FileErrorVector previous = setFileErrorVector(diskErrorAlert);
  const std::filesystem::path path = locateColourFile(startingUp);
  bool read = false;
  if (!path.empty() && openInput(kColourFile, path)) {
    BadRecords bad(path.filename().string());
    read = readColourRecords(bad);
    closeFile(kColourFile);
    bad.tell();
  }
  setFileErrorVector(previous);
  // At start-up the board must not come up in an unread (black) scheme.
  if (!read && startingUp) fallBackToColour3();
  return read ? 255 : 0;
}

}  // namespace bg
