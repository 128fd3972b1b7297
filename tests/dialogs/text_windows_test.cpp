// The note pad and the help window through their real widgets: the notes kept as RTF and
// read back equal, a damaged file never replaced by less, a failed save keeping the window
// and its text, the help pages by item name with their fallbacks, the refusals, and the
// windows' own menus.
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <sys/resource.h>

#include <csignal>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_state.h"
#include "dialogs/help_window.h"
#include "dialogs/message_boxes.h"
#include "dialogs/note_pad.h"
#include "dialogs/text_windows.h"
#include "flow/turn_services.h"
#include "runtime/core/files.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/printing.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/rich_text_file.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/menu_numbers.h"
#include "state/program_state.h"
#include "support/pdf_text.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

// The note pad names itself and the cause where it once gave a file number.
const std::string kNotSaved = "The note pad could not be saved.";

QString pdfTarget;
PrintDialogAnswer printIntoPdf() { return {true, pdfTarget}; }

class TextWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    int argc = 0;
    rtInit(argc, nullptr);
    for (int16_t m : {kEditMenu, kInfoMenu, kGameMenu, kFileMenu}) loadMenu(m);
    windowOpen(1, "board", makeRect(0, 0, 300, 200), kDocumentWindow, true);
    setOutputWindow(1);
    setDialogVector(dialogEventHandler);
    ASSERT_TRUE(setDataFolder(std::filesystem::path(dir.path().toStdString()) / "data"));
    pdfTarget = dir.filePath(QStringLiteral("out.pdf"));
  }
  void TearDown() override {
    for (int16_t n : {2, 3, 1, 500}) windowClose(n);
    setDialogVector(nullptr);
    setPrintDialogResponder(nullptr);
    setResourceRoot(QStringLiteral(":/"));
    setDataFolder({});
  }

  QString notePadPath() const { return QString::fromStdString(dataFilePath(kNotePadFileName).string()); }
  static QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  // The close box, as the user clicks it, and the pump that delivers it.
  static void clickCloseBox(int16_t n) {
    contentWidget(n)->close();
    for (int i = 0; i < 5; ++i) FBHandleEvents();
  }
  // Runs `answer` once window n is open (the box opens later in the same pump).
  static void whenOpen(int16_t n, std::function<void()> answer, int tries = 1000) {
    QTimer::singleShot(0, [n, answer, tries] {
      if (windowExists(n)) {
        answer();
      } else if (tries > 0) {
        whenOpen(n, answer, tries - 1);
      }
    });
  }
  // Typed key by key; characters beyond ASCII come as the key events of a keyboard layout
  // that has them.
  static void type(const QString& text) {
    QWidget* view = textViewWidget(kNotePadWindow);
    for (QChar ch : text) {
      if (ch.unicode() < 0x80) {
        QTest::keyClick(view, ch.toLatin1());
        continue;
      }
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(view, &press);
      QApplication::sendEvent(view, &release);
    }
  }

  QTemporaryDir dir;
};

TEST_F(TextWindows, TheFirstOpeningCreatesAnEmptyNotePad) {
  ASSERT_FALSE(QFile::exists(notePadPath()));
  openNotePad();
  ASSERT_TRUE(textViewExists(kNotePadWindow));
  EXPECT_TRUE(QFile::exists(notePadPath()));
  EXPECT_EQ(QFile(notePadPath()).size(), 0);
  EXPECT_TRUE(textViewDocument(kNotePadWindow)->isEmpty());
  EXPECT_EQ(dialogWindows.modalDialogWnd, kNotePadWindow);
  EXPECT_EQ(textViewMenuTitles(kNotePadWindow), (std::vector<std::string>{"Note Pad", "Edit"}));
  EXPECT_EQ(frontWindow(), kNotePadWindow);
}

