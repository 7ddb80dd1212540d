#include "textfile.h"
#include "testfiles.h"
#include "tmpfsmount.h"

#include <QBuffer>
#include <QDir>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void splitsLines_data();
    void splitsLines();
    void decodesBytes_data();
    void decodesBytes();
    void decodesInChosenEncoding_data();
    void decodesInChosenEncoding();
    void encodesUnwritableCharactersAsQuestionMarks();
    void readsFileAsLines();
    void readsInEncodingAndTellsIt_data();
    void readsInEncodingAndTellsIt();
    void reportsUnreadableFiles_data();
    void reportsUnreadableFiles();
    void refusesFilesTooLargeToBeLyrics_data();
    void refusesFilesTooLargeToBeLyrics();
    void writeReplacesWholeFile();
    void writeIntoMissingFolderFailsAndCreatesNothing();
    void writeFailuresSayWhy_data();
    void writeFailuresSayWhy();
    void diskFailuresSayWhy_data();
    void diskFailuresSayWhy();
    void newFileNeverReplacesOne();
    void readsStreamUpToTheLimit_data();
    void readsStreamUpToTheLimit();
    void readsLargeFilesAsTheirBytesDecode_data();
    void readsLargeFilesAsTheirBytesDecode();
    void newTextFileHoldsTheEncodedText_data();
    void newTextFileHoldsTheEncodedText();
    void newTextFileFailuresLeaveNothing();
};

namespace {

QString writeInput(const QTemporaryDir &dir, const QByteArray &bytes)
{
    return writeBytes(dir.filePath(QStringLiteral("input.lrc")), bytes);
}

} // namespace

void TestTextFile::splitsLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty text gives no line") << QString() << QStringList();
    QTest::newRow("one line without end") << "a" << QStringList{"a"};
    QTest::newRow("final CR LF adds no empty line") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("lone LF ends a line") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("lone CR ends a line") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("mixed ends") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("LF CR is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("empty lines kept") << "\r\n\r\nx\r\n" << QStringList{"", "", "x"};
    QTest::newRow("only a line end") << "\r\n" << QStringList{""};
}

void TestTextFile::splitsLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(text), lines);
    QCOMPARE(countLines(text), lines.size());
}

void TestTextFile::decodesBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QString song = QStringLiteral("[ti:你好]");
    QTest::newRow("UTF-8") << song.toUtf8() << song;
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xef\xbb\xbf") + song.toUtf8() << song;
    QTest::newRow("GBK") << QByteArray("[ti:\xc4\xe3\xba\xc3]") << song;
    QTest::newRow("byte-order mark before GBK") << QByteArray("\xef\xbb\xbf[ti:\xc4\xe3\xba\xc3]") << song;
    QTest::newRow("GBK pinyin letter") << QByteArray("\xa8\xa6") << QStringLiteral("\u00e9");
    QTest::newRow("plain ASCII") << QByteArray("[00:01.00]abc") << QStringLiteral("[00:01.00]abc");
    QTest::newRow("nothing") << QByteArray() << QString();
}

void TestTextFile::decodesBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeText(bytes), text);
}

void TestTextFile::decodesInChosenEncoding_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    // Each encoding by name, as the user picks it; the same bytes detected
    // would come out differently.
    QTest::newRow("Big5") << "Big5" << QByteArray("[ti:\xa7\x41\xa6\x6e]") << QStringLiteral("[ti:你好]");
    QTest::newRow("Shift_JIS") << "Shift_JIS" << QByteArray("\x82\xa0") << QStringLiteral("あ");
    QTest::newRow("UTF-16LE") << "UTF-16LE" << QByteArray("[\0a\0]\0", 6) << QStringLiteral("[a]");
    QTest::newRow("UTF-16BE") << "UTF-16BE" << QByteArray("\0[\0a\0]", 6) << QStringLiteral("[a]");
    QTest::newRow("every name is known") << "GB18030" << QByteArray("\xc4\xe3") << QStringLiteral("你");
}

void TestTextFile::decodesInChosenEncoding()
{
    QFETCH(QString, encoding);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QVERIFY(choosableEncodings().contains(encoding));
    for (const QString &name : choosableEncodings())
        QVERIFY2(QStringDecoder(name.toLatin1().constData()).isValid(), qPrintable(name));
    QCOMPARE(decodeText(bytes, encoding), text);
}

