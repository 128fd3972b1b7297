#include "runtime/qt/rich_text_file.h"

#include <QColor>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace bg {

namespace {

constexpr int kMaxDepth = 1000;  // deeper nesting is damage, not a document
constexpr int kHalfPointsPerPoint = 2;
constexpr int kUnicodeRange = 65536;
constexpr int kHighestSigned16 = 32767;

// Windows-1252 at 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QChar fromCodePage(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return QChar(kCp1252High[byte - 0x80]);
  return QChar(byte);
}

enum class Destination { kText, kSkip, kFontTable, kColourTable };

struct GroupState {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int halfPoints = 0;  // 0: the document's size
  int font = -1;
  int colour = 0;
  int unicodeSkip = 1;
  Qt::Alignment alignment = Qt::AlignLeft;
  Destination destination = Destination::kText;
};

class RtfReader {
 public:
  RtfReader(const QByteArray& data, QTextDocument& doc) : data_(data), doc_(doc), cursor_(&doc) {}

  bool read() {
    doc_.clear();
    cursor_ = QTextCursor(&doc_);
    std::size_t i = 0;
    bool whole = false;
    while (i < static_cast<std::size_t>(data_.size())) {
      const char c = data_[static_cast<int>(i)];
      if (c == '{') {
        if (stack_.size() >= kMaxDepth) break;
        flush();
        stack_.push_back(state_);
        ++i;
        if (skipChars_ > 0) skipChars_ = 0;
      } else if (c == '}') {
        flush();
        if (state_.destination == Destination::kFontTable && !fontName_.isEmpty()) commitFont();
        if (stack_.empty()) break;
        state_ = stack_.back();
        stack_.pop_back();
        ++i;
        skipChars_ = 0;
        if (stack_.empty()) {
          whole = true;
          break;
        }
      } else if (c == '\\') {
        i = controlAt(i + 1);
      } else if (c == '\r' || c == '\n') {
        ++i;
      } else {
        addByte(static_cast<unsigned char>(c));
        ++i;
      }
    }
    flush();
    return whole && started_;
  }

 private:
  const QByteArray& data_;
  QTextDocument& doc_;
  QTextCursor cursor_;
  GroupState state_;
  std::vector<GroupState> stack_;
  QString pending_;
  int skipChars_ = 0;
  bool started_ = false;
  bool nextGroupIgnorable_ = false;
  std::map<int, QString> fonts_;
  int fontIndex_ = 0;
  QString fontName_;
  std::vector<QColor> colours_;
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colourSet_ = false;

  char at(std::size_t i) const {
    return i < static_cast<std::size_t>(data_.size()) ? data_[static_cast<int>(i)] : '\0';
  }

