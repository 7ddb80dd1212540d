#include "form1.h"

#include "droppedfile.h"
#include "olecolor.h"
#include "textfile.h"
#include "twips.h"
#include "version.h"
#include "windowdialogs.h"

#include <QAction>
#include <QActionGroup>
#include <QDropEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

static void loadWindowResources()
{
    Q_INIT_RESOURCE(quorvane);
}

namespace {

const quint32 kWindowBackColor = 0x00C0FFFF;
const quint32 kOrange = 0x000080FF;
const quint32 kWhite = 0x00FFFFFF;
const quint32 kRed = 0x000000FF;
const quint32 kOlive = 0x0000C0C0;
const quint32 kMagenta = 0x00FF00FF;
const quint32 kPink = 0x00C0C0FF;
const quint32 kGreen = 0x0000FF00;

// The sheet and the big captions are set in the Windows faces 楷体_GB2312 and
// 黑体; where those are missing, the Kai and Hei faces Debian ships
// (fonts-arphic-ukai, fonts-wqy-zenhei) stand in.
QFont kaiFont(int pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi"),
                      QStringLiteral("AR PL UKai CN")});
    font.setPointSize(pointSize);
    return font;
}

QFont heiFont(int pointSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("黑体"), QStringLiteral("SimHei"),
                      QStringLiteral("WenQuanYi Zen Hei")});
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

void makeTextBox(QPlainTextEdit *box)
{
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The program never reads the boxes back; the user may still select and copy.
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setUndoRedoEnabled(false);
    box->setTabChangesFocus(true);
}

// The window only ever reads a dropped file: it asks the source for a copy
// (or a link), never for a move that could take the file away from it.
bool acceptAsCopy(QDropEvent *event)
{
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
        if (event->possibleActions() & action) {
            event->setDropAction(action);
            event->accept();
            return true;
        }
    }
    event->ignore();
    return false;
}

// Tab enters an option frame at its selected button only; the arrow keys move
// within the frame.
void makeTabStopFollowSelection(QRadioButton *option)
{
    const auto follow = [option](bool checked) {
        option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    };
    follow(option->isChecked());
    QObject::connect(option, &QRadioButton::toggled, option, follow);
}

} // namespace

Form1::Form1(WindowDialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , Text1(new QPlainTextEdit(this))
    , Command1(new QPushButton(QStringLiteral("加载歌词"), this))
    , Command2(new QPushButton(QStringLiteral("转换成TXT格式"), this))
    , Command3(new QPushButton(QStringLiteral("生成TXT"), this))
    , Text2(new QPlainTextEdit(this))
    , Label1(new ClickableLabel(QStringLiteral("TXT文件将生成在："), this))
    , Command4(new QPushButton(QStringLiteral("×"), this))
    , Label2(new ClickableLabel(QStringLiteral("Quorvane 歌词转换 © Quorvane 开发组 保留所有权利"), this))
    , Frame1(new CaptionFrame(QStringLiteral("保存目录"), this))
    , Option1(new QRadioButton(QStringLiteral("保存到默认目录"), Frame1))
    , Option2(new QRadioButton(QStringLiteral("保存到新目录"), Frame1))
    , Frame2(new CaptionFrame(QStringLiteral("保存文件名"), this))
    , Option3(new QRadioButton(QStringLiteral("原文件名"), Frame2))
    , Option4(new QRadioButton(QStringLiteral("自定义文件名"), Frame2))
    , changeDefaultDirectoryAction(new QAction(QStringLiteral("更改默认目录…"), this))
    , CommonDialog1(FileDialogRequest::Kind::Open,
                    nameFiltersFrom(QStringLiteral("lyric歌词文件|*.lrc|所有文件|*.*")))
    , CommonDialog2(FileDialogRequest::Kind::Save)
    , encodingMenu(new QMenu(QStringLiteral("编码"), this))
    , dialogs_(dialogs)
    , backColor_(fromOleColor(kWindowBackColor))
{
    loadWindowResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("QuorvaneV") + QLatin1String(QUORVANE_VERSION));
    setWindowIcon(QIcon(QStringLiteral(":/quorvane.png")));
    setFixedSize(twipsToPixels(12795), twipsToPixels(6795));

    // The controls sit at fixed pixel places, so the system font keeps its
    // family but not a size that would no longer fit the captions.
    QFont windowFont = font();
    windowFont.setPointSize(9);
    setFont(windowFont);

    layOutControls();
    setInitialState();
    buildEncodingMenu();

    setMouseTracking(true);
    Command3->setMouseTracking(true);
    Command3->installEventFilter(this);

    setAcceptDrops(true);
    takeDropsOnTextBoxes();
}

