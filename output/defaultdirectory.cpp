#include "defaultdirectory.h"

#include "conversionworkspace.h"
#include "defaultdirectorysetting.h"
#include "outputprompts.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString dummyFilePreset()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\a");
#else
    return QDir::homePath() + QStringLiteral("/a");
#endif
}

// A path never holds these; a settings file that does was not written by us.
bool isGarbled(const QString &path)
{
    return std::any_of(path.cbegin(), path.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter
            || c.isSurrogate();
    });
}

// Why the default directory Generate would use cannot be used; nothing when
// it can, and then defaultDir holds it.
std::optional<Message> whyNoDefaultDirectory(ConversionWorkspace &workspace,
                                             const DefaultDirectorySetting &setting)
{
    QString directory = workspace.sessionDefaultDir;
    if (directory.isEmpty()) {
        if (!setting.settingsFileExists())
            return messages::defaultDirectoryNotSet();
        QString error;
        if (!setting.ReadDefaultDirectory(directory, error))
            return messages::settingsFileUnreadable(error);
    }
    switch (checkDefaultDirectory(directory)) {
    case DirectoryProblem::None:
        workspace.defaultDir = directory;
        return std::nullopt;
    case DirectoryProblem::Empty:
        // A blank settings file holds no setting: as on the first run.
        return messages::defaultDirectoryNotSet();
    case DirectoryProblem::Garbled:
        return messages::defaultDirectoryGarbled(setting.settingsFilePath());
    case DirectoryProblem::NotAbsolute:
        return messages::defaultDirectoryNotAbsolute(directory);
    case DirectoryProblem::Missing:
        return messages::defaultDirectoryMissing(directory);
    case DirectoryProblem::NotAFolder:
        return messages::defaultDirectoryNotAFolder(directory);
    }
    return messages::defaultDirectoryNotSet();
}

} // namespace

bool directoryExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

DirectoryProblem checkDefaultDirectory(const QString &path)
{
    if (path.isEmpty())
        return DirectoryProblem::Empty;
    if (isGarbled(path))
        return DirectoryProblem::Garbled;
    if (!QDir::isAbsolutePath(path))
        return DirectoryProblem::NotAbsolute;
    const QFileInfo info(path);
    if (!info.exists())
        return DirectoryProblem::Missing;
    if (!info.isDir())
        return DirectoryProblem::NotAFolder;
    return DirectoryProblem::None;
}

QString destinationCaption(const QString &directory)
{
    return QStringLiteral("TXT文件将生成在") + directory;
}

std::optional<QString> knownDefaultDirectory(const ConversionWorkspace &workspace,
                                             const DefaultDirectorySetting &setting)
{
    if (!workspace.sessionDefaultDir.isEmpty())
        return workspace.sessionDefaultDir;
    return setting.storedDirectory();
}

void AskDefaultDirectory(ConversionWorkspace &workspace, OutputPrompts &prompts)
{
    const std::optional<QString> chosen = prompts.askSavePath(dummyFilePreset());
    if (!chosen) {
        workspace.dirCancelled = true;
        return;
    }
    const QString path = QDir::toNativeSeparators(*chosen);
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    // A file saved straight in the root folder ("/a") keeps the root as "/".
    workspace.defaultDir = cut < 0 ? path : path.left(cut == 0 ? 1 : cut);
    workspace.dirCancelled = false;
}

bool chooseDefaultDirectory(ConversionWorkspace &workspace, OutputPrompts &prompts,
                            const DefaultDirectorySetting &setting)
{
    for (;;) {
        AskDefaultDirectory(workspace, prompts);
        if (workspace.dirCancelled) {
            prompts.showMessage(messages::defaultDirectoryCancelled());
            return false;
        }
        if (checkDefaultDirectory(workspace.defaultDir) == DirectoryProblem::None)
            break;
        prompts.showMessage(messages::chosenDirectoryMissing());
    }

    // Writing the sheet does not depend on remembering where: a settings
    // folder that is read-only or a plain file costs one warning, not the TXT.
    QString error;
    if (setting.WriteDefaultDirectory(workspace.defaultDir, error)) {
        workspace.sessionDefaultDir.clear();
    } else {
        workspace.sessionDefaultDir = workspace.defaultDir;
        prompts.showMessage(messages::defaultDirectoryNotRemembered(workspace.defaultDir, error));
    }
    prompts.setDestinationCaption(destinationCaption(workspace.defaultDir));
    return true;
}

bool EnsureDefaultDirectory(ConversionWorkspace &workspace, OutputPrompts &prompts,
                            const DefaultDirectorySetting &setting)
{
    const std::optional<Message> why = whyNoDefaultDirectory(workspace, setting);
    if (!why)
        return true;
    prompts.showMessage(*why);
    return chooseDefaultDirectory(workspace, prompts, setting);
}
