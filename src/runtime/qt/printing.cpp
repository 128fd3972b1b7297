#include "runtime/qt/printing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include <memory>

#include "runtime/core/format.h"
#include "runtime/qt/text.h"

namespace bg {

namespace {

constexpr double kPointsPerInch = 72.0;

struct PrintJob {
  std::unique_ptr<QPrinter> printer;
  std::unique_ptr<QPainter> painter;
  QFont font;
  QPointF pen;
};

struct PrinterPort {
  PrintDialogResponder responder = nullptr;
  PrintJob job;
};

PrinterPort& port() {
  static PrinterPort p;
  return p;
}

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// Asks the user (or the test's responder) and sets the printer up for the answer.
bool askForPrinter(QPrinter& printer) {
  if (port().responder != nullptr) {
    const PrintDialogAnswer a = port().responder();
    if (!a.print) return false;
    if (!a.pdfPath.isEmpty()) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(a.pdfPath);
    }
    return true;
  }
  QPrintDialog dialog(&printer);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

PrintDialogResponder setPrintDialogResponder(PrintDialogResponder fn) {
  PrintDialogResponder old = port().responder;
  port().responder = fn;
  return old;
}

bool FBPrintDialog() {
  PrintJob& job = port().job;
  if (job.painter) FBClosePrint();
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (!askForPrinter(*printer)) return false;
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(printer.get())) return false;
  // Points from here on, whatever the printer's resolution.
  const double scale = printer->resolution() / kPointsPerInch;
  painter->scale(scale, scale);
  job.printer = std::move(printer);
  job.painter = std::move(painter);
  job.pen = QPointF();
  printTextStyle(0, 12, 0);
  return true;
}

bool printJobOpen() { return port().job.painter != nullptr; }

Rect printPageRect() {
  const PrintJob& job = port().job;
  if (!job.printer) return Rect{};
  const QRectF r = job.printer->pageRect(QPrinter::Point);
  return makeRect(static_cast<int>(r.left()), static_cast<int>(r.top()), static_cast<int>(r.right()),
                  static_cast<int>(r.bottom()));
}

void printNewPage() {
  PrintJob& job = port().job;
  if (job.printer) job.printer->newPage();
}

void FBClosePrint() {
  PrintJob& job = port().job;
  if (job.painter) job.painter->end();
  job.painter.reset();
  job.printer.reset();
}

void printTextStyle(int16_t font, int16_t size, int16_t face) {
  GrafPort style;
  style.textFont = font;
  style.textSize = size;
  style.textFace = face;
  port().job.font = detail::fontOf(&style);
}

void printMoveTo(int x, int y) { port().job.pen = QPointF(x, y); }

void printString(std::string_view utf8) {
  PrintJob& job = port().job;
  if (!job.painter || utf8.empty()) return;
  const QString text = qs(utf8);
  job.painter->setFont(job.font);
  job.painter->drawText(job.pen, text);
  job.pen.rx() += QFontMetricsF(job.font).horizontalAdvance(text);
}

void printInteger(int64_t value) { printString(intText(value)); }

int printStringWidth(std::string_view utf8) {
  return static_cast<int>(QFontMetricsF(port().job.font).horizontalAdvance(qs(utf8)));
}

bool printTextDocument(const QTextDocument& doc, std::string_view title) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(qs(title));
  if (!askForPrinter(printer)) return false;
  doc.print(&printer);
  return true;
}

}  // namespace bg
