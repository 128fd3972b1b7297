#pragma once
// The per-user folders: saved games, reports and notes in the data folder, the
// preferences file in the configuration folder.
namespace bg {

inline constexpr const char* kApplicationName = "Tavrik's Backgammon";

// Points the file layer's data and preferences folders at the user's own locations,
// creating them when missing. False when either cannot be made.
bool initUserFolders();

}  // namespace bg
