#pragma once
#include <QByteArray>
#include <QString>

class QTextDocument;

// Reads RTF into a QTextDocument: paragraphs, character formats, colours,
// alignment, indents, Windows-1252 and Unicode escapes; skips the
// destinations a viewer does not show. Never crashes or hangs on bad input.
void readRtf(const QByteArray& rtf, QTextDocument* document);
// false when the file cannot be read; the document is then unchanged.
bool loadRtfFile(const QString& path, QTextDocument* document);
// The plain text the reader extracts, one paragraph per line.
QString rtfToPlainText(const QByteArray& rtf);
