#include "conversionworkspace.h"
#include "lrcreader.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList tagsOf(const ConversionWorkspace &workspace, int line)
{
    QStringList tags;
    for (int t = 0; t < workspace.tagCount.at(line); ++t)
        tags.append(workspace.tagTextAt(line, t).toString());
    return tags;
}

QStringList linesOf(const ConversionWorkspace &workspace)
{
    QStringList lines;
    for (int line = 0; line < workspace.lineCount; ++line)
        lines.append(workspace.lineTextAt(line).toString());
    return lines;
}

} // namespace

class TestLrcReader : public QObject
{
    Q_OBJECT

private slots:
    void parseTimedLine_data();
    void parseTimedLine();
    void headerLines_data();
    void headerLines();
    void lineCapacity_data();
    void lineCapacity();
    void tagCapacity_data();
    void tagCapacity();
    void linesAreNotCopied();
    void readsSourceFile();
    void missingSourceFile();
};

void TestLrcReader::parseTimedLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("text");

    QTest::newRow("two tags") << "[00:12.30][01:05.00]Hello"
                              << QStringList{"[00:12.30]", "[01:05.00]"} << "Hello";
    QTest::newRow("three tags") << "[00:01.00][00:02.00][00:03.00]三次"
                                << QStringList{"[00:01.00]", "[00:02.00]", "[00:03.00]"} << "三次";
    QTest::newRow("stop at a space") << "[00:12.30]Hi [abcdefgh]"
                                     << QStringList{"[00:12.30]"} << "Hi [abcdefgh]";
    QTest::newRow("stop ends the scan") << "[00:01.00]x[00:02.00][00:03.00]"
                                        << QStringList{"[00:01.00]"} << "x[00:02.00][00:03.00]";
    QTest::newRow("tag after text") << "Hi[00:12.30]" << QStringList{} << "Hi[00:12.30]";
    QTest::newRow("first characters cut, not the tag")
        << "abcdefghi][00:12.30]Hi" << QStringList{"[00:12.30]"} << "[00:12.30]Hi";
    QTest::newRow("overlapping candidates")
        << "[abc][def]abcd]" << QStringList{"[abc][def]", "[def]abcd]"} << "";
    QTest::newRow("three-digit fraction") << "[00:12.345]Hi" << QStringList{"[00:12.345]"} << "Hi";
    QTest::newRow("no fraction") << "[00:12]Hi" << QStringList{"[00:12]"} << "Hi";
    QTest::newRow("any bracketed group") << "[re:maker]" << QStringList{"[re:maker]"} << "";
    QTest::newRow("other group") << "[la:abcde]x" << QStringList{"[la:abcde]"} << "x";
    QTest::newRow("upper-case tag") << "[AR:Someone]" << QStringList{} << "[AR:Someone]";
    QTest::newRow("empty line") << "" << QStringList{} << "";
    QTest::newRow("text only") << "只有文字" << QStringList{} << "只有文字";
    QTest::newRow("short line") << "[a" << QStringList{} << "[a";
    QTest::newRow("line feed kept") << "[00:01.00]a\nb" << QStringList{"[00:01.00]"} << "a\nb";

    // Tags of other forms at the start of the line, alone and mixed.
    QTest::newRow("[m:ss]") << "[1:05]x" << QStringList{"[1:05]"} << "x";
    QTest::newRow("[mm:ss.f] and [mm:ss]") << "[00:05.5][00:06]x" << QStringList{"[00:05.5]", "[00:06]"} << "x";
    QTest::newRow("[mm:ss:ff]") << "[00:05:50]x" << QStringList{"[00:05:50]"} << "x";
    QTest::newRow("[mmm:ss.ff]") << "[100:00.00]x" << QStringList{"[100:00.00]"} << "x";
    QTest::newRow("three digits, then ordinary")
        << "[00:01.500][00:02.00]x" << QStringList{"[00:01.500]", "[00:02.00]"} << "x";
    QTest::newRow("ordinary, then no fraction")
        << "[00:01.00][00:02]x" << QStringList{"[00:01.00]", "[00:02]"} << "x";
    QTest::newRow("other group after a new form")
        << "[00:01.5][xx:yy.zz]x" << QStringList{"[00:01.5]", "[xx:yy.zz]"} << "x";
    QTest::newRow("a time tag, not a 10-character group") << "[0:01][ab]x" << QStringList{"[0:01]"} << "[ab]x";
    QTest::newRow("blank ends the tags") << "[00:12] [00:13]x" << QStringList{"[00:12]"} << " [00:13]x";
    QTest::newRow("short tag after text") << "Hi[00:12]" << QStringList{} << "Hi[00:12]";
    QTest::newRow("short tag alone") << "[00:12]" << QStringList{"[00:12]"} << "";

    // Word timings go wherever they stand; the text around them stays.
    QTest::newRow("word timings")
        << "[00:01.00]<00:01.00>Hello <00:01.50>world" << QStringList{"[00:01.00]"} << "Hello world";
    QTest::newRow("word timings after a new form")
        << "[00:01]<00:01.0>你<00:01.300>好" << QStringList{"[00:01]"} << "你好";
    QTest::newRow("word timings, no line tag") << "<00:01.00>x" << QStringList{} << "x";
    // The text starts inside the tag here; removing the word timing from the
    // text must leave the tag as it was read.
    QTest::newRow("word timing inside a tag the text overlaps")
        << "abcdefghi][<0:01>xx]Y" << QStringList{"[<0:01>xx]"} << "[xx]Y";
}

