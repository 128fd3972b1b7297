#pragma once
// HOME and the XDG folders in a temporary folder for the life of a test, so a child
// process started from it reads and writes the user's files there and nowhere else.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bg::testing {

class OwnFolders {
 public:
  explicit OwnFolders(const std::string& prefix)
      : root_(std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()))) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
      const char* old = std::getenv(v);
      saved_.emplace_back(v, old ? std::optional<std::string>(old) : std::nullopt);
    }
    enter(root_);
  }
  // Points this process at folders another process made (a child started by the test).
  static void enter(const std::filesystem::path& root) {
    ::setenv("HOME", root.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (root / "cache").c_str(), 1);
  }
  ~OwnFolders() {
    for (const auto& [name, value] : saved_) {
      if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
      else
        ::unsetenv(name.c_str());
    }
    std::filesystem::remove_all(root_);
  }
  OwnFolders(const OwnFolders&) = delete;
  OwnFolders& operator=(const OwnFolders&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path savedGame() const { return root_ / "data" / "Tavrik's Backgammon" / "SavedGame"; }
  std::filesystem::path preferences() const {
    return root_ / "config" / "Tavrik's Backgammon" / "Tavrik's Backgammon Preferences";
  }

 private:
  std::filesystem::path root_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace bg::testing
