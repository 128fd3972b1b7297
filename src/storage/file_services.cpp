#include "storage/file_services.h"

#include <string>
#include <system_error>

#include "flow/turn_services.h"
#include "runtime/core/files.h"
#include "runtime/core/format.h"
#include "state/storage_state.h"

namespace bg {

namespace {
constexpr std::size_t kNumberTextLimit = 15;
constexpr std::string_view kDiskErrorText = "disk error";

bool blankAt(std::string_view text, int16_t position) { return text[static_cast<std::size_t>(position - 1)] == ' '; }
}  // namespace

int16_t makeFSSpec(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec) ? -1 : 0;
}

double parseFieldValue(int16_t& position, std::string_view text) {
  const auto length = static_cast<int16_t>(std::min<std::size_t>(text.size(), INT16_MAX - 1));
  if (position < 1) position = 1;
  std::string number;
  while (position <= length && !blankAt(text, position)) {
    if (number.size() < kNumberTextLimit) number += text[static_cast<std::size_t>(position - 1)];
    ++position;
  }
  // Past the end the position stays there, so a used-up text reads 0 and never its last
  // character again.
  if (position <= length) {
    while (position < length && blankAt(text, position)) ++position;
  }
  return val(number);
}

int32_t parseFieldList(int16_t& position, std::string_view text) { return int32Of(parseFieldValue(position, text)); }

void setFileErrorFlag(int32_t /*error*/) { storage.fileError = -1; }

void diskErrorAlert(int32_t error) {
  if (error == 0 || (error & 0xFF) == kFileErrorPastEnd) return;
  hook::showInformation(kDiskErrorText);
  storage.fileError = -1;
}

}  // namespace bg