void TestLrcReader::parseTimedLine()
{
    QFETCH(QString, line);
    QFETCH(QStringList, tags);
    QFETCH(QString, text);

    ConversionWorkspace workspace;
    QString error;
    QVERIFY(ParseTimedLine(workspace, u"[00:00.00]earlier", error));
    QVERIFY(ParseTimedLine(workspace, line, error));
    QCOMPARE(workspace.lineCount, 2);
    QCOMPARE(workspace.tagCount.at(1), int(tags.size()));
    QCOMPARE(tagsOf(workspace, 1), tags);
    QCOMPARE(linesOf(workspace), (QStringList{"earlier", text}));
    QCOMPARE(tagsOf(workspace, 0), QStringList{"[00:00.00]"});
}

void TestLrcReader::headerLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("timedLines");

    QTest::newRow("title, artist, album")
        << QStringList{"[ti:Song name]", "[ar:歌手]", "[al:Album]"}
        << "     歌曲：Song name\r\n     艺术家：歌手\r\n     所属专辑：Album\r\n" << 0;
    QTest::newRow("file order, repeats kept")
        << QStringList{"[al:A]", "[ti:T]", "[00:01.00]x", "[ti:T2]"}
        << "     所属专辑：A\r\n     歌曲：T\r\n     歌曲：T2\r\n" << 1;
    QTest::newRow("longer tag name") << QStringList{"[art:X]"} << "     艺术家：:X\r\n" << 0;
    QTest::newRow("no closing bracket") << QStringList{"[ar:X"} << "     艺术家：X\r\n" << 0;
    QTest::newRow("too short for a value") << QStringList{"[ar:", "[ti"}
                                           << "     艺术家：\r\n     歌曲：\r\n" << 0;
    QTest::newRow("trailing space") << QStringList{"[ti:Song] "} << "     歌曲：Song\r\n" << 0;
    QTest::newRow("dropped tags") << QStringList{"[by:maker]", "[offset:500]"} << "" << 0;
    QTest::newRow("case differs") << QStringList{"[AR:Someone]", "[Ti:x]"} << "" << 0;
    QTest::newRow("empty lines are timed") << QStringList{"", "", "[ti:x]"} << "     歌曲：x\r\n" << 2;
    QTest::newRow("blanks and tab after the value")
        << QStringList{"[ti:Song] \t ", "[al:Album\t"} << "     歌曲：Song\r\n     所属专辑：Album\r\n" << 0;
    QTest::newRow("album without closing bracket") << QStringList{"[al:Album"} << "     所属专辑：Album\r\n" << 0;
    QTest::newRow("only the last bracket goes") << QStringList{"[ti:[Live]]"} << "     歌曲：[Live]\r\n" << 0;

    // Lines that are nothing but one metadata tag give nothing.
    QTest::newRow("metadata lines")
        << QStringList{"[re:maker]", "[ve:1.0.0]", "[la:zh_CN]", "[length: 03:25]", "[offset:+500]",
                       "[au:Someone]", "[Ar:Someone]", "[#:comment]", "[kana:1か1た]", "[re:maker] "}
        << "" << 0;
    QTest::newRow("not only a metadata tag")
        << QStringList{"[re:maker]x", "[re:ma]ker]", "[r e:x]", "[1a:x]", "[re]", "[:x]", "[re:x"} << "" << 7;
}