void TestTextFile::encodesUnwritableCharactersAsQuestionMarks()
{
    const QString text = QStringLiteral("歌") + QChar(0xD800) + QStringLiteral("x") + QString::fromUtf16(u"\U0001F600");
    QCOMPARE(encodeText(text), QStringLiteral("歌?x").toUtf8() + QByteArray("\xf0\x9f\x98\x80"));
}

void TestTextFile::readsFileAsLines()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = writeInput(dir, QByteArray("\xef\xbb\xbf[ti:\xe9\x9b\xa8]\r\n[00:01.00]a\nlast"));
    QStringList lines;
    QString error;
    QVERIFY2(readTextLines(path, lines, error), qPrintable(error));
    QCOMPARE(lines, (QStringList{QStringLiteral("[ti:雨]"), "[00:01.00]a", "last"}));
}

void TestTextFile::readsInEncodingAndTellsIt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("used");

    const QStringList song{QStringLiteral("[ti:你好]"), QStringLiteral("[00:01.00]你好")};
    const QString songText = song.join(u'\n');
    const auto encoded = [](const char *encoding, const QString &text) {
        return QByteArray(QStringEncoder(encoding).encode(text));
    };
    // Chinese with no ASCII but the line end: too little for detection.
    const QString chineseOnly = QString(20, QChar(0x4f60)) + u'\n';
    QTest::newRow("detected") << encoded("GBK", songText) << QString() << song << "GB18030";
    QTest::newRow("chosen") << encoded("Big5", songText) << "Big5" << song << "Big5";
    QTest::newRow("unknown name detects") << songText.toUtf8() << "x-no-such" << song << "UTF-8";
    QTest::newRow("UTF-16 chosen where detection fails")
        << encoded("UTF-16LE", chineseOnly) << "UTF-16LE" << QStringList{chineseOnly.chopped(1)} << "UTF-16LE";
    QTest::newRow("UTF-16 detection fails") << encoded("UTF-16LE", chineseOnly) << QString() << QStringList() << "";
    QTest::newRow("zero byte") << QByteArray("[00:01.00]a\0\r\n", 14) << QString() << QStringList() << "";
    QTest::newRow("zero byte, 8-bit encoding chosen")
        << QByteArray("[00:01.00]a\0\r\n", 14) << "GB18030" << QStringList() << "";
}

void TestTextFile::readsInEncodingAndTellsIt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, chosen);
    QFETCH(QStringList, lines);
    QFETCH(QString, used);

    QTemporaryDir dir;
    const QString path = writeInput(dir, bytes);
    QStringList read{"left alone"};
    QString encoding = QStringLiteral("untouched");
    QString error;
    const bool ok = readTextLines(path, read, error, chosen, &encoding);
    QCOMPARE(ok, !used.isEmpty());
    if (ok) {
        QCOMPARE(read, lines);
        QCOMPARE(encoding, used);
    } else {
        // Refused as a whole: nothing read, nothing told but why.
        QVERIFY2(error.endsWith(QStringLiteral("不是文本文件")), qPrintable(error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QCOMPARE(read, QStringList{"left alone"});
        QCOMPARE(encoding, QStringLiteral("untouched"));
    }
}

void TestTextFile::reportsUnreadableFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << "missing.lrc" << "文件或文件夹不存在";
    QTest::newRow("a folder") << "folder" << "这是一个文件夹，不是文件";
    QTest::newRow("under a plain file") << "plain/x.lrc" << "路径中有一部分不是文件夹";
    QTest::newRow("name too long") << QString(300, u'n') << "文件名太长";
    // Opening a pipe would wait for a writer that never comes.
    QTest::newRow("a pipe") << "pipe" << "不是普通文件";
}

void TestTextFile::reportsUnreadableFiles()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    writeBytes(dir.filePath(QStringLiteral("plain")), "x");
#ifdef Q_OS_UNIX
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
#else
    if (name == u"pipe")
        QSKIP("no named pipes here");
#endif
    QStringList lines{"left alone"};
    QString error;
    QVERIFY(!readTextLines(dir.filePath(name), lines, error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(dir.filePath(name))), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(lines, QStringList{"left alone"});
}

