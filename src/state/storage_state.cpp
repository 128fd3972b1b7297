#include "state/storage_state.h"

#include "state/program_state.h"

namespace bg {

StorageState storage;
BG_RESETS_WITH_PROGRAM(storage);

}  // namespace bg
