#include "runtime/core/checked_array.h"

#include <string>

#include "runtime/core/fatal.h"

namespace bg {

void arrayBoundsError(long index, long highest, const std::source_location& where) {
  std::string file = where.file_name();
  const auto slash = file.find_last_of('/');
  const std::string unit = slash == std::string::npos ? file : file.substr(slash + 1);
  fatalStop("Array bounds error: index " + std::to_string(index) + " is outside 0 to " +
            std::to_string(highest) + " at line " + std::to_string(where.line()) + " of " + unit);
}

}  // namespace bg
