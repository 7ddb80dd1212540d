#include "failurereason.h"

#include <cerrno>
#include <system_error>

QString failureReason(int errorCode, const QString &fallbackText)
{
    switch (errorCode) {
    case ENOENT:
        return QStringLiteral("文件或文件夹不存在");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有访问权限");
    case EROFS:
        return QStringLiteral("文件系统是只读的");
    case ENOSPC:
        return QStringLiteral("磁盘已满");
    case EFBIG:
        return QStringLiteral("文件太大，超过了允许的大小");
    case ENAMETOOLONG:
        return QStringLiteral("文件名太长");
    case EISDIR:
        return QStringLiteral("这是一个文件夹，不是文件");
    case ENOTDIR:
        return QStringLiteral("路径中有一部分不是文件夹");
    case 0:
        return fallbackText.isEmpty() ? QStringLiteral("原因不明") : fallbackText;
    default:
        // Qt's own text for a failed write is often just "Unknown error";
        // the number still knows better.
        return QString::fromLocal8Bit(std::generic_category().message(errorCode));
    }
}
