#include "sheetconverter.h"

#include "conversion.h"
#include "convertmessages.h"
#include "textfile.h"
#include "timeline.h"
#include "txtwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool fileHolds(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

} // namespace

SheetConverter::SheetConverter(const SheetSettings &settings)
    : settings_(settings)
{
}

SheetResult SheetConverter::run(const SheetJob &job)
{
    if (job.decided)
        return *job.decided;

    const QFileInfo target(job.target);
    const bool targetExists = target.exists();
    if (targetExists) {
        if (target.isDir())
            return {SheetOutcome::Failed, convertmessages::targetIsFolder(job.target)};
        // Also catches a sheet name that is a link to a lyric file of the run.
        if (settings_.sourceKeys && settings_.sourceKeys->contains(target.canonicalFilePath()))
            return {SheetOutcome::Skipped, convertmessages::targetIsSource(job.target)};
    }

    workspace_.sourcePath = job.source;
    workspace_.sourceEncoding = settings_.encoding;
    // A new sheet is written straight from the ordered entries; only one to
    // compare with an existing file needs its text and bytes.
    QString error;
    if (!convertSourceFile(workspace_, error, SheetText::Skip))
        return {SheetOutcome::Failed, error};
    if (!targetExists)
        return writeSheet(job.target);

    if (!buildResultText(workspace_, error))
        return {SheetOutcome::Failed, error};
    const QByteArray bytes = sheetFileBytes(workspace_);
    if (target.size() == bytes.size() && fileHolds(job.target, bytes))
        return {SheetOutcome::Unchanged, QString()};
    if (!settings_.overwrite)
        return {SheetOutcome::Skipped, convertmessages::targetDiffers(job.target)};
    if (!writeFileBytes(job.target, bytes, error))
        return {SheetOutcome::Failed, error};
    return {SheetOutcome::Written, QString()};
}

SheetResult SheetConverter::writeSheet(const QString &target)
{
    const QString folder = QFileInfo(target).path();
    if (!knownFolders_.contains(folder)) {
        if (!QDir().mkpath(folder))
            return {SheetOutcome::Failed, convertmessages::folderCannotBeCreated(folder)};
        knownFolders_.insert(folder);
    }
    QString error;
    if (!writeNewSheetFile(workspace_, target, error))
        return {SheetOutcome::Failed, error};
    return {SheetOutcome::Written, QString()};
}