void Form1::takeDropsOnTextBoxes()
{
    // A text box and its viewport answer drags themselves (a read-only one
    // refuses them, an editable one would insert dropped text), so the window
    // watches them and takes every drop on them as its own.
    for (QPlainTextEdit *box : {Text1, Text2}) {
        box->installEventFilter(this);
        box->viewport()->installEventFilter(this);
    }
}

void Form1::layOutControls()
{
    const auto place = [](QWidget *control, const char *name, QRect geometry) {
        control->setObjectName(QLatin1String(name));
        control->setGeometry(geometry);
    };
    place(Text1, "Text1", twipsRect(360, 360, 6135, 3855));
    place(Command1, "Command1", twipsRect(480, 5400, 1695, 615));
    place(Command2, "Command2", twipsRect(4560, 5400, 1935, 615));
    place(Command3, "Command3", twipsRect(9360, 5160, 1215, 855));
    place(Text2, "Text2", twipsRect(6480, 360, 6135, 3855));
    place(Label1, "Label1", twipsRect(1560, 4320, 9975, 615));
    place(Command4, "Command4", twipsRect(11760, 0, 495, 375));
    place(Label2, "Label2", twipsRect(3720, 6360, 5895, 255));
    place(Frame1, "Frame1", twipsRect(10680, 5040, 1935, 975));
    place(Option1, "Option1", twipsRect(120, 240, 1575, 255));
    place(Option2, "Option2", twipsRect(120, 600, 1455, 255));
    place(Frame2, "Frame2", twipsRect(7080, 5040, 1815, 975));
    place(Option3, "Option3", twipsRect(120, 240, 1575, 255));
    place(Option4, "Option4", twipsRect(120, 600, 1455, 255));

    makeTextBox(Text1);
    makeTextBox(Text2);
    Text2->setFont(kaiFont(12));
    setTextColor(Text2, fromOleColor(kOrange));

    setButtonColor(Command3, fromOleColor(kWhite));
    setButtonColor(Command4, fromOleColor(kRed));
    Command4->setFont(heiFont(18, true));
    Command4->setToolTip(QStringLiteral("Close"));

    Label1->setFont(heiFont(15));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    setBackColor(Label1, fromOleColor(kOrange));
    Label1->setToolTip(QStringLiteral("打开目录"));
    Label1->setCursor(Qt::PointingHandCursor);

    Label2->setAlignment(Qt::AlignCenter);
    setBackColor(Label2, fromOleColor(kOlive));
    setCaptionColor(Label2, fromOleColor(kMagenta));
    Label2->setCursor(Qt::PointingHandCursor);

    for (CaptionFrame *frame : {Frame1, Frame2})
        setBackColor(frame, fromOleColor(kPink));

    for (QRadioButton *option : {Option1, Option2, Option3, Option4})
        setBackColor(option, fromOleColor(kGreen));
}

