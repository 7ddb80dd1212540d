// Writes a capacity-size LRC file for the benchmarks, shaped like real lyric
// files (lyricsample): a few header and metadata tags, then 100000 lines in
// UTF-8 with CR LF whose tags add up to exactly the entry capacity, with
// times over 100 minutes.

#include "conversionworkspace.h"
#include "lyricsample.h"
#include "textfile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <random>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args.at(2) == u"--seed")) {
        std::fprintf(stderr, "usage: lrcgen <out.lrc> [--seed N]\n");
        return 2;
    }
    const unsigned seed = args.size() == 4 ? args.at(3).toUInt() : 20240601u;
    std::mt19937 random(seed);

    static_assert(ConversionWorkspace::kMaxLines == ConversionWorkspace::kMaxEntries);
    const int lines = ConversionWorkspace::kMaxLines;
    const QString text = QStringLiteral("[ti:月光下的约定]\r\n[ar:Someone 歌手]\r\n[al:Night Songs 夜曲]\r\n"
                                        "[by:lrcgen]\r\n[offset:0]\r\n")
        + lyricLines(random, lines, 100 * 60 * 100);

    QString error;
    if (!writeTextFile(args.at(1), text, error)) {
        std::fprintf(stderr, "lrcgen: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%d timed lines, %d entries, %lld characters\n", lines, lines, static_cast<long long>(text.size()));
    return 0;
}
