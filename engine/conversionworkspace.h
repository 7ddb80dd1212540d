#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Everything the program knows about the file being converted and about where
// its output goes. The main window owns exactly one for its whole life.
//
// The texts of lines, tags and entries are not copied out of the file: they
// are spans of sourceText, the file's text as read. The tables are 0-based
// and grow on demand: timed line n of the file (counted from 1) is
// lineTextAt(n - 1), its tag t (counted from 1) is tagTextAt(n - 1, t - 1).
// They never grow past the capacities below; the conversion code checks every
// index against them before it stores anything.
struct ConversionWorkspace
{
    static constexpr int kMaxLines = 100000;
    static constexpr int kMaxTagsPerLine = 100;
    static constexpr int kMaxEntries = 100000;
    // Characters of resultText. A line with 100 tags is repeated 100 times,
    // so a file of a few megabytes could make a sheet of hundreds; a sheet at
    // the entry capacity is about 2.5 million.
    static constexpr qsizetype kMaxResultLength = 8 * 1024 * 1024;
    // Characters of sourceText. A file the program reads (kMaxTextFileBytes)
    // decodes to far fewer; spans count in int.
    static constexpr qsizetype kMaxSourceLength = 64 * 1024 * 1024;

    ConversionWorkspace() = default;
    // bodyText looks into resultText, so a copy would look into the original.
    ConversionWorkspace(const ConversionWorkspace &) = delete;
    ConversionWorkspace &operator=(const ConversionWorkspace &) = delete;
    ConversionWorkspace(ConversionWorkspace &&) = default;
    ConversionWorkspace &operator=(ConversionWorkspace &&) = default;

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
    // The lyric lines in time order, each ending in CR LF: the end of
    // resultText after its header.
    QStringView bodyText;
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

    // Where a text stands in sourceText.
    struct Span
    {
        int start = 0;
        int length = 0;
    };

    // The text of the lyric file as the conversion read it. A line whose
    // word timings are removed gets its shortened text appended at the end,
    // and so does a line stored on its own (ParseTimedLine); nothing in it
    // moves, so the spans stay right.
    QString sourceText;

    // One slot per timed line: its text once the time tags are removed ...
    QList<Span> lineText;
    // ... how many time tags it has ...
    QList<int> tagCount;
    // ... and where its first tag stands in the tag tables below.
    QList<int> tagStart;
    // Number of timed lines stored; the size of the three line tables.
    int lineCount = 0;

    // The time tags of all lines, line after line and tag after tag: the text
    // of each one (most of them kTimeTagLength characters) ...
    QList<Span> tagText;
    // ... and its time in seconds.
    QList<double> tagTime;

    // One slot per (line, tag) pair, in time order once sorted: the time of
    // the tag and the timed line whose text the entry shows. `order` is where
    // the entry stood before the sort, so equal times keep their order.
    struct Entry
    {
        double time = 0;
        int line = 0;
        int order = 0;
    };
    QList<Entry> entries;
    // Number of entries stored; the size of the entry table.
    int entryCount = 0;

    // True once the loaded file has been converted; a new load clears it, so
    // Generate can refuse to write a sheet that was never made.
    bool converted = false;

    QStringView textOf(Span span) const { return QStringView(sourceText).sliced(span.start, span.length); }
    // The text of timed line `line` and of its tag `tag`, both counted from 0.
    QStringView lineTextAt(int line) const { return textOf(lineText.at(line)); }
    QStringView tagTextAt(int line, int tag) const { return textOf(tagText.at(tagIndex(line, tag))); }
    double tagTimeAt(int line, int tag) const { return tagTime.at(tagIndex(line, tag)); }
    // The text and time of entry `entry`, counted from 0.
    QStringView entryTextAt(int entry) const { return lineTextAt(entries.at(entry).line); }
    double entryTimeAt(int entry) const { return entries.at(entry).time; }

private:
    qsizetype tagIndex(int line, int tag) const
    {
        Q_ASSERT(tag >= 0 && tag < tagCount.at(line));
        return qsizetype(tagStart.at(line)) + tag;
    }
};

// Empties the conversion state before another file is loaded or converted:
// every table and counter, sourceText, resultText, headerText, bodyText,
// savePath, baseName and converted. Keeps sourcePath, its encodings,
// defaultDir, sessionDefaultDir, loadCount and the dialog outcomes.
void ResetWorkspace(ConversionWorkspace &workspace);
