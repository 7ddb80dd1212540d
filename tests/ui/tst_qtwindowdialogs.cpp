#include "qtwindowdialogs.h"
#include "testfiles.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

Q_DECLARE_METATYPE(MessageIcon)
Q_DECLARE_METATYPE(FileDialogRequest::Kind)

// Runs the action on the modal dialog once it shows; the action must close it.
template<typename Dialog>
void whenShown(std::function<void(Dialog *)> action)
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            action(dialog);
        }
    });
    timer->start(10);
}

class TestQtWindowDialogs : public QObject
{
    Q_OBJECT

private slots:
    void messageBox_data()
    {
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<QMessageBox::Icon>("boxIcon");
        QTest::addRow("none") << MessageIcon::None << QMessageBox::NoIcon;
        QTest::addRow("critical") << MessageIcon::Critical << QMessageBox::Critical;
        QTest::addRow("exclamation") << MessageIcon::Exclamation << QMessageBox::Warning;
    }

    void messageBox()
    {
        QFETCH(MessageIcon, icon);
        QFETCH(QMessageBox::Icon, boxIcon);
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QString seenText, seenTitle;
        qsizetype buttons = 0;
        whenShown<QMessageBox>([&](QMessageBox *box) {
            seenIcon = box->icon();
            seenText = box->text();
            seenTitle = box->windowTitle();
            buttons = box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        });
        QtWindowDialogs dialogs;
        dialogs.showMessage({QStringLiteral("用户放弃写入"), QStringLiteral("放弃提示"), icon});
        QCOMPARE(seenIcon, boxIcon);
        QCOMPARE(seenText, QStringLiteral("用户放弃写入"));
        QCOMPARE(seenTitle, QStringLiteral("放弃提示"));
        QCOMPARE(buttons, qsizetype(1));
    }

    void question_data()
    {
        QTest::addColumn<QString>("press"); // a button's caption, or a key
        QTest::addColumn<bool>("yes");
        QTest::addRow("是") << "是" << true;
        QTest::addRow("否") << "否" << false;
        QTest::addRow("Enter takes the default") << "Enter" << false;
        QTest::addRow("Escape") << "Escape" << false;
    }

    void question()
    {
        QFETCH(QString, press);
        QFETCH(bool, yes);
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QString seenText, seenTitle, seenDefault;
        QStringList seenButtons;
        whenShown<QMessageBox>([&](QMessageBox *box) {
            seenIcon = box->icon();
            seenText = box->text();
            seenTitle = box->windowTitle();
            for (QAbstractButton *button : box->buttons())
                seenButtons.append(button->text());
            seenDefault = box->defaultButton() ? box->defaultButton()->text() : QString();
            if (press == u"Enter" || press == u"Escape") {
                QTest::keyClick(box, press == u"Enter" ? Qt::Key_Return : Qt::Key_Escape);
                return;
            }
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == press)
                    button->click();
            }
        });
        QtWindowDialogs dialogs;
        const bool answer = dialogs.askQuestion({QStringLiteral("要替换它吗？"), QStringLiteral("文件已存在")});
        QCOMPARE(answer, yes);
        QCOMPARE(seenIcon, QMessageBox::Question);
        QCOMPARE(seenText, QStringLiteral("要替换它吗？"));
        QCOMPARE(seenTitle, QStringLiteral("文件已存在"));
        seenButtons.sort();
        QCOMPARE(seenButtons, (QStringList{QStringLiteral("否"), QStringLiteral("是")}));
        QCOMPARE(seenDefault, QStringLiteral("否"));
    }

    void fileDialog_data()
    {
        QTest::addColumn<FileDialogRequest::Kind>("kind");
        QTest::addColumn<bool>("accept");
        QTest::addRow("open a lyric file") << FileDialogRequest::Kind::Open << true;
        QTest::addRow("open cancelled") << FileDialogRequest::Kind::Open << false;
        QTest::addRow("save under a new name") << FileDialogRequest::Kind::Save << true;
        QTest::addRow("save cancelled") << FileDialogRequest::Kind::Save << false;
    }

    void fileDialog()
    {
        QFETCH(FileDialogRequest::Kind, kind);
        QFETCH(bool, accept);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString lyric = writeBytes(dir.filePath(QStringLiteral("雨.lrc")), {});
        // Open presets an existing file, Save a name not yet taken; the user
        // takes the preset as it stands.
        const QString preset = kind == FileDialogRequest::Kind::Open ? lyric : dir.filePath(QStringLiteral("雨.txt"));
        const QStringList filters{QStringLiteral("lyric歌词文件 (*.lrc)"), QStringLiteral("所有文件 (*)")};

        QStringList seenFilters, seenSelection;
        QString seenActiveFilter;
        QFileDialog::AcceptMode seenMode = QFileDialog::AcceptOpen;
        whenShown<QFileDialog>([&](QFileDialog *dialog) {
            seenFilters = dialog->nameFilters();
            seenActiveFilter = dialog->selectedNameFilter();
            seenSelection = dialog->selectedFiles();
            seenMode = dialog->acceptMode();
            if (accept)
                static_cast<QDialog *>(dialog)->accept();
            else
                dialog->reject();
        });
        QtWindowDialogs dialogs;
        const std::optional<QString> result = dialogs.runFileDialog({kind, preset, filters});

        QCOMPARE(result, accept ? std::optional<QString>(preset) : std::nullopt);
        QCOMPARE(seenMode, kind == FileDialogRequest::Kind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        QCOMPARE(seenFilters, filters);
        QCOMPARE(seenActiveFilter, filters.first());
        QCOMPARE(seenSelection, QStringList{preset});
    }
};

QTEST_MAIN(TestQtWindowDialogs)
#include "tst_qtwindowdialogs.moc"
