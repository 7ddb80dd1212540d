#include "orderedrunner.h"

#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <thread>

// Results come back in task order, on the calling thread, whatever order the
// threads finish them in.
class TestOrderedRunner : public QObject
{
    Q_OBJECT

private slots:
    void reportsInTaskOrder_data();
    void reportsInTaskOrder();
};

void TestOrderedRunner::reportsInTaskOrder_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("threads");
    QTest::newRow("nothing to do") << 0 << 4;
    QTest::newRow("one task, many threads") << 1 << 4;
    QTest::newRow("one thread") << 7 << 1;
    QTest::newRow("threads below one count as one") << 5 << 0;
    QTest::newRow("several threads") << 60 << 3;
    QTest::newRow("more threads than tasks") << 5 << 16;
}

void TestOrderedRunner::reportsInTaskOrder()
{
    QFETCH(int, count);
    QFETCH(int, threads);

    std::atomic<int> taskFunctions{0};
    QList<qsizetype> reported;
    QStringList reasons;
    bool reportedElsewhere = false;
    QThread *const caller = QThread::currentThread();

    runInOrder(
        count, threads,
        [&taskFunctions]() -> SheetTask {
            ++taskFunctions;
            auto done = std::make_shared<int>(0); // each thread's own state
            return [done](qsizetype index) {
                // Early tasks take longest, so later ones finish first.
                std::this_thread::sleep_for(std::chrono::microseconds(((index % 7) ^ 5) * 300));
                ++*done;
                return SheetResult{index % 3 ? SheetOutcome::Written : SheetOutcome::Failed,
                                   QString::number(index)};
            };
        },
        [&](qsizetype index, const SheetResult &result) {
            reportedElsewhere = reportedElsewhere || QThread::currentThread() != caller;
            reported.append(index);
            reasons.append(result.reason);
            QCOMPARE(result.outcome, index % 3 ? SheetOutcome::Written : SheetOutcome::Failed);
        });

    QList<qsizetype> expected;
    QStringList expectedReasons;
    for (qsizetype index = 0; index < count; ++index) {
        expected.append(index);
        expectedReasons.append(QString::number(index));
    }
    QCOMPARE(reported, expected);
    QCOMPARE(reasons, expectedReasons);
    QVERIFY(!reportedElsewhere);
    QCOMPARE(taskFunctions.load(), count == 0 ? 0 : std::clamp(threads, 1, count));
}

QTEST_GUILESS_MAIN(TestOrderedRunner)
#include "tst_orderedrunner.moc"
