#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// The program's text files (the LRC source, the TXT sheet, the settings file)
// are 8-bit text in the system code page. This is the one place that turns
// their bytes into lines and a text back into bytes.

// The encodings a user can pick by hand when detection guesses wrong, by the
// names the window's encoding menu and the batch converter's --encoding use.
// An empty encoding name everywhere below means: find it out from the bytes.
const QStringList &choosableEncodings();

// Decodes file bytes in the given encoding, or finds it out. Where the system
// code page is UTF-8, a leading UTF-8 byte-order mark is skipped and bytes
// that are not valid UTF-8 are read as GB18030, so GBK lyric files load
// correctly everywhere.
QString decodeText(const QByteArray &bytes, const QString &encoding = {});

// Encodes a text in the system code page; a character it cannot hold becomes "?".
QByteArray encodeText(const QString &text);

// The lines of a text file's bytes: decodeText, then splitLines.
QStringList textLines(const QByteArray &bytes, const QString &encoding = {});

// Splits a text into lines. CR LF, a lone CR and a lone LF each end a line and
// are not part of it; a line end at the very end gives no further empty line,
// and an empty text gives no line at all.
QStringList splitLines(const QString &text);

// No text file of the program comes near this size: a lyric file at the line
// capacity is a few megabytes. Larger files are refused before they are read,
// so picking a huge file by mistake cannot exhaust the memory.
constexpr qint64 kMaxTextFileBytes = 64 * 1024 * 1024;

// Reads a whole stream (standard input) that stands for a text file, up to
// kMaxTextFileBytes. Returns false and sets error (naming `name` and the
// reason) when it cannot be read or is larger.
bool readTextBytes(QIODevice &device, const QString &name, QByteArray &bytes, QString &error);

// Reads a whole file as lines. Returns false and sets error (a Chinese
// sentence naming the path and the system's reason) when it cannot be read
// or is larger than kMaxTextFileBytes.
bool readTextLines(const QString &path, QStringList &lines, QString &error,
                   const QString &encoding = {});

// Creates or replaces a file with the encoded text through QSaveFile, so an
// existing file is replaced only once the new one is complete. Returns false
// and sets error (path and reason, in Chinese) when it cannot be written.
bool writeTextFile(const QString &path, const QString &text, QString &error);

// writeTextFile for bytes that are already encoded.
bool writeFileBytes(const QString &path, const QByteArray &bytes, QString &error);

// Creates a file that does not exist yet; it never replaces one, so it needs
// no QSaveFile (and none of its flush to disk, which would dominate a batch
// of thousands of small sheets). Whatever it created is removed again when
// the bytes cannot all be written. Errors as writeTextFile.
bool writeNewFile(const QString &path, const QByteArray &bytes, QString &error);
