#include "runtime/qt/printing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include <algorithm>
#include <memory>

#include "runtime/core/format.h"
#include "runtime/qt/text.h"

namespace bg {

namespace {

constexpr double kPointsPerInch = 72.0;
// Paper with next to no printable area still gets a page, however small its text.
constexpr double kSmallestScale = 0.01;

struct PrintJob {
  std::unique_ptr<QPrinter> printer;
  std::unique_ptr<QPainter> painter;
  QFont font;
  QPointF pen;
  double scale = 1.0;
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
    if (a.paper.isValid()) printer.setPageSize(a.paper);
    printer.setPageOrientation(a.orientation);
    return true;
  }
  QPrintDialog dialog(&printer);
  return dialog.exec() == QDialog::Accepted;
}

// Points from here on, whatever the printer's resolution, times the job's own factor.
void applyScale(PrintJob& job) {
  const double dots = job.printer->resolution() / kPointsPerInch * job.scale;
  job.painter->resetTransform();
  job.painter->scale(dots, dots);
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
  job.printer = std::move(printer);
  job.painter = std::move(painter);
  job.scale = 1.0;
  applyScale(job);
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

void printFitToPage(double width, double height) {
  PrintJob& job = port().job;
  if (!job.painter || width <= 0 || height <= 0) return;
  const QRectF r = job.printer->pageRect(QPrinter::Point);
  job.scale = std::clamp(std::min(r.width() / width, r.height() / height), kSmallestScale, 1.0);
  applyScale(job);
}

double printScale() { return port().job.scale; }

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