TEST_F(TextWindows, TypedNotesSurviveClosingAndReopeningAsRtf) {
  openNotePad();
  QTextEdit* view = textViewWidget(kNotePadWindow);
  ASSERT_NE(view, nullptr);
  type(QStringLiteral("Plain start "));
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  view->mergeCurrentCharFormat(bold);
  type(QStringLiteral("Gr\u00fc\u00dfe \u20ac5"));
  QTextCharFormat plain;
  plain.setFontWeight(QFont::Normal);
  view->mergeCurrentCharFormat(plain);
  QTest::keyClick(view, Qt::Key_Return);
  type(QStringLiteral("second line {x}"));
  const QString typed = view->toPlainText();
  EXPECT_EQ(typed, QStringLiteral("Plain start Gr\u00fc\u00dfe \u20ac5\nsecond line {x}"));
  clickCloseBox(kNotePadWindow);
  EXPECT_FALSE(windowExists(kNotePadWindow));
  EXPECT_EQ(textWindows.notePadOpen, 0);
  EXPECT_EQ(dialogWindows.modalDialogWnd, 1);
  EXPECT_TRUE(bytesOf(notePadPath()).startsWith("{\\rtf1"));

  openNotePad();
  QTextDocument* doc = textViewDocument(kNotePadWindow);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->toPlainText(), typed);
  // Bold where it was typed bold, and only there.
  QTextCursor c(doc);
  c.setPosition(3);
  EXPECT_LT(c.charFormat().fontWeight(), QFont::Bold);
  c.setPosition(14);
  EXPECT_GE(c.charFormat().fontWeight(), QFont::Bold);
  c.setPosition(typed.size() - 2);
  EXPECT_LT(c.charFormat().fontWeight(), QFont::Bold);
  // The command menu's Close saves as the close box does.
  type(QStringLiteral("!"));
  chooseTextViewCommand(kNotePadWindow, kTextCloseItem);
  for (int i = 0; i < 3; ++i) FBHandleEvents();
  EXPECT_FALSE(windowExists(kNotePadWindow));
  QTextDocument back;
  readRichOrPlainText(bytesOf(notePadPath()), back);
  EXPECT_TRUE(back.toPlainText().startsWith(QStringLiteral("!")) || back.toPlainText().endsWith(QStringLiteral("!")));
}

TEST_F(TextWindows, AFailedSaveSaysSoAndKeepsTheWindowAndItsText) {
  openNotePad();
  type(QStringLiteral("keep me"));
  // The file's place taken by a folder: no file can be written there.
  QFile::remove(notePadPath());
  ASSERT_TRUE(QDir().mkpath(notePadPath() + QStringLiteral("/inside")));
  std::string told;
  whenOpen(kInformationWindow, [&] {
    for (int16_t id = 1; id <= 10; ++id) {
      const std::string t = controlText(kInformationWindow, id);
      if (t.rfind(kNotSaved, 0) == 0) told = t;
    }
    pressButton(kInformationWindow, 1);
  });
  clickCloseBox(kNotePadWindow);
  EXPECT_EQ(told.rfind(kNotSaved + " ", 0), 0u) << told;
  EXPECT_GT(told.size(), (kNotSaved + " ").size()) << "no cause is given";
  ASSERT_TRUE(windowExists(kNotePadWindow));
  EXPECT_EQ(textWindows.notePadOpen, 255);
  EXPECT_EQ(textViewDocument(kNotePadWindow)->toPlainText(), QStringLiteral("keep me"));
  // Once the place is free again the same close saves.
  QDir(notePadPath()).removeRecursively();
  clickCloseBox(kNotePadWindow);
  EXPECT_FALSE(windowExists(kNotePadWindow));
  EXPECT_TRUE(bytesOf(notePadPath()).contains("keep me"));
}

