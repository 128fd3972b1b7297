#pragma once
// The open-file dialog. A test answers it through a presenter of its own, as the file
// errors' alert is answered.
#include <filesystem>
#include <functional>
#include <string_view>

namespace bg {

// Files the dialog leaves out of its list (folders are always listed).
using FileLeftOut = std::function<bool(const std::filesystem::path& file)>;

// The chosen file's whole path, or an empty path when the user cancelled.
std::filesystem::path chooseFileToOpen(std::string_view prompt, const std::filesystem::path& startFolder,
                                       const FileLeftOut& leftOut = {});

using OpenFilePresenter = std::filesystem::path (*)(std::string_view prompt, const std::filesystem::path& startFolder);
// Installs the presenter; nullptr brings the dialog back. Returns the previous one.
OpenFilePresenter setOpenFilePresenter(OpenFilePresenter presenter);

}  // namespace bg
