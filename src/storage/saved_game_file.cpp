#include "storage/saved_game_file.h"

#include <string_view>

#include "flow/turn_services.h"
#include "rules/play_search.h"
#include "rules/numbered_message.h"
#include "runtime/core/files.h"
#include "runtime/core/own_files.h"
#include "state/display_services.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/settings.h"
#include "state/shell_state.h"
#include "state/speech_state.h"
#include "state/storage_state.h"
#include "storage/saved_game.h"
#include "storage/saved_game_commit.h"
#include "storage/saved_game_reader.h"
#include "storage/saved_game_writer.h"
#include "storage/storage_services.h"

namespace bg {

namespace {

constexpr int16_t kSavedMessage = 82;
constexpr std::string_view kSaveAsPrompt = "Save as...";
constexpr std::string_view kOpenPrompt = "Open a saved game";
constexpr std::string_view kNoSavedGameText = "MMNo Saved Game To Load";
constexpr std::string_view kMidRollText = "MMPlay the rest of the roll before saving the game";

int32_t fileErrorSeen = 0;
void noteFileError(int32_t error) { fileErrorSeen = error; }

// File errors are only noted while the saved game is read or written; the caller tells
// the user what went wrong.
class QuietFileErrors {
 public:
  QuietFileErrors() : old_(setFileErrorVector(noteFileError)) { fileErrorSeen = 0; }
  ~QuietFileErrors() { setFileErrorVector(old_); }
  QuietFileErrors(const QuietFileErrors&) = delete;
  QuietFileErrors& operator=(const QuietFileErrors&) = delete;
  bool readFailed() const { return (fileErrorSeen & 0xFF) != 0 && (fileErrorSeen & 0xFF) != kFileErrorPastEnd; }

