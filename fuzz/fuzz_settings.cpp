// Bytes as the settings file -> the stored default folder.

#include "defaultdirectory.h"
#include "defaultdirectorysetting.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // One settings folder for the whole run; each input replaces its file.
    static QTemporaryDir folder;
    const DefaultDirectorySetting setting(folder.path());
    QFile file(setting.settingsFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();

    const std::optional<QString> stored = setting.storedDirectory();
    if (stored && (stored->isEmpty() || stored->contains(u'\r') || stored->contains(u'\n')))
        std::abort(); // a folder read back must be one non-empty line
    // What Generate checks before it writes into the stored folder.
    const DirectoryProblem problem = checkDefaultDirectory(stored.value_or(QString()));
    if (!stored && problem != DirectoryProblem::Empty)
        std::abort();
    return 0;
}
