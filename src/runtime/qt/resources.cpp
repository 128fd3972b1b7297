#include "runtime/qt/resources.h"

#include <QFile>

#include "runtime/core/messages.h"

namespace bg {

namespace {

QString& root() {
  static QString r = QStringLiteral(":/");
  return r;
}

std::string firstLineless(const QByteArray& bytes) {
  std::string s = bytes.toStdString();
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
  return s;
}

}  // namespace

void setResourceRoot(const QString& r) { root() = r.isEmpty() ? QStringLiteral(":/") : r; }
QString resourceRoot() { return root(); }

bool readResourceFile(const QString& relativePath, QByteArray& out) {
  QFile f(root() + relativePath);
  if (!f.open(QIODevice::ReadOnly)) return false;
  out = f.readAll();
  return true;
}

QImage loadResourceImage(const QString& relativePath) {
  QByteArray bytes;
  if (!readResourceFile(relativePath, bytes)) return QImage();
  QImage img;
  if (!img.loadFromData(bytes)) return QImage();
  return img.convertToFormat(img.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

Str255 getIndString(int16_t listId, int16_t index) {
  QByteArray bytes;
  if (index < 1 || !readResourceFile(QStringLiteral("text/strings/%1.txt").arg(listId), bytes)) return Str255();
  const QList<QByteArray> lines = bytes.split('\n');
  if (index > lines.size()) return Str255();
  QByteArray item = lines[index - 1];
  if (item.endsWith('\r')) item.chop(1);
  return Str255(item.toStdString());
}

Str255 getString(int16_t id) {
  QByteArray bytes;
  if (!readResourceFile(QStringLiteral("text/str/%1.txt").arg(id), bytes)) return Str255();
  return Str255(firstLineless(bytes));
}

Str255 getNamedString(std::string_view name) {
  QByteArray bytes;
  const QString file = QString::fromUtf8(name.data(), static_cast<int>(name.size()));
  if (name.empty() || !readResourceFile(QStringLiteral("text/named/") + file + QStringLiteral(".txt"), bytes))
    return Str255();
  return Str255(firstLineless(bytes));
}

std::string getText(int16_t id) {
  QByteArray bytes;
  if (!readResourceFile(QStringLiteral("text/text/%1.txt").arg(id), bytes)) return std::string();
  bytes.replace("\r\n", "\n");
  bytes.replace('\r', '\n');
  return bytes.toStdString();
}

int16_t loadMessageResources(bool secondTable) {
  QByteArray first, second;
  readResourceFile(QStringLiteral("text/messages.txt"), first);
  if (secondTable) readResourceFile(QStringLiteral("text/speech_messages.txt"), second);
  loadSecondMessageTable(second.toStdString());
  return loadMessageTable(first.toStdString());
}

}  // namespace bg
