#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of quorvane-convert [options] PATH...
struct ConvertOptions
{
    enum class Action { Convert, ShowHelp, ShowVersion, BadUsage };

    Action action = Action::Convert;
    // Lyric files and folders, as given; "-" alone stands for standard input.
    QStringList paths;
    // Where the sheets go; empty: beside each lyric file.
    QString outputDir;
    // One of choosableEncodings(); empty: found out from the bytes, as the window does.
    QString encoding;
    // Replace existing sheets whose bytes differ.
    bool overwrite = false;
    // The help text, the version line, or what is wrong with the usage.
    QString text;

    bool readsStandardInput() const { return paths == QStringList{QStringLiteral("-")}; }
};

// Reads the arguments, the program's name first.
ConvertOptions parseConvertOptions(const QStringList &arguments);
