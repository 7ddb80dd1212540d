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
    return {QStringLiteral("对不起，制定路径不存在，请查证后再次输入"), QStringLiteral("错误提示"),
            MessageIcon::Critical};
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

inline Message sheetWouldReplaceSource(const QString &path)
{
    return failure(QStringLiteral("TXT文件“%1”就是正在转换的歌词文件，不能覆盖它。"
                                  "请选择“保存到新目录”或“自定义文件名”。")
                       .arg(path));
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
