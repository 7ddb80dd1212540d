#include "txtwriter.h"

#include "conversionworkspace.h"
#include "defaultdirectory.h"
#include "outputprompts.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

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

Outcome writeWhereTheOptionsSay(ConversionWorkspace &workspace, OutputPrompts &prompts)
{
    if (prompts.savesToDefaultDirectory() && prompts.keepsSourceFileName()) {
        // A source named like "Song.txt" in the default folder would be
        // replaced by its own sheet without the user ever being asked.
        const QString path = defaultOutputPath(workspace);
        if (isSameFile(path, workspace.sourcePath)) {
            prompts.showMessage(messages::sheetWouldReplaceSource(path));
            return Outcome::Failed;
        }
        return writeSheet(workspace, prompts, path);
    }

    AskSavePath(workspace, prompts);
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

QString defaultOutputPath(const ConversionWorkspace &workspace)
{
    QString path = workspace.defaultDir;
    if (!path.endsWith(u'/') && !path.endsWith(u'\\'))
        path += u'/';
    return QDir::toNativeSeparators(path + sheetFileName(workspace.baseName));
}

void AskSavePath(ConversionWorkspace &workspace, OutputPrompts &prompts)
{
    const std::optional<QString> chosen = prompts.askSavePath(defaultOutputPath(workspace));
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
    if (!EnsureDefaultDirectory(workspace, prompts, setting))
        return;
    ExtractBaseName(workspace, workspace.sourcePath);

    switch (writeWhereTheOptionsSay(workspace, prompts)) {
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
