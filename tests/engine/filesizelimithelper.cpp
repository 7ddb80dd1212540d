// Started by tst_filesizelimit: lowers its own file size limit to 1 KB, then
// writes a 4 KB text file the way the program writes a sheet, and prints the
// error it got. With "ignore" it first does what the program does at start.
//
// usage: filesizelimithelper <file> ignore|keep

#include "filesizelimit.h"
#include "textfile.h"

#include <QCoreApplication>

#include <cstdio>
#include <sys/resource.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    if (args.at(2) == u"ignore")
        ignoreFileSizeLimitSignal();

    rlimit limit {};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 3;
    limit.rlim_cur = 1024;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 3;

    QString error;
    if (writeTextFile(args.at(1), QString(4096, u'x'), error))
        return 4;
    std::fputs(error.toUtf8().constData(), stdout);
    return 0;
}