void TestTextFile::refusesFilesTooLargeToBeLyrics_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qint64>("size"); // the file is stretched to this size with blanks, or left as it is (0)
    QTest::addColumn<QString>("refusal");

    const QByteArray line("[00:01.00]a\r\n");
    const QString megabytes = QString::number(kMaxTextFileBytes / (1024 * 1024)) + QStringLiteral(" MB的上限");
    QTest::newRow("at the size limit") << line << kMaxTextFileBytes << QString();
    QTest::newRow("one byte past") << line << kMaxTextFileBytes + 1 << megabytes;
    QTest::newRow("at the line limit") << QByteArray("\n").repeated(kMaxTextFileLines) << qint64(0) << QString();
    QTest::newRow("one line past") << QByteArray("\n").repeated(kMaxTextFileLines + 1) << qint64(0)
                                   << QStringLiteral("有%1行，超过了%2行的上限").arg(kMaxTextFileLines + 1).arg(kMaxTextFileLines);
    QTest::newRow("one line past, CR LF") << QByteArray("\r\n").repeated(kMaxTextFileLines) + "x"
                                          << qint64(0) << QStringLiteral("超过了%1行的上限").arg(kMaxTextFileLines);
}

void TestTextFile::refusesFilesTooLargeToBeLyrics()
{
    QFETCH(QByteArray, content);
    QFETCH(qint64, size);
    QFETCH(QString, refusal);
    // Stretched with blanks: zero bytes would make it a binary file.
    if (size > 0)
        content.resize(size, ' ');
    QTemporaryDir dir;
    const QString path = writeInput(dir, content);
    QStringList lines{"left alone"};
    QString error;

    QCOMPARE(readTextLines(path, lines, error), refusal.isEmpty());
    if (refusal.isEmpty()) {
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(lines.first(), content.startsWith('[') ? QStringLiteral("[00:01.00]a") : QString());
    } else {
        QVERIFY2(error.contains(refusal), qPrintable(error));
        QCOMPARE(lines, QStringList{"left alone"});
    }
}

void TestTextFile::writeReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = writeInput(dir, QByteArray(1000, 'x'));
    QString error;
    QVERIFY2(writeTextFile(path, QStringLiteral("歌词\r\n"), error), qPrintable(error));
    QCOMPARE(fileBytes(path), QStringLiteral("歌词\r\n").toUtf8());
}

void TestTextFile::writeIntoMissingFolderFailsAndCreatesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no such folder/out.txt"));
    QString error;
    QVERIFY(!writeTextFile(path, QStringLiteral("text"), error));
    QVERIFY2(error.contains(QStringLiteral("out.txt")), qPrintable(error));
    QVERIFY(!QFile::exists(path));
}

void TestTextFile::writeFailuresSayWhy_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "missing/out.txt" << "文件或文件夹不存在";
    QTest::newRow("a folder in the way") << "folder" << "这是一个文件夹，不是文件";
    QTest::newRow("under a plain file") << "plain/out.txt" << "路径中有一部分不是文件夹";
    QTest::newRow("name too long") << QString(300, u'n') << "文件名太长";
    QTest::newRow("read-only folder") << "locked/out.txt" << "没有访问权限";
}

