#pragma once
// Reads back what a printed PDF holds: every word with its page and its box in points,
// as pdftotext -bbox reports it (poppler-utils). Words split at blanks.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <string>
#include <vector>

namespace bg::testing {

struct PdfWord {
  int page = 0;  // from 1
  double xMin = 0;
  double yMin = 0;
  double xMax = 0;
  double yMax = 0;
  std::string text;
};

// The bundled sans family's descent below the baseline, per point of size: pdftotext's
// box ends that far below the baseline.
inline constexpr double kSansDescentPerPoint = 0.236;
inline double baselineOf(const PdfWord& w, double size) { return w.yMax - kSansDescentPerPoint * size; }

struct PdfPaper {
  double width = 0;
  double height = 0;
};

struct PdfText {
  bool read = false;
  int pages = 0;
  std::vector<PdfPaper> papers;  // one per page, in points
  std::vector<PdfWord> words;

  // The first word equal to text on the page (0: any page).
  std::optional<PdfWord> find(const std::string& text, int page = 0) const {
    for (const PdfWord& w : words)
      if (w.text == text && (page == 0 || w.page == page)) return w;
    return std::nullopt;
  }
  std::vector<PdfWord> all(const std::string& text) const {
    std::vector<PdfWord> out;
    for (const PdfWord& w : words)
      if (w.text == text) out.push_back(w);
    return out;
  }
  std::vector<PdfWord> onPage(int page) const {
    std::vector<PdfWord> out;
    for (const PdfWord& w : words)
      if (w.page == page) out.push_back(w);
    return out;
  }
};

inline PdfText readPdfText(const QString& pdfPath) {
  PdfText out;
  QTemporaryDir dir;
  const QString html = dir.filePath(QStringLiteral("words.html"));
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, html});
  if (!p.waitForFinished(60000) || p.exitCode() != 0) return out;
  QFile f(html);
  if (!f.open(QIODevice::ReadOnly)) return out;
  const QString text = QString::fromUtf8(f.readAll());
  static const QRegularExpression tag(
      QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)"|<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re"));
  auto it = tag.globalMatch(text);
  while (it.hasNext()) {
    const auto m = it.next();
    if (m.captured(0).startsWith(QStringLiteral("<page "))) {
      ++out.pages;
      out.papers.push_back({m.captured(1).toDouble(), m.captured(2).toDouble()});
      continue;
    }
    PdfWord w;
    w.page = out.pages;
    w.xMin = m.captured(3).toDouble();
    w.yMin = m.captured(4).toDouble();
    w.xMax = m.captured(5).toDouble();
    w.yMax = m.captured(6).toDouble();
    QString t = m.captured(7);
    t.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
        .replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    w.text = t.toStdString();
    out.words.push_back(w);
  }
  out.read = true;
  return out;
}

}  // namespace bg::testing
