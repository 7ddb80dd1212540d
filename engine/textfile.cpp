#include "textfile.h"

#include "failurereason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
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

// NewTextFile encodes and writes its text in pieces this long: small enough
// that the memory of their bytes is used again rather than fresh each time.
constexpr qsizetype kPieceLength = 16 * 1024;

// Creates path, which must not exist yet, and fills it with writeAll; removes
// what it created again when that fails.
template<typename WriteAll>
bool createFile(const QString &path, QString &error, WriteAll writeAll)
{
    QFile file(path);
    const auto fail = [&] {
        error = writeError(path, failureReason(failureCode(path), file.errorString()));
        return false;
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return fail();
    errno = 0;
    if (!writeAll(file)) {
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

// The text of decoded bytes, once it is known to be text of at most
// kMaxTextFileLines lines.
bool acceptText(DecodedText decoded, const QString &name, QString &text, QString &error,
                QString *usedEncoding)
{
    if (!decoded.isText) {
        error = QStringLiteral("文件“%1”含有二进制数据（零字节），不是文本文件")
                    .arg(QDir::toNativeSeparators(name));
        return false;
    }
    // A text has no more lines than characters: short ones need no count.
    const qsizetype lines = decoded.text.size() < kMaxTextFileLines ? 0 : countLines(decoded.text);
    if (lines > kMaxTextFileLines) {
        error = readError(name, QStringLiteral("文件有%1行，超过了%2行的上限，不是可以转换的歌词文件")
                                    .arg(lines)
                                    .arg(kMaxTextFileLines));
        return false;
    }
    text = std::move(decoded.text);
    if (usedEncoding)
        *usedEncoding = decoded.encoding;
    return true;
}

// Whether decodeBytes finds the encoding out rather than use the one given.
bool detectsEncoding(const QString &encoding)
{
    return encoding.isEmpty() || !QStringDecoder(encoding.toLatin1().constData()).isValid();
}

// The text of an open file that is valid UTF-8 (Utf8PieceReader), read a
// piece at a time, so its bytes are never held whole: on a large file fresh
// memory costs more than the decoding. Nothing when it is not surely UTF-8
// text, or cannot be read; then decodeDetected must look at all its bytes.
std::optional<DecodedText> readUtf8(QFile &file, qint64 size)
{
    QString text;
    text.reserve(size + 1);
    Utf8PieceReader reader(text);
    // Room for the whole of a small file and one byte more, so one read
    // shows its end.
    QByteArray buffer(qsizetype(qBound(qint64(4), size + 1, qint64(64 * 1024))), Qt::Uninitialized);
    qsizetype held = 0;
    bool started = false;
    for (;;) {
        const qsizetype wanted = buffer.size() - held;
        const qint64 count = file.read(buffer.data() + held, wanted);
        if (count < 0)
            return std::nullopt;
        held += count;
        // Qt reads a file until it has all it was asked for or the file ends.
        const bool last = count < wanted;
        if (!started && held < 4 && !last)
            continue; // the longest byte-order mark decides
        qsizetype skipped = 0;
        if (!started) {
            skipped = utf8MarkLength(QByteArrayView(buffer.constData(), held));
            if (skipped < 0)
                return std::nullopt;
            started = true;
        }
        const qsizetype taken = reader.read(QByteArrayView(buffer.constData() + skipped, held - skipped), last);
        if (taken < 0)
            return std::nullopt;
        if (last)
            break;
        held -= skipped + taken;
        std::memmove(buffer.data(), buffer.constData() + skipped + taken, size_t(held));
        if (held == buffer.size()) // a long stretch without ASCII
            buffer.resize(2 * buffer.size());
    }
    if (reader.mayBeSevenBitCjk())
        return std::nullopt;
    return DecodedText{std::move(text), QStringLiteral("UTF-8")};
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
    return TextEncoder().encode(text);
}

QByteArray TextEncoder::encode(QStringView text)
{
    if (utf8_)
        return text.toUtf8(); // a lone surrogate becomes "?"
    if (!system_)
        system_.emplace(QStringConverter::System);
    return system_->encode(text);
}

bool decodeTextBytes(const QByteArray &bytes, const QString &name, const QString &encoding, QString &text,
                     QString &error, QString *usedEncoding)
{
    return acceptText(decodeBytes(bytes, encoding), name, text, error, usedEncoding);
}

LineBounds lineBoundsAt(QStringView text, qsizetype start)
{
    const QChar *data = text.data();
    const qsizetype size = text.size();
    for (qsizetype i = start; i < size; ++i) {
        const char16_t c = data[i].unicode();
        if (c > u'\r' || (c != u'\r' && c != u'\n'))
            continue;
        const bool crLf = c == u'\r' && i + 1 < size && data[i + 1] == u'\n';
        return {i, i + (crLf ? 2 : 1)};
    }
    return {size, size};
}

qsizetype countLines(QStringView text)
{
    qsizetype lines = 0;
    for (qsizetype at = 0; at < text.size(); at = lineBoundsAt(text, at).next)
        ++lines;
    return lines;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    for (qsizetype at = 0; at < text.size();) {
        const LineBounds line = lineBoundsAt(text, at);
        lines.append(text.sliced(at, line.end - at));
        at = line.next;
    }
    return lines;
}

bool readTextFile(const QString &path, QString &text, QString &error, const QString &encoding,
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
    // Unbuffered: the file is read in large pieces, and a buffer would only
    // copy them once more.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = readError(path, failureReason(failureCode(path), file.errorString()));
        return false;
    }
    const qint64 size = file.size();
    if (size > kMaxTextFileBytes) {
        error = readError(path, tooLargeReason());
        return false;
    }
    if (detectsEncoding(encoding)) {
        if (std::optional<DecodedText> utf8 = readUtf8(file, size))
            return acceptText(std::move(*utf8), path, text, error, usedEncoding);
        file.seek(0);
    }
    errno = 0;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = readError(path, failureReason(failureCode(path), file.errorString()));
        return false;
    }
    return decodeTextBytes(bytes, path, encoding, text, error, usedEncoding);
}

bool readTextLines(const QString &path, QStringList &lines, QString &error, const QString &encoding,
                   QString *usedEncoding)
{
    QString text;
    if (!readTextFile(path, text, error, encoding, usedEncoding))
        return false;
    lines = splitLines(text);
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
    return createFile(path, error, [&bytes](QFile &file) { return file.write(bytes) == bytes.size(); });
}

NewTextFile::NewTextFile(const QString &path)
    : file_(path)
{
}

NewTextFile::~NewTextFile()
{
    if (created_ && !committed_) {
        file_.close();
        file_.remove();
    }
}

bool NewTextFile::open(QString &error)
{
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        error = writeError(file_.fileName(), failureReason(failureCode(file_.fileName()), file_.errorString()));
        return false;
    }
    created_ = true;
    pending_.resize(kPieceLength);
    return true;
}

