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

bool hasEscape(QByteArrayView bytes)
{
    return !bytes.isEmpty() && std::memchr(bytes.data(), '\x1b', size_t(bytes.size()));
}

bool isSevenBitCjk(const QByteArray &detectorName)
{
    for (const char *name : {"HZ-GB-2312", "ISO-2022-CN", "ISO-2022-JP", "ISO-2022-KR"}) {
        if (detectorName.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Decodes bytes into text. The memory text already holds is used again when
// it is large enough, so trying one encoding after another touches the
// memory of one text only: on a large file fresh memory costs more than the
// decoding. False when the decoder reports an error.
bool decodeInto(QString &text, QStringDecoder &decoder, QByteArrayView bytes)
{
    const qsizetype room = decoder.requiredSpace(bytes.size());
    if (text.isDetached() && text.capacity() >= room)
        text.resize(room);
    else
        text = QString(room, Qt::Uninitialized);
    const QChar *end = decoder.appendToBuffer(text.data(), bytes);
    text.truncate(end - text.constData());
    return !decoder.hasError();
}

// Decodes the whole of bytes into text; false when the decoder is unknown or
// reports an error.
bool decodeStrictly(QString &text, const QString &encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding.toLatin1().constData(), QStringConverter::Flag::Stateless);
    return decoder.isValid() && decodeInto(text, decoder, bytes);
}

QString decodeIn(const char *encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

// The last step: text that no test recognised. Lyric files without a mark are
// mostly GBK, which GB18030 contains; where the system has a code page of its
// own (Windows), files written there are in it.
DecodedText decodeFallback(QString &text, QByteArrayView bytes)
{
    if (!systemCodePageIsUtf8()) {
        QStringDecoder system(QStringConverter::System);
        decodeInto(text, system, bytes);
        return {std::move(text), QString::fromLatin1(system.name())};
    }
    QStringDecoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    decodeInto(text, gb18030, bytes);
    return {std::move(text), QStringLiteral("GB18030")};
}

// Where a piece of at most about `length` bytes may end in bytes: before an
// ASCII byte, the last one in reach, else the first one after; 0 when no
// byte after the first is ASCII.
qsizetype pieceEnd(QByteArrayView bytes, qsizetype length)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    for (qsizetype i = qMin(length, bytes.size() - 1); i > 0; --i) {
        if (data[i] < 0x80)
            return i;
    }
    for (qsizetype i = length + 1; i < bytes.size(); ++i) {
        if (data[i] < 0x80)
            return i;
    }
    return 0;
}

} // namespace

Utf8PieceReader::Utf8PieceReader(QString &text)
    : text_(text)
    , decoder_(QStringConverter::Utf8, QStringConverter::Flag::Stateless)
{
}

qsizetype Utf8PieceReader::read(QByteArrayView bytes, bool last)
{
    // Pieces small enough to stay in the processor's cache between reading
    // and decoding, and to give up soon on text that is no UTF-8.
    constexpr qsizetype kPieceLength = 32 * 1024;
    qsizetype taken = 0;
    while (taken < bytes.size()) {
        const QByteArrayView rest = bytes.sliced(taken);
        qsizetype length = last && rest.size() <= kPieceLength ? rest.size() : pieceEnd(rest, kPieceLength);
        if (length == 0 && last)
            length = rest.size();
        if (length == 0)
            break;
        if (!readPiece(rest.first(length)))
            return -1;
        taken += length;
    }
    return taken;
}

bool Utf8PieceReader::readPiece(QByteArrayView piece)
{
    if (hasZeroByte(piece))
        return false;
    const qsizetype start = text_.size();
    const qsizetype room = decoder_.requiredSpace(piece.size());
    if (text_.capacity() < start + room)
        text_.reserve(qMax(start + room, 2 * text_.capacity()));
    text_.resize(start + room);
    const QChar *end = decoder_.appendToBuffer(text_.data() + start, piece);
    text_.truncate(end - text_.constData());
    if (decoder_.hasError())
        return false;
    // Valid UTF-8 is ASCII exactly where every byte became a character.
    if (ascii_ && text_.size() - start == piece.size()) {
        escape_ = escape_ || hasEscape(piece) || hasHzEscape(piece) || (previous_ == '~' && piece.front() == '{');
    } else {
        ascii_ = false;
    }
    previous_ = piece.back();
    return true;
}

qsizetype utf8MarkLength(QByteArrayView bytes)
{
    const std::optional<ByteOrderMark> mark = byteOrderMark(bytes);
    if (!mark)
        return 0;
    return QByteArrayView(mark->encoding) == "UTF-8" ? mark->length : -1;
}

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
            // Even if every byte left made a sequence of two, too few would
            // follow: GBK and the like are told after a small part.
            if (stray * kNearlyUtf8Ratio > sequences + (size - i) / 2)
                return false;
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
    const bool zeroBytes = hasZeroByte(bytes);
    if (mark) {
        rest = bytes.sliced(mark->length);
        if (QByteArrayView(mark->encoding) != "UTF-8")
            return {decodeIn(mark->encoding, rest), QString::fromLatin1(mark->encoding)};
    } else if (const char *utf16 = zeroBytes ? utf16ByZeroBytes(bytes) : nullptr) {
        // Without a zero byte no text is UTF-16 by its pattern.
        return {decodeIn(utf16, bytes), QString::fromLatin1(utf16)};
    }
    if (zeroBytes && hasZeroByte(rest))
        return {QString(), QString(), false};

    // Decoding is the validation: valid UTF-8 is read once, and other text
    // is told after a piece. The text gets room for any decoder (Qt asks two
    // characters a byte of the others), so the attempts after a failed one
    // reuse its memory.
    QString text;
    text.reserve(2 * rest.size() + 1);
    Utf8PieceReader utf8(text);
    const bool validUtf8 = utf8.read(rest, true) == rest.size();
    if (validUtf8 && utf8.mayBeSevenBitCjk()) {
        const QByteArray guess = detectorGuess(rest);
        if (isSevenBitCjk(guess)) {
            QString detected;
            for (const QString &name : decoderNamesForDetected(guess)) {
                if (decodeStrictly(detected, name, rest))
                    return {std::move(detected), name};
            }
        }
    }
    // Qt's decoder turns each byte outside a valid sequence into U+FFFD.
    if (validUtf8)
        return {std::move(text), QStringLiteral("UTF-8")};
    if (isNearlyUtf8(rest)) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        decodeInto(text, utf8, rest);
        return {std::move(text), QStringLiteral("UTF-8")};
    }

    for (const QString &name : decoderNamesForDetected(detectorGuess(rest))) {
        if (decodeStrictly(text, name, rest))
            return {std::move(text), name};
    }
    return decodeFallback(text, rest);
}