  QTextCharFormat charFormat() const {
    QTextCharFormat f;
    f.setFontWeight(state_.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(state_.italic);
    f.setFontUnderline(state_.underline);
    if (state_.halfPoints > 0) f.setFontPointSize(static_cast<double>(state_.halfPoints) / kHalfPointsPerPoint);
    if (auto it = fonts_.find(state_.font); it != fonts_.end() && !it->second.isEmpty())
      f.setFontFamilies({it->second});
    if (state_.colour > 0 && state_.colour < static_cast<int>(colours_.size()) && colours_[state_.colour].isValid())
      f.setForeground(colours_[state_.colour]);
    return f;
  }

  void flush() {
    if (pending_.isEmpty()) return;
    QTextBlockFormat b = cursor_.blockFormat();
    if (b.alignment() != state_.alignment) {
      b.setAlignment(state_.alignment);
      cursor_.setBlockFormat(b);
    }
    cursor_.insertText(pending_, charFormat());
    pending_.clear();
  }

  // Text of the current destination.
  void addChar(QChar ch) {
    if (skipChars_ > 0) {
      --skipChars_;
      return;
    }
    switch (state_.destination) {
      case Destination::kText: pending_ += ch; break;
      case Destination::kFontTable:
        if (ch == QLatin1Char(';')) {
          commitFont();
        } else {
          fontName_ += ch;
        }
        break;
      case Destination::kColourTable:
        if (ch == QLatin1Char(';')) {
          colours_.push_back(colourSet_ ? QColor(red_, green_, blue_) : QColor());
          red_ = green_ = blue_ = 0;
          colourSet_ = false;
        }
        break;
      case Destination::kSkip: break;
    }
  }
  void addByte(unsigned char byte) { addChar(fromCodePage(byte)); }

  void commitFont() {
    fonts_[fontIndex_] = fontName_.trimmed();
    fontName_.clear();
  }

  void paragraph() {
    if (state_.destination != Destination::kText) return;
    flush();
    QTextBlockFormat b;
    b.setAlignment(state_.alignment);
    cursor_.insertBlock(b, charFormat());
  }

  void text(const char* utf8) {
    if (skipChars_ > 0) {
      --skipChars_;
      return;
    }
    if (state_.destination == Destination::kText) pending_ += QString::fromUtf8(utf8);
  }

  // A control word or symbol starting after the backslash at i; returns where reading goes on.
  std::size_t controlAt(std::size_t i) {
    const char c = at(i);
    if (c == '\0') return i;
    if (!std::isalpha(static_cast<unsigned char>(c))) return symbolAt(i);
    std::string word;
    while (std::isalpha(static_cast<unsigned char>(at(i)))) word += at(i++);
    bool hasParam = false;
    bool negative = false;
    long param = 0;
    if (at(i) == '-' && std::isdigit(static_cast<unsigned char>(at(i + 1)))) {
      negative = true;
      ++i;
    }
    while (std::isdigit(static_cast<unsigned char>(at(i)))) {
      hasParam = true;
      if (param < kUnicodeRange * 16) param = param * 10 + (at(i) - '0');
      ++i;
    }
    if (negative) param = -param;
    if (at(i) == ' ') ++i;
    word_(word, hasParam, static_cast<int>(param));
    return i;
  }

  std::size_t symbolAt(std::size_t i) {
    const char c = at(i);
    switch (c) {
      case '\'': {
        bool ok = false;
        const int byte = QByteArray(data_.constData() + i + 1, std::min<int>(2, data_.size() - static_cast<int>(i) - 1)).toInt(&ok, 16);
        if (ok) addByte(static_cast<unsigned char>(byte));
        return i + 3;
      }
      case '\\':
      case '{':
      case '}': addChar(QLatin1Char(c)); return i + 1;
      case '~': addChar(QChar(0x00A0)); return i + 1;
      case '_': addChar(QChar(0x2011)); return i + 1;
      case '*':
        if (!stack_.empty()) state_.destination = Destination::kSkip;
        return i + 1;
      case '\r':
      case '\n': paragraph(); return i + 1;
      default:
        if (skipChars_ > 0) --skipChars_;
        return i + 1;
    }
  }

  void word_(const std::string& w, bool hasParam, int param) {
    const bool on = !hasParam || param != 0;
    if (w == "rtf") {
      started_ = true;
      return;
    }
    if (w == "u") {
      const int code = param < 0 ? param + kUnicodeRange : param;
      if (state_.destination == Destination::kText && skipChars_ == 0) pending_ += QChar(static_cast<char16_t>(code));
      else if (state_.destination == Destination::kFontTable) fontName_ += QChar(static_cast<char16_t>(code));
      skipChars_ = state_.unicodeSkip;
      return;
    }
    if (skipChars_ > 0) {
      --skipChars_;
      return;
    }
    static const std::set<std::string> kSkipped = {
        "stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf", "footer",
        "footerl", "footerr", "footerf", "footnote", "object", "listtable", "listoverridetable",
        "revtbl", "filetbl", "fldinst", "themedata", "colorschememapping", "latentstyles",
        "datastore", "xmlnstbl", "rsidtbl", "generator", "pgdsctbl", "nonshppict", "bkmkstart",
        "bkmkend", "shp", "shpinst", "private", "template", "docvar", "mmathPr"};
    if (kSkipped.count(w) != 0) {
      flush();
      state_.destination = Destination::kSkip;
      return;
    }
    if (w == "fonttbl") {
      flush();
      state_.destination = Destination::kFontTable;
      return;
    }
    if (w == "colortbl") {
      flush();
      state_.destination = Destination::kColourTable;
      return;
    }
    if (state_.destination == Destination::kColourTable) {
      if (w == "red") red_ = param, colourSet_ = true;
      if (w == "green") green_ = param, colourSet_ = true;
      if (w == "blue") blue_ = param, colourSet_ = true;
      return;
    }
    if (state_.destination == Destination::kFontTable) {
      if (w == "f") fontIndex_ = param;
      return;
    }
    if (w == "uc") {
      state_.unicodeSkip = std::max(0, param);
      return;
    }
    if (state_.destination != Destination::kText) return;
    if (w == "par") return paragraph();
    if (w == "line") return addChar(QChar(QChar::LineSeparator));
    if (w == "tab") return addChar(QLatin1Char('\t'));
    static const std::map<std::string, const char*> kNamedChars = {
        {"emdash", "\u2014"},    {"endash", "\u2013"},   {"bullet", "\u2022"},
        {"lquote", "\u2018"},    {"rquote", "\u2019"},   {"ldblquote", "\u201C"},
        {"rdblquote", "\u201D"}, {"emspace", "\u2003"},  {"enspace", "\u2002"},
        {"qmspace", "\u2005"},   {"zwj", "\u200D"},      {"zwnj", "\u200C"}};
    if (auto it = kNamedChars.find(w); it != kNamedChars.end()) return text(it->second);
    // Formatting changes end the text so far.
    flush();
    if (w == "b") state_.bold = on;
    else if (w == "i") state_.italic = on;
    else if (w == "ul" || w == "ulw" || w == "uld" || w == "uldb" || w == "ulth") state_.underline = on;
    else if (w == "ulnone") state_.underline = false;
    else if (w == "fs") state_.halfPoints = hasParam ? param : 0;
    else if (w == "f") state_.font = param;
    else if (w == "cf") state_.colour = param;
    else if (w == "plain") {
      state_.bold = state_.italic = state_.underline = false;
      state_.halfPoints = 0;
      state_.font = -1;
      state_.colour = 0;
    } else if (w == "pard") state_.alignment = Qt::AlignLeft;
    else if (w == "ql") state_.alignment = Qt::AlignLeft;
    else if (w == "qc") state_.alignment = Qt::AlignHCenter;
    else if (w == "qr") state_.alignment = Qt::AlignRight;
    else if (w == "qj") state_.alignment = Qt::AlignJustify;
  }
};

// --- writing ---

void appendEscaped(QByteArray& out, const QString& text) {
  for (int i = 0; i < text.size(); ++i) {
    const char16_t u = text.at(i).unicode();
    if (u == '\\' || u == '{' || u == '}') {
      out += '\\';
      out += static_cast<char>(u);
    } else if (u == '\t') {
      out += "\\tab ";
    } else if (u == QChar::LineSeparator) {
      out += "\\line ";
    } else if (u == '\n' || u == QChar::ParagraphSeparator) {
      out += "\\par\n";
    } else if (u >= 0x20 && u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x20) {
      // Other control characters have no place in the text.
    } else {
      const int code = u > kHighestSigned16 ? static_cast<int>(u) - kUnicodeRange : static_cast<int>(u);
      out += "\\u" + QByteArray::number(code) + "?";
    }
  }
}

QByteArray fontName(const QString& family) {
  QByteArray out;
  appendEscaped(out, family);
  return out;
}

}  // namespace

