#include "convertcommand.h"
#include "filesizelimit.h"
#include "version.h"

#include <QCoreApplication>
#include <QFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

bool isTerminal(int fd)
{
#ifdef Q_OS_UNIX
    return ::isatty(fd) == 1;
#else
    Q_UNUSED(fd);
    return false;
#endif
}

// A standard stream as a QFile over its descriptor, unbuffered, so a failed
// write is seen when it happens.
bool openStream(QFile &file, int fd, QIODevice::OpenMode mode)
{
    return file.open(fd, mode | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
}

} // namespace

int main(int argc, char *argv[])
{
    // A sheet past the file-size limit is then reported like any failed
    // write instead of killing the run half way.
    ignoreFileSizeLimitSignal();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvane-convert"));
    QCoreApplication::setApplicationVersion(QLatin1String(QUORVANE_VERSION));

    QFile in;
    QFile out;
    QFile err;
    if (!openStream(in, 0, QIODevice::ReadOnly) || !openStream(out, 1, QIODevice::WriteOnly)
        || !openStream(err, 2, QIODevice::WriteOnly))
        return 1;
    return runConvertCommand(QCoreApplication::arguments(), Console{in, out, err, isTerminal(2)});
}
