#include "txtwriter.h"

#include "conversionworkspace.h"
#include "defaultdirectory.h"
#include "outputprompts.h"
#include "textfile.h"
#include "timeline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// Failed: stopped, and the user has been told why.
enum class Outcome { Written, Abandoned, Failed };

Outcome writeSheet(const ConversionWorkspace &workspace, OutputPrompts &prompts,
                   const QString &path)
{
    QString error;
    if (!writeFileBytes(path, sheetFileBytes(workspace), error)) {
        prompts.showMessage(messages::failure(error));
        return Outcome::Failed;
    }
    return Outcome::Written;
}

bool isSameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// A name is taken by anything but a folder (writing there fails and says so),
// a symbolic link too, even one that leads nowhere.
bool isTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() || (info.exists() && !info.isDir());
}

bool holdsExactly(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    // Only a regular file of the same size is worth reading.
    if (!QFileInfo(path).isFile() || file.size() != bytes.size() || !file.open(QIODevice::ReadOnly))
        return false;
    return file.readAll() == bytes;
}

// The folder the Save dialog starts in; asks nothing and stores nothing.
QString saveDialogDirectory(const ConversionWorkspace &workspace,
                            const DefaultDirectorySetting &setting)
{
    const std::optional<QString> known = knownDefaultDirectory(workspace, setting);
    if (known && checkDefaultDirectory(*known) == DirectoryProblem::None)
        return *known;
    const QString sourceFolder = QFileInfo(workspace.sourcePath).absolutePath();
    if (!workspace.sourcePath.isEmpty() && QFileInfo(sourceFolder).isDir())
        return QDir::toNativeSeparators(sourceFolder);
    return QDir::toNativeSeparators(QDir::homePath());
}

Outcome writeInDefaultDirectory(ConversionWorkspace &workspace, OutputPrompts &prompts,
                                const DefaultDirectorySetting &setting)
{
    if (!EnsureDefaultDirectory(workspace, prompts, setting))
        return Outcome::Failed;
    const QString path = defaultOutputPath(workspace);
    // A source named like "Song.txt" in the default folder would be
    // replaced by its own sheet without the user ever being asked.
    if (isSameFile(path, workspace.sourcePath)) {
        prompts.showMessage(messages::sheetWouldReplaceSource(path));
        return Outcome::Failed;
    }
    // No dialog has shown that the name is taken, and names are cut at the
    // first dot: "Mr. Jones.lrc" would silently replace the sheet of
    // "Mr. Brightside.lrc".
    if (isTaken(path)) {
        if (holdsExactly(path, sheetFileBytes(workspace)))
            return Outcome::Written;
        if (!prompts.confirmReplace(path))
            return Outcome::Abandoned;
    }
    return writeSheet(workspace, prompts, path);
}

Outcome writeWhereTheOptionsSay(ConversionWorkspace &workspace, OutputPrompts &prompts,
                                const DefaultDirectorySetting &setting)
{
    if (prompts.savesToDefaultDirectory() && prompts.keepsSourceFileName())
        return writeInDefaultDirectory(workspace, prompts, setting);

    AskSavePath(workspace, prompts, saveDialogDirectory(workspace, setting));
    // A dialog that comes back with no name has chosen nowhere to write.
    if (workspace.saveCancelled || workspace.savePath.isEmpty())
        return Outcome::Abandoned;
    return writeSheet(workspace, prompts, workspace.savePath);
}

} // namespace

QString baseNameOf(const QString &path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    const QString fileName = path.sliced(separator + 1);
    const qsizetype dot = fileName.indexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot);
}

void ExtractBaseName(ConversionWorkspace &workspace, const QString &path)
{
    workspace.baseName = baseNameOf(path);
}

QString sheetFileName(const QString &baseName)
{
    return baseName + QStringLiteral(".txt");
}

QByteArray sheetFileBytes(const ConversionWorkspace &workspace)
{
    return encodeText(workspace.resultText + QStringLiteral("\r\n"));
}

bool writeNewSheetFile(const ConversionWorkspace &workspace, const QString &path, QString &error)
{
    NewTextFile file(path);
    if (!file.open(error))
        return false;
    forEachResultPiece(workspace, [&file](QStringView piece) { file.append(piece); });
    file.append(u"\r\n");
    return file.commit(error);
}

QString outputPathIn(const QString &directory, const ConversionWorkspace &workspace)
{
    QString path = directory;
    if (!path.endsWith(u'/') && !path.endsWith(u'\\'))
        path += u'/';
    return QDir::toNativeSeparators(path + sheetFileName(workspace.baseName));
}

QString defaultOutputPath(const ConversionWorkspace &workspace)
{
    return outputPathIn(workspace.defaultDir, workspace);
}

void AskSavePath(ConversionWorkspace &workspace, OutputPrompts &prompts, const QString &directory)
{
    const std::optional<QString> chosen = prompts.askSavePath(outputPathIn(directory, workspace));
    if (!chosen) {
        workspace.saveCancelled = true;
        return;
    }
    workspace.savePath = *chosen;
    workspace.saveCancelled = false;
}

void GenerateTxt(ConversionWorkspace &workspace, OutputPrompts &prompts,
                 const DefaultDirectorySetting &setting)
{
    // After a new load the sheet is empty until it is converted; writing it
    // would replace a good file with an empty one.
    if (!workspace.converted) {
        prompts.showMessage(messages::convertFirst());
        return;
    }
    ExtractBaseName(workspace, workspace.sourcePath);

    switch (writeWhereTheOptionsSay(workspace, prompts, setting)) {
    case Outcome::Written:
        prompts.showMessage(messages::written());
        break;
    case Outcome::Abandoned:
        prompts.showMessage(messages::writingAbandoned());
        break;
    case Outcome::Failed:
        break;
    }
}
