#include "defaultdirectorysetting.h"

#include "failurereason.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

DefaultDirectorySetting::DefaultDirectorySetting(const QString &settingsDirectory)
    : directory_(settingsDirectory)
{
}

QString DefaultDirectorySetting::standardDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/quorvane");
}

QString DefaultDirectorySetting::settingsDirectory() const
{
    return directory_;
}

QString DefaultDirectorySetting::settingsFilePath() const
{
    return directory_ + QStringLiteral("/default path.dat");
}

bool DefaultDirectorySetting::ensureSettingsDirectory(QString &error) const
{
    if (QFileInfo(directory_).isDir())
        return true;
    // QDir::mkpath gives no reason for a failure; the standard library does.
    std::error_code code;
    std::filesystem::create_directories(QDir(directory_).filesystemPath(), code);
    if (QFileInfo(directory_).isDir())
        return true;
    // A plain file in the folder's place is reported as such, whatever number
    // the library chose for it.
    const std::error_condition condition = code.default_error_condition();
    const int number = condition.category() == std::generic_category() ? condition.value() : 0;
    const QString reason = QFileInfo::exists(directory_)
        ? failureReason(ENOTDIR)
        : failureReason(number, QString::fromLocal8Bit(code.message()));
    error = QStringLiteral("无法创建设置文件夹“%1”：%2")
                .arg(QDir::toNativeSeparators(directory_), reason);
    return false;
}

bool DefaultDirectorySetting::settingsFileExists() const
{
    const QFileInfo info(settingsFilePath());
    return info.isFile() && !info.isHidden();
}

bool DefaultDirectorySetting::ReadDefaultDirectory(QString &directory, QString &error) const
{
    QStringList lines;
    if (!readTextLines(settingsFilePath(), lines, error))
        return false;
    directory = firstSettingsField(lines);
    return true;
}

bool DefaultDirectorySetting::WriteDefaultDirectory(const QString &directory, QString &error) const
{
    if (!ensureSettingsDirectory(error))
        return false;
    return writeTextFile(settingsFilePath(), directory + QStringLiteral("\r\n"), error);
}

std::optional<QString> DefaultDirectorySetting::storedDirectory() const
{
    if (!settingsFileExists())
        return std::nullopt;
    QString directory;
    QString error;
    if (!ReadDefaultDirectory(directory, error) || directory.isEmpty())
        return std::nullopt;
    return directory;
}

QString firstSettingsField(const QStringList &lines)
{
    for (const QString &line : lines) {
        qsizetype start = 0;
        while (start < line.size() && isBlank(line.at(start)))
            ++start;
        if (start == line.size())
            continue;
        if (line.at(start) != u'"')
            return line.sliced(start);
        const qsizetype close = line.indexOf(u'"', start + 1);
        if (close < 0)
            return line.sliced(start + 1);
        return line.sliced(start + 1, close - start - 1);
    }
    return QString();
}
