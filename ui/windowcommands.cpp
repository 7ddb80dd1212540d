#include "windowcommands.h"

#include "busycursor.h"
#include "conversion.h"
#include "defaultdirectory.h"
#include "form1.h"
#include "textboxtext.h"
#include "textfile.h"
#include "txtwriter.h"

#include <QAction>
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
    connect(&window, &Form1::encodingChosen, this, &WindowCommands::chooseEncoding);
    connect(&window, &Form1::generateHovered, this, &WindowCommands::hoverOverGenerate);
    connect(&window, &Form1::backgroundHovered, this, &WindowCommands::hoverOverBackground);
    connect(window.Label1, &ClickableLabel::clicked, this, &WindowCommands::openDefaultDirectory);
    connect(window.Label2, &ClickableLabel::clicked, this, &WindowCommands::openAuthorPage);
    connect(window.changeDefaultDirectoryAction, &QAction::triggered, this,
            &WindowCommands::changeDefaultDirectory);
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
    const QFileInfo info(path);
    if (!info.exists()) {
        window_.showMessage(messages::sourceNotFound());
        return;
    }
    if (!info.isFile()) {
        window_.showMessage(messages::sourceNotAFile(path));
        return;
    }
    if (info.size() > kMaxTextFileBytes) {
        window_.showMessage(messages::sourceTooLarge(path, kMaxTextFileBytes));
        return;
    }

    // Read before anything changes, so a file that cannot be read or is no
    // text leaves the window and the loaded file as they were.
    QString text;
    QString encoding;
    QString error;
    bool read = false;
    {
        const BusyCursor busy;
        read = readTextFile(path, text, error, QString(), &encoding);
    }
    if (!read) {
        window_.showMessage(messages::failure(error));
        return;
    }

    ConversionWorkspace &workspace = window_.workspace;
    workspace.sourcePath = path;
    workspace.sourceEncoding.clear();
    workspace.readEncoding = encoding;
    // Only "first load or not" matters, so the count stops rather than overflows.
    if (workspace.loadCount < std::numeric_limits<int>::max())
        ++workspace.loadCount;
    if (workspace.loadCount != 1) {
        window_.Text1->clear();
        window_.Text2->clear();
        ResetWorkspace(workspace);
    }

    {
        // Text1 is read-only and emptied before every load but the first, so
        // the file's lines are all it shows; one call keeps a large file fast.
        const BusyCursor busy;
        window_.Text1->setPlainText(shownText(text));
    }
    window_.showEncoding(encoding, QString());
    window_.Command2->setEnabled(true);
}

void WindowCommands::chooseEncoding(const QString &encoding)
{
    ConversionWorkspace &workspace = window_.workspace;
    if (workspace.sourcePath.isEmpty())
        return;
    QString text;
    QString used;
    QString error;
    bool read = false;
    {
        const BusyCursor busy;
        read = readTextFile(workspace.sourcePath, text, error, encoding, &used);
    }
    if (!read) {
        window_.showMessage(messages::failure(error));
        window_.showEncoding(workspace.readEncoding, workspace.sourceEncoding);
        return;
    }

    workspace.sourceEncoding = encoding;
    workspace.readEncoding = used;
    // A sheet converted from the file as it was read before would no longer
    // match Text1.
    window_.Text2->clear();
    ResetWorkspace(workspace);
    {
        const BusyCursor busy;
        window_.Text1->setPlainText(shownText(text));
    }
    window_.showEncoding(used, encoding);
}

void WindowCommands::refuseDrop()
{
    window_.showMessage(messages::dropRefused());
}

void WindowCommands::convert()
{
    QString error;
    bool converted = false;
    {
        const BusyCursor busy;
        converted = convertSourceFile(window_.workspace, error);
        // After a failure the sheet is gone; the box must not show one that
        // Generate would not write.
        if (converted)
            window_.Text2->setPlainText(withLongLinesBroken(window_.workspace.resultText));
        else
            window_.Text2->clear();
    }
    if (!converted) {
        window_.showMessage(messages::failure(error));
        return;
    }
    window_.Command3->setEnabled(true);
    if (window_.workspace.entryCount == 0)
        window_.showMessage(messages::noTimedLyrics());
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
    const std::optional<QString> known = knownDefaultDirectory(window_.workspace, setting_);
    if (known) {
        window_.workspace.defaultDir = *known;
        window_.setDestinationCaption(destinationCaption(*known));
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
    const std::optional<QString> stored = knownDefaultDirectory(window_.workspace, setting_);
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

void WindowCommands::changeDefaultDirectory()
{
    chooseDefaultDirectory(window_.workspace, window_, setting_);
}

void WindowCommands::openAuthorPage()
{
    // The program has no home page to open.
}
