#include "state/game_record_state.h"

#include "state/program_state.h"

namespace bg {

GameRecord record;
BG_RESETS_WITH_PROGRAM(record);

}  // namespace bg
