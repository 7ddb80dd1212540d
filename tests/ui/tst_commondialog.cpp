#include "commondialog.h"
#include "scripteddialogs.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using Answers = QList<std::optional<QString>>;

class TestCommonDialog : public QObject
{
    Q_OBJECT

private slots:
    void pipeFilterBecomesQtFilters_data()
    {
        QTest::addColumn<QString>("pipeFilter");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("lyric then all files")
            << QStringLiteral("lyric歌词文件|*.lrc|所有文件|*.*")
            << QStringList{QStringLiteral("lyric歌词文件 (*.lrc)"), QStringLiteral("所有文件 (*)")};
        QTest::addRow("several patterns") << QStringLiteral("Text|*.txt;*.lrc")
                                          << QStringList{QStringLiteral("Text (*.txt *.lrc)")};
        QTest::addRow("description without patterns") << QStringLiteral("A|*.a|B")
                                                       << QStringList{QStringLiteral("A (*.a)")};
        QTest::addRow("empty") << QString() << QStringList();
    }

    void pipeFilterBecomesQtFilters()
    {
        QFETCH(QString, pipeFilter);
        QFETCH(QStringList, expected);
        QCOMPARE(nameFiltersFrom(pipeFilter), expected);
    }

    void allFilesMatchesEveryName_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("lyricMatches");
        QTest::addRow("lyric file") << QStringLiteral("歌.lrc") << true;
        QTest::addRow("no extension") << QStringLiteral("README") << false;
        QTest::addRow("hidden file") << QStringLiteral(".lrcrc") << false;
    }

    void allFilesMatchesEveryName()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, lyricMatches);
        const QStringList filters = nameFiltersFrom(QStringLiteral("lyric歌词文件|*.lrc|所有文件|*.*"));
        QCOMPARE(filters.size(), 2);
        QCOMPARE(QDir::match(patternsOf(filters.at(0)), fileName), lyricMatches);
        QCOMPARE(QDir::match(patternsOf(filters.at(1)), fileName), true);
    }

    void keepsTheLastChosenName_data()
    {
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("presetsSeen");
        QTest::addColumn<QString>("finalName");
        const QString a = QStringLiteral("/music/a.lrc");
        const QString b = QStringLiteral("/music/b.lrc");
        QTest::addRow("chosen twice") << Answers{a, b} << QStringList{QString(), a} << b;
        QTest::addRow("chosen then cancelled") << Answers{a, std::nullopt} << QStringList{QString(), a} << a;
        QTest::addRow("cancelled first") << Answers{std::nullopt, a} << QStringList{QString(), QString()} << a;
    }

    void keepsTheLastChosenName()
    {
        QFETCH(Answers, answers);
        QFETCH(QStringList, presetsSeen);
        QFETCH(QString, finalName);
        ScriptedDialogs dialogs;
        dialogs.answers = answers;
        CommonDialog dialog(FileDialogRequest::Kind::Open);
        for (const std::optional<QString> &answer : answers)
            QCOMPARE(dialog.show(dialogs), answer);
        QStringList seen;
        for (const FileDialogRequest &request : dialogs.requests)
            seen.append(request.fileName);
        QCOMPARE(seen, presetsSeen);
        QCOMPARE(dialog.fileName(), finalName);
    }

private:
    static QStringList patternsOf(const QString &filter)
    {
        const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\((.*)\\)$")).match(filter);
        return match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
};

QTEST_GUILESS_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
