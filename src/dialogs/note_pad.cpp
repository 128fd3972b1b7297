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
#include "storage/damaged_copies.h"

namespace bg {

namespace {

constexpr std::string_view kNotePadTitle = "note pad";
constexpr std::string_view kSaveFailed = "The note pad could not be saved.";
constexpr std::string_view kDamagedText = "The note pad file was damaged: ";
constexpr std::string_view kShownText = ". The notes are shown as far as they could be read";
constexpr std::string_view kNoCopyText =
    ". No copy of the damaged file could be made, so changed notes are not saved over it.";
constexpr int16_t kNotePadFileNumber = 255;

QString qPath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

std::filesystem::path notePadStem() {
  return dataFilePath(std::filesystem::path(kNotePadFileName).stem().string());
}
std::string notePadExtension() { return std::filesystem::path(kNotePadFileName).extension().string(); }

// The damaged file, as it is, is kept beside itself under a name no other file holds, or
// named where it was kept before; false when no copy could be made, with why in cause.
bool keepDamagedNotePad(const std::filesystem::path& file, std::string& cause) {
  QFile damaged(qPath(file));
  if (!damaged.open(QIODevice::ReadOnly)) {
    cause = damaged.errorString().toStdString() + ".";
    return false;
  }
  const QByteArray read = damaged.readAll();
  damaged.close();
  const std::string bytes(read.constData(), static_cast<std::size_t>(read.size()));
  const std::filesystem::path kept = freeDamagedCopyPath(notePadStem(), notePadExtension(), &bytes);
  if (kept.empty()) {
    cause = "Every name for a copy of it is taken.";
    return false;
  }
  if (!QFile::exists(qPath(kept)) && !damaged.copy(qPath(kept))) {
    cause = damaged.errorString().toStdString() + ".";
    return false;
  }
  textWindows.notePadKeptCopy = kept.string();
  return true;
}

// Said once the window is up, over the notes it names.
void tellNotePadDamaged(const std::filesystem::path& file) {
  std::string cause;
  const std::string told = std::string(kDamagedText) + file.string() + std::string(kShownText);
  if (keepDamagedNotePad(file, cause))
    showMessageBox(told + ", and the damaged file is kept as " + textWindows.notePadKeptCopy + ".");
  else
    showMessageBox(told + std::string(kNoCopyText));
}

}  // namespace

bool isNotePadDamagedCopy(const std::filesystem::path& file) {
  return isDamagedCopyPath(file, notePadStem(), notePadExtension());
}

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
  if (!openNotePadWindow()) return;
  const std::filesystem::path file = dataFilePath(kNotePadFileName);
  loadNotePadFile(kNotePadWindow, file);
  if (textWindows.notePadDamaged) tellNotePadDamaged(file);
}

int16_t loadNotePadFile(int16_t n, const std::filesystem::path& file) {
  QTextDocument* doc = textViewDocument(n);
  if (doc == nullptr) return static_cast<int16_t>(QFileDevice::OpenError);
  textWindows.notePadKeptCopy.clear();
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
    if (textWindows.notePadDamaged && textWindows.notePadKeptCopy.empty() && QFile::exists(qPath(file)))
      keepDamagedNotePad(file, cause);
    if (cause.empty() && saveNotePadFile(*doc, file) != 0) cause = lastFileErrorCause();
    if (!cause.empty()) return std::string(kSaveFailed) + " " + cause;
    textWindows.notePadDamaged = false;
    textWindows.notePadKeptCopy.clear();
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
