#include "sheetconverter.h"

#include "conversion.h"
#include "convertmessages.h"
#include "textfile.h"
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
    QString error;
    if (!convertSourceFile(workspace_, error))
        return {SheetOutcome::Failed, error};
    const QByteArray bytes = sheetFileBytes(workspace_);

    if (targetExists) {
        if (target.size() == bytes.size() && fileHolds(job.target, bytes))
            return {SheetOutcome::Unchanged, QString()};
        if (!settings_.overwrite)
            return {SheetOutcome::Skipped, convertmessages::targetDiffers(job.target)};
        if (!writeFileBytes(job.target, bytes, error))
            return {SheetOutcome::Failed, error};
        return {SheetOutcome::Written, QString()};
    }
    return writeSheet(job.target, bytes);
}

SheetResult SheetConverter::writeSheet(const QString &target, const QByteArray &bytes)
{
    const QString folder = QFileInfo(target).path();
    if (!knownFolders_.contains(folder)) {
        if (!QDir().mkpath(folder))
            return {SheetOutcome::Failed, convertmessages::folderCannotBeCreated(folder)};
        knownFolders_.insert(folder);
    }
    QString error;
    if (!writeNewFile(target, bytes, error))
        return {SheetOutcome::Failed, error};
    return {SheetOutcome::Written, QString()};
}
