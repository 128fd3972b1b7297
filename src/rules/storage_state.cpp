#include "rules/storage_state.h"

namespace bg {

StorageState storage;

}  // namespace bg