void NewTextFile::append(QStringView text)
{
    // Copied by hand: a sheet comes in two pieces a line, and QString::append
    // costs more per call than copying a short line.
    while (!text.isEmpty() && error_.isEmpty()) {
        const qsizetype length = qMin(text.size(), kPieceLength - used_);
        std::copy_n(text.data(), length, pending_.data() + used_);
        used_ += length;
        text = text.sliced(length);
        if (used_ == kPieceLength)
            // A high surrogate waits for its other half.
            write(pending_.back().isHighSurrogate() ? kPieceLength - 1 : kPieceLength);
    }
}

bool NewTextFile::commit(QString &error)
{
    if (error_.isEmpty())
        write(used_);
    if (error_.isEmpty()) {
        errno = 0;
        file_.close();
        if (file_.error() != QFileDevice::NoError)
            fail();
    }
    if (!error_.isEmpty()) {
        file_.close();
        file_.remove();
        created_ = false;
        error = error_;
        return false;
    }
    committed_ = true;
    return true;
}

void NewTextFile::write(qsizetype length)
{
    const QByteArray bytes = encoder_.encode(QStringView(pending_).first(length));
    errno = 0;
    if (file_.write(bytes) != bytes.size())
        fail();
    // What is left (a high surrogate at most) moves to the front.
    std::copy(pending_.cbegin() + length, pending_.cbegin() + used_, pending_.begin());
    used_ -= length;
}

void NewTextFile::fail()
{
    // The reason of the first failure is kept; errno is read right after it.
    if (error_.isEmpty())
        error_ = writeError(file_.fileName(), failureReason(failureCode(file_.fileName()), file_.errorString()));
}
