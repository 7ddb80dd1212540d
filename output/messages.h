#pragma once

#include <QDir>
#include <QString>

// The icon a message box carries.
enum class MessageIcon { None, Critical, Exclamation };

// One message box: its text, its title and its icon. It has one OK button.
struct Message
{
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
};

// A question with the two buttons "是" and "否". "否" is the default, so a
// hurried Enter or Escape changes nothing.
struct Question
{
    QString text;
    QString title;
};

// Every message box the program shows, each written once. Sentences that
// explain a failure (a file that cannot be read or written, a capacity passed)
// come from the code that failed and are shown with failure().
namespace messages {

inline QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Any command that failed: the sentence says what and why.
inline Message failure(const QString &sentence)
{
    return {sentence, QStringLiteral("错误"), MessageIcon::Critical};
}

// Load ("加载歌词")
inline Message emptyFileName()
{
    return {QStringLiteral("不能为空值"), QStringLiteral("错误"), MessageIcon::Critical};
}

inline Message sourceNotFound()
{
    return {QStringLiteral("对不起，指定路径不存在，请查证后再次输入"), QStringLiteral("错误提示"),
            MessageIcon::Critical};
}

// Refused before it is read.
inline Message sourceTooLarge(const QString &path, qint64 limitBytes)
{
    return {QStringLiteral("对不起，“%1”超过了%2 MB的上限，不是可以转换的歌词文件")
                .arg(shownPath(path))
                .arg(limitBytes / (1024 * 1024)),
            QStringLiteral("错误提示"), MessageIcon::Critical};
}

// A folder, a device such as /dev/zero or a pipe: it exists, but is no file to
// read lines from.
inline Message sourceNotAFile(const QString &path)
{
    return {QStringLiteral("对不起，“%1”不是普通文件（而是文件夹、设备或管道），不能作为歌词文件加载")
                .arg(shownPath(path)),
            QStringLiteral("错误提示"), MessageIcon::Critical};
}

// Convert ("转换成TXT格式")
inline Message noTimedLyrics()
{
    return {QStringLiteral("文件中没有带时间标签的歌词行，转换结果不含歌词。"), QStringLiteral("提示"),
            MessageIcon::Exclamation};
}

// A drop on the window that is not a local file
inline Message dropRefused()
{
    return {QStringLiteral("只能拖入本机上的歌词文件，网址和文字无法加载。"), QStringLiteral("提示"),
            MessageIcon::Exclamation};
}

// Generate ("生成TXT")
inline Message convertFirst()
{
    return {QStringLiteral("请先转换歌词，再生成TXT。"), QStringLiteral("提示"), MessageIcon::Exclamation};
}

inline Message defaultDirectoryNotSet()
{
    return {QStringLiteral("您还未设置默认保存目录，请设置"), QStringLiteral("设置默认目录"),
            MessageIcon::None};
}

inline Message defaultDirectoryCancelled()
{
    return {QStringLiteral("用户放弃定义默认路径！"), QStringLiteral("空值"), MessageIcon::Critical};
}

inline Message chosenDirectoryMissing()
{
    return {QStringLiteral("重新录入！"), QStringLiteral("错误"), MessageIcon::Exclamation};
}

// A default directory that was stored (or chosen earlier in this run) but can
// no longer be used: the sentence says why, then the directory is asked for
// again as on the first run.
inline Message defaultDirectoryUnusable(const QString &why)
{
    return {why + QStringLiteral("请重新设置默认目录。"), QStringLiteral("设置默认目录"),
            MessageIcon::Exclamation};
}

inline Message defaultDirectoryMissing(const QString &path)
{
    return defaultDirectoryUnusable(QStringLiteral("默认目录“%1”已不存在。").arg(shownPath(path)));
}

inline Message defaultDirectoryNotAFolder(const QString &path)
{
    return defaultDirectoryUnusable(QStringLiteral("默认目录“%1”不是文件夹。").arg(shownPath(path)));
}

inline Message defaultDirectoryNotAbsolute(const QString &path)
{
    return defaultDirectoryUnusable(
        QStringLiteral("默认目录“%1”不是从根目录开始的完整路径。").arg(shownPath(path)));
}

// The stored text holds control characters or bytes that are no text: it is
// not shown, the settings file is named instead.
inline Message defaultDirectoryGarbled(const QString &settingsFile)
{
    return defaultDirectoryUnusable(
        QStringLiteral("设置文件“%1”里记的默认目录无法识别。").arg(shownPath(settingsFile)));
}

inline Message settingsFileUnreadable(const QString &error)
{
    return defaultDirectoryUnusable(error + QStringLiteral("。"));
}

// The settings file could not be written: the folder is used anyway until
// the program ends. error says what failed and why.
inline Message defaultDirectoryNotRemembered(const QString &directory, const QString &error)
{
    return {QStringLiteral("%1。\n默认目录“%2”无法记住，本次运行期间仍将使用它。")
                .arg(error, shownPath(directory)),
            QStringLiteral("无法保存设置"), MessageIcon::Exclamation};
}

inline Message sheetWouldReplaceSource(const QString &path)
{
    return failure(QStringLiteral("TXT文件“%1”就是正在转换的歌词文件，不能覆盖它。"
                                  "请选择“保存到新目录”或“自定义文件名”。")
                       .arg(path));
}

// Only in the default directory under the lyric file's own name, where no
// dialog has shown the user that the name is taken.
inline Question replaceExistingSheet(const QString &path)
{
    return {QStringLiteral("文件“%1”已经存在，内容与这次要生成的不同。\n要替换它吗？")
                .arg(shownPath(path)),
            QStringLiteral("文件已存在")};
}

inline Message written()
{
    return {QStringLiteral("恭喜，成功写入TXT！"), QStringLiteral("成功提示"), MessageIcon::None};
}

inline Message writingAbandoned()
{
    return {QStringLiteral("用户放弃写入"), QStringLiteral("放弃提示"), MessageIcon::None};
}

// The destination label ("TXT文件将生成在…")
inline Message defaultDirectoryUnknown()
{
    return {QStringLiteral("目录未指定！！！"), QStringLiteral("错误"), MessageIcon::Critical};
}

inline Message folderMissing(const QString &path)
{
    return failure(QStringLiteral("目录“%1”不存在。").arg(shownPath(path)));
}

inline Message folderCannotBeOpened(const QString &path)
{
    return failure(QStringLiteral("无法打开目录“%1”。").arg(shownPath(path)));
}

} // namespace messages
