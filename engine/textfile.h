#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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

// Splits a text into lines. CR LF, a lone CR and a lone LF each end a line and
// are not part of it; a line end at the very end gives no further empty line,
// and an empty text gives no line at all.
QStringList splitLines(const QString &text);

// The largest text file the program reads, and the most lines it may hold.
// A lyric file at the line capacity is about 3 MB and 100000 lines (header
// lines do not count towards that capacity, hence some room). Larger files
// are refused before they are read; files with more lines once they are
// read. Both limits keep the window answering: it shows every line of a file,
// and at these sizes loading and converting the worst file take about a
// second each (README, "Capacities").
constexpr qint64 kMaxTextFileBytes = 8 * 1024 * 1024;
constexpr qsizetype kMaxTextFileLines = 110000;

// Reads a whole file as lines. Returns false and sets error (a Chinese
// sentence naming the path and the system's reason) when it cannot be read,
// is larger than kMaxTextFileBytes or has more than kMaxTextFileLines lines.
bool readTextLines(const QString &path, QStringList &lines, QString &error,
                   const QString &encoding = {});

// Creates or replaces a file with the encoded text through QSaveFile, so an
// existing file is replaced only once the new one is complete. Returns false
// and sets error (path and reason, in Chinese) when it cannot be written.
bool writeTextFile(const QString &path, const QString &text, QString &error);