TEST_F(TextWindows, ADamagedFileOpensAsFarAsItReadsAndIsNeverReplacedByLess) {
  const QByteArray damaged = "{\\rtf1\\ansi {\\b first} notes\\par second part of the notes that was cut";
  const QString firstCopy = QString::fromStdString(dataFilePath("notePad damaged.txt").string());
  const QString secondCopy = QString::fromStdString(dataFilePath("notePad damaged 2.txt").string());
  // A copy kept of an earlier damaged file stays as it is.
  writeBytes(firstCopy, "{\\rtf1 an earlier damaged file");
  writeBytes(notePadPath(), damaged);
  // Each opening says so, and names the one copy kept of this file.
  const auto openTold = [&] {
    std::string told;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
      if (!windowExists(kInformationWindow)) return;
      told = controlText(kInformationWindow, 4);
      pressButton(kInformationWindow, 1);
    });
    answerer.start(0);
    openNotePad();
    answerer.stop();
    EXPECT_EQ(told, "The note pad file was damaged: " + notePadPath().toStdString() +
                        ". The notes are shown as far as they could be read, and the damaged file is kept as " +
                        secondCopy.toStdString() + ".");
  };
  openTold();
  EXPECT_EQ(textViewDocument(kNotePadWindow)->toPlainText(),
            QStringLiteral("first notes\nsecond part of the notes that was cut"));
  clickCloseBox(kNotePadWindow);
  EXPECT_FALSE(windowExists(kNotePadWindow));
  EXPECT_EQ(bytesOf(notePadPath()), damaged);  // unchanged notes: the file stays as it was
  openTold();
  type(QStringLiteral("more "));
  clickCloseBox(kNotePadWindow);
  EXPECT_EQ(bytesOf(firstCopy), "{\\rtf1 an earlier damaged file");
  EXPECT_EQ(bytesOf(secondCopy), damaged);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dataFilePath("notePad damaged 3.txt").string())));
  EXPECT_TRUE(bytesOf(notePadPath()).startsWith("{\\rtf1"));
  EXPECT_TRUE(bytesOf(notePadPath()).contains("more"));
}

TEST_F(TextWindows, AFullDiskSaysSoAndKeepsTheOldNotesAndTheWindow) {
  struct Row {
    const char* what;
    void (*fault)();
    const char* cause;
  };
  const Row rows[] = {
      {"a write fails", [] { failNthFileWrite(1); }, "The disk is full."},
      // The system's own refusal: no file may grow past a few bytes, as on a full disk.
      {"the file may not grow", [] {
         const rlimit small{16, RLIM_INFINITY};
         ::setrlimit(RLIMIT_FSIZE, &small);
       }, "The file is larger than the system allows."},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    writeBytes(notePadPath(), "old notes");
    openNotePad();
    type(QStringLiteral("new notes, longer than the old ones"));
    std::string told;
    whenOpen(kInformationWindow, [&] {
      for (int16_t id = 1; id <= 10; ++id)
        if (controlText(kInformationWindow, id).rfind(kNotSaved, 0) == 0) told = controlText(kInformationWindow, id);
      pressButton(kInformationWindow, 1);
    });
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    r.fault();
    clickCloseBox(kNotePadWindow);
    const rlimit none{RLIM_INFINITY, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &none);
    std::signal(SIGXFSZ, previous);
    clearFileFaults();
    EXPECT_EQ(told, kNotSaved + " " + r.cause);
    EXPECT_EQ(bytesOf(notePadPath()), "old notes");
    EXPECT_EQ(QDir(QString::fromStdString(dataFolder().string())).entryList(QDir::Files),
              QStringList{QStringLiteral("notePad.txt")});
    ASSERT_TRUE(windowExists(kNotePadWindow));
    const QString kept = textViewDocument(kNotePadWindow)->toPlainText();
    EXPECT_TRUE(kept.contains(QStringLiteral("new notes, longer")) && kept.contains(QStringLiteral("old notes")));
    // With room again the same close saves.
    clickCloseBox(kNotePadWindow);
    EXPECT_FALSE(windowExists(kNotePadWindow));
    EXPECT_TRUE(bytesOf(notePadPath()).contains("new notes, longer"));
  }
}

