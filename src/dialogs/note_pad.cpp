#include "dialogs/note_pad.h"

#include <QFile>
#include <QString>
#include <QTextDocument>

#include <string>
#include <utility>

#include "dialogs/dialog_state.h"
#include "dialogs/message_boxes.h"
#include "dialogs/text_windows.h"
#include "runtime/core/files.h"
#include "runtime/core/own_files.h"
#include "runtime/qt/rich_text_file.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

constexpr std::string_view kNotePadTitle = "note pad";
constexpr std::string_view kSaveFailed = "The note pad could not be saved.";
constexpr int16_t kNotePadFileNumber = 255;

QString qPath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

}  // namespace

[[maybe_unused]] static const bool notePadIsOwnFile = registerOwnFile([] { return dataFilePath(kNotePadFileName); });

namespace {

// False when the window could not be made.
bool openNotePadWindow() {
  dialogWindows.savedOutputWnd = frontWindow();
  dialogWindows.modalDialogWnd = kNotePadWindow;
  textWindows.notePadOpen = 255;
  if (openTextWindow(kNotePadWindow, kNotePadTitle, false)) return true;
  textWindows.notePadOpen = 0;
  returnFromClosedDialog();
  return false;
}

}  // namespace

void openNotePad() {
  if (textWindowRefused()) return;
  if (openNotePadWindow()) loadNotePadFile(kNotePadWindow, dataFilePath(kNotePadFileName));
}

int16_t loadNotePadFile(int16_t n, const std::filesystem::path& file) {
  QTextDocument* doc = textViewDocument(n);
  if (doc == nullptr) return static_cast<int16_t>(QFileDevice::OpenError);
  QFile f(qPath(file));
  if (!f.exists()) {
    // The first opening creates the file, empty.
    if (!f.open(QIODevice::WriteOnly)) return static_cast<int16_t>(f.error());
    f.close();
  }
  if (!f.open(QIODevice::ReadOnly)) {
    textWindows.notePadDamaged = true;
    return static_cast<int16_t>(f.error());
  }
  textWindows.notePadDamaged = !readRichOrPlainText(f.readAll(), *doc);
  doc->setModified(false);
  return 0;
}

int16_t saveNotePadFile(const QTextDocument& doc, const std::filesystem::path& file) {
  const QByteArray rtf = writeRtf(doc);
  // The layer's replacing write: every write checked, on disk before the rename, and on a
  // failure the old file left whole. The failure is told here, not by the layer's alert.
  const FileErrorVector old = setFileErrorVector(nullptr);
  setLastFileError(0);
  bool written = openOutput(kNotePadFileNumber, file);
  if (written) {
    written = writeToFile(kNotePadFileNumber, std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size())));
    written = closeFile(kNotePadFileNumber) && written;
  }
  setFileErrorVector(old);
  if (written) return 0;
  const int16_t code = static_cast<int16_t>(lastFileError() & 0xFF);
  return code != 0 ? code : static_cast<int16_t>(kFileErrorWriteFailed);
}

bool saveNotePad() {
  const std::string failure = saveAndCloseNotePad();
  if (failure.empty()) return true;
  showMessageBox(failure);
  return false;
}

std::string saveAndCloseNotePad() {
  if (textWindows.notePadOpen == 0) return {};
  const QTextDocument* doc = textViewDocument(kNotePadWindow);
  // Notes that were not changed stay as their file holds them: a damaged file keeps all it
  // held, and plain text keeps its own bytes.
  if (doc != nullptr && doc->isModified()) {
    const std::filesystem::path file = dataFilePath(kNotePadFileName);
    std::string cause;
    // What a damaged file held beyond the part read is kept aside before it is replaced.
    if (textWindows.notePadDamaged && QFile::exists(qPath(file))) {
      const QString kept = qPath(dataFilePath(kNotePadKeptCopyName));
      QFile::remove(kept);
      QFile copied(qPath(file));
      if (!copied.copy(kept)) cause = copied.errorString().toStdString() + ".";
    }
    if (cause.empty() && saveNotePadFile(*doc, file) != 0) cause = lastFileErrorCause();
    if (!cause.empty()) return std::string(kSaveFailed) + " " + cause;
    textWindows.notePadDamaged = false;
  }
  textWindows.notePadOpen = 0;
  closeTextWindow(kNotePadWindow);
  return {};
}

void closeNotePadUnsaved() {
  if (textWindows.notePadOpen == 0) return;
  // Given up for a quit, which may yet stay: kept until then.
  const QTextDocument* doc = textViewDocument(kNotePadWindow);
  if (doc != nullptr && doc->isModified()) {
    const QByteArray rtf = writeRtf(*doc);
    textWindows.givenUpNotes.assign(rtf.constData(), static_cast<std::size_t>(rtf.size()));
  }
  textWindows.notePadOpen = 0;
  closeTextWindow(kNotePadWindow);
}

void reopenGivenUpNotePad() {
  if (textWindows.givenUpNotes.empty()) return;
  const std::string notes = std::exchange(textWindows.givenUpNotes, {});
  if (!openNotePadWindow()) return;
  QTextDocument* doc = textViewDocument(kNotePadWindow);
  if (doc == nullptr) return;
  readRichOrPlainText(QByteArray(notes.data(), static_cast<qsizetype>(notes.size())), *doc);
  // Still not in the file: the next closing saves them.
  doc->setModified(true);
}

void notePadEditOps() {
  if (textWindows.notePadOpen != 0) printTextWindowContents(kNotePadWindow, "NotePad");
}

bool notePadShowing() { return textWindows.notePadOpen != 0; }

}  // namespace bg