 private:
  FileErrorVector old_;
};

bool writeSavedGame(const std::filesystem::path& path, const std::string& text) {
  const QuietFileErrors quiet;
  if (!openOutput(kSavedGameFileNumber, path)) return false;
  const bool written = writeToFile(kSavedGameFileNumber, text);
  const bool closed = closeFile(kSavedGameFileNumber);
  return written && closed;
}

bool loadRefused() {
  if (hand.pieceInHand != 0) {
    showNumberedMessage(kFinishMovingMessage);
    return true;
  }
  if (hand.boardWaitActive != 0) {
    showNumberedMessage(kNotNowMessage);
    return true;
  }
  return refuseWhileSearching();
}

void tellNoSavedGame() {
  speech.waitForSpeechEnd = -1;
  showMessageText(kNoSavedGameText);
  speech.waitForSpeechEnd = 0;
  hook::clearMessageLine(0);
  hook::redrawBoardPicture();
}

void refuseDamagedFile(std::string_view why) {
  hook::showInformation("The saved game could not be loaded. " + std::string(why));
}

// The name of the file to read: the document the program was opened with, the game
// remembered at the last quit, or the default file. Empty: nothing to read.
std::string nameToRead(int16_t askFile, bool& resuming) {
  resuming = false;
  if (storage.openDocumentPending != 0) {
    storage.openDocumentPending = 0;
    return storage.openedDocumentName.str();
  }
  std::string name(kSavedGameFileName);
  if (storage.gameWasSaved != 0 && storage.loadGameOnStartup != 0) {
    name = shell.savedGameName.str();
    storage.gameWasSaved = 0;
    resuming = askFile == 0;
  }
  if (askFile != 0) return hook::chooseOpenFile(kOpenPrompt, kSavedGameFileName);
  return name;
}

// Reads the file into a copy and checks it; false after telling the user why it cannot
// be put into the game.
bool readSoundGame(const std::filesystem::path& path, bool bareBoard, SavedGameReading& reading) {
  bool empty = false;
  {
    const QuietFileErrors quiet;
    if (!openInput(kSavedGameFileNumber, path)) {
      refuseDamagedFile("The file cannot be opened.");
      return false;
    }
    empty = fileEof(kSavedGameFileNumber);
    reading = readSavedGameFields(kSavedGameFileNumber, bareBoard);
    reading.readFailed = quiet.readFailed();
    closeFile(kSavedGameFileNumber);
  }
  if (reading.readFailed) {
    refuseDamagedFile("The disk could not be read.");
    return false;
  }
  // Said apart from the faults of a game, since an empty file holds no game to be at fault.
  if (empty) {
    refuseDamagedFile("The file is empty.");
    return false;
  }
  if (!reading.complete) {
    refuseDamagedFile("The file ends before its move table.");
    return false;
  }
  if (reading.boardDamaged) {
    refuseDamagedFile("The Board line does not hold the 26 checker counts of a board.");
    return false;
  }
  if (reading.cutShort) {
    refuseDamagedFile("The move table is cut short.");
    return false;
  }
  if (!reading.unfitNumber.empty()) {
    refuseDamagedFile(reading.unfitNumber + " holds a number too large to be read.");
    return false;
  }
  const std::string fault = savedGameFault(reading.game);
  if (!fault.empty()) {
    refuseDamagedFile(fault);
    return false;
  }
  return true;
}

// False when nothing was put into the game.
bool readSavedGame(int16_t askFile) {
  const bool commandHeld = hook::isModifierDown(kCommandModifier);
  // A file the person named: chosen in the dialog or given on the command line.
  const bool named = askFile != 0 || storage.openDocumentPending != 0;
  bool resuming = false;
  const std::string name = nameToRead(askFile, resuming);
  // The game resumed at the start is the program's own, written whole: a key still held
  // then does not ask for its board alone, which would drop the rest of the game.
  const bool bareBoard = commandHeld && !resuming;
  if (name.empty()) return false;
  const std::filesystem::path path = savedGamePath(name);
  // A file the person named is said to be missing; only the game looked for on their
  // behalf is answered on the message line.
  if (named && !fileExists(path)) {
    refuseDamagedFile("There is no file " + path.string() + ".");
    return false;
  }
  if (!fileExists(path)) {
    shell.savedGameName = "";
    tellNoSavedGame();
    return false;
  }
  SavedGameReading reading;
  if (!readSoundGame(path, bareBoard, reading)) return false;
  commitSavedGame(reading);
  // The game opened is the one being played: unchanged, the quit keeps it by the file it
  // came from, until a move, a save or another game replaces it. A board taken alone is
  // no file's game.
  if (bareBoard) {
    shell.savedGameName.clear();
  } else if (!resuming) {
    shell.savedGameName.assign(savedGameNameOf(path));
    // A path with a line end cannot be remembered in the preferences: the quit keeps the
    // game as it keeps a changed one.
    if (hasLineEnd(shell.savedGameName.view())) {
      shell.savedGameName.clear();
      storage.gameModified = -1;
    }
  }
  return true;
}

}  // namespace

std::string gameNotSavedText() { return "The game could not be saved. " + lastFileErrorCause(); }

// The game kept at the quit; a game saved under a name of the person's own is the person's.
[[maybe_unused]] static const bool savedGameIsOwnFile =
    registerOwnFile([] { return dataFilePath(kSavedGameFileName); });

std::filesystem::path savedGamePath(const std::string& name) {
  if (name.find('/') != std::string::npos) return std::filesystem::path(name);
  return dataFilePath(name);
}

std::string savedGameNameOf(const std::filesystem::path& path) {
  if (path.parent_path() == dataFolder()) return path.filename().string();
  return path.string();
}

bool saveGame(int16_t askName) {
  if (hand.pieceInHand != 0) {
    showNumberedMessage(kFinishMovingMessage);
    return false;
  }
  if (partOfRollPlayed()) {
    showMessageText(kMidRollText);
    return false;
  }
  std::filesystem::path path = dataFilePath(kSavedGameFileName);
  if (askName != 0) {
    std::string chosen = hook::chooseSaveFile(kSaveAsPrompt, kSavedGameFileName);
    // The path is remembered in the line-by-line preferences, so neither the name nor a
    // folder of it takes a line end: the box asks again with the path made one line, and so
    // asks before a file of that name is replaced.
    while (hasLineEnd(chosen)) chosen = hook::chooseSaveFile(kSaveAsPrompt, oneLine(chosen));
    if (chosen.empty()) return false;
    path = chosen;
  }
  if (!writeSavedGame(path, savedGameText(savedGameOfState()))) {
    showMessageText("MM" + gameNotSavedText());
    return false;
  }
  hook::pumpEvents();
  interaction.messageNumber = kSavedMessage;
  if (shell.quitting != -1) {
    interaction.messageText.clear();
    speech.waitForSpeechEnd = -1;
    hook::displayMessage();
  }
  storage.gameModified = 0;
  shell.savedGameName.assign(savedGameNameOf(path));
  return true;
}

void saveGameAs() { saveGame(-1); }

void openSavedGame() { loadGame(-1); }

bool checkSavedGameToResume() {
  const std::filesystem::path path = savedGamePath(shell.savedGameName.str());
  bool sound = false;
  if (!fileExists(path)) {
    tellNoSavedGame();
  } else {
    SavedGameReading reading;
    sound = readSoundGame(path, false, reading);
  }
  if (!sound) {
    storage.gameWasSaved = 0;
    shell.savedGameName = "";
  }
  return sound;
}

void loadGame(int16_t askFile) {
  if (loadRefused()) {
    storage.openDocumentPending = 0;
    return;
  }
  storage.loadingGame = -1;
  {
    const QuietStretch quiet;
    readSavedGame(askFile);
  }
  storage.loadingGame = 0;
  storage.openDocumentPending = 0;
}

}  // namespace bg
