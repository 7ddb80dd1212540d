#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks of the window program: quorvane [options] [FILE].
struct WindowCommandLine
{
    enum class Action { OpenWindow, ShowHelp, ShowVersion, BadUsage };

    Action action = Action::OpenWindow;
    // The lyric file to load at start, absolute against the current folder;
    // an empty argument stays empty, so Load's own check reports it.
    std::optional<QString> file;
    // The help text, the version line, or what is wrong with the usage.
    QString text;
};

// Reads the arguments, the program's name first. It needs no application
// object, so help, version and usage errors need no display. Qt's own window
// options (-platform, -style ...) are let through for QApplication.
WindowCommandLine parseWindowCommandLine(const QStringList &arguments);

// For a command line that opens no window: prints the help or the version on
// standard output, or the usage error on standard error, and returns the exit
// status: 0, or 2 for bad usage.
int finishWithoutWindow(const WindowCommandLine &commandLine);
