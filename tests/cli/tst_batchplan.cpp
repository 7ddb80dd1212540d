#include "batchplan.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// Which lyric files a run takes, in which order, and where their sheets go.
class TestBatchPlan : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void plansJobs_data();
    void plansJobs();

private:
    std::unique_ptr<QTemporaryDir> temp_;
    QString previousFolder_;
};

namespace {

// One line per job: "source > target", and " (skipped)" or " (failed)" when
// planning already decided it.
QStringList describe(const BatchPlan &plan)
{
    QStringList lines;
    for (const SheetJob &job : plan.jobs) {
        QString line = job.source + QStringLiteral(" > ") + job.target;
        if (job.decided)
            line += job.decided->outcome == SheetOutcome::Skipped ? QStringLiteral(" (skipped)")
                                                                  : QStringLiteral(" (failed)");
        lines.append(line);
    }
    return lines;
}

} // namespace

void TestBatchPlan::init()
{
    temp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temp_->isValid());
    const QByteArray lyric = "[00:01.00]x\r\n";
    for (const char *name : {"lyrics/b.lrc", "lyrics/A.LRC", "lyrics/sub/c.Lrc", "lyrics/sub/deep/d.lrc",
                             "lyrics/notes.txt", "lyrics/.hidden.lrc", "lyrics/.git/e.lrc",
                             "lyrics/Mr. Brightside.lrc", "lyrics/Mr. Jones.lrc", "other/b.lrc", "single.lrc",
                             "song.txt"}) {
        const QString path = temp_->filePath(QString::fromUtf8(name));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        writeBytes(path, lyric);
    }
    QVERIFY(QDir().mkpath(temp_->filePath(QStringLiteral("lyrics/empty"))));
    previousFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(temp_->path()));
}

void TestBatchPlan::cleanup()
{
    QVERIFY(QDir::setCurrent(previousFolder_));
    temp_.reset();
}

void TestBatchPlan::plansJobs_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QString>("outputDir");
    QTest::addColumn<QStringList>("jobs");

    QTest::newRow("folder: sheets beside the lyrics")
        << QStringList{"lyrics"} << ""
        << QStringList{"lyrics/A.LRC > lyrics/A.txt", "lyrics/Mr. Brightside.lrc > lyrics/Mr.txt",
                       "lyrics/Mr. Jones.lrc > lyrics/Mr.txt (skipped)", "lyrics/b.lrc > lyrics/b.txt",
                       "lyrics/sub/c.Lrc > lyrics/sub/c.txt", "lyrics/sub/deep/d.lrc > lyrics/sub/deep/d.txt"};
    QTest::newRow("folder: recreated in the output folder")
        << QStringList{"lyrics/"} << "out"
        << QStringList{"lyrics/A.LRC > out/lyrics/A.txt", "lyrics/Mr. Brightside.lrc > out/lyrics/Mr.txt",
                       "lyrics/Mr. Jones.lrc > out/lyrics/Mr.txt (skipped)", "lyrics/b.lrc > out/lyrics/b.txt",
                       "lyrics/sub/c.Lrc > out/lyrics/sub/c.txt",
                       "lyrics/sub/deep/d.lrc > out/lyrics/sub/deep/d.txt"};
    QTest::newRow("subfolder") << QStringList{"lyrics/sub"} << ""
                               << QStringList{"lyrics/sub/c.Lrc > lyrics/sub/c.txt",
                                              "lyrics/sub/deep/d.lrc > lyrics/sub/deep/d.txt"};
    QTest::newRow("files: straight into the output folder")
        << QStringList{"single.lrc", "lyrics/sub/c.Lrc"} << "out"
        << QStringList{"single.lrc > out/single.txt", "lyrics/sub/c.Lrc > out/c.txt"};
    QTest::newRow("file in the current folder") << QStringList{"single.lrc"} << ""
                                                << QStringList{"single.lrc > single.txt"};
    QTest::newRow("any name when named directly")
        << QStringList{"lyrics/notes.txt", "lyrics/.hidden.lrc"} << ""
        << QStringList{"lyrics/notes.txt > lyrics/notes.txt", "lyrics/.hidden.lrc > lyrics/.txt"};
    QTest::newRow("a file named twice is taken once")
        << QStringList{"single.lrc", "./single.lrc", "lyrics/../single.lrc"} << ""
        << QStringList{"single.lrc > single.txt"};
    QTest::newRow("a file and its folder") << QStringList{"lyrics/sub/c.Lrc", "lyrics/sub"} << ""
                                           << QStringList{"lyrics/sub/c.Lrc > lyrics/sub/c.txt",
                                                          "lyrics/sub/deep/d.lrc > lyrics/sub/deep/d.txt"};
    QTest::newRow("same sheet from two folders")
        << QStringList{"lyrics/b.lrc", "other/b.lrc"} << "out"
        << QStringList{"lyrics/b.lrc > out/b.txt", "other/b.lrc > out/b.txt (skipped)"};
    QTest::newRow("different folders, different sheets")
        << QStringList{"lyrics/b.lrc", "other/b.lrc"} << ""
        << QStringList{"lyrics/b.lrc > lyrics/b.txt", "other/b.lrc > other/b.txt"};
    QTest::newRow("missing path") << QStringList{"gone", "single.lrc"} << ""
                                  << QStringList{"gone >  (failed)", "single.lrc > single.txt"};
    QTest::newRow("folder without lyrics") << QStringList{"lyrics/empty"} << "" << QStringList{};
    QTest::newRow("not a file") << QStringList{"/dev/null"} << "" << QStringList{"/dev/null >  (failed)"};
}

void TestBatchPlan::plansJobs()
{
    QFETCH(QStringList, paths);
    QFETCH(QString, outputDir);
    QFETCH(QStringList, jobs);
    QCOMPARE(describe(planBatch(paths, outputDir)), jobs);
}

QTEST_GUILESS_MAIN(TestBatchPlan)
#include "tst_batchplan.moc"
