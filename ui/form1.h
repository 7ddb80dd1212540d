#pragma once

#include "captionframe.h"
#include "clickablelabel.h"
#include "commondialog.h"
#include "conversionworkspace.h"
#include "outputprompts.h"

#include <QWidget>

class QAction;
class QDropEvent;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class WindowDialogs;

// The program's only window: two text boxes, four buttons, two option frames
// and two clickable labels at fixed places, and the one conversion workspace.
// It answers the output code's questions (OutputPrompts) with its own controls
// and dialogs. It is a view: WindowCommands gives the controls their work.
// A file dropped anywhere on it, the text boxes included, is announced with
// fileDropped; anything else dropped with dropRefused.
//
// The controls keep the names our documents and tests use:
//
//   name           what it is                       caption / role
//   Form1          the window                       "QuorvaneV<version>"
//   Text1          left text box                    the loaded lyric file, as read
//   Text2          right text box (orange, Kai)     the converted sheet
//   Command1       button                           "加载歌词": load a lyric file
//   Command2       button                           "转换成TXT格式": convert it
//   Command3       button (white, purple on hover)  "生成TXT": write the sheet
//   Command4       red button, top right            "×": close the program
//   Label1         orange label, hidden at first    "TXT文件将生成在…": the default
//                                                   folder; a click opens it
//   Label2         credit line at the bottom        author and rights notice
//   Frame1         option frame                     "保存目录": where to write
//   Option1        in Frame1                        "保存到默认目录": the default folder
//   Option2        in Frame1                        "保存到新目录": ask in a Save dialog
//   Frame2         option frame                     "保存文件名": under what name
//   Option3        in Frame2                        "原文件名": the lyric file's own name
//   Option4        in Frame2                        "自定义文件名": ask in a Save dialog
//   CommonDialog1  Open dialog                      picks the lyric file
//   CommonDialog2  Save dialog                      picks the output path, or the
//                                                   default folder by a dummy name
//
// Text1's context menu holds, beside the text box's own entries, the submenu
// "编码" (encodingMenu): the encoding the loaded file is read in. Label1 and
// Frame1 both offer "更改默认目录…" in their context menus.
class Form1 : public QWidget, public OutputPrompts
{
    Q_OBJECT

public:
    // The dialogs object must outlive the window.
    explicit Form1(WindowDialogs &dialogs, QWidget *parent = nullptr);

    // Shows the Open dialog for a lyric file; nothing when the user cancels.
    std::optional<QString> askOpenPath();

    // "生成TXT" is painted in its back colour; hovering changes it.
    void setGenerateBackColor(quint32 oleColor);

    // Shows the encoding Text1's file was read in as Text1's tooltip
    // ("编码：GB18030"), checks the user's choice in the "编码" menu (an empty
    // choice is "自动检测") and enables that menu.
    void showEncoding(const QString &used, const QString &chosen);

    // Text1's context menu: the text box's own entries, then "编码". The
    // caller owns it.
    QMenu *createText1ContextMenu();

    bool savesToDefaultDirectory() const override;
    bool keepsSourceFileName() const override;
    std::optional<QString> askSavePath(const QString &presetPath) override;
    void setDestinationCaption(const QString &caption) override;
    void showMessage(const Message &message) override;
    bool confirmReplace(const QString &path) override;

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

    // "更改默认目录…" in the context menus of Label1 and Frame1.
    QAction *const changeDefaultDirectoryAction;

    // The Open dialog for the lyric file and the Save dialog for the output.
    CommonDialog CommonDialog1;
    CommonDialog CommonDialog2;

    // "编码": "自动检测" and every encoding in choosableEncodings(), each
    // action carrying its encoding name as data ("" for "自动检测"). Disabled
    // until a file is loaded.
    QMenu *const encodingMenu;

    ConversionWorkspace workspace;

signals:
    // An entry of the "编码" menu was chosen; an empty name is "自动检测".
    void encodingChosen(const QString &encoding);
    // The mouse moved over "生成TXT" (Command3) while it is enabled.
    void generateHovered();
    // The mouse moved over the window itself, not over a control. A disabled
    // "生成TXT" counts as background: it gets no mouse moves of its own.
    void backgroundHovered();
    // A local file was dropped on the window; several files: the first one.
    void fileDropped(const QString &path);
    // Something that is not a local file (a web address, text) was dropped.
    void dropRefused();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void layOutControls();
    void setInitialState();
    void buildEncodingMenu();
    void takeDropsOnTextBoxes();
    bool handleDragEvent(QEvent *event);

    WindowDialogs &dialogs_;
    QColor backColor_;
};
