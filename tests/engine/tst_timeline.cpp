#include "conversionworkspace.h"
#include "lrcreader.h"
#include "timeline.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

ConversionWorkspace workspaceOf(const QStringList &lines)
{
    ConversionWorkspace workspace;
    QString error;
    if (!readLrcLines(workspace, lines, error))
        qFatal("cannot store test lines: %s", qPrintable(error));
    return workspace;
}

QStringList entryTexts(const ConversionWorkspace &workspace)
{
    QStringList texts;
    for (int e = 0; e < workspace.entryCount; ++e)
        texts.append(workspace.entryTextAt(e).toString());
    return texts;
}

QList<double> entryTimes(const ConversionWorkspace &workspace)
{
    QList<double> times;
    for (int e = 0; e < workspace.entryCount; ++e)
        times.append(workspace.entryTimeAt(e));
    return times;
}

} // namespace

class TestTimeline : public QObject
{
    Q_OBJECT

private slots:
    void lenientNumber_data();
    void lenientNumber();
    void tagTimes_data();
    void tagTimes();
    void flattenAppends();
    void assemble_data();
    void assemble();
    void sortIsStable();
    void entryCapacity_data();
    void entryCapacity();
    void resultLengthCapacity_data();
    void resultLengthCapacity();
};

void TestTimeline::lenientNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("leading zero") << "07" << 7.0;
    QTest::newRow("leading space") << " 7" << 7.0;
    QTest::newRow("trailing letter") << "7x" << 7.0;
    QTest::newRow("minus") << "-1" << -1.0;
    QTest::newRow("plus") << "+5" << 5.0;
    QTest::newRow("letters") << "xx" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("spaces inside") << "1 2" << 12.0;
    QTest::newRow("tab and line feed") << "\t1\n2" << 12.0;
    QTest::newRow("space after sign") << "- 1" << -1.0;
    QTest::newRow("second sign ends") << "+-1" << 0.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
    QTest::newRow("exponent not read") << "1e5" << 1.0;
    QTest::newRow("carriage return ends") << "1\r2" << 1.0;
    QTest::newRow("full-width digits") << "１２" << 0.0;
}

void TestTimeline::lenientNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(readLenientNumber(text), value);
}

void TestTimeline::tagTimes_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<double>("seconds");

    QTest::newRow("ordinary") << "[01:02.03]" << ((60.0 * 1) + 2) + (3 * 0.01);
    QTest::newRow("not a time") << "[xx:yy.zz]" << 0.0;
    QTest::newRow("largest clock") << "[99:59.99]" << ((60.0 * 99) + 59) + (99 * 0.01);
    QTest::newRow("seconds past 59") << "[00:99.00]" << 99.0;
    QTest::newRow("negative minutes") << "[-1:00.00]" << -60.0;
    QTest::newRow("spaces") << "[ 1:0 .5 ]" << ((60.0 * 1) + 0) + (5 * 0.01);
    QTest::newRow("other group") << "[re:maker]" << 0.0;
    QTest::newRow("separators not read") << "[01x02y03]" << ((60.0 * 1) + 2) + (3 * 0.01);
    QTest::newRow("colon before hundredths") << "[01:02:03]" << ((60.0 * 1) + 2) + (3 * 0.01);
    // Ten characters, but their fields stand elsewhere.
    QTest::newRow("one-digit minutes, thousandths") << "[1:02.345]" << 62.345;
    QTest::newRow("three-digit minutes, tenths") << "[100:02.5]" << 6002.5;
}

void TestTimeline::tagTimes()
{
    QFETCH(QString, tag);
    QFETCH(double, seconds);

    ConversionWorkspace workspace = workspaceOf({"no tag", "[00:00.00]" + tag + "x"});
    ComputeTagTimes(workspace);
    QCOMPARE(workspace.tagTime.size(), 2);
    QCOMPARE(workspace.tagTimeAt(1, 0), 0.0);
    QCOMPARE(workspace.tagTimeAt(1, 1), seconds);
}