TEST_F(TextWindows, ALatin1NoteIsReadWithItsAccentsAndKeptAsItWasUnlessChanged) {
  const QByteArray latin1 = "caf\xE9 cr\xE8me\nd\xE9j\xE0 vu";
  writeBytes(notePadPath(), latin1);
  openNotePad();
  EXPECT_EQ(textViewDocument(kNotePadWindow)->toPlainText(), QStringLiteral("caf\u00E9 cr\u00E8me\nd\u00E9j\u00E0 vu"));
  clickCloseBox(kNotePadWindow);
  EXPECT_EQ(bytesOf(notePadPath()), latin1);  // opened and closed: not a byte changed
  openNotePad();
  QTextCursor end(textViewDocument(kNotePadWindow));
  end.movePosition(QTextCursor::End);
  textViewWidget(kNotePadWindow)->setTextCursor(end);
  type(QStringLiteral(" encore"));
  clickCloseBox(kNotePadWindow);
  QTextDocument back;
  readRichOrPlainText(bytesOf(notePadPath()), back);
  EXPECT_EQ(back.toPlainText(), QStringLiteral("caf\u00E9 cr\u00E8me\nd\u00E9j\u00E0 vu encore"));
  // UTF-8 stays UTF-8.
  writeBytes(notePadPath(), "caf\xC3\xA9");
  openNotePad();
  EXPECT_EQ(textViewDocument(kNotePadWindow)->toPlainText(), QStringLiteral("caf\u00E9"));
  clickCloseBox(kNotePadWindow);
  EXPECT_EQ(bytesOf(notePadPath()), "caf\xC3\xA9");
}

TEST_F(TextWindows, APlainTextNotePadIsReadAsText) {
  writeBytes(notePadPath(), "old notes {not rtf}\nline two");
  openNotePad();
  EXPECT_EQ(textViewDocument(kNotePadWindow)->toPlainText(), QStringLiteral("old notes {not rtf}\nline two"));
}

TEST_F(TextWindows, NeitherOpensWithACheckerHeldOrWhileOneIsOpen) {
  boardInput.pickedCount = 1;
  openNotePad();
  openHelpWindow(kInfoMenu, 1);
  EXPECT_FALSE(windowExists(kNotePadWindow));
  EXPECT_FALSE(windowExists(kHelpWindow));
  boardInput.pickedCount = 0;
  openNotePad();
  // The open one behind the board comes forward instead: no refusal of a window out of sight.
  windowSelect(1);
  openHelpWindow(kInfoMenu, 1);
  EXPECT_FALSE(windowExists(kHelpWindow));
  EXPECT_EQ(frontWindow(), kNotePadWindow);
  windowSelect(1);
  openNotePad();
  EXPECT_EQ(frontWindow(), kNotePadWindow);
  EXPECT_EQ(dialogWindows.modalDialogWnd, kNotePadWindow);
  clickCloseBox(kNotePadWindow);
  openHelpWindow(kInfoMenu, 1);
  ASSERT_TRUE(windowExists(kHelpWindow));
  windowSelect(1);
  openNotePad();
  EXPECT_FALSE(windowExists(kNotePadWindow));
  EXPECT_EQ(frontWindow(), kHelpWindow);
  EXPECT_EQ(dialogWindows.modalDialogWnd, kHelpWindow);
  clickCloseBox(kHelpWindow);
  EXPECT_FALSE(windowExists(kHelpWindow));
  EXPECT_EQ(textWindows.helpOpen, 0);
  EXPECT_EQ(dialogWindows.modalDialogWnd, 1);
}

TEST_F(TextWindows, HelpPagesOpenByItemTextTitledWithIt) {
  openHelpWindow(kInfoMenu, 1);
  ASSERT_TRUE(textViewExists(kHelpWindow));
  EXPECT_EQ(contentWidget(kHelpWindow)->windowTitle().toStdString(), menuItemText(kInfoMenu, 1));
  EXPECT_GT(textViewDocument(kHelpWindow)->toPlainText().size(), 200);
  EXPECT_TRUE(textViewWidget(kHelpWindow)->isReadOnly());
  EXPECT_EQ(textViewWidget(kHelpWindow)->geometry().left(), 8);
  EXPECT_EQ(textViewMenuTitles(kHelpWindow), (std::vector<std::string>{"Help", "Edit"}));
  chooseTextViewCommand(kHelpWindow, kTextCloseItem);
  for (int i = 0; i < 3; ++i) FBHandleEvents();
  EXPECT_FALSE(windowExists(kHelpWindow));
  EXPECT_EQ(dialogWindows.modalDialogWnd, 1);
}

