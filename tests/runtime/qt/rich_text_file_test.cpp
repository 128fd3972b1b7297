// RTF: documents written and read back equal, RTF as word processors write it, damaged
// and plain-text files.
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "runtime/qt/rich_text_file.h"

namespace bg {
namespace {

// One character of the document with what the files keep of its format.
struct Styled {
  QChar ch;
  bool bold = false, italic = false, underline = false;
  double size = 0;
  QColor colour;
  bool operator==(const Styled& o) const {
    return ch == o.ch && bold == o.bold && italic == o.italic && underline == o.underline && size == o.size &&
           colour == o.colour;
  }
};

std::vector<Styled> styledText(const QTextDocument& doc) {
  std::vector<Styled> out;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    if (b != doc.begin()) out.push_back(Styled{QChar(u'\n'), false, false, false, 0, QColor()});
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      const QTextCharFormat c = f.charFormat();
      for (QChar ch : f.text()) {
        Styled s;
        s.ch = ch;
        s.bold = c.fontWeight() >= QFont::Bold;
        s.italic = c.fontItalic();
        s.underline = c.fontUnderline();
        s.size = c.hasProperty(QTextFormat::FontPointSize) ? c.fontPointSize() : 0;
        if (c.hasProperty(QTextFormat::ForegroundBrush)) s.colour = c.foreground().color();
        out.push_back(s);
      }
    }
  }
  return out;
}

void insert(QTextCursor& c, const QString& text, bool bold, bool italic, bool underline, double size,
            QColor colour = QColor()) {
  QTextCharFormat f;
  f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(italic);
  f.setFontUnderline(underline);
  if (size > 0) f.setFontPointSize(size);
  if (colour.isValid()) f.setForeground(colour);
  c.insertText(text, f);
}

