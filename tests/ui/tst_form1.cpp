#include "form1.h"
#include "scripteddialogs.h"
#include "version.h"

#include <QApplication>
#include <QFontInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        dialogs_ = std::make_unique<ScriptedDialogs>();
        form_ = std::make_unique<Form1>(*dialogs_);
    }

    void cleanup()
    {
        form_.reset();
        dialogs_.reset();
    }

    void window()
    {
        QCOMPARE(form_->windowTitle(), QStringLiteral("QuorvaneV" QUORVANE_VERSION));
        QCOMPARE(form_->minimumSize(), QSize(853, 453));
        QCOMPARE(form_->maximumSize(), QSize(853, 453));
        QVERIFY2(!form_->windowIcon().availableSizes().isEmpty(), "the icon resource is not linked in");
    }

    void controlSitsInItsContainer_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("container");
        for (const char *name : {"Text1", "Text2", "Command1", "Command2", "Command3", "Command4", "Label1",
                                 "Label2", "Frame1", "Frame2"})
            QTest::addRow("%s", name) << QString::fromLatin1(name) << QStringLiteral("Form1");
        QTest::addRow("Option1") << QStringLiteral("Option1") << QStringLiteral("Frame1");
        QTest::addRow("Option2") << QStringLiteral("Option2") << QStringLiteral("Frame1");
        QTest::addRow("Option3") << QStringLiteral("Option3") << QStringLiteral("Frame2");
        QTest::addRow("Option4") << QStringLiteral("Option4") << QStringLiteral("Frame2");
    }

    void controlSitsInItsContainer()
    {
        QFETCH(QString, control);
        QFETCH(QString, container);
        QWidget *widget = form_->findChild<QWidget *>(control);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), "sticks out of its container");
    }

    // A few places checked to the pixel, one per kind of container and edge.
    void placesInPixels_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::addRow("Text2 on the window") << QStringLiteral("Text2") << QRect(432, 24, 409, 257);
        QTest::addRow("Command4 at the top edge") << QStringLiteral("Command4") << QRect(784, 0, 33, 25);
        QTest::addRow("Option4 inside its frame") << QStringLiteral("Option4") << QRect(8, 40, 97, 17);
    }

    void placesInPixels()
    {
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        QCOMPARE(form_->findChild<QWidget *>(control)->geometry(), geometry);
    }

    void layoutLinesUp()
    {
        const int bottom = form_->Command1->geometry().bottom();
        for (QWidget *widget : std::initializer_list<QWidget *>{form_->Command2, form_->Command3, form_->Frame1, form_->Frame2})
            QCOMPARE(widget->geometry().bottom(), bottom);
        QCOMPARE(form_->Text1->size(), form_->Text2->size());
        QCOMPARE(form_->Text1->y(), form_->Text2->y());
        QCOMPARE(form_->Text2->geometry().right(), form_->Frame1->geometry().right());
        QCOMPARE(form_->Option1->pos(), form_->Option3->pos());
        QCOMPARE(form_->Option2->x(), form_->Option1->x());
        QVERIFY(form_->Option2->y() >= form_->Option1->geometry().bottom());
    }

    void initialState_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("visible");
        for (const char *name : {"Text1", "Text2", "Command1", "Command4", "Label2", "Frame1", "Frame2"})
            QTest::addRow("%s", name) << QString::fromLatin1(name) << true << true;
        QTest::addRow("Command2") << QStringLiteral("Command2") << false << true;
        QTest::addRow("Command3") << QStringLiteral("Command3") << false << true;
        QTest::addRow("Label1") << QStringLiteral("Label1") << true << false;
    }

    void initialState()
    {
        QFETCH(QString, control);
        QFETCH(bool, enabled);
        QFETCH(bool, visible);
        QWidget *widget = form_->findChild<QWidget *>(control);
        QCOMPARE(widget->isEnabled(), enabled);
        QCOMPARE(widget->isVisibleTo(form_.get()), visible);
        QVERIFY(form_->Text1->toPlainText().isEmpty());
        QVERIFY(form_->Text2->toPlainText().isEmpty());
        QCOMPARE(form_->workspace.loadCount, 0);
    }

    void onlyEnabledButtonsRespond()
    {
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        for (QPushButton *button : {form_->Command1, form_->Command2, form_->Command3, form_->Command4}) {
            QSignalSpy clicked(button, &QPushButton::clicked);
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(clicked.size(), button->isEnabled() ? 1 : 0);
        }
        QSignalSpy labelClicked(form_->Label2, &ClickableLabel::clicked);
        QTest::mouseClick(form_->Label2, Qt::LeftButton);
        QTest::mouseClick(form_->Label2, Qt::RightButton);
        QCOMPARE(labelClicked.size(), 1);
    }

    void optionFramesChooseIndependently()
    {
        QCOMPARE(form_->savesToDefaultDirectory(), true);
        QCOMPARE(form_->keepsSourceFileName(), true);
        QTest::mouseClick(form_->Option2, Qt::LeftButton);
        QCOMPARE(form_->Option1->isChecked(), false);
        QCOMPARE(form_->savesToDefaultDirectory(), false);
        QCOMPARE(form_->keepsSourceFileName(), true);
        QTest::mouseClick(form_->Option4, Qt::LeftButton);
        QCOMPARE(form_->Option2->isChecked(), true);
        QCOMPARE(form_->keepsSourceFileName(), false);
    }

    void colors_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPalette::ColorRole>("role");
        QTest::addColumn<QColor>("expected");
        QTest::addRow("Text2 text is orange") << "Text2" << QPalette::Text << QColor(255, 128, 0);
        QTest::addRow("Text1 text is default") << "Text1" << QPalette::Text << QApplication::palette().color(QPalette::Text);
        QTest::addRow("Label1 is orange") << "Label1" << QPalette::Window << QColor(255, 128, 0);
        QTest::addRow("Label2 text is magenta") << "Label2" << QPalette::WindowText << QColor(255, 0, 255);
        QTest::addRow("Frame2 is pink") << "Frame2" << QPalette::Window << QColor(255, 192, 192);
        QTest::addRow("Frame2 caption is default")
            << "Frame2" << QPalette::WindowText << QApplication::palette().color(QPalette::WindowText);
        QTest::addRow("Command1 is default") << "Command1" << QPalette::Button << QApplication::palette().color(QPalette::Button);
    }

    void colors()
    {
        QFETCH(QString, control);
        QFETCH(QPalette::ColorRole, role);
        QFETCH(QColor, expected);
        QCOMPARE(form_->findChild<QWidget *>(control)->palette().color(role).name(), expected.name());
    }

    // What the user sees: a pixel of each coloured surface, away from any text.
    void colorsShowOnScreen_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QColor>("expected");
        QTest::addRow("window background") << "Form1" << QPoint(4, 300) << QColor(255, 255, 192);
        QTest::addRow("Command3 white") << "Command3" << QPoint(5, 5) << QColor(255, 255, 255);
        QTest::addRow("Command4 red") << "Command4" << QPoint(4, 4) << QColor(255, 0, 0);
        QTest::addRow("Label2 olive") << "Label2" << QPoint(2, 2) << QColor(192, 192, 0);
        QTest::addRow("Frame1 pink") << "Frame1" << QPoint(60, 61) << QColor(255, 192, 192);
        QTest::addRow("Option4 green") << "Option4" << QPoint(95, 1) << QColor(0, 255, 0);
    }

    void colorsShowOnScreen()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, offset);
        QFETCH(QColor, expected);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QWidget *widget = control == QLatin1String("Form1") ? form_.get() : form_->findChild<QWidget *>(control);
        const QImage image = form_->grab().toImage();
        QCOMPARE(image.pixelColor(widget->mapTo(form_.get(), offset)).name(), expected.name());
    }

    void command3BackColorChanges()
    {
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        form_->setGenerateBackColor(0x00C000C0);
        const QPoint inside = form_->Command3->mapTo(form_.get(), QPoint(5, 5));
        QCOMPARE(form_->grab().toImage().pixelColor(inside).name(), QColor(192, 0, 192).name());
        form_->setGenerateBackColor(0x00FFFFFF);
        QCOMPARE(form_->grab().toImage().pixelColor(inside).name(), QColor(255, 255, 255).name());
    }

    void fonts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("bold");
        QTest::addRow("Text2 Kai") << "Text2" << 12 << false;
        QTest::addRow("Label1 Hei") << "Label1" << 15 << false;
        QTest::addRow("Command4 Hei bold") << "Command4" << 18 << true;
    }

    void fonts()
    {
        QFETCH(QString, control);
        QFETCH(int, pointSize);
        QFETCH(bool, bold);
        const QFont font = form_->findChild<QWidget *>(control)->font();
        QCOMPARE(font.pointSize(), pointSize);
        QCOMPARE(font.bold(), bold);
        // One of the asked faces or their stand-ins must really be installed.
        const QString resolved = QFontInfo(font).family();
        QVERIFY2(font.families().contains(resolved), qPrintable(resolved + " is not one of " + font.families().join(", ")));
    }

    void tabOrder_data()
    {
        QTest::addColumn<bool>("allEnabled");
        QTest::addColumn<bool>("otherOptions");
        QTest::addColumn<bool>("backward");
        QTest::addColumn<QStringList>("sequence");
        const QStringList startUp{"Command1", "Text2", "Command4", "Option1", "Option3", "Text1"};
        const QStringList afterConvert{"Command1", "Command2", "Command3", "Text2", "Command4", "Option1", "Option3", "Text1"};
        const QStringList otherOptions{"Command1", "Text2", "Command4", "Option2", "Option4", "Text1"};
        QTest::addRow("at start-up, Tab") << false << false << false << startUp;
        QTest::addRow("at start-up, Shift+Tab") << false << false << true << startUp;
        QTest::addRow("after Convert, Tab") << true << false << false << afterConvert;
        QTest::addRow("after Convert, Shift+Tab") << true << false << true << afterConvert;
        QTest::addRow("other options chosen, Tab") << false << true << false << otherOptions;
        QTest::addRow("other options chosen, Shift+Tab") << false << true << true << otherOptions;
    }

    // sequence is the focus after each Tab from Text1; Shift+Tab walks it back.
    void tabOrder()
    {
        QFETCH(bool, allEnabled);
        QFETCH(bool, otherOptions);
        QFETCH(bool, backward);
        QFETCH(QStringList, sequence);
        form_->Command2->setEnabled(allEnabled);
        form_->Command3->setEnabled(allEnabled);
        form_->Option2->setChecked(otherOptions);
        form_->Option4->setChecked(otherOptions);
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QCOMPARE(focusName(), QStringLiteral("Text1"));

        if (backward) {
            QStringList reversed(sequence.crbegin() + 1, sequence.crend());
            reversed.append(QStringLiteral("Text1"));
            sequence = reversed;
        }
        QStringList visited;
        for (qsizetype i = 0; i < sequence.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), backward ? Qt::Key_Backtab : Qt::Key_Tab);
            visited.append(focusName());
        }
        QCOMPARE(visited, sequence);
    }

    void openDialogAsksForLyricFilesFirst()
    {
        dialogs_->answers = {QStringLiteral("/music/雨.lrc")};
        QCOMPARE(form_->CommonDialog1.show(*dialogs_), std::optional<QString>(QStringLiteral("/music/雨.lrc")));
        QCOMPARE(form_->CommonDialog1.show(*dialogs_), std::nullopt);
        QCOMPARE(dialogs_->requests.size(), 2);
        const FileDialogRequest &request = dialogs_->requests.at(1);
        QCOMPARE(request.kind, FileDialogRequest::Kind::Open);
        QCOMPARE(request.fileName, QStringLiteral("/music/雨.lrc"));
        QCOMPARE(request.nameFilters,
                 (QStringList{QStringLiteral("lyric歌词文件 (*.lrc)"), QStringLiteral("所有文件 (*)")}));
    }

    void answersTheOutputCode()
    {
        dialogs_->answers = {QStringLiteral("/out/mine.txt"), std::nullopt};
        QCOMPARE(form_->askSavePath(QStringLiteral("/lyrics/Rain.txt")), std::optional<QString>(QStringLiteral("/out/mine.txt")));
        QCOMPARE(form_->askSavePath(QStringLiteral("/lyrics/Snow.txt")), std::nullopt);
        QCOMPARE(dialogs_->requests.size(), 2);
        QCOMPARE(dialogs_->requests.at(1).kind, FileDialogRequest::Kind::Save);
        QCOMPARE(dialogs_->requests.at(1).fileName, QStringLiteral("/lyrics/Snow.txt"));
        QVERIFY(dialogs_->requests.at(1).nameFilters.isEmpty());

        form_->setDestinationCaption(QStringLiteral("TXT文件将生成在/out"));
        QCOMPARE(form_->Label1->text(), QStringLiteral("TXT文件将生成在/out"));
        QCOMPARE(form_->Label1->isVisibleTo(form_.get()), false);

        form_->showMessage({QStringLiteral("重新录入！"), QStringLiteral("错误"), MessageIcon::Exclamation});
        QCOMPARE(dialogs_->messages.size(), 1);
        QCOMPARE(dialogs_->messages.at(0).title, QStringLiteral("错误"));
        QCOMPARE(dialogs_->messages.at(0).icon, MessageIcon::Exclamation);
    }

    void text1ContextMenuChoosesEncoding()
    {
        const std::unique_ptr<QMenu> menu(form_->createText1ContextMenu());
        QVERIFY(menu->actions().contains(form_->encodingMenu->menuAction()));
        QCOMPARE(form_->encodingMenu->title(), QStringLiteral("编码"));
        QStringList captions;
        for (const QAction *action : form_->encodingMenu->actions())
            captions.append(action->text());
        QCOMPARE(captions, (QStringList{"自动检测", "UTF-8", "GB18030", "Big5", "Shift_JIS", "EUC-KR",
                                        "UTF-16LE", "UTF-16BE"}));
        // Nothing is loaded yet, so there is nothing to read again.
        QVERIFY(!form_->encodingMenu->isEnabled());
        QVERIFY(form_->Text1->toolTip().isEmpty());

        form_->showEncoding(QStringLiteral("Big5"), QString());
        QCOMPARE(form_->Text1->toolTip(), QStringLiteral("编码：Big5"));
        QVERIFY(form_->encodingMenu->isEnabled());
        QVERIFY(form_->encodingMenu->actions().at(0)->isChecked());

        QSignalSpy chosen(form_.get(), &Form1::encodingChosen);
        form_->encodingMenu->actions().at(6)->trigger();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), QStringLiteral("UTF-16LE"));
    }

    void rightClickOnText1ShowsTheMenu()
    {
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        bool hasEncodingMenu = false;
        // The menu runs modally; a timer looks at it and closes it.
        QTimer::singleShot(0, this, [&] {
            if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                hasEncodingMenu = popup->actions().contains(form_->encodingMenu->menuAction());
                popup->close();
            }
        });
        QWidget *viewport = form_->Text1->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), viewport->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(viewport, &event);
        QVERIFY(hasEncodingMenu);
        QVERIFY(!QApplication::activePopupWidget());
    }

    void mouseMoves_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("command3Enabled");
        QTest::addColumn<int>("overCommand3");
        QTest::addColumn<int>("overBackground");
        QTest::addRow("bare window") << "Form1" << true << 0 << 1;
        QTest::addRow("enabled Command3") << "Command3" << true << 1 << 0;
        QTest::addRow("disabled Command3") << "Command3" << false << 0 << 1;
        QTest::addRow("another button") << "Command1" << true << 0 << 0;
        QTest::addRow("an option frame") << "Frame1" << true << 0 << 0;
        QTest::addRow("a label") << "Label2" << true << 0 << 0;
    }

    void mouseMoves()
    {
        QFETCH(QString, target);
        QFETCH(bool, command3Enabled);
        QFETCH(int, overCommand3);
        QFETCH(int, overBackground);
        form_->Command3->setEnabled(command3Enabled);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QSignalSpy command3(form_.get(), &Form1::generateHovered);
        QSignalSpy background(form_.get(), &Form1::backgroundHovered);
        QWidget *widget = target == QLatin1String("Form1") ? form_.get() : form_->findChild<QWidget *>(target);
        const QPoint at = target == QLatin1String("Form1") ? QPoint(4, 300) : QPoint(3, 3);
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
        QCOMPARE(command3.size(), overCommand3);
        QCOMPARE(background.size(), overBackground);
    }

private:
    static QString focusName()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Form1> form_;
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
