#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

// Finds out which encoding the bytes of a lyric file are in. Lyric files come
// from many editors and countries: UTF-8, UTF-16 from Windows lyric editors,
// GBK, Big5, Shift_JIS, EUC-KR...

// Bytes read as text, and the encoding they were read in.
struct DecodedText
{
    QString text;
    // A name QStringDecoder knows: "UTF-8", "UTF-16LE", "GB18030", "Big5"...
    QString encoding;
    // False when the bytes are not text at all (see decodeDetected).
    bool isText = true;
};

// Reads bytes whose encoding is not known, trying in this order:
// 1. a byte-order mark (UTF-8, UTF-16 LE/BE, UTF-32 LE/BE), not part of the text;
// 2. UTF-16 without a mark, by the zero bytes ASCII leaves in every other byte;
// 3. valid UTF-8 (unless it is ASCII with the escapes of HZ or ISO-2022 and
//    uchardet names that encoding);
// 4. nearly valid UTF-8 (isNearlyUtf8), each stray byte shown as U+FFFD;
// 5. the guess of the uchardet library, when it names a CJK or Unicode
//    encoding (decoderNamesForDetected) and the bytes decode in it without error;
// 6. otherwise the system code page where it is not UTF-8 (Windows), else GB18030.
// Zero bytes in anything but UTF-16/32 mean a binary file: isText is false.
// A UTF-8 mark in front of bytes that are not UTF-8 at all is dropped and
// the rest detected, as files saved so by some editors are GBK.
DecodedText decodeDetected(QByteArrayView bytes);

// Reads bytes that may be valid UTF-8 a piece at a time, as they come from a
// file or from memory, straight into text: the text Qt's decoder gives the
// whole, for bytes after their byte-order mark. It gives up at the first
// piece that is not valid UTF-8 or holds a zero byte, so text in another
// encoding is told after a piece. Pieces are cut before an ASCII byte, where
// no sequence can be split and no byte-order mark can stand, so Qt decodes
// the pieces as it would decode the whole.
class Utf8PieceReader
{
public:
    explicit Utf8PieceReader(QString &text);

    // Reads bytes from their start, as far as it can be sure: up to their
    // last ASCII byte or, when `last` (nothing follows), to their end.
    // Returns how many bytes it took, the caller hands the others again with
    // the ones that follow; -1 once the bytes are not surely UTF-8 text, and
    // then what text holds means nothing.
    qsizetype read(QByteArrayView bytes, bool last);

    // Every byte read so far is ASCII, among them an escape of HZ or
    // ISO-2022: such text may be Chinese, Japanese or Korean (decodeDetected).
    bool mayBeSevenBitCjk() const { return ascii_ && escape_; }

private:
    bool readPiece(QByteArrayView piece);

    QString &text_;
    QStringDecoder decoder_;
    bool ascii_ = true;
    bool escape_ = false;
    char previous_ = 0;
};

// The length of the UTF-8 byte-order mark the bytes start with (0 without
// one), or -1 when they start with the mark of UTF-16 or UTF-32.
qsizetype utf8MarkLength(QByteArrayView bytes);

// True when the bytes hold a zero byte and are neither UTF-16 nor UTF-32 by a
// byte-order mark or the zero-byte pattern.
bool looksBinary(QByteArrayView bytes);

// UTF-8 with a few stray bytes: at most one byte that is not part of a valid
// sequence for every kNearlyUtf8Ratio valid multi-byte sequences, and at
// least one such sequence. Text in GBK, Big5 or Shift_JIS has more stray
// bytes than multi-byte sequences, so it never passes.
constexpr int kNearlyUtf8Ratio = 8;
bool isNearlyUtf8(QByteArrayView bytes);

// The names QStringDecoder uses for an encoding named by uchardet, when that
// is a CJK or Unicode encoding; none otherwise. Where two decoders fit (uchardet
// says "UHC" for all Korean text) the narrower comes first: EUC-KR, then
// windows-949. Qt's "CP949" is IBM's code page 949, not UHC.
QStringList decoderNamesForDetected(const QByteArray &detectorName);

// True where the system code page is UTF-8 (Linux, macOS); Windows has a
// code page of its own, such as 936 (GBK) in China.
bool systemCodePageIsUtf8();

// What the uchardet library guesses for the bytes, by its own name; empty
// when it has no guess.
QByteArray detectorGuess(QByteArrayView bytes);
