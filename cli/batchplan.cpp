#include "batchplan.h"

#include "convertmessages.h"
#include "txtwriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

bool isLyricFileName(const QString &name)
{
    return name.endsWith(QStringLiteral(".lrc"), Qt::CaseInsensitive);
}

// Real paths as keys, each folder resolved once: thousands of files in a
// handful of folders cost a handful of lookups.
class PathKeys
{
public:
    QString folderKey(const QString &folder)
    {
        const auto known = folders_.constFind(folder);
        if (known != folders_.cend())
            return *known;
        QString key = QFileInfo(folder).canonicalFilePath();
        if (key.isEmpty()) // not there yet: an output folder still to be made
            key = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
        folders_.insert(folder, key);
        return key;
    }

    QString fileKey(const QFileInfo &file)
    {
        if (file.isSymLink())
            return file.canonicalFilePath();
        return folderKey(file.path()) + u'/' + file.fileName();
    }

private:
    QHash<QString, QString> folders_;
};

class Planner
{
public:
    explicit Planner(const QString &outputDir) : outputDir_(outputDir) {}

    void addPath(const QString &path)
    {
        const QFileInfo info(path);
        if (info.isDir())
            addFolder(path);
        else if (info.isFile())
            addFile(info, path, outputDir_.isEmpty() ? info.path() : outputDir_);
        else
            plan_.jobs.append({path, QString(),
                               SheetResult{SheetOutcome::Failed, info.exists() ? convertmessages::notAFile()
                                                                               : convertmessages::pathMissing()}});
    }

    BatchPlan take() { return std::move(plan_); }

private:
    void addFolder(const QString &folder)
    {
        if (!QFileInfo(folder).isReadable()) {
            plan_.jobs.append({folder, QString(),
                               SheetResult{SheetOutcome::Failed, convertmessages::folderUnreadable()}});
            return;
        }
        // Hidden files and folders stay out, as a shell's * leaves them out:
        // "._song.lrc" files that other systems leave on shared drives are no lyrics.
        QStringList relativePaths;
        const QString start = QFileInfo(folder).absoluteFilePath();
        const qsizetype prefix = start.size() + (start.endsWith(u'/') ? 0 : 1);
        QDirIterator it(start, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo file = it.nextFileInfo();
            if (isLyricFileName(file.fileName()))
                relativePaths.append(file.filePath().sliced(prefix));
        }
        std::sort(relativePaths.begin(), relativePaths.end());

        // With an output folder the folder keeps its own name inside it, as cp -r does.
        const QString copiedRoot =
            outputDir_.isEmpty()
                ? folder
                : QDir(outputDir_).filePath(QFileInfo(QFileInfo(folder).canonicalFilePath()).fileName());
        const QDir root(folder);
        for (const QString &relative : relativePaths) {
            const QString source = root.filePath(relative);
            const QString subfolder = QFileInfo(relative).path();
            addFile(QFileInfo(source), source, subfolder == u"." ? copiedRoot : QDir(copiedRoot).filePath(subfolder));
        }
    }

    void addFile(const QFileInfo &info, const QString &source, const QString &targetFolder)
    {
        const QString sourceKey = keys_.fileKey(info);
        if (plan_.sourceKeys.contains(sourceKey))
            return; // named twice: converted once
        plan_.sourceKeys.insert(sourceKey);

        const QString name = sheetFileName(baseNameOf(info.fileName()));
        SheetJob job{source, targetFolder == u"." ? name : QDir(targetFolder).filePath(name), std::nullopt};
        const QString targetKey = keys_.folderKey(targetFolder) + u'/' + name;
        const auto earlier = targetOwners_.constFind(targetKey);
        if (earlier != targetOwners_.cend()) {
            job.decided = SheetResult{SheetOutcome::Skipped,
                                      convertmessages::sameTargetAs(job.target, plan_.jobs.at(*earlier).source)};
        } else {
            targetOwners_.insert(targetKey, plan_.jobs.size());
        }
        plan_.jobs.append(job);
    }

    const QString outputDir_;
    BatchPlan plan_;
    PathKeys keys_;
    QHash<QString, qsizetype> targetOwners_;
};

} // namespace

BatchPlan planBatch(const QStringList &paths, const QString &outputDir)
{
    Planner planner(outputDir);
    for (const QString &path : paths)
        planner.addPath(path);
    return planner.take();
}
