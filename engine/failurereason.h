#pragma once

#include <QString>

// Why a file or folder operation failed, for the sentence a message box shows.
// errorCode is the system's error number (errno) as the failing call left it.
// The common causes read in Chinese: no such file or folder, permission
// denied, read-only file system, disk full, file too large, name too long,
// is a folder, not a folder. Any other number keeps the system's own text for
// it; without a number (0) the reason is fallbackText, what the failing
// library call said, so a cause is never lost.
QString failureReason(int errorCode, const QString &fallbackText = {});
