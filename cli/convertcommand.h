#pragma once

#include <QStringList>
#include <QThread>

class QIODevice;

// The standard streams of a run; tests give buffers instead.
struct Console
{
    QIODevice &in;
    QIODevice &out;
    QIODevice &err;
    // Standard error is a terminal: a progress line may be drawn on it.
    bool errIsTerminal = false;
};

// Runs quorvane-convert with the arguments (the program's name first) on up
// to `threads` threads and returns its exit status: 0 when every lyric file
// was converted, 1 when some file failed or was skipped, 2 for bad usage.
int runConvertCommand(const QStringList &arguments, const Console &console,
                      int threads = QThread::idealThreadCount());
