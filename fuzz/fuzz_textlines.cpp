// Bytes from any file -> text -> lines: encoding detection, a forced
// encoding, and line splitting.

#include "textfile.h"

#include <QByteArray>
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
    return 0;
}
