#include "encodingdetection.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <uchardet/uchardet.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

namespace {

struct ByteOrderMark
{
    const char *encoding;
    qsizetype length;
};

std::optional<ByteOrderMark> byteOrderMark(QByteArrayView bytes)
{
    // The UTF-32LE mark begins with the UTF-16LE one, so it is tested first.
    if (bytes.startsWith(QByteArrayView("\xff\xfe\0\0", 4)))
        return ByteOrderMark{"UTF-32LE", 4};
    if (bytes.startsWith(QByteArrayView("\0\0\xfe\xff", 4)))
        return ByteOrderMark{"UTF-32BE", 4};
    if (bytes.startsWith("\xef\xbb\xbf"))
        return ByteOrderMark{"UTF-8", 3};
    if (bytes.startsWith("\xff\xfe"))
        return ByteOrderMark{"UTF-16LE", 2};
    if (bytes.startsWith("\xfe\xff"))
        return ByteOrderMark{"UTF-16BE", 2};
    return std::nullopt;
}

bool hasZeroByte(QByteArrayView bytes)
{
    return !bytes.isEmpty() && std::memchr(bytes.data(), 0, size_t(bytes.size())) != nullptr;
}

// An LRC file is full of ASCII brackets, digits and line ends; in UTF-16 each
// of them leaves a zero byte, the high one: the second byte of each pair in
// UTF-16LE, the first in UTF-16BE. Chinese text leaves a zero byte only now and
// then (U+4E00, U+5100...), and a zero pair (U+0000) is in no text at all.
// 8-bit text with a stray zero byte is told apart by its ASCII, which stands
// in pairs of printable bytes there.
const char *utf16ByZeroBytes(QByteArrayView bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return nullptr;
    const auto printable = [](char c) { return c >= 0x20 && c <= 0x7e; };
    qsizetype firstZero = 0;
    qsizetype secondZero = 0;
    qsizetype printablePairs = 0;
    const char *data = bytes.data();
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const bool first = data[i] == 0;
        const bool second = data[i + 1] == 0;
        if (first && second)
            return nullptr;
        firstZero += first;
        secondZero += second;
        printablePairs += printable(data[i]) && printable(data[i + 1]);
    }
    // At least one unit in 16 must be ASCII, the other byte of the pairs may
    // be zero at most an eighth as often, and pairs of printable bytes may
    // be at most four times as many as the ASCII units.
    const qsizetype units = bytes.size() / 2;
    const auto pattern = [units, printablePairs](qsizetype zeros, qsizetype otherZeros) {
        return zeros * 16 >= units && otherZeros * 8 <= zeros && printablePairs <= zeros * 4;
    };
    if (pattern(secondZero, firstZero))
        return "UTF-16LE";
    if (pattern(firstZero, secondZero))
        return "UTF-16BE";
    return nullptr;
}

// The length of the well-formed UTF-8 sequence of two to four bytes at the
// start of bytes, 0 when there is none (Unicode's table of well-formed byte
// sequences: no overlong forms, no surrogates, nothing past U+10FFFF).
qsizetype multiByteSequenceLength(const uchar *bytes, qsizetype size)
{
    const auto continuation = [&](qsizetype i, uchar low = 0x80, uchar high = 0xbf) {
        return i < size && bytes[i] >= low && bytes[i] <= high;
    };
    const uchar lead = bytes[0];
    if (lead >= 0xc2 && lead <= 0xdf)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xe0 && lead <= 0xef) {
        const uchar low = lead == 0xe0 ? 0xa0 : 0x80;
        const uchar high = lead == 0xed ? 0x9f : 0xbf;
        return continuation(1, low, high) && continuation(2) ? 3 : 0;
    }
    if (lead >= 0xf0 && lead <= 0xf4) {
        const uchar low = lead == 0xf0 ? 0x90 : 0x80;
        const uchar high = lead == 0xf4 ? 0x8f : 0xbf;
        return continuation(1, low, high) && continuation(2) && continuation(3) ? 4 : 0;
    }
    return 0;
}

// HZ and the ISO-2022 encodings write Chinese, Japanese and Korean in ASCII
// bytes between escapes ("~{", ESC), so such text is valid UTF-8 as well.
bool hasHzEscape(QByteArrayView bytes)
{
    // memchr rather than a substring search: this runs over every UTF-8 file.
    const char *at = bytes.data();
    const char *end = at + bytes.size();
    while (at < end) {
        at = static_cast<const char *>(std::memchr(at, '~', size_t(end - at)));
        if (!at || ++at == end)
            return false;
        if (*at == '{')
            return true;
    }
    return false;
}

