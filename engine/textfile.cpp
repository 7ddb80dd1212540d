#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool systemCodePageIsUtf8()
{
    // A character outside ASCII shows which encoding the system code page is.
    QStringEncoder encoder(QStringConverter::System);
    const QByteArray bytes = encoder.encode(QStringView(u"\u00e9"));
    return bytes == QByteArray("\xc3\xa9");
}

QString readError(const QString &path, const QString &reason)
{
    return QStringLiteral("无法读取文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
}

QString writeError(const QString &path, const QString &reason)
{
    return QStringLiteral("无法写入文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
}

QString tooLargeReason()
{
    return QStringLiteral("文件超过%1 MB，不是可以转换的歌词文件").arg(kMaxTextFileBytes / (1024 * 1024));
}

} // namespace

const QStringList &choosableEncodings()
{
    static const QStringList names{QStringLiteral("UTF-8"),     QStringLiteral("GB18030"),
                                   QStringLiteral("Big5"),      QStringLiteral("Shift_JIS"),
                                   QStringLiteral("EUC-KR"),    QStringLiteral("UTF-16LE"),
                                   QStringLiteral("UTF-16BE")};
    return names;
}

QString decodeText(const QByteArray &bytes, const QString &encoding)
{
    if (!encoding.isEmpty()) {
        QStringDecoder chosen(encoding.toLatin1().constData(), QStringConverter::Flag::Stateless);
        if (chosen.isValid())
            return chosen.decode(bytes);
    }
    if (!systemCodePageIsUtf8()) {
        QStringDecoder decoder(QStringConverter::System);
        return decoder.decode(bytes);
    }

    // The UTF-8 decoder drops a byte-order mark by itself; the GB18030 one
    // would read it as three characters.
    QByteArrayView view(bytes);
    if (view.startsWith("\xef\xbb\xbf"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;

    QStringDecoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    if (gb18030.isValid())
        return gb18030.decode(view);
    return text;
}

QByteArray encodeText(const QString &text)
{
    if (systemCodePageIsUtf8())
        return text.toUtf8(); // a lone surrogate becomes "?"
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

QStringList textLines(const QByteArray &bytes, const QString &encoding)
{
    return splitLines(decodeText(bytes, encoding));
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    const QChar *data = text.constData();
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < size && data[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.sliced(start));
    return lines;
}

bool readTextLines(const QString &path, QStringList &lines, QString &error, const QString &encoding)
{
    if (QFileInfo(path).isDir()) {
        error = readError(path, QStringLiteral("这是一个文件夹，不是文件"));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = readError(path, file.errorString());
        return false;
    }
    if (file.size() > kMaxTextFileBytes) {
        error = readError(path, tooLargeReason());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = readError(path, file.errorString());
        return false;
    }
    lines = textLines(bytes, encoding);
    return true;
}

bool readTextBytes(QIODevice &device, const QString &name, QByteArray &bytes, QString &error)
{
    // A stream has no size to check first, so the limit is checked as it is read.
    bytes.clear();
    char buffer[64 * 1024];
    for (;;) {
        const qint64 count = device.read(buffer, sizeof buffer);
        if (count < 0) {
            error = readError(name, device.errorString());
            return false;
        }
        if (count == 0)
            return true;
        if (bytes.size() + count > kMaxTextFileBytes) {
            bytes.clear();
            error = readError(name, tooLargeReason());
            return false;
        }
        bytes.append(buffer, count);
    }
}

bool writeTextFile(const QString &path, const QString &text, QString &error)
{
    return writeFileBytes(path, encodeText(text), error);
}

bool writeFileBytes(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = writeError(path, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        error = writeError(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    // QSaveFile buffers the bytes and its commit() ignores a short flush, so
    // a full disk would otherwise pass as a complete write.
    if (!file.flush()) {
        error = writeError(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = writeError(path, file.errorString());
        return false;
    }
    return true;
}

bool writeNewFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        error = writeError(path, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        error = writeError(path, file.errorString());
        file.close();
        file.remove();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        error = writeError(path, file.errorString());
        file.remove();
        return false;
    }
    return true;
}
