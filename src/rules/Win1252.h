#pragma once
#include <QByteArray>
#include <QString>

// Windows-1252 text: Latin-1 with printable characters in 0x80-0x9F.
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 control characters of the same value, so that any file
// survives a read and a write unchanged.

QString fromWin1252(const QByteArray& bytes);

// Characters Windows-1252 cannot hold become '?'; check with canEncodeWin1252
// first where that would lose data.
QByteArray toWin1252(const QString& text);

bool canEncodeWin1252(QChar c);
bool canEncodeWin1252(const QString& text);
