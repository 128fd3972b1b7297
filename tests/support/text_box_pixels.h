#pragma once
// Whether a window shows the whole text of a label, read from the window's own pixels: the
// label lies inside the window below its menu bar and clear of the buttons, and every
// line the text wraps into at the label's width shows ink inside the label.
#include <QAbstractButton>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "runtime/qt/controls.h"
#include "runtime/qt/windows.h"
#include "support/qt_helpers.h"

namespace bg::testing {

// The label's lines as its font wraps the text at its width: true where a line holds ink.
inline std::vector<bool> wrappedLines(const QLabel& l) {
  const QFontMetrics fm(l.font());
  const int width = l.contentsRect().width();
  std::vector<bool> lines;
  for (const QString& paragraph : l.text().split(QLatin1Char('\n'))) {
    if (paragraph.trimmed().isEmpty()) {
      lines.push_back(false);
      continue;
    }
    const int height = fm.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, paragraph).height();
    for (int k = 0; k < (height + fm.lineSpacing() / 2) / fm.lineSpacing(); ++k) lines.push_back(true);
  }
  return lines;
}

// The window's content as it shows now.
inline QImage windowShot(int16_t window) {
  QWidget* w = presentWidget(window);
  return w != nullptr ? w->grab().toImage() : QImage();
}

// Rows of `shot` within `area` that hold a pixel far from the area's commonest colour.
inline std::vector<bool> inkRows(const QImage& shot, const QRect& area) {
  std::map<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) ++counts[shot.pixel(x, y)];
  QRgb back = 0;
  int most = -1;
  for (const auto& [c, n] : counts)
    if (n > most) back = c, most = n;
  std::vector<bool> rows;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    bool ink = false;
    for (int x = area.left(); x <= area.right() && !ink; ++x) {
      const QRgb p = shot.pixel(x, y);
      ink = std::abs(qRed(p) - qRed(back)) + std::abs(qGreen(p) - qGreen(back)) + std::abs(qBlue(p) - qBlue(back)) > 120;
    }
    rows.push_back(ink);
  }
  return rows;
}

// The label's box in the content widget's coordinates.
inline QRect labelBox(int16_t window, const QLabel& l) {
  return QRect(l.mapTo(contentWidget(window), QPoint(0, 0)), l.size());
}

// The last line's leading below its ink may fall outside the box.
inline constexpr int kLeading = 2;

inline void expectWholeTextShown(int16_t window, int16_t id, const std::string& where) {
  SCOPED_TRACE(where);
  const auto* l = qobject_cast<const QLabel*>(controlWidget(window, id));
  ASSERT_NE(l, nullptr);
  QWidget* content = presentWidget(window);
  ASSERT_NE(content, nullptr);
  const QRect box = labelBox(window, *l);
  EXPECT_TRUE(content->rect().contains(box)) << "the text's box leaves the window";
  EXPECT_GE(box.top(), detail::menuBarHeightOf(window)) << "the text's box lies under the menu bar";
  for (const QAbstractButton* b : content->findChildren<QAbstractButton*>()) {
    if (!b->isVisible()) continue;
    EXPECT_FALSE(QRect(b->mapTo(content, QPoint(0, 0)), b->size()).intersects(box))
        << "\"" << b->text().toStdString() << "\" covers the text";
  }
  const QImage shot = windowShot(window);
  const std::vector<bool> lines = wrappedLines(*l);
  const int spacing = QFontMetrics(l->font()).lineSpacing();
  const QRect text = QRect(l->contentsRect().topLeft() + box.topLeft(), l->contentsRect().size());
  // Lines start at the top (the program's labels align top); each written line shows ink
  // inside the box.
  ASSERT_LE(static_cast<int>(lines.size()) * spacing, text.height() + kLeading) << "the text needs "
      << lines.size() << " lines of " << spacing << " pixels, the box holds " << text.height();
  for (size_t k = 0; k < lines.size(); ++k) {
    if (!lines[k]) continue;
    const QRect band(text.left(), text.top() + static_cast<int>(k) * spacing, text.width(), spacing);
    const std::vector<bool> rows = inkRows(shot, band.intersected(text));
    EXPECT_NE(std::find(rows.begin(), rows.end(), true), rows.end()) << "line " << k + 1 << " shows nothing";
  }
}

// A one-line label (a name over a column) shows its whole text: the text is no wider than
// the label, and its ink spans the text's whole width.
inline void expectWholeLineShown(int16_t window, int16_t id, const std::string& where) {
  SCOPED_TRACE(where);
  const auto* l = qobject_cast<const QLabel*>(controlWidget(window, id));
  ASSERT_NE(l, nullptr);
  ASSERT_NE(presentWidget(window), nullptr);
  const QRect box = labelBox(window, *l);
  EXPECT_TRUE(contentWidget(window)->rect().contains(box)) << "the name's box leaves the window";
  const int advance = QFontMetrics(l->font()).horizontalAdvance(l->text());
  EXPECT_LE(advance, l->contentsRect().width()) << "\"" << l->text().toStdString() << "\" is wider than its box";
  const QImage shot = windowShot(window);
  const QImage turned = shot.copy(box).transformed(QTransform().rotate(90));
  const std::vector<bool> columns = inkRows(turned, turned.rect());
  const auto first = std::find(columns.begin(), columns.end(), true);
  const auto last = std::find(columns.rbegin(), columns.rend(), true);
  ASSERT_NE(first, columns.end()) << "no name shown";
  const int span = static_cast<int>(columns.rend() - last) - static_cast<int>(first - columns.begin());
  EXPECT_GE(span, advance - 4) << "the ink is narrower than the name: it is cut";
}

}  // namespace bg::testing
