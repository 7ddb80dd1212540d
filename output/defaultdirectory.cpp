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

} // namespace

bool directoryExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString destinationCaption(const QString &directory)
{
    return QStringLiteral("TXT文件将生成在") + directory;
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

bool EnsureDefaultDirectory(ConversionWorkspace &workspace, OutputPrompts &prompts,
                            const DefaultDirectorySetting &setting)
{
    QString error;
    if (!setting.ensureSettingsDirectory(error)) {
        prompts.showMessage(messages::failure(error));
        return false;
    }

    if (setting.settingsFileExists()) {
        QString stored;
        if (!setting.ReadDefaultDirectory(stored, error)) {
            prompts.showMessage(messages::failure(error));
            return false;
        }
        // A blank file holds no setting: ask as on the first run.
        if (!stored.isEmpty()) {
            workspace.defaultDir = stored;
            return true;
        }
    }

    prompts.showMessage(messages::defaultDirectoryNotSet());
    for (;;) {
        AskDefaultDirectory(workspace, prompts);
        if (workspace.dirCancelled) {
            prompts.showMessage(messages::defaultDirectoryCancelled());
            return false;
        }
        if (directoryExists(workspace.defaultDir))
            break;
        prompts.showMessage(messages::chosenDirectoryMissing());
    }

    if (!setting.WriteDefaultDirectory(workspace.defaultDir, error)) {
        prompts.showMessage(messages::failure(error));
        return false;
    }
    prompts.setDestinationCaption(destinationCaption(workspace.defaultDir));
    return true;
}