void TestTimeline::flattenAppends()
{
    ConversionWorkspace workspace = workspaceOf({"[00:09.00]old"});
    ComputeTagTimes(workspace);
    QString error;
    QVERIFY(FlattenEntries(workspace, error));
    QStringList lines{"[00:03.00]a", "untimed", "[00:02.00][00:01.00]b"};
    for (const QString &line : lines)
        QVERIFY(ParseTimedLine(workspace, line, error));
    ComputeTagTimes(workspace);
    QVERIFY(FlattenEntries(workspace, error));
    QCOMPARE(workspace.entryCount, 5);
    QCOMPARE(entryTexts(workspace), (QStringList{"old", "old", "a", "b", "b"}));
    QCOMPARE(entryTimes(workspace), (QList<double>{9.0, 9.0, 3.0, 2.0, 1.0}));

    // Entries of equal time keep their order in the table, the earlier
    // flattening first, even where that is not the order of their lines.
    ConversionWorkspace twice = workspaceOf({"[00:05.00]first", "[00:05.00]second"});
    ComputeTagTimes(twice);
    QVERIFY(FlattenEntries(twice, error));
    QVERIFY(FlattenEntries(twice, error));
    SortEntries(twice);
    QCOMPARE(entryTexts(twice), (QStringList{"first", "second", "first", "second"}));
}

void TestTimeline::assemble_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("result");

    QTest::newRow("worked example")
        << QStringList{"[ti:Rain]", "[ar:Someone]", "[00:05.00]First", "[00:01.50][00:10.00]Second"}
        << "     歌曲：Rain\r\n     艺术家：Someone\r\nSecond\r\nFirst\r\nSecond\r\n";
    QTest::newRow("no time tags") << QStringList{"[al:A]", "text", ""} << "     所属专辑：A\r\n";
    QTest::newRow("empty file") << QStringList{} << "";
    QTest::newRow("metadata line")
        << QStringList{"[00:01.00]x", "[re:maker]"} << "x\r\n";
    QTest::newRow("group that is no time")
        << QStringList{"[00:01.00]x", "[re:maker]y"} << "y\r\nx\r\n";
    QTest::newRow("ties keep file order")
        << QStringList{"[00:05.00]A", "[00:05.00]B", "[00:01.00][00:05.00]C", "[00:05.00][00:05.00]D"}
        << "C\r\nA\r\nB\r\nC\r\nD\r\nD\r\n";
    QTest::newRow("fraction orders") << QStringList{"[00:10.60]A", "[00:10.50]B", "[00:10.40]C"}
                                     << "C\r\nB\r\nA\r\n";
    QTest::newRow("negative first") << QStringList{"[00:00.00]zero", "[-1:00.00]minus"}
                                    << "minus\r\nzero\r\n";
    QTest::newRow("minutes weigh more") << QStringList{"[00:99.00]late", "[01:00.00]early"}
                                        << "early\r\nlate\r\n";

    QTest::newRow("forms in any order")
        << QStringList{"[00:02]B", "[00:01.500]A", "[1:00]D", "[00:30.5]C"} << "A\r\nB\r\nC\r\nD\r\n";
    QTest::newRow("one instant in every form keeps file order")
        << QStringList{"[00:01.500]c", "[00:01.50]a", "[00:01.5]b", "[00:01:50]d", "[0:01.50]e"}
        << "c\r\na\r\nb\r\nd\r\ne\r\n";
    QTest::newRow("thousandths between hundredths")
        << QStringList{"[00:01.35]C", "[00:01.345]B", "[00:01.34]A"} << "A\r\nB\r\nC\r\n";
    QTest::newRow("mixed forms on one line") << QStringList{"[00:03][00:01.5]x", "[00:02.00]y"}
                                             << "x\r\ny\r\nx\r\n";
    QTest::newRow("only new forms") << QStringList{"[ti:T]", "[00:12.345]a", "[00:12]b"}
                                    << "     歌曲：T\r\nb\r\na\r\n";
    QTest::newRow("fraction of three digits before an ordinary tag")
        << QStringList{"[00:01.500][00:02.00]x"} << "x\r\nx\r\n";
    QTest::newRow("ten characters read by their fields")
        << QStringList{"[01:02.44]c", "[1:02.345]a", "[100:02.5]z", "[99:59.99]y"} << "a\r\nc\r\ny\r\nz\r\n";
    QTest::newRow("metadata lines leave no blank line")
        << QStringList{"[re:maker]", "[ve:1.0]", "[length: 03:25]", "[00:01.00]x"} << "x\r\n";
}

void TestTimeline::assemble()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, result);

    ConversionWorkspace workspace = workspaceOf(lines);
    QString error;
    QVERIFY(AssembleResult(workspace, error));
    QCOMPARE(workspace.resultText, result);
    QCOMPARE(workspace.resultText, workspace.headerText + workspace.bodyText.toString());
}