bool mayBeSevenBitCjk(QByteArrayView bytes)
{
    const bool escape = !bytes.isEmpty() && std::memchr(bytes.data(), '\x1b', size_t(bytes.size()));
    if (!escape && !hasHzEscape(bytes))
        return false;
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

bool isSevenBitCjk(const QByteArray &detectorName)
{
    for (const char *name : {"HZ-GB-2312", "ISO-2022-CN", "ISO-2022-JP", "ISO-2022-KR"}) {
        if (detectorName.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Decodes the whole of bytes; nothing when the decoder is unknown or reports
// an error.
std::optional<QString> decodeStrictly(const QString &encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding.toLatin1().constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString decodeIn(const char *encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

// The last step: text that no test recognised. Lyric files without a mark are
// mostly GBK, which GB18030 contains; where the system has a code page of its
// own (Windows), files written there are in it.
DecodedText decodeFallback(QByteArrayView bytes)
{
    if (!systemCodePageIsUtf8()) {
        QStringDecoder system(QStringConverter::System);
        QString text = system.decode(bytes);
        return {std::move(text), QString::fromLatin1(system.name())};
    }
    return {decodeIn("GB18030", bytes), QStringLiteral("GB18030")};
}

} // namespace

bool systemCodePageIsUtf8()
{
    // A character outside ASCII shows which encoding the system code page is.
    QStringEncoder encoder(QStringConverter::System);
    const QByteArray bytes = encoder.encode(QStringView(u"\u00e9"));
    return bytes == QByteArray("\xc3\xa9");
}

bool isNearlyUtf8(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype sequences = 0;
    qsizetype stray = 0;
    for (qsizetype i = 0; i < size;) {
        if (data[i] < 0x80) {
            ++i;
            continue;
        }
        const qsizetype length = multiByteSequenceLength(data + i, size - i);
        if (length == 0) {
            ++stray;
            ++i;
        } else {
            ++sequences;
            i += length;
        }
    }
    return sequences > 0 && stray * kNearlyUtf8Ratio <= sequences;
}

bool looksBinary(QByteArrayView bytes)
{
    if (!hasZeroByte(bytes))
        return false;
    if (const std::optional<ByteOrderMark> mark = byteOrderMark(bytes))
        return QByteArrayView(mark->encoding) == "UTF-8";
    return utf16ByZeroBytes(bytes) == nullptr;
}

QByteArray detectorGuess(QByteArrayView bytes)
{
    const std::unique_ptr<uchardet, decltype(&uchardet_delete)> detector(uchardet_new(),
                                                                          &uchardet_delete);
    if (!detector || bytes.isEmpty())
        return {};
    if (uchardet_handle_data(detector.get(), bytes.data(), size_t(bytes.size())) != 0)
        return {};
    uchardet_data_end(detector.get());
    return QByteArray(uchardet_get_charset(detector.get()));
}

QStringList decoderNamesForDetected(const QByteArray &detectorName)
{
    // Every name uchardet 0.0.7 gives for Chinese, Japanese, Korean or Unicode
    // text. It says UTF-16 and UTF-32 only for text with a byte-order mark.
    struct Known
    {
        const char *detector;
        QStringList decoders;
    };
    static const Known known[] = {
        {"UTF-8", {QStringLiteral("UTF-8")}},
        {"UTF-16", {QStringLiteral("UTF-16")}},
        {"UTF-32", {QStringLiteral("UTF-32")}},
        {"GB18030", {QStringLiteral("GB18030")}},
        {"HZ-GB-2312", {QStringLiteral("HZ-GB-2312")}},
        {"ISO-2022-CN", {QStringLiteral("ISO-2022-CN")}},
        {"BIG5", {QStringLiteral("Big5")}},
        {"EUC-TW", {QStringLiteral("EUC-TW")}},
        {"SHIFT_JIS", {QStringLiteral("Shift_JIS")}},
        {"EUC-JP", {QStringLiteral("EUC-JP")}},
        {"ISO-2022-JP", {QStringLiteral("ISO-2022-JP")}},
        {"EUC-KR", {QStringLiteral("EUC-KR")}},
        {"UHC", {QStringLiteral("EUC-KR"), QStringLiteral("windows-949")}},
        {"ISO-2022-KR", {QStringLiteral("ISO-2022-KR")}},
    };
    for (const Known &entry : known) {
        if (detectorName.compare(entry.detector, Qt::CaseInsensitive) == 0)
            return entry.decoders;
    }
    return {};
}

DecodedText decodeDetected(QByteArrayView bytes)
{
    QByteArrayView rest = bytes;
    const std::optional<ByteOrderMark> mark = byteOrderMark(bytes);
    if (mark) {
        rest = bytes.sliced(mark->length);
        if (QByteArrayView(mark->encoding) != "UTF-8")
            return {decodeIn(mark->encoding, rest), QString::fromLatin1(mark->encoding)};
    } else if (const char *utf16 = utf16ByZeroBytes(bytes)) {
        return {decodeIn(utf16, bytes), QString::fromLatin1(utf16)};
    }
    if (hasZeroByte(rest))
        return {QString(), QString(), false};

    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(rest);
    const bool validUtf8 = !utf8.hasError();
    if (validUtf8 && mayBeSevenBitCjk(rest)) {
        const QByteArray guess = detectorGuess(rest);
        if (isSevenBitCjk(guess)) {
            for (const QString &name : decoderNamesForDetected(guess)) {
                if (std::optional<QString> detected = decodeStrictly(name, rest))
                    return {std::move(*detected), name};
            }
        }
    }
    // Qt's decoder turns each byte outside a valid sequence into U+FFFD.
    if (validUtf8 || isNearlyUtf8(rest))
        return {std::move(text), QStringLiteral("UTF-8")};

    for (const QString &name : decoderNamesForDetected(detectorGuess(rest))) {
        if (std::optional<QString> detected = decodeStrictly(name, rest))
            return {std::move(*detected), name};
    }
    return decodeFallback(rest);
}
