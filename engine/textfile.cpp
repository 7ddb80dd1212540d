#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool isUtf16Or32(const QString &encoding)
{
    return encoding.startsWith(QLatin1String("UTF-16"), Qt::CaseInsensitive)
        || encoding.startsWith(QLatin1String("UTF-32"), Qt::CaseInsensitive);
}

QString readError(const QString &path, const QString &reason)
{
    return QStringLiteral("无法读取文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
}

QString writeError(const QString &path, const QString &reason)
{
    return QStringLiteral("无法写入文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
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

DecodedText decodeBytes(const QByteArray &bytes, const QString &encoding)
{
    if (!encoding.isEmpty()) {
        QStringDecoder chosen(encoding.toLatin1().constData(), QStringConverter::Flag::Stateless);
        if (chosen.isValid()) {
            const bool isText = isUtf16Or32(encoding) || !looksBinary(bytes);
            return {chosen.decode(bytes), encoding, isText};
        }
    }
    return decodeDetected(bytes);
}

QString decodeText(const QByteArray &bytes, const QString &encoding)
{
    return decodeBytes(bytes, encoding).text;
}

QByteArray encodeText(const QString &text)
{
    if (systemCodePageIsUtf8())
        return text.toUtf8(); // a lone surrogate becomes "?"
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
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

bool readTextLines(const QString &path, QStringList &lines, QString &error, const QString &encoding,
                   QString *usedEncoding)
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
        error = readError(path, QStringLiteral("文件超过%1 MB，不是可以转换的歌词文件")
                                    .arg(kMaxTextFileBytes / (1024 * 1024)));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = readError(path, file.errorString());
        return false;
    }
    const DecodedText decoded = decodeBytes(bytes, encoding);
    if (!decoded.isText) {
        error = QStringLiteral("文件“%1”含有二进制数据（零字节），不是文本文件")
                    .arg(QDir::toNativeSeparators(path));
        return false;
    }
    lines = splitLines(decoded.text);
    if (usedEncoding)
        *usedEncoding = decoded.encoding;
    return true;
}

bool writeTextFile(const QString &path, const QString &text, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = writeError(path, file.errorString());
        return false;
    }
    const QByteArray bytes = encodeText(text);
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