bool readRtf(const QByteArray& rtf, QTextDocument& doc) {
  RtfReader reader(rtf, doc);
  return reader.read();
}

QByteArray writeRtf(const QTextDocument& doc) {
  std::vector<QString> fonts = {doc.defaultFont().family()};
  std::vector<QColor> colours;
  auto fontIndex = [&](const QString& family) {
    for (std::size_t i = 0; i < fonts.size(); ++i)
      if (fonts[i] == family) return static_cast<int>(i);
    fonts.push_back(family);
    return static_cast<int>(fonts.size() - 1);
  };
  auto colourIndex = [&](const QColor& c) {
    for (std::size_t i = 0; i < colours.size(); ++i)
      if (colours[i] == c) return static_cast<int>(i + 1);
    colours.push_back(c);
    return static_cast<int>(colours.size());
  };

  QByteArray body;
  bool firstBlock = true;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    if (!firstBlock) body += "\\par\n";
    firstBlock = false;
    body += "\\pard";
    const Qt::Alignment a = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (a == Qt::AlignHCenter) body += "\\qc";
    else if (a == Qt::AlignRight) body += "\\qr";
    else if (a == Qt::AlignJustify) body += "\\qj";
    body += ' ';
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment frag = it.fragment();
      if (!frag.isValid()) continue;
      const QTextCharFormat f = frag.charFormat();
      QByteArray props = "{\\plain";
      const QStringList families = f.fontFamilies().toStringList();
      if (!families.isEmpty()) props += "\\f" + QByteArray::number(fontIndex(families.first()));
      if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
        props += "\\fs" + QByteArray::number(qRound(f.fontPointSize() * kHalfPointsPerPoint));
      if (f.fontWeight() >= QFont::Bold) props += "\\b";
      if (f.fontItalic()) props += "\\i";
      if (f.fontUnderline()) props += "\\ul";
      if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        props += "\\cf" + QByteArray::number(colourIndex(f.foreground().color()));
      body += props + ' ';
      appendEscaped(body, frag.text());
      body += '}';
    }
  }

  QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
  for (std::size_t i = 0; i < fonts.size(); ++i)
    out += "{\\f" + QByteArray::number(static_cast<int>(i)) + "\\fnil " + fontName(fonts[i]) + ";}";
  out += "}\n{\\colortbl;";
  for (const QColor& c : colours)
    out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue" +
           QByteArray::number(c.blue()) + ";";
  out += "}\n";
  out += body;
  out += "\n}\n";
  return out;
}

bool readRichOrPlainText(const QByteArray& bytes, QTextDocument& doc) {
  if (bytes.startsWith("{\\rtf")) return readRtf(bytes, doc);
  // Text that is not UTF-8 comes from an older system: Latin-1 keeps every byte a letter.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = utf8.decode(bytes);
  doc.setPlainText(utf8.hasError() ? QString::fromLatin1(bytes) : text);
  return true;
}

}  // namespace bg
