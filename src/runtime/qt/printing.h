#pragma once
// The printer port. A print job is drawn in 72-dpi points from the top-left corner of the
// printable area (the adjusted page rectangle): text is placed with the pen at (x, y), y on
// the baseline, and the pen moves on by the text's width. One job at a time: the print
// dialog opens it and FBClosePrint ends it.
//
// The print dialog goes through one routine that tests replace: it answers with a PDF file
// to print into, or with a cancel.
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <cstdint>
#include <string_view>
#include <utility>

#include "runtime/qt/qd_types.h"

class QTextDocument;

namespace bg {

// What the print dialog answered: print (to the chosen printer, or into pdfPath when it is
// not empty) or cancel.
struct PrintDialogAnswer {
  PrintDialogAnswer() = default;
  PrintDialogAnswer(bool print, QString pdfPath, QPageSize paper = {},
                    QPageLayout::Orientation orientation = QPageLayout::Portrait)
      : print(print), pdfPath(std::move(pdfPath)), paper(std::move(paper)), orientation(orientation) {}
  bool print = false;
  QString pdfPath;
  // The paper chosen; an invalid size keeps the printer's own.
  QPageSize paper;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
};
using PrintDialogResponder = PrintDialogAnswer (*)();
// nullptr puts the real dialog back. Returns the previous responder.
PrintDialogResponder setPrintDialogResponder(PrintDialogResponder fn);

// Shows the print dialog; true opens a job and its first page.
bool FBPrintDialog();
bool printJobOpen();
// The printable area in points, in the paper's coordinates: drawing at (x, y) lands on the
// paper at (left + x, top + y).
Rect printPageRect();
// Shrinks what is drawn from here on so that a layout of width x height points fits the
// printable area; never enlarges. Small paper gets the whole page, only smaller.
void printFitToPage(double width, double height);
// The factor printFitToPage chose: one point of the layout is this many on the paper.
double printScale();
// Ends the page and begins the next one.
void printNewPage();
// Ends the job: the last page goes out.
void FBClosePrint();

// Font number as for the window text (3 the bundled sans family), size in points, face bits.
void printTextStyle(int16_t font, int16_t size, int16_t face);
void printMoveTo(int x, int y);
void printString(std::string_view utf8);
// PRINT of an integer: its digits with one leading blank when it is not negative.
void printInteger(int64_t value);
int printStringWidth(std::string_view utf8);

// Prints a whole document with its own dialog, the title as the job's name; false when
// the dialog was cancelled.
bool printTextDocument(const QTextDocument& doc, std::string_view title);

}  // namespace bg
