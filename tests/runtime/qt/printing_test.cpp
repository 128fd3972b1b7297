// The printer port: text placed in points from the printable area's corner, pages, the
// dialog's answers, and a whole document printed through the same dialog.
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "runtime/qt/app_init.h"
#include "runtime/qt/printing.h"
#include "support/pdf_text.h"

namespace bg {
namespace {

QString pdfTarget;
int dialogsShown = 0;
PrintDialogAnswer printIntoPdf() {
  ++dialogsShown;
  return {true, pdfTarget};
}
PrintDialogAnswer cancelPrinting() {
  ++dialogsShown;
  return {};
}

class PrinterPort : public ::testing::Test {
 protected:
  void SetUp() override {
    int argc = 0;
    rtInit(argc, nullptr);
    pdfTarget = dir.filePath(QStringLiteral("out.pdf"));
    dialogsShown = 0;
    setPrintDialogResponder(printIntoPdf);
  }
  void TearDown() override {
    FBClosePrint();
    setPrintDialogResponder(nullptr);
  }
  QTemporaryDir dir;
};

TEST_F(PrinterPort, TextStandsAtItsPointsOnEveryPage) {
  ASSERT_TRUE(FBPrintDialog());
  ASSERT_TRUE(printJobOpen());
  const Rect page = printPageRect();
  EXPECT_GT(page.height(), 700);
  struct Placed {
    int page, x, y, size, face;
    const char* text;
  };
  const Placed rows[] = {{1, 48, 11, 14, 1, "Title"},   {1, 100, 200, 10, 0, "ten"},
                         {1, 265, 693, 8, 1, "eight"},  {2, 50, 11, 9, 0, "second"},
                         {3, 453, 704, 8, 1, "third"}};
  int onPage = 1;
  for (const Placed& r : rows) {
    while (onPage < r.page) {
      printNewPage();
      ++onPage;
    }
    printTextStyle(3, static_cast<int16_t>(r.size), static_cast<int16_t>(r.face));
    printMoveTo(r.x, r.y);
    printString(r.text);
  }
  FBClosePrint();
  EXPECT_FALSE(printJobOpen());
  const testing::PdfText t = testing::readPdfText(pdfTarget);
  ASSERT_TRUE(t.read);
  EXPECT_EQ(t.pages, 3);
  for (const Placed& r : rows) {
    SCOPED_TRACE(r.text);
    const auto w = t.find(r.text, r.page);
    ASSERT_TRUE(w.has_value());
    EXPECT_NEAR(w->xMin, page.left + r.x, 1.0);
    EXPECT_NEAR(testing::baselineOf(*w, r.size), page.top + r.y, 1.0);
    // The size shows in the box's height (ascent and descent of the family).
    EXPECT_NEAR(w->yMax - w->yMin, 1.164 * r.size, 1.0);
  }
}

TEST_F(PrinterPort, ThePenMovesOnByTheTextAndNumbersKeepTheirBlank) {
  ASSERT_TRUE(FBPrintDialog());
  const Rect page = printPageRect();
  printTextStyle(3, 10, 0);
  printMoveTo(60, 100);
  printString("Tournament");
  const int width = printStringWidth("Tournament");
  printInteger(7);
  printString("Crawford");
  printMoveTo(60, 120);
  printInteger(-3);
  FBClosePrint();
  const testing::PdfText t = testing::readPdfText(pdfTarget);
  const auto seven = t.find("7Crawford");
  ASSERT_TRUE(seven.has_value());
  // One blank between the word and the digit: the number's own.
  EXPECT_NEAR(seven->xMin, page.left + 60 + width + printStringWidth(" "), 1.5);
  const auto minus = t.find("-3");
  ASSERT_TRUE(minus.has_value());
  EXPECT_NEAR(minus->xMin, page.left + 60, 1.0);
}

TEST_F(PrinterPort, ACancelledDialogOpensNoJobAndWritesNothing) {
  setPrintDialogResponder(cancelPrinting);
  EXPECT_FALSE(FBPrintDialog());
  EXPECT_EQ(dialogsShown, 1);
  EXPECT_FALSE(printJobOpen());
  // Drawing without a job goes nowhere and does not crash.
  printMoveTo(10, 10);
  printString("lost");
  FBClosePrint();
  EXPECT_FALSE(QFile::exists(pdfTarget));
  QTextDocument doc;
  doc.setPlainText(QStringLiteral("never printed"));
  EXPECT_FALSE(printTextDocument(doc, "Help"));
  EXPECT_FALSE(QFile::exists(pdfTarget));
}

TEST_F(PrinterPort, ADocumentPrintsAllItsText) {
  QTextDocument doc;
  QString text;
  for (int i = 1; i <= 150; ++i) text += QStringLiteral("Line%1 of the notes\n").arg(i);
  doc.setPlainText(text);
  ASSERT_TRUE(printTextDocument(doc, "NotePad"));
  EXPECT_EQ(dialogsShown, 1);
  const testing::PdfText t = testing::readPdfText(pdfTarget);
  EXPECT_GE(t.pages, 2);
  EXPECT_TRUE(t.find("Line1", 1).has_value());
  EXPECT_TRUE(t.find("Line150").has_value());
}

}  // namespace
}  // namespace bg
