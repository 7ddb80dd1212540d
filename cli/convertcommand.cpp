#include "convertcommand.h"

#include "batchplan.h"
#include "batchreport.h"
#include "conversion.h"
#include "conversionworkspace.h"
#include "convertmessages.h"
#include "convertoptions.h"
#include "orderedrunner.h"
#include "sheetconverter.h"
#include "textfile.h"
#include "txtwriter.h"

#include <QDir>
#include <QIODevice>

#include <memory>

namespace {

void print(QIODevice &device, const QString &text)
{
    device.write(text.toLocal8Bit());
}

// "-": one lyric file from standard input, its sheet to standard output.
int convertStandardInput(const ConvertOptions &options, const Console &console)
{
    QByteArray bytes;
    QString error;
    ConversionWorkspace workspace;
    workspace.sourcePath = convertmessages::standardInputName();
    workspace.sourceEncoding = options.encoding;
    if (!readTextBytes(console.in, convertmessages::standardInputName(), bytes, error)
        || !convertSourceBytes(workspace, bytes, error)) {
        print(console.err, convertmessages::fileLine(convertmessages::standardInputName(), error));
        return 1;
    }
    const QByteArray sheet = sheetFileBytes(workspace);
    if (console.out.write(sheet) != sheet.size()) {
        print(console.err, convertmessages::fileLine(convertmessages::standardOutputName(),
                                                     console.out.errorString()));
        return 1;
    }
    return 0;
}

int convertFiles(const ConvertOptions &options, const Console &console, int threads)
{
    if (!options.outputDir.isEmpty() && !QDir().mkpath(options.outputDir)) {
        print(console.err, convertmessages::outputDirUnusable(options.outputDir));
        return 1;
    }
    const BatchPlan plan = planBatch(options.paths, options.outputDir);
    const SheetSettings settings{options.encoding, options.overwrite, &plan.sourceKeys};
    BatchReport report(console.err, plan.jobs.size(), console.errIsTerminal);
    runInOrder(
        plan.jobs.size(), threads,
        [&settings, &plan]() -> SheetTask {
            auto converter = std::make_shared<SheetConverter>(settings);
            return [converter, &plan](qsizetype index) { return converter->run(plan.jobs.at(index)); };
        },
        [&report, &plan](qsizetype index, const SheetResult &result) { report.add(plan.jobs.at(index), result); });
    report.finish();
    return report.exitStatus();
}

} // namespace

int runConvertCommand(const QStringList &arguments, const Console &console, int threads)
{
    const ConvertOptions options = parseConvertOptions(arguments);
    switch (options.action) {
    case ConvertOptions::Action::ShowHelp:
    case ConvertOptions::Action::ShowVersion:
        print(console.out, options.text);
        return 0;
    case ConvertOptions::Action::BadUsage:
        print(console.err, options.text);
        return 2;
    case ConvertOptions::Action::Convert:
        break;
    }
    if (options.readsStandardInput())
        return convertStandardInput(options, console);
    return convertFiles(options, console, threads);
}
