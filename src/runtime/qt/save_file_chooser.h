#pragma once
// The save-file dialog. A test answers it through a presenter of its own.
#include <filesystem>
#include <string_view>

namespace bg {

// The chosen file's whole path, or an empty path when the user cancelled.
std::filesystem::path chooseFileToSave(std::string_view prompt, const std::filesystem::path& suggested);

using SaveFilePresenter = std::filesystem::path (*)(std::string_view prompt, const std::filesystem::path& suggested);
// Installs the presenter; nullptr brings the dialog back. Returns the previous one.
SaveFilePresenter setSaveFilePresenter(SaveFilePresenter presenter);

}  // namespace bg
