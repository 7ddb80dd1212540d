#pragma once

#include "captionframe.h"
#include "clickablelabel.h"
#include "commondialog.h"
#include "conversionworkspace.h"
#include "defaultdirectorysetting.h"
#include "outputprompts.h"

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class WindowDialogs;

// The program's only window: two text boxes, four buttons, two option frames
// and two clickable labels at fixed places, and the one conversion workspace.
// It answers the output code's questions (OutputPrompts) with its own controls
// and dialogs.
class Form1 : public QWidget, public OutputPrompts
{
    Q_OBJECT

public:
    // The dialogs object must outlive the window. The setting is where the
    // default output directory is kept between runs.
    Form1(WindowDialogs &dialogs, DefaultDirectorySetting setting, QWidget *parent = nullptr);

    // Shows the Open dialog for a lyric file; nothing when the user cancels.
    std::optional<QString> askOpenPath();

    // Command3 is painted in its back colour; hovering changes it.
    void setCommand3BackColor(quint32 oleColor);

    bool savesToDefaultDirectory() const override;
    bool keepsSourceFileName() const override;
    std::optional<QString> askSavePath(const QString &presetPath) override;
    void setDestinationCaption(const QString &caption) override;
    void showMessage(const QString &text, const QString &title, MessageIcon icon) override;

    // The controls, in tab order; Option1 to Option4 sit inside their frames.
    QPlainTextEdit *const Text1;
    QPushButton *const Command1;
    QPushButton *const Command2;
    QPushButton *const Command3;
    QPlainTextEdit *const Text2;
    ClickableLabel *const Label1;
    QPushButton *const Command4;
    ClickableLabel *const Label2;
    CaptionFrame *const Frame1;
    QRadioButton *const Option1;
    QRadioButton *const Option2;
    CaptionFrame *const Frame2;
    QRadioButton *const Option3;
    QRadioButton *const Option4;

    // The Open dialog for the lyric file and the Save dialog for the output.
    CommonDialog CommonDialog1;
    CommonDialog CommonDialog2;

    ConversionWorkspace workspace;

signals:
    // The mouse moved over Command3 while it is enabled.
    void command3MouseMoved();
    // The mouse moved over the window itself, not over a control. A disabled
    // Command3 counts as background: it gets no mouse moves of its own.
    void backgroundMouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOutControls();
    void setInitialState();

    WindowDialogs &dialogs_;
    QColor backColor_;
};
