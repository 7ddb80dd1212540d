#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The one setting kept between runs: the default output directory, stored as a
// single line ("<directory>" CR LF) in the file "default path.dat" inside a
// settings folder. The folder is given to the constructor so tests can point it
// at a temporary place; standardDirectory() is the real one.
class DefaultDirectorySetting
{
public:
    explicit DefaultDirectorySetting(const QString &settingsDirectory);

    // "quorvane" under the user's configuration folder (~/.config on Linux,
    // honouring XDG_CONFIG_HOME; the local application data folder on Windows).
    static QString standardDirectory();

    QString settingsDirectory() const;
    QString settingsFilePath() const;

    // Creates the settings folder, with any missing parents. Returns false and
    // sets error (a Chinese sentence naming the folder and the reason) when it
    // cannot be created.
    bool ensureSettingsDirectory(QString &error) const;

    // True when the settings file is there as a plain, non-hidden file.
    bool settingsFileExists() const;

    // Reads the stored directory (the file's first field). Returns false and
    // sets error when the file cannot be read. An empty directory means the
    // file holds no setting.
    bool ReadDefaultDirectory(QString &directory, QString &error) const;

    // Creates or replaces the settings file with directory + CR LF. Returns
    // false and sets error (path and reason, in Chinese) when it cannot.
    bool WriteDefaultDirectory(const QString &directory, QString &error) const;

    // The stored directory when the settings file exists, can be read and holds
    // one; nothing otherwise. For the window's label and folder link.
    std::optional<QString> storedDirectory() const;

private:
    QString directory_;
};

// The first field of a settings file's lines: leading blanks and empty lines
// are skipped; a field that begins with a double quote runs to the next double
// quote on its line and loses the quotes (to the end of the line when there is
// none); any other field runs to the end of its line, commas and trailing
// blanks included, so a stored path reads back exactly as it was written.
QString firstSettingsField(const QStringList &lines);