void TestTextFile::writeFailuresSayWhy()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    writeBytes(dir.filePath(QStringLiteral("plain")), "x");
    const QString locked = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    if (name.startsWith(u"locked") && QFileInfo(locked).isWritable()) {
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSKIP("permissions do not bind this user (root)");
    }

    QString error;
    const bool written = writeTextFile(dir.filePath(name), QStringLiteral("text"), error);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QVERIFY2(error.contains(QDir::toNativeSeparators(dir.filePath(name))), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void TestTextFile::diskFailuresSayWhy_data()
{
    QTest::addColumn<QString>("mountOptions");
    QTest::addColumn<QString>("reason");
    QTest::newRow("disk full") << "size=64k" << "磁盘已满";
    QTest::newRow("read-only disk") << "ro,size=64k" << "文件系统是只读的";
}

void TestTextFile::diskFailuresSayWhy()
{
    QFETCH(QString, mountOptions);
    QFETCH(QString, reason);
    const TmpfsMount disk(mountOptions);
    if (!disk.isMounted())
        QSKIP("cannot mount a small tmpfs here (needs root)");
    const QString path = disk.filePath(QStringLiteral("sheet.txt"));
    const bool readOnly = mountOptions.startsWith(u"ro");
    if (!readOnly)
        writeBytes(path, "earlier sheet\r\n");

    QString error;
    QVERIFY(!writeTextFile(path, QString(100 * 1024, u'x'), error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY2(!error.contains(QStringLiteral("Unknown")), qPrintable(error));
    // The earlier file stays whole and no temporary file is left behind.
    const QStringList left = QDir(disk.filePath(QString())).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, readOnly ? QStringList{} : QStringList{"sheet.txt"});
    if (!readOnly)
        QCOMPARE(fileBytes(path), QByteArray("earlier sheet\r\n"));
}

void TestTextFile::newFileNeverReplacesOne()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("歌.txt"));
    QString error;
    QVERIFY2(writeNewFile(path, "first\r\n", error), qPrintable(error));
    QCOMPARE(fileBytes(path), QByteArray("first\r\n"));

    QVERIFY(!writeNewFile(path, "second\r\n", error));
    QVERIFY2(error.contains(QStringLiteral("歌.txt")), qPrintable(error));
    QCOMPARE(fileBytes(path), QByteArray("first\r\n"));

    QVERIFY(!writeNewFile(dir.filePath(QStringLiteral("no such folder/x.txt")), "x", error));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("no such folder"))));
}

void TestTextFile::readsStreamUpToTheLimit_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("read");
    QTest::newRow("empty") << qint64(0) << true;
    QTest::newRow("small") << qint64(100) << true;
    QTest::newRow("at the limit") << kMaxTextFileBytes << true;
    QTest::newRow("one byte over") << kMaxTextFileBytes + 1 << false;
}

void TestTextFile::readsStreamUpToTheLimit()
{
    QFETCH(qint64, size);
    QFETCH(bool, read);
    QByteArray data(size, 'x');
    QBuffer stream(&data);
    QVERIFY(stream.open(QIODevice::ReadOnly));
    QByteArray bytes;
    QString error;
    QCOMPARE(readTextBytes(stream, QStringLiteral("标准输入"), bytes, error), read);
    if (read) {
        QCOMPARE(bytes.size(), size);
    } else {
        QVERIFY(bytes.isEmpty());
        QVERIFY2(error.contains(QStringLiteral("标准输入")) && error.contains(QStringLiteral("%1 MB").arg(kMaxTextFileBytes / (1024 * 1024))),
                 qPrintable(error));
    }
}

void TestTextFile::readsLargeFilesAsTheirBytesDecode_data()
{
    QTest::addColumn<QByteArray>("bytes");

    // Files read from disk a piece at a time must read as their bytes decode
    // whole, wherever a piece ends.
    const QByteArray song = QStringLiteral("[00:01.00]你好 world 歌词\r\n").toUtf8().repeated(8000);
    const QByteArray chinese = QString(100000, QChar(0x4f60)).toUtf8();
    const QByteArray ascii(70000, 'a');
    QTest::newRow("UTF-8, characters across pieces") << song;
    QTest::newRow("UTF-8, long without ASCII") << song + chinese + "\r\n" + song;
    QTest::newRow("UTF-8 mark") << "\xef\xbb\xbf" + song;
    QTest::newRow("two UTF-8 marks") << "\xef\xbb\xbf\xef\xbb\xbf" + song;
    QTest::newRow("U+FEFF after ASCII") << ascii + "\xef\xbb\xbf" + song;
    QTest::newRow("stray byte far in") << song + "\xff" + song;
    QTest::newRow("cut character at the end") << song + "\xe4\xbd";
    QTest::newRow("GBK after long ASCII") << ascii + QByteArray("[00:01.00]\xc4\xe3\xba\xc3\r\n").repeated(5000);
    QTest::newRow("zero byte far in") << song + QByteArray(1, '\0') + song;
    QTest::newRow("UTF-16LE without mark") << QByteArray(QStringEncoder("UTF-16LE").encode(QString::fromUtf8(song)));
    QTest::newRow("UTF-16LE mark") << "\xff\xfe" + QByteArray(QStringEncoder("UTF-16LE").encode(QString::fromUtf8(song)));
    QTest::newRow("HZ after long ASCII") << ascii + "~{<:Ky2;S{#,NpJ)l6HK!#~}\r\n";
    QTest::newRow("HZ escape at a piece end") << QByteArray(65535, 'x') + "~{<:Ky2;S{#,NpJ)l6HK!#~}";
    QTest::newRow("ISO-2022-JP after long ASCII") << ascii + "\x1b$B$3$s$K$A$O\x1b(B\r\n";
    QTest::newRow("only ASCII") << ascii;
    QTest::newRow("one byte") << QByteArray("a");
    QTest::newRow("empty") << QByteArray();
}

