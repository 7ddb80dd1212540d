// Writes the hardest files the program still accepts, each at its limits
// (kMaxTextFileBytes, kMaxTextFileLines, the line, tag and entry capacities
// and kMaxResultLength), for timing with windowbench. Every file loads and
// converts without a message.
//
//   giant-line.lrc     one line of kMaxTextFileBytes characters
//   blank-lines.lrc    kMaxTextFileLines lines: empty ones up to the line
//                      capacity, then dropped "[by:]" lines
//   full-lines.lrc     kMaxTextFileLines lines filling kMaxTextFileBytes, half
//                      of them header lines, half timed lines
//   header-flood.lrc   1000 lines with 100 tags (the entry capacity) and header
//                      lines up to the line limit: the most rows in Text2
//   tag-repeat.lrc     one line with 100 tags whose sheet is kMaxResultLength long
//
// usage: limitgen <folder>

#include "conversionworkspace.h"
#include "textfile.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>

namespace {

using Workspace = ConversionWorkspace;

const QString kLineEnd = QStringLiteral("\r\n");

QString tags(int count)
{
    QString text;
    for (int t = 0; t < count; ++t)
        text += QStringLiteral("[%1:%2.00]").arg(t / 60, 2, 10, QChar(u'0')).arg(t % 60, 2, 10, QChar(u'0'));
    return text;
}

QString headerLine(qsizetype valueLength)
{
    return QStringLiteral("[ti:") + QString(valueLength, u'h') + QStringLiteral("]") + kLineEnd;
}

QString giantLine()
{
    return QStringLiteral("[00:01.00]") + QString(kMaxTextFileBytes - 10, u'a');
}

QString blankLines()
{
    return kLineEnd.repeated(Workspace::kMaxLines)
        + QStringLiteral("[by:]\r\n").repeated(kMaxTextFileLines - Workspace::kMaxLines);
}

QString fullLines()
{
    const qsizetype perLine = kMaxTextFileBytes / kMaxTextFileLines; // bytes, line end included
    const QString header = headerLine(perLine - 7);
    const QString timed = QStringLiteral("[00:01.00]") + QString(perLine - 12, u't') + kLineEnd;
    return header.repeated(kMaxTextFileLines / 2) + timed.repeated(kMaxTextFileLines - kMaxTextFileLines / 2);
}

QString headerFlood()
{
    const int tagsPerLine = Workspace::kMaxTagsPerLine;
    const int taggedLines = Workspace::kMaxEntries / tagsPerLine;
    const qsizetype text = 40;
    const qsizetype headers = kMaxTextFileLines - taggedLines;
    // As long as the header values may be within both the byte and the sheet limit.
    const qsizetype byHeaderBytes = (kMaxTextFileBytes - taggedLines * (10 * tagsPerLine + text + 2)) / headers - 7;
    const qsizetype bySheet = (Workspace::kMaxResultLength - Workspace::kMaxEntries * (text + 2)) / headers - 10;
    const QString tagged = tags(tagsPerLine) + QString(text, u'x') + kLineEnd;
    return headerLine(std::min(byHeaderBytes, bySheet)).repeated(headers) + tagged.repeated(taggedLines);
}

QString tagRepeat()
{
    const int tagsPerLine = Workspace::kMaxTagsPerLine;
    return tags(tagsPerLine) + QString(Workspace::kMaxResultLength / tagsPerLine - 2, u'x') + kLineEnd;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: limitgen <folder>\n");
        return 2;
    }
    const QDir folder(app.arguments().at(1));
    const struct {
        const char *name;
        QString (*make)();
    } files[] = {{"giant-line.lrc", giantLine},
                 {"blank-lines.lrc", blankLines},
                 {"full-lines.lrc", fullLines},
                 {"header-flood.lrc", headerFlood},
                 {"tag-repeat.lrc", tagRepeat}};
    for (const auto &file : files) {
        const QString path = folder.filePath(QLatin1String(file.name));
        const QString text = file.make();
        QString error;
        if (!writeTextFile(path, text, error)) {
            std::fprintf(stderr, "limitgen: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("%s: %lld bytes, %lld lines\n", qPrintable(path), static_cast<long long>(text.size()),
                    static_cast<long long>(splitLines(text).size()));
    }
    return 0;
}
