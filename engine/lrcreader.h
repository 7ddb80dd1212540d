#pragma once

#include <QString>
#include <QStringList>

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

// Stores already-read lines, one after the other, as ReadLrcFile does.
bool readLrcLines(ConversionWorkspace &workspace, QStringList lines, QString &error);

// Stores one line as the next timed line: its leading time tags in tagText,
// tagTextEnd, tagCount and tagStart, its text without them and without
// word-timing tags in lineText. The leading tags may be of every form timetag
// knows, and other 10-character bracketed groups.
bool ParseTimedLine(ConversionWorkspace &workspace, QString line, QString &error);
