#include "runtime/core/own_files.h"

#include <map>
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
  // Each folder is read once, for all the files it holds.
  std::map<std::filesystem::path, std::vector<std::string>> namesByFolder;
  for (const OwnFilePath where : ownFiles()) {
    const std::filesystem::path file = where();
    namesByFolder[file.parent_path()].push_back(file.filename().string());
  }
  for (const auto& [folder, names] : namesByFolder) removeStaleTemporariesIn(folder, names);
}

}  // namespace bg
