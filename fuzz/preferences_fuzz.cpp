// The preferences reader over any bytes: every input returns, and every setting the file
// can carry ends in its legal range.
#include <cstddef>
#include <cstdint>

#include "computer/personalities.h"
#include "flow/turn_services.h"
#include "fuzz_support.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/program_state.h"
#include "state/settings.h"
#include "state/speech_state.h"
#include "state/storage_state.h"
#include "storage/preferences_reader.h"

namespace {

bool in(int v, int low, int high) { return v >= low && v <= high; }
bool flag(int v) { return v == 0 || v == -1; }
bool byteFlag(std::uint8_t v) { return v == 0 || v == 255; }

void givenScreen() {
  bg::ShellWindowState& S = bg::shellWindow;
  S.screenWidth = 1280;
  S.screenHeight = 1024;
  S.menuBarHeight = 22;
  S.boardWidthMin = 424;
  S.boardWidthFallback = 1180;
  for (long k = 1; k <= bg::kBoardSizeHighest; ++k) S.boardSizeTable[k] = static_cast<int16_t>(424 + (k - 1) * 126);
  bg::display.boardWidth = 1180;
  // The first-start values the shell gives where the structs start at 0.
  bg::displaySettings.pieceShapeApplied = 3;
  bg::displaySettings.pieceSize = 3;
  bg::boardState.frameDesignChoice = bg::boardState.boardFrameDesign = 7;
  bg::options.rightMouseActionP = bg::kRightClickCentre;
  bg::options.rightMouseActionNP = bg::kRightClickTakesBack;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bg;
  resetProgramState();
  givenScreen();
  turnServices.showInformation = [](std::string_view) {};
  parsePreferences(fuzz::bytesOf(data, size));
  validateWindowRect();
  const ShellWindowState& S = shellWindow;
  fuzz::check(in(skill.skillLevel, 1, kHighestSkillLevel), "skill level 1 to 5");
  fuzz::check(in(skill.personality, 1, 3), "personality 1 to 3");
  fuzz::check(in(settings.soundOptions.soundLevel, 0, 10), "sound level");
  fuzz::check(byteFlag(settings.soundOptions.soundOn), "sound flag");
  fuzz::check(in(display.boardColor, 1, 16), "board colour scheme");
  fuzz::check(in(display.playerColors[0], 0, 1) && display.playerColors[1] == 1 - display.playerColors[0],
              "player colours");
  fuzz::check(in(displaySettings.pieceSpeed, 1, 11), "piece speed");
  fuzz::check(in(displaySettings.pieceSize, 0, 6), "piece size");
  fuzz::check(in(displaySettings.pieceShapeApplied, 1, 8), "piece shape");
  fuzz::check(in(displaySettings.playDirection, 0, 1), "play direction");
  fuzz::check(in(displaySettings.solidPieceColors, -1, 1), "solid colours");
  fuzz::check(in(boardState.frameDesignChoice, 0, 8), "frame design");
  fuzz::check(in(cube.autoDoubleMax, 0, 8), "automatic doubles");
  bool cubeMaximumOk = false;
  for (int v = 2; v <= 64; v *= 2) cubeMaximumOk = cubeMaximumOk || cube.cubeMaximum == v;
  fuzz::check(cubeMaximumOk, "cube maximum a power of two from 2 to 64");
  for (int16_t f : {cube.cubeUsed, cube.beaverAllowed, cube.acceptDoubles, cube.jacobyRule, settings.inputDice,
                    settings.automaticRolls, options.selectOneOnly, options.autoConcessions, options.easyMoves,
                    options.speakHumanDice, options.speakComputerDice, options.shortDiceMessage,
                    displaySettings.showPossibleMoves, displaySettings.rowNumbersShown, storage.loadGameOnStartup})
    fuzz::check(flag(f), "an on/off setting is 0 or -1");
  for (std::uint8_t f : {settings.backgammonAllowed, settings.rerollFirstRoll, options.autoPass,
                         options.clickAfterHumanMove, options.clickAfterComputerMove})
    fuzz::check(byteFlag(f), "a byte flag is 0 or 255");
  fuzz::check(in(settings.whoRollsFirst, 1, 5), "who rolls first");
  fuzz::check(in(options.wagerSymbolLocation, 12, 13), "wager symbol place");
  fuzz::check(in(options.rightMouseActionP, 1, 2) && in(options.rightMouseActionNP, 3, 4), "right-click actions");
  fuzz::check(in(options.autoMoves, 0, 15), "automatic moves");
  fuzz::check(in(players.activePlayers, 1, 4), "active player record");
  fuzz::check(in(S.boardSizeIndex, 0, kBoardSizeHighest), "board size index");
  fuzz::check(in(display.boardWidth, S.boardWidthMin, S.boardWidthFallback), "board width");
  fuzz::check(windowPlacement.windowX2 >= 0, "window right edge");
  fuzz::check(storage.gameWasSaved == 0 || storage.loadGameOnStartup == -1, "a game to resume only when asked");
  fuzz::check(fuzz::isValidUtf8(speech.voiceName.view()) || !fuzz::isValidUtf8(fuzz::bytesOf(data, size)),
              "text values are cut between characters");
  return 0;
}