void TestTextFile::readsLargeFilesAsTheirBytesDecode()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = writeInput(dir, bytes);
    const DecodedText whole = decodeBytes(bytes);

    QString text;
    QString encoding;
    QString error;
    QCOMPARE(readTextFile(path, text, error, QString(), &encoding), whole.isText);
    QCOMPARE(text, whole.text);
    QCOMPARE(encoding, whole.encoding);
}

void TestTextFile::newTextFileHoldsTheEncodedText_data()
{
    QTest::addColumn<QString>("text");

    const QChar high(0xD83D);
    const QChar low(0xDE00);
    QTest::newRow("empty") << QString();
    QTest::newRow("Chinese") << QStringLiteral("歌词\r\n第二行");
    QTest::newRow("lone high surrogate at the end") << QStringLiteral("abc") + high;
    QTest::newRow("lone low surrogate first") << low + QStringLiteral("abc");
    QTest::newRow("long") << QStringLiteral("[00:01.00]你好\r\n").repeated(20000);
    // Pairs and halves of pairs at every place around the ends of pieces
    // (16 K characters) and of a buffer twice as long.
    for (const qsizetype end : {qsizetype(16 * 1024), qsizetype(32 * 1024)}) {
        for (qsizetype at = end - 3; at <= end + 1; ++at) {
            QTest::addRow("pair at %lld", static_cast<long long>(at)) << QString(at, u'x') + high + low + u'y';
            QTest::addRow("high half alone at %lld", static_cast<long long>(at)) << QString(at, u'x') + high + u'y';
            QTest::addRow("low half alone at %lld", static_cast<long long>(at)) << QString(at, u'x') + low + u'y';
        }
    }
}

void TestTextFile::newTextFileHoldsTheEncodedText()
{
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("歌.txt"));
    NewTextFile file(path);
    QString error;
    QVERIFY2(file.open(error), qPrintable(error));
    // Handed over in uneven pieces, as a sheet comes line by line.
    for (qsizetype at = 0, piece = 1; at < text.size(); at += piece, piece = piece * 3 % 1000 + 1)
        file.append(QStringView(text).sliced(at, qMin(piece, text.size() - at)));
    file.append(u"\r\n");
    QVERIFY2(file.commit(error), qPrintable(error));
    QCOMPARE(fileBytes(path), encodeText(text + QStringLiteral("\r\n")));
}

void TestTextFile::newTextFileFailuresLeaveNothing()
{
    QTemporaryDir dir;
    const QString taken = writeInput(dir, "earlier\r\n");
    QString error;
    {
        NewTextFile file(taken);
        QVERIFY(!file.open(error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(taken)), qPrintable(error));
    }
    QCOMPARE(fileBytes(taken), QByteArray("earlier\r\n"));

    // Never committed: nothing is left.
    const QString abandoned = dir.filePath(QStringLiteral("abandoned.txt"));
    {
        NewTextFile file(abandoned);
        QVERIFY(file.open(error));
        file.append(u"half a sheet");
    }
    QVERIFY(!QFile::exists(abandoned));

    const TmpfsMount disk(QStringLiteral("size=64k"));
    if (!disk.isMounted())
        QSKIP("cannot mount a small tmpfs here (needs root)");
    const QString path = disk.filePath(QStringLiteral("sheet.txt"));
    NewTextFile file(path);
    QVERIFY(file.open(error));
    file.append(QString(100 * 1024, u'x'));
    QVERIFY(!file.commit(error));
    QVERIFY2(error.contains(QStringLiteral("磁盘已满")), qPrintable(error));
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
