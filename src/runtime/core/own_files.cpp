#include "runtime/core/own_files.h"

#include <string>
#include <vector>

#include "runtime/core/files.h"

namespace bg {

namespace {

// Built on first use: writers register during static initialisation, in any order.
std::vector<OwnFilePath>& ownFiles() {
  static std::vector<OwnFilePath> list;
  return list;
}

}  // namespace

bool registerOwnFile(OwnFilePath where) {
  ownFiles().push_back(where);
  return true;
}

void removeLeftoverTemporaries() {
  for (const OwnFilePath where : ownFiles()) {
    const std::filesystem::path file = where();
    removeStaleTemporariesIn(file.parent_path(), {file.filename().string()});
  }
}

}  // namespace bg
