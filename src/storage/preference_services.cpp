#include "storage/preference_services.h"

#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/play_options.h"
#include "state/program_state.h"
#include "state/settings.h"
#include "state/shell_state.h"
#include "state/storage_state.h"

namespace bg {

PreferenceServices preferenceServices;
BG_RESETS_WITH_PROGRAM(preferenceServices);

namespace {
void flip(int16_t& flag) { flag = flag == 0 ? -1 : 0; }
void flip(uint8_t& flag) { flag = flag == 0 ? 255 : 0; }
}  // namespace

namespace prefsLeast {

void flipOption(PrefToggle t) {
  switch (t) {
    case PrefToggle::kSelectOneOnly: flip(options.selectOneOnly); break;
    case PrefToggle::kInputDice: flip(settings.inputDice); break;
    case PrefToggle::kCubeUsed: flip(cube.cubeUsed); break;
    case PrefToggle::kBeaverAllowed: flip(cube.beaverAllowed); break;
    case PrefToggle::kAcceptDoubles: flip(cube.acceptDoubles); break;
    case PrefToggle::kJacobyRule: flip(cube.jacobyRule); break;
    case PrefToggle::kBackgammonAllowed: flip(settings.backgammonAllowed); break;
    case PrefToggle::kRerollFirstRoll: flip(settings.rerollFirstRoll); break;
    case PrefToggle::kAutoConcessions: flip(options.autoConcessions); break;
    case PrefToggle::kAutomaticRolls: flip(settings.automaticRolls); break;
    case PrefToggle::kAutoPass: flip(options.autoPass); break;
    case PrefToggle::kEasyMoves: flip(options.easyMoves); break;
    case PrefToggle::kSaveGameOnExit: flip(shell.saveGameOnExit); break;
    case PrefToggle::kLoadGameOnStartup: flip(storage.loadGameOnStartup); break;
    case PrefToggle::kShowPossibleMoves: flip(displaySettings.showPossibleMoves); break;
  }
}

void noMark(int16_t /*menu*/, int16_t /*item*/) {}
void nothing() {}
void storePieceSpeed(int16_t speed) { displaySettings.pieceSpeed = speed; }
void storePieceShape(int16_t shape) {
  displaySettings.pieceShapeApplied = shape;
  displaySettings.pieceShapeBase = static_cast<int16_t>(2 * shape);
}
void storeAutoDoubleMax(int16_t choice) { cube.autoDoubleMax = choice; }
bool noBoardWindow(WindowContent& /*content*/) { return false; }
void takeFrameDesign() {
  BoardState& B = boardState;
  B.designTilesChoice = B.frameDesignChoice > 0 ? 1 : B.frameDesignChoice;
  B.designTilesOn = B.designTilesChoice;
  B.boardFrameDesign = B.frameDesignChoice;
}

}  // namespace prefsLeast
}  // namespace bg
