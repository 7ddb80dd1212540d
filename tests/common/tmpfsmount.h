#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A small tmpfs mounted on a temporary folder for the life of the object, so a
// test can make a write fail the way a full or read-only disk does. Mounting
// needs root and a system that allows it (not every container does); where it
// cannot be mounted, isMounted() is false and the test skips.
class TmpfsMount
{
public:
    // options as for mount -o, e.g. "size=64k" or "ro,size=16k".
    explicit TmpfsMount(const QString &options)
    {
#ifdef Q_OS_LINUX
        if (dir_.isValid())
            mounted_ = run(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                    QStringLiteral("-o"), options,
                                                    QStringLiteral("tmpfs"), dir_.path()});
#else
        Q_UNUSED(options);
#endif
    }

    ~TmpfsMount()
    {
        if (mounted_)
            run(QStringLiteral("umount"), {dir_.path()});
    }

    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool isMounted() const { return mounted_; }
    QString filePath(const QString &name) const { return dir_.filePath(name); }

private:
    static bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    }

    QTemporaryDir dir_;
    bool mounted_ = false;
};
