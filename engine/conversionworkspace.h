#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Everything the program knows about the file being converted and about where
// its output goes. The main window owns exactly one for its whole life.
//
// The tables are 0-based and grow on demand: timed line n of the file (counted
// from 1) is lineText[n - 1], its tag t (counted from 1) is
// tagTextAt(n - 1, t - 1). They never grow past the capacities below; the
// conversion code checks every index against them before it stores anything.
struct ConversionWorkspace
{
    static constexpr int kMaxLines = 100000;
    static constexpr int kMaxTagsPerLine = 100;
    static constexpr int kMaxEntries = 100000;
    // Characters of resultText. A line with 100 tags is repeated 100 times,
    // so a file of a few megabytes could make a sheet of hundreds; a sheet at
    // the entry capacity is about 2.5 million.
    static constexpr qsizetype kMaxResultLength = 8 * 1024 * 1024;

    // Outcome of the last Save dialog for the output file: true when cancelled.
    bool saveCancelled = false;
    // Outcome of the last default-directory dialog: true when cancelled.
    bool dirCancelled = false;
    // Full path of the loaded LRC file.
    QString sourcePath;
    // The encoding the user chose for it, one of choosableEncodings(); empty
    // when it is found out from the bytes. Load and Convert both read it so.
    QString sourceEncoding;
    // The encoding the file was last read in, chosen or found out.
    QString readEncoding;
    // headerText followed by bodyText: what Text2 shows and the TXT file holds.
    QString resultText;
    // Header lines from the title, artist and album tags, each ending in CR LF.
    QString headerText;
    // The lyric lines in time order, each ending in CR LF.
    QString bodyText;
    // Loads that got past the file-name and existence checks.
    int loadCount = 0;
    // The default output directory, without a trailing separator.
    QString defaultDir;
    // A default directory chosen in this run that the settings file could not
    // keep; until the program ends it stands for the stored one. Else empty.
    QString sessionDefaultDir;
    // The source file's name without its directory, cut before its first ".".
    QString baseName;
    // The path chosen in the Save dialog for the output file.
    QString savePath;

    // The length of an ordinary time tag such as [01:23.45].
    static constexpr int kTimeTagLength = 10;

    // One slot per timed line: its text once the time tags are removed ...
    QStringList lineText;
    // ... how many time tags it has ...
    QList<int> tagCount;
    // ... and where its first tag stands in the tag tables below.
    QList<int> tagStart;
    // Number of timed lines stored; the size of the three line tables.
    int lineCount = 0;

    // The time tags of all lines, line after line and tag after tag, kept flat
    // so a large file costs no allocation per line or per tag: the text of
    // every tag back to back, most of them kTimeTagLength characters ...
    QString tagText;
    // ... where the text of each tag ends in tagText ...
    QList<int> tagTextEnd;
    // ... and the time of every tag in seconds.
    QList<double> tagTime;

    // Text and time of tag `tag` of timed line `line`, both counted from 0.
    QStringView tagTextAt(int line, int tag) const
    {
        const qsizetype index = qsizetype(tagStart.at(line)) + tag;
        const qsizetype begin = index > 0 ? tagTextEnd.at(index - 1) : 0;
        return QStringView(tagText).sliced(begin, tagTextEnd.at(index) - begin);
    }
    double tagTimeAt(int line, int tag) const { return tagTime.at(tagStart.at(line) + tag); }

    // One slot per (line, tag) pair, in time order once sorted.
    QStringList entryText;
    QList<double> entryTime;
    // Number of entries stored; the size of the two entry tables.
    int entryCount = 0;

    // True once the loaded file has been converted; a new load clears it, so
    // Generate can refuse to write a sheet that was never made.
    bool converted = false;
};

// Empties the conversion state before another file is loaded or converted:
// every table and counter, resultText, headerText, bodyText, savePath,
// baseName and converted. Keeps sourcePath, its encodings, defaultDir,
// sessionDefaultDir, loadCount and the dialog outcomes.
void ResetWorkspace(ConversionWorkspace &workspace);