void TestLrcReader::headerLines()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, header);
    QFETCH(int, timedLines);

    ConversionWorkspace workspace;
    QString error;
    QVERIFY(readLrcLines(workspace, lines, error));
    QCOMPARE(workspace.headerText, header);
    QCOMPARE(workspace.lineCount, timedLines);
    QCOMPARE(workspace.lineText.size(), timedLines);

    // Read as the lines of one text, they give the same.
    ConversionWorkspace fromText;
    QVERIFY(readLrcText(fromText, lines.join(u'\n'), error));
    QCOMPARE(fromText.headerText, header);
    QCOMPARE(linesOf(fromText), linesOf(workspace));
}

void TestLrcReader::lineCapacity_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("at the limit") << ConversionWorkspace::kMaxLines << "歌词" << true;
    QTest::newRow("one past") << ConversionWorkspace::kMaxLines + 1 << "歌词" << false;
    QTest::newRow("blank lines count too") << ConversionWorkspace::kMaxLines + 1 << "" << false;
}

void TestLrcReader::lineCapacity()
{
    QFETCH(int, lines);
    QFETCH(QString, line);
    QFETCH(bool, accepted);

    // Header lines take no line slot, so they do not count towards the limit.
    QStringList file(lines, line);
    file.prepend(QStringLiteral("[ti:Song]"));
    ConversionWorkspace workspace;
    QString error;
    QCOMPARE(readLrcLines(workspace, file, error), accepted);
    QCOMPARE(workspace.lineCount, ConversionWorkspace::kMaxLines);
    QCOMPARE(error, accepted ? QString() : QStringLiteral("歌词文件超过了100000行的上限，无法转换。"));
}

void TestLrcReader::tagCapacity_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("tags");
    QTest::addColumn<bool>("accepted");

    for (const QString &tag : {QStringLiteral("[00:01.00]"), QStringLiteral("[00:01]")}) {
        QTest::addRow("%ls at the limit", qUtf16Printable(tag)) << tag << ConversionWorkspace::kMaxTagsPerLine << true;
        QTest::addRow("%ls one past", qUtf16Printable(tag)) << tag << ConversionWorkspace::kMaxTagsPerLine + 1 << false;
    }
}

void TestLrcReader::tagCapacity()
{
    QFETCH(QString, tag);
    QFETCH(int, tags);
    QFETCH(bool, accepted);

    const QString line = tag.repeated(tags) + "end";
    ConversionWorkspace workspace;
    QString error;
    QCOMPARE(ParseTimedLine(workspace, line, error), accepted);
    QCOMPARE(error.contains(QStringLiteral("100个")), !accepted);
    if (accepted) {
        QCOMPARE(workspace.tagCount.at(0), tags);
        QCOMPARE(workspace.lineTextAt(0), u"end");
    } else {
        QCOMPARE(workspace.lineCount, 0);
        QVERIFY(workspace.tagText.isEmpty());
    }
}

void TestLrcReader::linesAreNotCopied()
{
    // Lines, tags and texts are pieces of the text as read; only a text
    // without its word timings is new, and it is added at the end.
    const QString text = QStringLiteral("[ti:雨]\r\n[00:01.00]一\r\n[00:02.00]<00:02.50>二\r\n");
    ConversionWorkspace workspace;
    QString error;
    QVERIFY(readLrcText(workspace, text, error));
    QCOMPARE(linesOf(workspace), (QStringList{"一", "二"}));
    QCOMPARE(workspace.sourceText, text + QStringLiteral("二"));
    QCOMPARE(workspace.lineTextAt(0).data(), workspace.sourceText.constData() + text.indexOf(u'一'));
}

void TestLrcReader::readsSourceFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("歌.lrc"));
    writeBytes(path, QStringLiteral("[ti:雨]\r\n[00:01.00]一\r\n\r\n[00:02.00]二\r\n").toUtf8());

    ConversionWorkspace workspace;
    workspace.sourcePath = path;
    QString error;
    QVERIFY2(ReadLrcFile(workspace, error), qPrintable(error));
    QCOMPARE(workspace.headerText, QStringLiteral("     歌曲：雨\r\n"));
    QCOMPARE(linesOf(workspace), (QStringList{"一", "", "二"}));
}

void TestLrcReader::missingSourceFile()
{
    QTemporaryDir dir;
    ConversionWorkspace workspace;
    workspace.sourcePath = dir.filePath(QStringLiteral("gone.lrc"));
    QString error;
    QVERIFY(!ReadLrcFile(workspace, error));
    QVERIFY2(error.contains(QStringLiteral("gone.lrc")), qPrintable(error));
    QCOMPARE(workspace.lineCount, 0);
}

QTEST_GUILESS_MAIN(TestLrcReader)
#include "tst_lrcreader.moc"