void Form1::setInitialState()
{
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Label1->hide();
    Option1->setChecked(true);
    Option3->setChecked(true);
    for (QRadioButton *option : {Option1, Option2, Option3, Option4})
        makeTabStopFollowSelection(option);

    // Both controls are about where the sheet goes; the option buttons pass
    // their right-clicks on to the frame.
    for (QWidget *control : std::initializer_list<QWidget *>{Label1, Frame1}) {
        control->addAction(changeDefaultDirectoryAction);
        control->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

void Form1::buildEncodingMenu()
{
    auto *group = new QActionGroup(encodingMenu);
    const auto add = [this, group](const QString &caption, const QString &encoding) {
        QAction *action = encodingMenu->addAction(caption);
        action->setData(encoding);
        action->setCheckable(true);
        group->addAction(action);
    };
    add(QStringLiteral("自动检测"), QString());
    for (const QString &encoding : choosableEncodings())
        add(encoding, encoding);
    encodingMenu->actions().constFirst()->setChecked(true);
    encodingMenu->setEnabled(false);
    connect(group, &QActionGroup::triggered, this,
            [this](QAction *action) { emit encodingChosen(action->data().toString()); });

    Text1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Text1, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        const std::unique_ptr<QMenu> menu(createText1ContextMenu());
        menu->exec(Text1->viewport()->mapToGlobal(position));
    });
}

QMenu *Form1::createText1ContextMenu()
{
    QMenu *menu = Text1->createStandardContextMenu();
    menu->addSeparator();
    menu->addMenu(encodingMenu);
    return menu;
}

void Form1::showEncoding(const QString &used, const QString &chosen)
{
    Text1->setToolTip(QStringLiteral("编码：") + used);
    for (QAction *action : encodingMenu->actions())
        action->setChecked(action->data().toString() == chosen);
    encodingMenu->setEnabled(true);
}

void Form1::setGenerateBackColor(quint32 oleColor)
{
    setButtonColor(Command3, fromOleColor(oleColor));
}

bool Form1::savesToDefaultDirectory() const
{
    return Option1->isChecked();
}

bool Form1::keepsSourceFileName() const
{
    return Option3->isChecked();
}

std::optional<QString> Form1::askOpenPath()
{
    return CommonDialog1.show(dialogs_);
}

std::optional<QString> Form1::askSavePath(const QString &presetPath)
{
    CommonDialog2.setFileName(presetPath);
    return CommonDialog2.show(dialogs_);
}

void Form1::setDestinationCaption(const QString &caption)
{
    Label1->setText(caption);
}

void Form1::showMessage(const Message &message)
{
    dialogs_.showMessage(message);
}

bool Form1::confirmReplace(const QString &path)
{
    return dialogs_.askQuestion(messages::replaceExistingSheet(path));
}

void Form1::paintEvent(QPaintEvent *event)
{
    // Painted here rather than through the palette, which every control
    // would inherit.
    QPainter painter(this);
    painter.fillRect(rect(), backColor_);
    QWidget::paintEvent(event);
}

void Form1::mouseMoveEvent(QMouseEvent *event)
{
    // An enabled control that ignores a move passes it up to here; only moves
    // over no control at all count as the background.
    if (!childAt(event->position().toPoint()))
        emit backgroundHovered();
    QWidget::mouseMoveEvent(event);
}

bool Form1::handleDragEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        acceptAsCopy(static_cast<QDropEvent *>(event));
        return true;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!acceptAsCopy(drop))
            return true;
        if (const std::optional<QString> path = droppedLocalFile(drop->mimeData()))
            emit fileDropped(*path);
        else
            emit dropRefused();
        return true;
    }
    default:
        return false;
    }
}

void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    handleDragEvent(event);
}

void Form1::dragMoveEvent(QDragMoveEvent *event)
{
    handleDragEvent(event);
}

void Form1::dropEvent(QDropEvent *event)
{
    handleDragEvent(event);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    const bool onTextBox = watched == Text1 || watched == Text2 || watched == Text1->viewport()
                           || watched == Text2->viewport();
    if (onTextBox && handleDragEvent(event))
        return true;

    // A disabled button swallows mouse moves; to the user it is background.
    if (watched == Command3 && event->type() == QEvent::MouseMove) {
        if (Command3->isEnabled())
            emit generateHovered();
        else
            emit backgroundHovered();
    }
    return QWidget::eventFilter(watched, event);
}
