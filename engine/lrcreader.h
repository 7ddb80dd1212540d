#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

struct ConversionWorkspace;

// The first half of the Convert command: sorts the lines of an LRC file into
// header lines (title, artist, album), dropped lines (other metadata such as
// [by:...], [offset:...], [re:...]) and timed lines, split into their leading
// time tags and their text.
//
// Each function returns false and sets error to a Chinese message ready for a
// message box when the file cannot be read or a capacity of the workspace
// would be passed; what was stored before the failure stays in the workspace,
// so the caller decides whether to empty it.

// Reads the file named by workspace.sourcePath and stores its lines.
bool ReadLrcFile(ConversionWorkspace &workspace, QString &error);

// Stores the lines of a lyric file's text (splitLines), one after the other,
// as ReadLrcFile does. The text becomes sourceText, or is appended to it.
bool readLrcText(ConversionWorkspace &workspace, QString text, QString &error);

// Stores already-read lines, one after the other, as ReadLrcFile does.
bool readLrcLines(ConversionWorkspace &workspace, const QStringList &lines, QString &error);

// Stores one line as the next timed line: its leading time tags in tagText,
// tagCount and tagStart, its text without them and without word-timing tags
// in lineText. The leading tags may be of every form timetag knows, and other
// 10-character bracketed groups. A line that is a piece of
// workspace.sourceText, as ReadLrcFile passes them, is stored as a span of
// it; any other line is first appended to sourceText.
bool ParseTimedLine(ConversionWorkspace &workspace, QStringView line, QString &error);
