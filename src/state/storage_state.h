#pragma once
// Values of the saved-game code that the rules read and write.
#include <cstdint>

#include "runtime/core/pstring.h"

namespace bg {

struct StorageState {
  int16_t gameModified = 0;  // -1 once the game has changed since it was last saved
  uint8_t firstRun = 0;            // 255 when no preferences were found at start-up
  int16_t loadingGame = 0;         // -1 while a saved game is read
  int16_t prefsLoading = 0;        // -1 while the preferences are read
  int16_t gameWasSaved = 0;        // -1: the game of the last run was saved on quitting
  int16_t loadGameOnStartup = 0;   // -1: that game is to be resumed
  int16_t openDocumentPending = 0; // nonzero when the program was opened with a saved game
  int16_t resumeOffered = 0;       // -1 from the start's offer of a game to load until a game starts
  StrPath openedDocumentName;      // the whole path, however deep its folder
  int16_t fileError = 0;           // -1 after a file operation failed (the readers clear it)
  Str31 prefsVersion;              // VERSION of the preferences being read; then the program's
  int16_t prefsUnreadable = 0;     // -1: a preferences file was there but could not be read
  int16_t prefsDamaged = 0;        // -1: the preferences file read ended before its end mark
  StrPath prefsKeptCopyName;       // where that file was copied; empty when no copy was made
  uint16_t gamesLoaded = 0;        // counts the games put in place from a file
};

extern StorageState storage;

}  // namespace bg
