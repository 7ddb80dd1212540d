// Converts an LRC file the way the Convert command does and prints how long
// each phase took: read (the file's bytes), decode (encoding found out, text
// decoded), split (the lines counted for the line limit), parse (lines
// classified, tags and texts stored), sort (tag times, entries, their order),
// assemble (the sheet's text), encode (its bytes) and, with --out, write (a
// new file). Each run goes through the same public steps convertSourceFile
// takes; --check converts once more through convertSourceFile and fails when
// the sheets differ. With several runs the medians are printed; --runs 1
// shows a fresh process, as a user meets it.
//
// usage: convertbench <lrc> [--out <txt>] [--runs N] [--encoding NAME] [--check]

#include "conversion.h"
#include "conversionworkspace.h"
#include "lrcreader.h"
#include "textfile.h"
#include "timeline.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

enum Phase { Read, Decode, Split, Parse, Sort, Assemble, Encode, Write, PhaseCount };
constexpr std::array<const char *, PhaseCount> kPhaseNames{"read",     "decode", "split", "parse",
                                                           "sort",     "assemble", "encode", "write"};

void usage()
{
    std::fprintf(stderr, "usage: convertbench <lrc> [--out <txt>] [--runs N] [--encoding NAME] [--check]\n");
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Milliseconds since the last call.
class Lap
{
public:
    Lap() { timer_.start(); }
    double next()
    {
        const qint64 nanos = timer_.nsecsElapsed();
        const double millis = double(nanos - last_) / 1e6;
        last_ = nanos;
        return millis;
    }

private:
    QElapsedTimer timer_;
    qint64 last_ = 0;
};

bool fail(const QString &error)
{
    std::fprintf(stderr, "convertbench: %s\n", qPrintable(error));
    return false;
}

// One conversion, phase by phase; the phase times go to millis.
bool convertInPhases(ConversionWorkspace &workspace, const QString &outPath,
                     std::array<double, PhaseCount> &millis)
{
    Lap lap;
    QFile file(workspace.sourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    QByteArray bytes = file.readAll();
    file.close();
    millis[Read] = lap.next();

    DecodedText decoded = decodeBytes(bytes, workspace.sourceEncoding);
    bytes = QByteArray();
    if (!decoded.isText)
        return fail(QStringLiteral("not text"));
    workspace.readEncoding = decoded.encoding;
    millis[Decode] = lap.next();

    const qsizetype lines = countLines(decoded.text);
    if (lines > kMaxTextFileLines)
        return fail(QStringLiteral("too many lines"));
    millis[Split] = lap.next();

    QString error;
    ResetWorkspace(workspace);
    if (!readLrcText(workspace, std::move(decoded.text), error))
        return fail(error);
    millis[Parse] = lap.next();

    ComputeTagTimes(workspace);
    if (!FlattenEntries(workspace, error))
        return fail(error);
    SortEntries(workspace);
    millis[Sort] = lap.next();

    if (!buildResultText(workspace, error))
        return fail(error);
    workspace.converted = true;
    millis[Assemble] = lap.next();

    // The TXT file holds the sheet followed by one more line end.
    const QByteArray sheet = encodeText(workspace.resultText + QStringLiteral("\r\n"));
    millis[Encode] = lap.next();

    if (!outPath.isEmpty()) {
        QFile::remove(outPath);
        if (!writeNewFile(outPath, sheet, error))
            return fail(error);
    }
    millis[Write] = lap.next();
    return true;
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
    QString encoding;
    int runs = 10;
    bool check = false;
    for (int i = 2; i < args.size(); ++i) {
        const QString &option = args.at(i);
        if (option == u"--check") {
            check = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            usage();
            return 2;
        }
        const QString &value = args.at(++i);
        if (option == u"--out") {
            outPath = value;
        } else if (option == u"--runs") {
            runs = value.toInt();
        } else if (option == u"--encoding") {
            encoding = value;
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
    workspace.sourceEncoding = encoding;
    std::array<std::vector<double>, PhaseCount> phases;
    std::vector<double> totals;
    for (int run = 0; run < runs; ++run) {
        std::array<double, PhaseCount> millis{};
        if (!convertInPhases(workspace, outPath, millis))
            return 1;
        double total = 0;
        for (int phase = 0; phase < PhaseCount; ++phase) {
            phases[size_t(phase)].push_back(millis[size_t(phase)]);
            total += millis[size_t(phase)];
        }
        totals.push_back(total);
    }

    if (check) {
        ConversionWorkspace program;
        program.sourcePath = workspace.sourcePath;
        program.sourceEncoding = encoding;
        QString error;
        if (!convertSourceFile(program, error)) {
            fail(error);
            return 1;
        }
        if (program.resultText != workspace.resultText || program.readEncoding != workspace.readEncoding) {
            std::fprintf(stderr, "convertbench: the phases gave another sheet than convertSourceFile\n");
            return 1;
        }
    }

    std::printf("%d timed lines, %d entries, %lld characters in the sheet, read as %s\n", workspace.lineCount,
                workspace.entryCount, static_cast<long long>(workspace.resultText.size()),
                qPrintable(workspace.readEncoding));
    std::printf("%s over %d run%s (ms):", runs == 1 ? "phases" : "phase medians", runs, runs == 1 ? "" : "s");
    for (int phase = 0; phase < PhaseCount; ++phase)
        std::printf(" %s %.2f", kPhaseNames[size_t(phase)], median(phases[size_t(phase)]));
    std::printf("; total %.2f\n", median(totals));
    return 0;
}
