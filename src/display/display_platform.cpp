#include "display/display_platform.h"

#include <QFont>
#include <QFontMetrics>
#include <QImageReader>
#include <QString>

namespace bg {

bool pictureFrame(int16_t id, Rect16* frame) {
  QImageReader reader(QStringLiteral(":/pictures/%1.png").arg(id));
  const QSize size = reader.size();
  if (!size.isValid()) {
    *frame = Rect16{};
    return false;
  }
  *frame = makeRect16(0, 0, size.width(), size.height());
  return true;
}

int16_t boardTextWidth(std::string_view text, int16_t size) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(size > 0 ? size : 1);
  const QFontMetrics metrics(font);
  return static_cast<int16_t>(
      metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
}

Rect16 boardWindowContent() { return Rect16{}; }

}  // namespace bg
