#include "runtime/qt/save_file_chooser.h"

#include <QFileDialog>
#include <QString>

namespace bg {

namespace {

SaveFilePresenter presenterInForce = nullptr;

std::filesystem::path askWithDialog(std::string_view prompt, const std::filesystem::path& suggested) {
  const QString chosen = QFileDialog::getSaveFileName(
      nullptr, QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())),
      QString::fromStdString(suggested.string()));
  if (chosen.isEmpty()) return {};
  return std::filesystem::path(chosen.toStdString());
}

}  // namespace

std::filesystem::path chooseFileToSave(std::string_view prompt, const std::filesystem::path& suggested) {
  if (presenterInForce != nullptr) return presenterInForce(prompt, suggested);
  return askWithDialog(prompt, suggested);
}

SaveFilePresenter setSaveFilePresenter(SaveFilePresenter presenter) {
  const SaveFilePresenter previous = presenterInForce;
  presenterInForce = presenter;
  return previous;
}

}  // namespace bg
