#pragma once
// Printing into a PDF through the real print path, then reading back where each word
// landed, in lines and points of the printed reports' page.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "rollout/print_page.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/printing.h"
#include "state/app_constants.h"
#include "state/menu_numbers.h"
#include "state/program_state.h"
#include "state/shell_state.h"
#include "support/pdf_text.h"

namespace bg::testing {

inline QString& pdfTarget() {
  static QString path;
  return path;
}
inline int& printDialogsShown() {
  static int n = 0;
  return n;
}
inline PrintDialogAnswer printIntoPdf() {
  ++printDialogsShown();
  return {true, pdfTarget()};
}
inline PrintDialogAnswer cancelPrinting() {
  ++printDialogsShown();
  return {};
}

class PrintFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    int argc = 0;
    rtInit(argc, nullptr);
    loadMenu(kPersonalityMenu);
    pdfTarget() = dir.filePath(QStringLiteral("report.pdf"));
    printDialogsShown() = 0;
    // Where the printable area lies on the paper.
    setPrintDialogResponder(printIntoPdf);
    if (FBPrintDialog()) page = printPageRect();
    FBClosePrint();
    QFile::remove(pdfTarget());
    printDialogsShown() = 0;
    appConstants.programName = "Tavrik's Backgammon";
    appConstants.versionText = "6.4";
    for (int16_t i = 1; i <= 6; ++i) skillNameTable.skillNames[i] = Str255("Level" + std::to_string(i));
    shell.playerNames[0] = "You";
    shell.playerNames[1] = "Computer";
  }
  void TearDown() override {
    FBClosePrint();
    setPrintDialogResponder(nullptr);
  }

  PdfText printed() const { return readPdfText(pdfTarget()); }
  // The report's line of a word printed at `size` points, and its x in report points.
  int lineOf(const PdfWord& w, double size) const {
    return static_cast<int>(std::lround((baselineOf(w, size) - page.top) / kPrintLineHeight));
  }
  double xOf(const PdfWord& w) const { return w.xMin - page.left; }
  // The word after "page" on a footer line of the page.
  std::string footerPageNumber(const PdfText& t, int pageNumber, int line) const {
    std::map<double, std::string> words;
    for (const PdfWord& w : t.onPage(pageNumber))
      if (lineOf(w, kFooterSize) == line) words[w.xMin] = w.text;
    bool next = false;
    for (const auto& [x, text] : words) {
      if (next) return text;
      next = text == "page";
    }
    return {};
  }

  static constexpr double kFooterSize = 8;  // the footer's points

  QTemporaryDir dir;
  Rect page{};
};

}  // namespace bg::testing
