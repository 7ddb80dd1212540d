#pragma once

#include "textfile.h"

#include <QDir>
#include <QString>
#include <QStringList>

// Every sentence quorvane-convert prints, each written once, in Chinese as the
// window speaks. Sentences about a file that cannot be read or written come
// from the engine, as in the window.
namespace convertmessages {

inline QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

inline QString description()
{
    return QStringLiteral("把LRC歌词文件批量转换成TXT歌词表，与 Quorvane 窗口“生成TXT”写出的文件逐字节相同。");
}

inline QString moreHelp()
{
    return QStringLiteral("\n编码：%1（不分大小写）。\n"
                          "TXT文件名：歌词文件名第一个“.”之前的部分加“.txt”，与窗口相同。\n"
                          "--output-dir 下，文件夹以自己的名字连同子文件夹重建。\n"
                          "文件夹中的隐藏文件和隐藏文件夹不转换。\n"
                          "退出状态：0 全部转换完成；1 有文件失败或被跳过；2 用法错误。\n")
        .arg(choosableEncodings().join(QStringLiteral("、")));
}

// Usage errors
inline QString usageError(const QString &problem)
{
    return problem + QStringLiteral("\n用法见“quorvane-convert --help”。\n");
}

inline QString unknownOptions(const QStringList &names)
{
    QStringList shownNames;
    for (const QString &name : names)
        shownNames.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    return QStringLiteral("未知的选项：%1").arg(shownNames.join(u' '));
}

inline QString unknownEncoding(const QString &name)
{
    return QStringLiteral("未知的编码“%1”。可用的编码：%2。")
        .arg(name, choosableEncodings().join(QStringLiteral("、")));
}

inline QString noPaths()
{
    return QStringLiteral("没有指定要转换的歌词文件或文件夹。");
}

inline QString standardInputNotAlone()
{
    return QStringLiteral("“-”（标准输入）只能单独使用，不能与其他文件或文件夹同时给出。");
}

inline QString standardInputWithOutputDir()
{
    return QStringLiteral("“-”（标准输入）的TXT写到标准输出，不能同时指定 --output-dir。");
}

inline QString emptyOutputDir()
{
    return QStringLiteral("--output-dir 的文件夹名不能为空。");
}

// A whole run that cannot start
inline QString outputDirUnusable(const QString &dir)
{
    return QStringLiteral("无法创建输出文件夹“%1”。\n").arg(shown(dir));
}

// One lyric file: "path：reason"
inline QString fileLine(const QString &path, const QString &reason)
{
    return shown(path) + QStringLiteral("：") + reason + u'\n';
}

inline QString standardInputName()
{
    return QStringLiteral("标准输入");
}

inline QString standardOutputName()
{
    return QStringLiteral("标准输出");
}

inline QString pathMissing()
{
    return QStringLiteral("找不到这个文件或文件夹。");
}

inline QString notAFile()
{
    return QStringLiteral("这不是普通文件，也不是文件夹。");
}

inline QString folderUnreadable()
{
    return QStringLiteral("无法读取这个文件夹。");
}

inline QString sameTargetAs(const QString &target, const QString &earlierSource)
{
    return QStringLiteral("TXT文件“%1”也是“%2”的TXT文件，为免互相覆盖，跳过。")
        .arg(shown(target), shown(earlierSource));
}

inline QString targetIsSource(const QString &target)
{
    return QStringLiteral("TXT文件“%1”就是要转换的歌词文件，不能覆盖它，跳过。").arg(shown(target));
}

inline QString targetDiffers(const QString &target)
{
    return QStringLiteral("TXT文件“%1”已存在且内容不同，未覆盖（加 --overwrite 可覆盖），跳过。")
        .arg(shown(target));
}

inline QString targetIsFolder(const QString &target)
{
    return QStringLiteral("“%1”是一个文件夹，不能写成TXT文件。").arg(shown(target));
}

inline QString folderCannotBeCreated(const QString &dir)
{
    return QStringLiteral("无法创建文件夹“%1”。").arg(shown(dir));
}

// Progress and the closing summary
inline QString progress(qsizetype done, qsizetype total)
{
    return QStringLiteral("正在转换：%1/%2").arg(done).arg(total);
}

inline QString summary(qsizetype written, qsizetype unchanged, qsizetype skipped, qsizetype failed)
{
    return QStringLiteral("完成：转换%1个，已是最新%2个，跳过%3个，失败%4个。\n")
        .arg(written)
        .arg(unchanged)
        .arg(skipped)
        .arg(failed);
}

} // namespace convertmessages