void TestTimeline::sortIsStable()
{
    // Few distinct times over many entries: most entries tie with others, so
    // an unstable sort would show in the original positions.
    QStringList lines;
    QList<double> times;
    QRandomGenerator random(2024);
    for (int e = 0; e < 5000; ++e) {
        const int quarters = int(random.bounded(20));
        times.append(quarters * 0.25);
        lines.append(QStringLiteral("[00:%1.%2]%3")
                         .arg(quarters / 4, 2, 10, QChar(u'0'))
                         .arg(quarters % 4 * 25, 2, 10, QChar(u'0'))
                         .arg(e));
    }
    ConversionWorkspace workspace = workspaceOf(lines);
    ComputeTagTimes(workspace);
    QString error;
    QVERIFY(FlattenEntries(workspace, error));
    SortEntries(workspace);

    QCOMPARE(workspace.entryCount, 5000);
    for (int e = 1; e < workspace.entryCount; ++e) {
        const double previous = workspace.entryTimeAt(e - 1);
        const double current = workspace.entryTimeAt(e);
        QVERIFY2(previous <= current, qPrintable(QString("unordered at %1").arg(e)));
        if (previous == current) {
            QVERIFY2(workspace.entryTextAt(e - 1).toInt() < workspace.entryTextAt(e).toInt(),
                     qPrintable(QString("tie reordered at %1").arg(e)));
        }
    }
    for (int e = 0; e < workspace.entryCount; ++e)
        QCOMPARE(workspace.entryTimeAt(e), times.at(workspace.entryTextAt(e).toInt()));
}

void TestTimeline::entryCapacity_data()
{
    QTest::addColumn<int>("extraTags");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("at the limit") << 0 << true;
    QTest::newRow("one past") << 1 << false;
}

void TestTimeline::entryCapacity()
{
    QFETCH(int, extraTags);
    QFETCH(bool, accepted);

    // Two tags a line: the entry limit is passed with half as many lines.
    QStringList lines(ConversionWorkspace::kMaxEntries / 2, QStringLiteral("[00:02.00][00:01.00]词"));
    if (extraTags > 0)
        lines.append(QStringLiteral("[00:03.00]").repeated(extraTags) + "more");
    ConversionWorkspace workspace = workspaceOf(lines);
    QString error;
    QCOMPARE(AssembleResult(workspace, error), accepted);
    QCOMPARE(workspace.entryCount, ConversionWorkspace::kMaxEntries);
    QCOMPARE(error.contains(QStringLiteral("100000个")), !accepted);
    if (accepted) {
        QCOMPARE(workspace.entryTextAt(0), u"词");
        QCOMPARE(workspace.resultText.size(), qsizetype(3) * ConversionWorkspace::kMaxEntries);
    } else {
        QVERIFY(workspace.resultText.isEmpty());
    }
}

void TestTimeline::resultLengthCapacity_data()
{
    QTest::addColumn<int>("extraCharacters");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("at the limit") << 0 << true;
    QTest::newRow("one past") << 1 << false;
}

void TestTimeline::resultLengthCapacity()
{
    QFETCH(int, extraCharacters);
    QFETCH(bool, accepted);

    // One line of a few dozen kilobytes with 100 tags: a sheet 100 times as long.
    const qsizetype text = ConversionWorkspace::kMaxResultLength / 100 - 2;
    const qsizetype header = ConversionWorkspace::kMaxResultLength - 100 * (text + 2);
    const QString line = QStringLiteral("[00:01.00]").repeated(100) + QString(text, u'x');
    ConversionWorkspace workspace = workspaceOf({line});
    workspace.headerText = QString(header + extraCharacters, u'h');
    QString error;
    QCOMPARE(AssembleResult(workspace, error), accepted);

    // A sheet written straight from the entries has the same limit.
    ConversionWorkspace unbuilt = workspaceOf({line});
    unbuilt.headerText = workspace.headerText;
    QString unbuiltError;
    QCOMPARE(AssembleResult(unbuilt, unbuiltError, SheetText::Skip), accepted);
    QCOMPARE(unbuiltError, error);
    QVERIFY(unbuilt.resultText.isEmpty());
    if (accepted) {
        QCOMPARE(workspace.resultText.size(), ConversionWorkspace::kMaxResultLength);
    } else {
        QCOMPARE(error, QStringLiteral("转换后的歌词超过了8388608个字符的上限，无法转换。"));
        QVERIFY(workspace.resultText.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestTimeline)
#include "tst_timeline.moc"
