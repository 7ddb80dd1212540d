#include "nodisplay.h"
#include "version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// What "cmake --install" puts in place, installed into a temporary prefix.
class TestInstalledTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void installsEveryFile_data();
    void installsEveryFile();
    void installedProgramsRun_data();
    void installedProgramsRun();
    void iconsHaveTheirSizes_data();
    void iconsHaveTheirSizes();
    void desktopFileIsValid();
    void metainfoIsValid();
    void lyricFilesGetTheirMimeType();
    void manPagesCarryTheVersion_data();
    void manPagesCarryTheVersion();

private:
    QString installed(const QString &path) const { return QDir(prefix_.path()).filePath(path); }
    // Runs a tool and returns its exit code, or fails the test when the tool is missing.
    int runTool(const QString &tool, const QString &package, const QStringList &arguments, QString &output) const;

    QTemporaryDir prefix_;
};

namespace {

const QString kId = QStringLiteral(QUORVANE_APP_ID);
const QString kBin = QStringLiteral(QUORVANE_INSTALL_BINDIR);
const QString kData = QStringLiteral(QUORVANE_INSTALL_DATADIR);
const QString kMan = QStringLiteral(QUORVANE_INSTALL_MANDIR);

QString desktopFile()
{
    return kData + QStringLiteral("/applications/") + kId + QStringLiteral(".desktop");
}

QString metainfoFile()
{
    return kData + QStringLiteral("/metainfo/") + kId + QStringLiteral(".metainfo.xml");
}

QString text(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
}

} // namespace

void TestInstalledTree::initTestCase()
{
    QVERIFY(prefix_.isValid());
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(QUORVANE_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(QUORVANE_BUILD_DIR), QStringLiteral("--prefix"),
                   prefix_.path()});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAll().constData());
}

void TestInstalledTree::installsEveryFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");

    QTest::newRow("window program") << kBin + "/quorvane" << true;
    QTest::newRow("batch converter") << kBin + "/quorvane-convert" << true;
    QTest::newRow("desktop file") << desktopFile() << false;
    QTest::newRow("metainfo") << metainfoFile() << false;
    QTest::newRow("MIME type") << kData + "/mime/packages/" + kId + ".xml" << false;
    QTest::newRow("icon 48") << kData + "/icons/hicolor/48x48/apps/" + kId + ".png" << false;
    QTest::newRow("icon 256") << kData + "/icons/hicolor/256x256/apps/" + kId + ".png" << false;
    QTest::newRow("scalable icon") << kData + "/icons/hicolor/scalable/apps/" + kId + ".svg" << false;
    QTest::newRow("man page quorvane") << kMan + "/man1/quorvane.1" << false;
    QTest::newRow("man page quorvane-convert") << kMan + "/man1/quorvane-convert.1" << false;
}

void TestInstalledTree::installsEveryFile()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile(), qPrintable(file.filePath()));
    QVERIFY(file.size() > 0);
    QCOMPARE(file.isExecutable(), executable);
}

void TestInstalledTree::installedProgramsRun_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("window program") << "quorvane";
    QTest::newRow("batch converter") << "quorvane-convert";
}

void TestInstalledTree::installedProgramsRun()
{
    QFETCH(QString, program);
    // No display: the window program answers --version without one.
    QProcess process;
    process.setProcessEnvironment(environmentWithoutDisplay());
    process.start(installed(kBin + u'/' + program), {QStringLiteral("--version")});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()),
             program + QStringLiteral(" " QUORVANE_VERSION "\n"));
}

void TestInstalledTree::iconsHaveTheirSizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("48") << kData + "/icons/hicolor/48x48/apps/" + kId + ".png" << QSize(48, 48);
    QTest::newRow("256") << kData + "/icons/hicolor/256x256/apps/" + kId + ".png" << QSize(256, 256);
}

