#pragma once
// Windows-1252, the single-byte code page of every tournament and settings
// file. All 256 bytes decode; the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the code points of the same value,
// so any byte sequence survives a decode / encode round trip.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

QString fromCp1252(const QByteArray& bytes);
// Characters the code page cannot hold are written as "?".
QByteArray toCp1252(const QString& text);
// The same, added at the end of out.
void appendCp1252(QByteArray& out, QStringView text);
// The same written at out, which has room for text.size() bytes; returns the
// end of what was written.
char* writeCp1252(char* out, QStringView text);
// The characters of text the code page cannot hold, each once, in the order
// they first appear; a character beyond 16 bits (an emoji) is one entry.
QStringList charactersOutsideCp1252(QStringView text);

}  // namespace platform
