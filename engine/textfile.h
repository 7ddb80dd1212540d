#pragma once

#include "encodingdetection.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringEncoder>
#include <QStringList>
#include <QStringView>

#include <optional>

class QIODevice;

// The program's text files: the LRC source in whatever encoding it comes
// (encodingdetection), the TXT sheet and the settings file in the system code
// page. This is the one place that turns their bytes into lines and a text
// back into bytes.

// The encodings a user can pick by hand when detection guesses wrong, by the
// names the window's encoding menu and the batch converter's --encoding use.
// An empty encoding name everywhere below means: find it out from the bytes.
const QStringList &choosableEncodings();

// Decodes file bytes in the given encoding, or finds it out (decodeDetected)
// when none is given or Qt does not know the name. A byte-order mark of the
// given encoding is not part of the text. The bytes are no text (isText false)
// when they hold a zero byte, unless they are UTF-16 or UTF-32, by detection
// or by the given encoding.
DecodedText decodeBytes(const QByteArray &bytes, const QString &encoding = {});

// The text alone, as decodeBytes reads it.
QString decodeText(const QByteArray &bytes, const QString &encoding = {});

// Encodes a text in the system code page; a character it cannot hold becomes "?".
QByteArray encodeText(const QString &text);

// A text file's bytes as text, read in the given encoding or the one
// detected (decodeBytes); the encoding used goes to usedEncoding when given.
// Returns false and sets error (naming `name`) when the bytes are not text or
// hold more than kMaxTextFileLines lines; text and usedEncoding are then left
// as they were. Standard input is read through here, files through
// readTextFile, which gives the same text.
bool decodeTextBytes(const QByteArray &bytes, const QString &name, const QString &encoding, QString &text,
                     QString &error, QString *usedEncoding = nullptr);

// Where a line of a text ends and where the next one starts: CR LF, a lone CR
// and a lone LF each end a line and are not part of it.
struct LineBounds
{
    qsizetype end;
    qsizetype next;
};

// The bounds of the line that starts at `start` (before text.size()). A
// line without an end runs to the end of the text. Walking from 0 until
// `next` reaches the end gives the lines splitLines gives, without a copy.
LineBounds lineBoundsAt(QStringView text, qsizetype start);

// How many lines splitLines would cut the text into.
qsizetype countLines(QStringView text);

// Splits a text into lines. A line end at the very end gives no further
// empty line, and an empty text gives no line at all.
QStringList splitLines(const QString &text);

// The largest text file the program reads, and the most lines it may hold.
// A lyric file at the line capacity is about 3 MB and 100000 lines (header
// lines do not count towards that capacity, hence some room). Larger files
// are refused before they are read; files with more lines once they are
// read. Both limits keep the window answering: it shows every line of a file,
// and at these sizes loading and converting the worst file take about a
// second each (README, "Capacities").
constexpr qint64 kMaxTextFileBytes = 8 * 1024 * 1024;
constexpr qsizetype kMaxTextFileLines = 110000;

// Reads a whole stream (standard input) that stands for a text file, up to
// kMaxTextFileBytes. Returns false and sets error (naming `name` and the
// reason) when it cannot be read or is larger.
bool readTextBytes(QIODevice &device, const QString &name, QByteArray &bytes, QString &error);

// Reads a whole text file as decodeTextBytes turns its bytes into text. A
// file that may be UTF-8 is read a piece at a time straight into its text
// (Utf8PieceReader), so its bytes are never held whole; only when it is not
// UTF-8 are all its bytes read for detection. Returns false and sets error (a Chinese sentence naming the path and the
// reason) when it cannot be read, is larger than kMaxTextFileBytes, or
// decodeTextBytes refuses it; text and usedEncoding are then left as they were.
bool readTextFile(const QString &path, QString &text, QString &error, const QString &encoding = {},
                  QString *usedEncoding = nullptr);

// readTextFile, split into lines (splitLines).
bool readTextLines(const QString &path, QStringList &lines, QString &error,
                   const QString &encoding = {}, QString *usedEncoding = nullptr);

// Creates or replaces a file with the encoded text through QSaveFile, so an
// existing file is replaced only once the new one is complete. Returns false
// and sets error (path and reason, in Chinese) when it cannot be written.
bool writeTextFile(const QString &path, const QString &text, QString &error);

// writeTextFile for bytes that are already encoded.
bool writeFileBytes(const QString &path, const QByteArray &bytes, QString &error);

// Creates a file that does not exist yet; it never replaces one, so it needs
// no QSaveFile (and none of its flush to disk, which would dominate a batch
// of thousands of small sheets). Whatever it created is removed again when
// the bytes cannot all be written. Errors as writeTextFile.
bool writeNewFile(const QString &path, const QByteArray &bytes, QString &error);

// Encodes text in the system code page as encodeText does, also a piece at a
// time: pieces that never end between the two halves of a surrogate pair come
// out as the whole would.
class TextEncoder
{
public:
    QByteArray encode(QStringView text);

private:
    const bool utf8_ = systemCodePageIsUtf8();
    std::optional<QStringEncoder> system_;
};

// A new file for a text that is written as it comes, encoded as encodeText
// would encode all of it: a large sheet is never held a second time as
// bytes. Like writeNewFile it never replaces a file, and removes what it
// created when the text cannot all be written or is never committed.
class NewTextFile
{
public:
    explicit NewTextFile(const QString &path);
    ~NewTextFile();
    NewTextFile(const NewTextFile &) = delete;
    NewTextFile &operator=(const NewTextFile &) = delete;

    // Creates the file. Returns false and sets error (path and reason, in
    // Chinese) when it cannot.
    bool open(QString &error);
    // Adds text at the end; a failed write is told by commit().
    void append(QStringView text);
    // Writes what is left and closes the file. Returns false and sets error
    // as writeTextFile does when any of the text could not be written; the
    // file is then removed.
    bool commit(QString &error);

private:
    void write(qsizetype length);
    void fail();

    QFile file_;
    TextEncoder encoder_;
    // The text not yet written: the first used_ characters.
    QString pending_;
    qsizetype used_ = 0;
    QString error_;
    bool created_ = false;
    bool committed_ = false;
};
