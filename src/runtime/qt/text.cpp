#include "runtime/qt/text.h"

#include <QFontMetrics>
#include <QPainterPath>

#include "runtime/qt/draw_target.h"

namespace bg {

namespace detail {

QFont fontOf(const GrafPort* port) {
  QString family = QStringLiteral("DejaVu Sans");
  switch (port->textFont) {
    case 4:
    case 22: family = QStringLiteral("DejaVu Sans Mono"); break;
    case 2:
    case 20: family = QStringLiteral("DejaVu Serif"); break;
    default: break;
  }
  QFont f(family);
  f.setPixelSize(port->textSize > 0 ? port->textSize : 12);
  f.setBold((port->textFace & kBoldFace) != 0);
  f.setItalic((port->textFace & kItalicFace) != 0);
  f.setUnderline((port->textFace & kUnderlineFace) != 0);
  // Widths add up letter by letter, as the layouts expect.
  f.setKerning(false);
  if ((port->textFace & 32) != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, -1);
  if ((port->textFace & 64) != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  f.setHintingPreference(QFont::PreferFullHinting);
  if (port->oneBit) f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

}  // namespace detail

namespace {
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
}  // namespace

void textFont(int16_t font) { getPort()->textFont = font; }
void textSize(int16_t size) { getPort()->textSize = size; }
void textFace(int16_t face) { getPort()->textFace = face; }
void textMode(int16_t mode) { getPort()->textMode = mode; }

int16_t stringWidth(std::string_view utf8) {
  const QFontMetrics m(detail::fontOf(getPort()));
  return static_cast<int16_t>(m.horizontalAdvance(qs(utf8)));
}

int16_t charWidth(char c) { return stringWidth(std::string_view(&c, 1)); }

void getFontInfo(FontInfo& info) {
  const QFontMetrics m(detail::fontOf(getPort()));
  info.ascent = static_cast<int16_t>(m.ascent());
  info.descent = static_cast<int16_t>(m.descent());
  info.widMax = static_cast<int16_t>(m.maxWidth());
  info.leading = static_cast<int16_t>(m.leading());
}

void drawString(std::string_view utf8) {
  GrafPort* p = getPort();
  const QString text = qs(utf8);
  const QFont font = detail::fontOf(p);
  const QFontMetrics m(font);
  const int width = m.horizontalAdvance(text);
  const Point at = p->penLoc;
  p->penLoc.h = static_cast<int16_t>(p->penLoc.h + width);
  auto t = detail::drawTarget(p);
  if (t.image == nullptr || text.isEmpty()) return;
  const QRect box(at.h, at.v - m.ascent(), width, m.ascent() + m.descent());
  const QRegion device = detail::deviceArea(p, t, QRegion(box.adjusted(-2, -2, 4, 4)));
  if (device.isEmpty()) return;
  if (p->textMode == srcCopy) detail::fillWithColour(t, detail::deviceArea(p, t, QRegion(box)), p->back);
  QPainter painter(t.image);
  painter.setClipRegion(device);
  painter.setFont(font);
  painter.setRenderHint(QPainter::TextAntialiasing, !t.oneBit);
  const QPointF base(at.h - t.offset.x(), at.v - t.offset.y());
  const QColor fore = detail::toQColor(p->fore);
  if ((p->textFace & (kOutlineFace | kShadowFace)) != 0) {
    // Hollow letters: only the outline is drawn, the inside shows what was there.
    QPainterPath path;
    path.addText(base, font, text);
    painter.setRenderHint(QPainter::Antialiasing, !t.oneBit);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(fore, 1.0));
    if ((p->textFace & kShadowFace) != 0) painter.drawPath(path.translated(1, 1));
    painter.drawPath(path);
  } else {
    painter.setPen(fore);
    painter.drawText(base, text);
  }
  painter.end();
  detail::keepOneBit(t, device.boundingRect());
}

void drawChar(char c) { drawString(std::string_view(&c, 1)); }

}  // namespace bg
