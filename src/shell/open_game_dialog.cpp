#include "shell/open_game_dialog.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <QStringList>

#include "dialogs/note_pad.h"
#include "rollout/rollout_report.h"
#include "runtime/core/files.h"
#include "runtime/qt/file_chooser.h"
#include "storage/preferences_file.h"

namespace bg {

namespace {

// A file the program writes for itself that holds no game.
bool ownFileHoldingNoGame(const std::filesystem::path& file) {
  const std::filesystem::path seen = file.lexically_normal();
  for (const std::filesystem::path& own :
       {dataFilePath(kNotePadFileName), dataFilePath(kNotePadKeptCopyName), dataFilePath(kRolloutReportName),
        preferencesPath(), preferencesKeptCopyPath()})
    if (own.lexically_normal() == seen) return true;
  return false;
}

class GamesOnly : public QSortFilterProxyModel {
 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr) return true;
    const QModelIndex index = files->index(row, 0, parent);
    return files->isDir(index) || !ownFileHoldingNoGame(files->filePath(index).toStdString());
  }
};

}  // namespace

std::filesystem::path chooseGameToOpen(std::string_view prompt) {
  // A presenter a test puts in answers in place of the dialog.
  const OpenFilePresenter presenter = setOpenFilePresenter(nullptr);
  setOpenFilePresenter(presenter);
  if (presenter != nullptr) return chooseFileToOpen(prompt, dataFolder());
  QFileDialog dialog(nullptr, QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())),
                     QString::fromStdString(dataFolder().string()));
  // Only the dialog's own views take a filter of names.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setProxyModel(new GamesOnly);  // the dialog owns it
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return {};
  return std::filesystem::path(chosen.first().toStdString());
}

}  // namespace bg
