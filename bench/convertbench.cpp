// Converts an LRC file several times the way the Convert command does (read
// and assemble through convertSourceFile) and prints the median time.
// With --out it also writes the sheet as the TXT file would hold it.

#include "conversion.h"
#include "conversionworkspace.h"
#include "textfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

void usage()
{
    std::fprintf(stderr, "usage: convertbench <lrc> [--out <txt>] [--runs N]\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        usage();
        return 2;
    }
    QString outPath;
    int runs = 10;
    for (int i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            usage();
            return 2;
        }
        if (args.at(i) == u"--out") {
            outPath = args.at(i + 1);
        } else if (args.at(i) == u"--runs") {
            runs = args.at(i + 1).toInt();
        } else {
            usage();
            return 2;
        }
    }
    if (runs < 1) {
        usage();
        return 2;
    }

    ConversionWorkspace workspace;
    workspace.sourcePath = args.at(1);
    std::vector<double> millis;
    for (int run = 0; run < runs; ++run) {
        QString error;
        QElapsedTimer timer;
        timer.start();
        const bool ok = convertSourceFile(workspace, error);
        const qint64 nanos = timer.nsecsElapsed();
        if (!ok) {
            std::fprintf(stderr, "convertbench: %s\n", qPrintable(error));
            return 1;
        }
        millis.push_back(double(nanos) / 1e6);
    }

    std::vector<double> sorted = millis;
    std::sort(sorted.begin(), sorted.end());
    const size_t middle = sorted.size() / 2;
    const double median = sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    std::printf("%d timed lines, %d entries, %lld characters in the sheet\n", workspace.lineCount,
                workspace.entryCount, static_cast<long long>(workspace.resultText.size()));
    std::printf("runs %d, median %.2f ms, min %.2f ms, max %.2f ms\n", runs, median, sorted.front(),
                sorted.back());

    if (!outPath.isEmpty()) {
        // The TXT file holds the sheet followed by one more line end.
        QString sheet = std::move(workspace.resultText);
        sheet.append(u"\r\n");
        QString error;
        if (!writeTextFile(outPath, sheet, error)) {
            std::fprintf(stderr, "convertbench: %s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