void TestInstalledTree::iconsHaveTheirSizes()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QImageReader reader(installed(path));
    QCOMPARE(reader.format(), QByteArray("png"));
    QCOMPARE(reader.size(), size);

    QFile svg(installed(kData + "/icons/hicolor/scalable/apps/" + kId + ".svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name(), QStringLiteral("svg"));
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
}

void TestInstalledTree::desktopFileIsValid()
{
    const QString path = installed(desktopFile());
    QString output;
    QCOMPARE(runTool(QStringLiteral("desktop-file-validate"), QStringLiteral("desktop-file-utils"), {path}, output), 0);
    QVERIFY2(output.isEmpty(), qPrintable(output));

    const QStringList lines = text(path).split(u'\n');
    for (const QString &line : {QStringLiteral("Exec=quorvane %f"), QStringLiteral("Icon=") + kId,
                                QStringLiteral("Name=Quorvane"), QStringLiteral("Name[zh_CN]=Quorvane 歌词转换"),
                                QStringLiteral("MimeType=" QUORVANE_LRC_MIME_TYPE ";")})
        QVERIFY2(lines.contains(line), qPrintable(line));
}

void TestInstalledTree::metainfoIsValid()
{
    const QString path = installed(metainfoFile());
    QString output;
    QCOMPARE(runTool(QStringLiteral("appstreamcli"), QStringLiteral("appstream"),
                     {QStringLiteral("validate"), QStringLiteral("--no-net"), path}, output),
             0);
    const QString metainfo = text(path);
    for (const QString &part : {QStringLiteral("<id>") + kId + QStringLiteral("</id>"),
                                QStringLiteral("<launchable type=\"desktop-id\">") + kId + QStringLiteral(".desktop<"),
                                QStringLiteral("<binary>quorvane-convert</binary>"),
                                QStringLiteral("<mediatype>" QUORVANE_LRC_MIME_TYPE "</mediatype>"),
                                QStringLiteral("<release version=\"" QUORVANE_VERSION "\"")})
        QVERIFY2(metainfo.contains(part), qPrintable(part));
}

void TestInstalledTree::lyricFilesGetTheirMimeType()
{
    // Built as the system builds its database when the package is installed.
    const QString mime = installed(kData + QStringLiteral("/mime"));
    QString output;
    QCOMPARE(runTool(QStringLiteral("update-mime-database"), QStringLiteral("shared-mime-info"), {mime}, output), 0);
    const QStringList globs = text(mime + QStringLiteral("/globs2")).split(u'\n');
    QVERIFY2(globs.contains(QStringLiteral("50:" QUORVANE_LRC_MIME_TYPE ":*.lrc")), qPrintable(globs.join(u'\n')));
    const QStringList subclasses = text(mime + QStringLiteral("/subclasses")).split(u'\n');
    QVERIFY(subclasses.contains(QStringLiteral(QUORVANE_LRC_MIME_TYPE " text/plain")));
}

void TestInstalledTree::manPagesCarryTheVersion_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::newRow("quorvane") << "quorvane.1" << ".TH QUORVANE 1 ";
    QTest::newRow("quorvane-convert") << "quorvane-convert.1" << ".TH QUORVANE\\-CONVERT 1 ";
}

void TestInstalledTree::manPagesCarryTheVersion()
{
    QFETCH(QString, page);
    QFETCH(QString, title);
    const QString firstLine = text(installed(kMan + QStringLiteral("/man1/") + page)).section(u'\n', 0, 0);
    QVERIFY2(firstLine.startsWith(title), qPrintable(firstLine));
    QVERIFY2(firstLine.contains(QStringLiteral("\"Quorvane " QUORVANE_VERSION "\"")), qPrintable(firstLine));
}

int TestInstalledTree::runTool(const QString &tool, const QString &package, const QStringList &arguments,
                               QString &output) const
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("%1 is missing: install the Debian package %2 (scripts/setup does)")
                                    .arg(tool, package)),
                     __FILE__, __LINE__);
        return -1;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    if (!process.waitForFinished(60000))
        return -1;
    output = QString::fromUtf8(process.readAll()).trimmed();
    if (process.exitCode() != 0)
        qWarning("%s", qPrintable(output));
    return process.exitCode();
}

QTEST_GUILESS_MAIN(TestInstalledTree)
#include "tst_installedtree.moc"
