// Writes a tree of typical lyric files for the batch benchmarks: by default
// 10000 files of 1 to 4 KB (lyricsample text, times over about four minutes,
// UTF-8 with CR LF), 100 to a folder.
//
// usage: lrctree <folder> [--files N] [--per-folder N] [--seed N]

#include "lyricsample.h"
#include "textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cstdio>
#include <random>

namespace {

void usage()
{
    std::fprintf(stderr, "usage: lrctree <folder> [--files N] [--per-folder N] [--seed N]\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() % 2 != 0) {
        usage();
        return 2;
    }
    int files = 10000;
    int perFolder = 100;
    unsigned seed = 20240601u;
    for (int i = 2; i < args.size(); i += 2) {
        bool ok = false;
        const int value = args.at(i + 1).toInt(&ok);
        if (!ok || value < 1) {
            usage();
            return 2;
        }
        if (args.at(i) == u"--files") {
            files = value;
        } else if (args.at(i) == u"--per-folder") {
            perFolder = value;
        } else if (args.at(i) == u"--seed") {
            seed = unsigned(value);
        } else {
            usage();
            return 2;
        }
    }

    std::mt19937 random(seed);
    const QDir root(args.at(1));
    qint64 bytes = 0;
    for (int f = 0; f < files; ++f) {
        const QString folder = QStringLiteral("album%1").arg(f / perFolder, 3, 10, QChar(u'0'));
        if (f % perFolder == 0 && !root.mkpath(folder)) {
            std::fprintf(stderr, "lrctree: cannot make %s\n", qPrintable(root.filePath(folder)));
            return 1;
        }
        // About 34 bytes a line: 30 to 108 lines make 1 to 4 KB.
        const int lines = 30 + int(random() % 79);
        const QString text = lyricHeader(random) + lyricLines(random, lines, 4 * 60 * 100);
        const QString path = root.filePath(QStringLiteral("%1/song%2.lrc").arg(folder).arg(f % perFolder, 3, 10, QChar(u'0')));
        QString error;
        const QByteArray encoded = encodeText(text);
        if (!writeNewFile(path, encoded, error)) {
            std::fprintf(stderr, "lrctree: %s\n", qPrintable(error));
            return 1;
        }
        bytes += encoded.size();
    }
    std::printf("%d files in %d folders, %lld bytes\n", files, (files + perFolder - 1) / perFolder,
                static_cast<long long>(bytes));
    return 0;
}