TEST_F(TextWindows, AMissingPageIsTriedInEnglishThenLeftEmpty) {
  EXPECT_EQ(englishHelpName("Foo Bar.rtf"), "English Bar.rtf");
  EXPECT_EQ(englishHelpName("Foo.rtf"), "English Foo.rtf");
  EXPECT_EQ(englishHelpName("Hilfe - Regeln.rtf"), "English - Regeln.rtf");
  QDir(dir.path()).mkpath(QStringLiteral("res/help"));
  writeBytes(dir.filePath(QStringLiteral("res/help/English Bar.rtf")), "{\\rtf1 The English page}");
  setResourceRoot(dir.filePath(QStringLiteral("res")) + QLatin1Char('/'));
  appendMenuItem(kInfoMenu, "Foo Bar");
  appendMenuItem(kInfoMenu, "Nothing Here");
  const auto count = menuItemCount(kInfoMenu);
  openHelpWindow(kInfoMenu, static_cast<int16_t>(count - 1));
  ASSERT_TRUE(textViewExists(kHelpWindow));
  EXPECT_EQ(contentWidget(kHelpWindow)->windowTitle(), QStringLiteral("Foo Bar"));
  EXPECT_EQ(textViewDocument(kHelpWindow)->toPlainText(), QStringLiteral("The English page"));
  closeHelpWindow();
  openHelpWindow(kInfoMenu, count);
  ASSERT_TRUE(textViewExists(kHelpWindow));
  EXPECT_TRUE(textViewDocument(kHelpWindow)->isEmpty());
  EXPECT_EQ(contentWidget(kHelpWindow)->windowTitle(), QStringLiteral("Nothing Here"));
}

TEST_F(TextWindows, PrintingAWindowPrintsItsText) {
  setPrintDialogResponder(printIntoPdf);
  openNotePad();
  type(QStringLiteral("Remember the Jacoby rule"));
  chooseTextViewCommand(kNotePadWindow, kTextPrintItem);
  for (int i = 0; i < 3; ++i) FBHandleEvents();
  const testing::PdfText t = testing::readPdfText(pdfTarget);
  EXPECT_TRUE(t.find("Jacoby").has_value());
  EXPECT_TRUE(windowExists(kNotePadWindow));
  clickCloseBox(kNotePadWindow);
  QFile::remove(pdfTarget);
  printTextWindow("Help", "Plain help to print");
  EXPECT_TRUE(testing::readPdfText(pdfTarget).find("print").has_value());
}

// The program's quit key quits from either window, the notes still in the note pad for
// the quit to keep.
TEST_F(TextWindows, TheQuitKeyQuitsFromEitherWindow) {
  static QString notesAtQuit;
  static int quits;
  turnServices.quitGame = [] {
    ++quits;
    if (const QTextDocument* doc = textViewDocument(kNotePadWindow)) notesAtQuit = doc->toPlainText();
  };
  for (const int16_t n : {kNotePadWindow, kHelpWindow}) {
    SCOPED_TRACE(n);
    quits = 0;
    notesAtQuit.clear();
    if (n == kNotePadWindow) {
      openNotePad();
      type(QStringLiteral("keep these"));
    } else {
      openHelpWindow(kInfoMenu, 1);
    }
    ASSERT_EQ(frontWindow(), n);
    testing::typeKey(n, Qt::Key_Q, Qt::ControlModifier);
    QTest::keyRelease(contentWidget(n)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
    for (int i = 0; i < 3; ++i) FBHandleEvents();
    EXPECT_EQ(quits, 1);
    if (n == kNotePadWindow) {
      EXPECT_EQ(notesAtQuit, QStringLiteral("keep these"));
    }
    clickCloseBox(n);
  }
}

TEST_F(TextWindows, TheEditMenuActsOnTheText) {
  openNotePad();
  type(QStringLiteral("abc"));
  textViewWidget(kNotePadWindow)->selectAll();
  chooseTextViewEdit(kNotePadWindow, 6);  // Clear
  EXPECT_TRUE(textViewDocument(kNotePadWindow)->isEmpty());
  chooseTextViewEdit(kNotePadWindow, 1);  // Undo
  EXPECT_EQ(textViewDocument(kNotePadWindow)->toPlainText(), QStringLiteral("abc"));
}

}  // namespace
}  // namespace bg
