// Bytes from any file -> text -> lines: encoding detection, a forced
// encoding, UTF-8 read a piece at a time, and line splitting.

#include "encodingdetection.h"
#include "textfile.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks detection or one of the encodings a user can force.
    const QStringList &encodings = choosableEncodings();
    const qsizetype choice = data[0] % (encodings.size() + 1);
    const QString encoding = choice == 0 ? QString() : encodings.at(choice - 1);
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data + 1),
                                                     qsizetype(size - 1));

    const DecodedText decoded = decodeBytes(bytes, encoding);
    if (decoded.encoding.isEmpty() && decoded.isText)
        std::abort(); // text read in no known encoding
    const QString &text = decoded.text;
    const QStringList lines = splitLines(text);
    qsizetype characters = 0;
    for (const QString &line : lines) {
        if (line.contains(u'\r') || line.contains(u'\n'))
            std::abort(); // a line end was left inside a line
        characters += line.size();
    }
    if (characters > text.size())
        std::abort(); // splitting invented text
    if (countLines(text) != lines.size())
        std::abort();

    // UTF-8 handed over in pieces of any size, as a file is read, either
    // gives up or gives exactly what decoding all of it gives.
    QString pieces;
    Utf8PieceReader reader(pieces);
    const qsizetype step = 1 + data[0] % 97;
    QByteArrayView rest = bytes;
    qsizetype held = 0;
    bool gaveUp = false;
    while (!gaveUp) {
        held = qMin(held + step, rest.size());
        const bool last = held == rest.size();
        const qsizetype taken = reader.read(rest.first(held), last);
        gaveUp = taken < 0;
        if (gaveUp || last)
            break;
        rest = rest.sliced(taken);
        held -= taken;
    }
    if (!gaveUp) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString whole = utf8.decode(bytes);
        if (utf8.hasError() || pieces != whole)
            std::abort();
    }
    return 0;
}
