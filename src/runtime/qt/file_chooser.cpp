#include "runtime/qt/file_chooser.h"

#include <QFileDialog>
#include <QString>

#include <string>

namespace bg {

namespace {

OpenFilePresenter presenterInForce = nullptr;

std::filesystem::path askWithDialog(std::string_view prompt, const std::filesystem::path& startFolder) {
  const QString chosen = QFileDialog::getOpenFileName(nullptr, QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())),
                                                      QString::fromStdString(startFolder.string()));
  if (chosen.isEmpty()) return {};
  return std::filesystem::path(chosen.toStdString());
}

}  // namespace

std::filesystem::path chooseFileToOpen(std::string_view prompt, const std::filesystem::path& startFolder) {
  if (presenterInForce != nullptr) return presenterInForce(prompt, startFolder);
  return askWithDialog(prompt, startFolder);
}

OpenFilePresenter setOpenFilePresenter(OpenFilePresenter presenter) {
  const OpenFilePresenter previous = presenterInForce;
  presenterInForce = presenter;
  return previous;
}

}  // namespace bg
