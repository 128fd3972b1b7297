#pragma once
// What the saved-game code asks of the areas above it: the file dialogs and the
// commands that put the older layout's settings in force. The least forms choose no file
// and store the settings without marking any menu.
#include <string>
#include <string_view>

#include "storage/saved_game_reader.h"

namespace bg {

namespace storageLeast {
std::string chooseNoFile(std::string_view prompt, std::string_view defaultName);
void storeOlderLayoutSettings(const OlderLayoutSettings& s);
}  // namespace storageLeast

struct StorageServices {
  // The save dialog, suggesting a name in the data folder or a whole path: the whole path
  // chosen, empty when the user cancelled.
  std::string (*chooseSaveFile)(std::string_view prompt, std::string_view defaultName) = storageLeast::chooseNoFile;
  // The open dialog: the whole path chosen, empty when the user cancelled.
  std::string (*chooseOpenFile)(std::string_view prompt, std::string_view defaultName) = storageLeast::chooseNoFile;
  // Each rule whose value differs from the one in force goes through its own command.
  void (*applyOlderLayoutSettings)(const OlderLayoutSettings& s) = storageLeast::storeOlderLayoutSettings;
};

extern StorageServices storageServices;

namespace hook {
inline std::string chooseSaveFile(std::string_view prompt, std::string_view defaultName) {
  return storageServices.chooseSaveFile(prompt, defaultName);
}
inline std::string chooseOpenFile(std::string_view prompt, std::string_view defaultName) {
  return storageServices.chooseOpenFile(prompt, defaultName);
}
inline void applyOlderLayoutSettings(const OlderLayoutSettings& s) { storageServices.applyOlderLayoutSettings(s); }
}  // namespace hook

}  // namespace bg
