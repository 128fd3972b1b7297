#pragma once
// The files the program writes under names of its own. Each writer registers where its file
// lies beside its writing, so the start's sweep of what a killed run left names every one.
#include <filesystem>

namespace bg {

using OwnFilePath = std::filesystem::path (*)();

// Adds a file the program writes; returns true so it can initialise a namespace-scope constant.
bool registerOwnFile(OwnFilePath where);

// Removes the temporaries a run killed inside a write left long ago beside each registered
// file; a person's file, whatever its name, stays.
void removeLeftoverTemporaries();

}  // namespace bg