TEST(RichTextFile, AWrittenDocumentReadsBackEqual) {
  QTextDocument doc;
  QTextCursor c(&doc);
  insert(c, QStringLiteral("Notes on the game "), false, false, false, 0);
  insert(c, QStringLiteral("bold"), true, false, false, 0);
  insert(c, QStringLiteral(" and "), false, true, false, 14);
  insert(c, QStringLiteral("underlined red"), false, false, true, 9, QColor(200, 0, 0));
  c.insertBlock();
  insert(c, QStringLiteral("Caf\u00e9 \u00fcber \u20ac5 \u6f22\u5b57 \U0001F600 {braces} back\\slash\ttab"), false, false,
         false, 0);
  insert(c, QStringLiteral("line\u2028break"), true, true, true, 18, QColor(0, 25, 6));
  c.insertBlock();
  c.insertBlock();
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  c.insertBlock(centred);
  insert(c, QStringLiteral("centred"), false, false, false, 0);

  const QByteArray rtf = writeRtf(doc);
  EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
  // Seven-bit text, as RTF files are.
  for (char ch : rtf) EXPECT_LT(static_cast<unsigned char>(ch), 0x80);
  QTextDocument back;
  ASSERT_TRUE(readRtf(rtf, back));
  EXPECT_EQ(back.toPlainText(), doc.toPlainText());
  EXPECT_TRUE(styledText(back) == styledText(doc));
  EXPECT_EQ(back.blockCount(), doc.blockCount());
  EXPECT_EQ(back.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  // A second round changes nothing.
  EXPECT_EQ(writeRtf(back), rtf);
}

TEST(RichTextFile, RandomDocumentsRoundTrip) {
  QRandomGenerator rng(27);
  const QString alphabet = QStringLiteral("abc XYZ 019 .,;:!?'\"-\\{}\t\u00e9\u00df\u20ac\u2014\u4e2d\u2028");
  for (int round = 0; round < 200; ++round) {
    QTextDocument doc;
    QTextCursor c(&doc);
    const int pieces = static_cast<int>(rng.bounded(1, 12));
    for (int p = 0; p < pieces; ++p) {
      if (rng.bounded(5) == 0) c.insertBlock();
      QString text;
      const int len = static_cast<int>(rng.bounded(0, 20));
      for (int i = 0; i < len; ++i) text += alphabet.at(static_cast<int>(rng.bounded(alphabet.size())));
      const double size = rng.bounded(3) == 0 ? static_cast<double>(rng.bounded(6, 40)) : 0;
      const QColor colour = rng.bounded(3) == 0 ? QColor(rng.bounded(256), rng.bounded(256), rng.bounded(256)) : QColor();
      insert(c, text, rng.bounded(2) == 1, rng.bounded(2) == 1, rng.bounded(2) == 1, size, colour);
    }
    QTextDocument back;
    ASSERT_TRUE(readRtf(writeRtf(doc), back)) << round;
    ASSERT_EQ(back.toPlainText(), doc.toPlainText()) << round;
    ASSERT_TRUE(styledText(back) == styledText(doc)) << round;
  }
}

TEST(RichTextFile, ReadsRtfAsWordProcessorsWriteIt) {
  const QByteArray rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2639\\deff0\n"
      "{\\fonttbl{\\f0\\fswiss\\fcharset0 Helvetica;}{\\f1\\froman\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}}\n"
      "{\\colortbl;\\red255\\green255\\blue255;\\red0\\green0\\blue192;}\n"
      "{\\*\\generator Riched20 10.0.19041}{\\info{\\title Secret}{\\author Someone}}\n"
      "{\\stylesheet{\\s0 Normal;}}\n"
      "\\viewkind4\\uc1\\pard\\sa200\\sl276\\slmult1\\f0\\fs24\\lang9 Caf\\'e9 \\b bold\\b0  \\i it\\i0  "
      "\\ul under\\ulnone  \\cf2 blue\\cf0\\par\n"
      "\\pard\\qc\\fs36 Big \\u8364?\\u-10179?\\u-8704? \\'80\\par\n"
      "{\\pict\\pngblip 89504e470d0a1a0a}\\plain\\uc0\\u1488\\u1489 end\\line next\\tab tab \\{x\\}\\\\\n"
      "}";
  QTextDocument doc;
  ASSERT_TRUE(readRtf(rtf, doc));
  EXPECT_EQ(doc.toPlainText().toStdString(),
            QStringLiteral("Caf\u00e9 bold it under blue\nBig \u20ac\U0001F600 \u20ac\n\u05d0\u05d1end\nnext\ttab {x}\\")
                .toStdString());
  const std::vector<Styled> s = styledText(doc);
  ASSERT_GE(s.size(), 30u);
  EXPECT_TRUE(s[5].bold);       // "bold"
  EXPECT_FALSE(s[9].bold);
  EXPECT_TRUE(s[10].italic);    // "it"
  EXPECT_TRUE(s[13].underline); // "under"
  EXPECT_EQ(s[19].colour, QColor(0, 0, 192));  // "blue"
  EXPECT_EQ(s[0].size, 12.0);
  EXPECT_EQ(s[25].size, 18.0);  // "Big"
  EXPECT_EQ(doc.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_FALSE(doc.toPlainText().contains(QStringLiteral("Secret")));
  EXPECT_FALSE(doc.toPlainText().contains(QStringLiteral("Normal")));
  EXPECT_FALSE(doc.toPlainText().contains(QStringLiteral("89504e")));
}

TEST(RichTextFile, DamagedDataReadsAsFarAsItGoes) {
  QTextDocument doc;
  QTextCursor c(&doc);
  insert(c, QStringLiteral("first paragraph"), true, false, false, 0);
  c.insertBlock();
  insert(c, QStringLiteral("second paragraph"), false, false, false, 0);
  const QByteArray rtf = writeRtf(doc);
  const QByteArray cut = rtf.left(rtf.indexOf("second") + 6);
  QTextDocument back;
  EXPECT_FALSE(readRtf(cut, back));
  EXPECT_EQ(back.toPlainText(), QStringLiteral("first paragraph\nsecond"));
  // Garbage after "{\rtf", unbalanced closers and deep nesting end the reading, no crash.
  for (const QByteArray& bad : {QByteArray("{\\rtf1 text}}}} more"), QByteArray("{\\rtf1 ") + QByteArray(5000, '{'),
                                QByteArray("{\\rtf1 \\'"), QByteArray("{\\rtf1 \\u"), QByteArray("{\\rtf"),
                                QByteArray("{\\rtf1 \\fs99999999999999999999 x}")}) {
    QTextDocument d;
    readRtf(bad, d);
  }
  QTextDocument d;
  EXPECT_TRUE(readRtf("{\\rtf1 text}}}} more", d));
  EXPECT_EQ(d.toPlainText(), QStringLiteral("text"));
}

TEST(RichTextFile, FilesWithoutTheRtfMarkAreReadAsPlainText) {
  QTextDocument doc;
  EXPECT_TRUE(readRichOrPlainText(QByteArray("plain {notes}\n\\par \u00e9"), doc));
  EXPECT_EQ(doc.toPlainText(), QStringLiteral("plain {notes}\n\\par \u00e9"));
  EXPECT_TRUE(readRichOrPlainText(QByteArray(), doc));
  EXPECT_TRUE(doc.isEmpty());
  EXPECT_TRUE(readRichOrPlainText(QByteArray("{\\rtf1 {\\b x}}"), doc));
  EXPECT_EQ(doc.toPlainText(), QStringLiteral("x"));
}

}  // namespace
}  // namespace bg
