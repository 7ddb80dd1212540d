#include "textfile.h"

#include "failurereason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <utility>

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

// The error number a failed call on path left behind. Read it right after the
// call: QFileDevice keeps only a text, and for a failed write that text is
// often "Unknown error". Qt refuses a folder before asking the system, so no
// number is left then.
int failureCode(const QString &path)
{
    const int code = errno;
    if (code == 0 && QFileInfo(path).isDir())
        return EISDIR;
    return code;
}

QString tooLargeReason()
{
    return QStringLiteral("文件超过了%1 MB的上限，不是可以转换的歌词文件")
        .arg(kMaxTextFileBytes / (1024 * 1024));
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

bool textLines(const QByteArray &bytes, const QString &name, const QString &encoding,
               QStringList &lines, QString &error, QString *usedEncoding)
{
    const DecodedText decoded = decodeBytes(bytes, encoding);
    if (!decoded.isText) {
        error = QStringLiteral("文件“%1”含有二进制数据（零字节），不是文本文件")
                    .arg(QDir::toNativeSeparators(name));
        return false;
    }
    QStringList read = splitLines(decoded.text);
    if (read.size() > kMaxTextFileLines) {
        error = readError(name, QStringLiteral("文件有%1行，超过了%2行的上限，不是可以转换的歌词文件")
                                    .arg(read.size())
                                    .arg(kMaxTextFileLines));
        return false;
    }
    lines = std::move(read);
    if (usedEncoding)
        *usedEncoding = decoded.encoding;
    return true;
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
    const QFileInfo info(path);
    if (info.isDir()) {
        error = readError(path, failureReason(EISDIR));
        return false;
    }
    // Opening a pipe waits for a writer, and a device may never end.
    if (info.exists() && !info.isFile()) {
        error = readError(path, QStringLiteral("这不是普通文件，而是设备或管道之类"));
        return false;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        error = readError(path, failureReason(failureCode(path), file.errorString()));
        return false;
    }
    if (file.size() > kMaxTextFileBytes) {
        error = readError(path, tooLargeReason());
        return false;
    }
    errno = 0;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = readError(path, failureReason(failureCode(path), file.errorString()));
        return false;
    }
    return textLines(bytes, path, encoding, lines, error, usedEncoding);
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
    const auto fail = [&] {
        const int code = failureCode(path);
        error = writeError(path, failureReason(code, file.errorString()));
        return false;
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        fail();
        file.cancelWriting();
        return false;
    }
    // QSaveFile buffers the bytes and its commit() ignores a short flush, so
    // a full disk would otherwise pass as a complete write.
    errno = 0;
    if (!file.flush()) {
        fail();
        file.cancelWriting();
        return false;
    }
    errno = 0;
    if (!file.commit())
        return fail();
    return true;
}

bool writeNewFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QFile file(path);
    const auto fail = [&] {
        error = writeError(path, failureReason(failureCode(path), file.errorString()));
        return false;
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail();
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        fail();
        file.close();
        file.remove();
        return false;
    }
    errno = 0;
    file.close();
    if (file.error() != QFileDevice::NoError) {
        fail();
        file.remove();
        return false;
    }
    return true;
}
