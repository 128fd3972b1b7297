#pragma once
// Rich text files in RTF, the format the note pad and the help pages are kept in. Qt reads
// and writes HTML, Markdown and plain text but not RTF, so this is a small reader and
// writer for the part of RTF those files use: paragraphs and line breaks, bold, italic,
// underline, font size, font and colour tables, alignment, \'hh and \uN escapes, and
// ignorable {\*...} groups (skipped, as are pictures, headers and document information).
#include <QByteArray>

class QTextDocument;

namespace bg {

// Replaces the document's text with the RTF. Returns false when the data is not whole
// (unbalanced groups, cut off): the document then holds everything read up to there.
bool readRtf(const QByteArray& rtf, QTextDocument& doc);
// The whole document as an RTF document.
QByteArray writeRtf(const QTextDocument& doc);
// A file's bytes into the document: RTF when they start with "{\rtf", else plain text,
// UTF-8 or, when the bytes are not UTF-8, Latin-1. False when RTF data was not whole.
bool readRichOrPlainText(const QByteArray& bytes, QTextDocument& doc);

}  // namespace bg
