#include "runtime/qt/file_chooser.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <QStringList>

#include <string>
#include <utility>

namespace bg {

namespace {

OpenFilePresenter presenterInForce = nullptr;

class ListedFiles : public QSortFilterProxyModel {
 public:
  explicit ListedFiles(FileLeftOut leftOut) : leftOut_(std::move(leftOut)) {}

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr) return true;
    const QModelIndex index = files->index(row, 0, parent);
    return files->isDir(index) || !leftOut_(std::filesystem::path(files->filePath(index).toStdString()));
  }

 private:
  FileLeftOut leftOut_;
};

std::filesystem::path askWithDialog(std::string_view prompt, const std::filesystem::path& startFolder,
                                    const FileLeftOut& leftOut) {
  QFileDialog dialog(nullptr, QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())),
                     QString::fromStdString(startFolder.string()));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (leftOut) {
    // Only the dialog's own views take a filter of names.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new ListedFiles(leftOut));  // the dialog owns it
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return {};
  return std::filesystem::path(chosen.first().toStdString());
}

}  // namespace

std::filesystem::path chooseFileToOpen(std::string_view prompt, const std::filesystem::path& startFolder,
                                       const FileLeftOut& leftOut) {
  if (presenterInForce != nullptr) return presenterInForce(prompt, startFolder);
  return askWithDialog(prompt, startFolder, leftOut);
}

OpenFilePresenter setOpenFilePresenter(OpenFilePresenter presenter) {
  const OpenFilePresenter previous = presenterInForce;
  presenterInForce = presenter;
  return previous;
}

}  // namespace bg
