#include "windowcommands.h"

#include "conversion.h"
#include "defaultdirectory.h"
#include "form1.h"
#include "textfile.h"
#include "txtwriter.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include <limits>

namespace {

const quint32 kGenerateHoverColor = 0x00C000C0;
const quint32 kGenerateRestColor = 0x00FFFFFF;

// Text boxes show lines ending in CR LF, as the lyric sheet is written.
QString asShownLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return {};
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

WindowCommands::WindowCommands(Form1 &window, DefaultDirectorySetting setting, QObject *parent)
    : QObject(parent)
    , window_(window)
    , setting_(std::move(setting))
{
    connect(window.Command1, &QPushButton::clicked, this, &WindowCommands::load);
    connect(window.Command2, &QPushButton::clicked, this, &WindowCommands::convert);
    connect(window.Command3, &QPushButton::clicked, this, &WindowCommands::generate);
    connect(window.Command4, &QPushButton::clicked, this, &WindowCommands::exit);
    connect(&window, &Form1::generateHovered, this, &WindowCommands::hoverOverGenerate);
    connect(&window, &Form1::backgroundHovered, this, &WindowCommands::hoverOverBackground);
    connect(window.Label1, &ClickableLabel::clicked, this, &WindowCommands::openDefaultDirectory);
    connect(window.Label2, &ClickableLabel::clicked, this, &WindowCommands::openAuthorPage);
    // Queued: the drop ends before any message box opens, so the program the
    // file came from is not held waiting for the user.
    connect(&window, &Form1::fileDropped, this, &WindowCommands::loadFile, Qt::QueuedConnection);
    connect(&window, &Form1::dropRefused, this, &WindowCommands::refuseDrop, Qt::QueuedConnection);
}

void WindowCommands::load()
{
    const std::optional<QString> chosen = window_.askOpenPath();
    if (chosen)
        loadFile(*chosen);
}

void WindowCommands::loadFile(const QString &path)
{
    if (path.isEmpty()) {
        window_.showMessage(messages::emptyFileName());
        return;
    }
    if (!QFileInfo(path).isFile()) {
        window_.showMessage(messages::sourceNotFound());
        return;
    }

    ConversionWorkspace &workspace = window_.workspace;
    workspace.sourcePath = path;
    // Only "first load or not" matters, so the count stops rather than overflows.
    if (workspace.loadCount < std::numeric_limits<int>::max())
        ++workspace.loadCount;
    if (workspace.loadCount != 1) {
        window_.Text1->clear();
        window_.Text2->clear();
        ResetWorkspace(workspace);
    }

    QStringList lines;
    QString error;
    if (!readTextLines(path, lines, error)) {
        window_.showMessage(messages::failure(error));
        return;
    }
    // Text1 is read-only and emptied before every load but the first, so the
    // file's lines are all it shows; one call keeps a large file fast.
    window_.Text1->setPlainText(asShownLines(lines));
    window_.Command2->setEnabled(true);
}

void WindowCommands::refuseDrop()
{
    window_.showMessage(messages::dropRefused());
}

void WindowCommands::convert()
{
    QString error;
    if (!convertSourceFile(window_.workspace, error)) {
        window_.showMessage(messages::failure(error));
        return;
    }
    window_.Text2->setPlainText(window_.workspace.resultText);
    window_.Command3->setEnabled(true);
}

void WindowCommands::generate()
{
    GenerateTxt(window_.workspace, window_, setting_);
}

void WindowCommands::exit()
{
    window_.close();
}

void WindowCommands::hoverOverGenerate()
{
    window_.setGenerateBackColor(kGenerateHoverColor);
    // The destination is shown the first time only; later it changes only
    // when a default directory is chosen.
    if (window_.Label1->isHidden()) {
        window_.Label1->show();
        showDestination();
    }
}

void WindowCommands::showDestination()
{
    const std::optional<QString> stored = setting_.storedDirectory();
    if (stored) {
        window_.workspace.defaultDir = *stored;
        window_.setDestinationCaption(destinationCaption(*stored));
    } else {
        window_.setDestinationCaption(destinationCaption(QStringLiteral("（暂未指定！）")));
    }
}

void WindowCommands::hoverOverBackground()
{
    window_.setGenerateBackColor(kGenerateRestColor);
}

void WindowCommands::openDefaultDirectory()
{
    const std::optional<QString> stored = setting_.storedDirectory();
    if (!stored) {
        window_.showMessage(messages::defaultDirectoryUnknown());
        return;
    }
    window_.workspace.defaultDir = *stored;
    if (!directoryExists(*stored)) {
        window_.showMessage(messages::folderMissing(*stored));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(*stored))) {
        window_.showMessage(messages::folderCannotBeOpened(*stored));
    }
}

void WindowCommands::openAuthorPage()
{
    // The program has no home page to open.
}
