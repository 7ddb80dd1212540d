// Loads, converts and shows an LRC file through the real window, the way a
// user does with the "加载歌词" and "转换成TXT格式" buttons, and prints how long
// each step took until the window had painted it. Then checks that the
// window still answers quickly: scrolling both boxes to the end and repainting.
// To show where the time goes it first times the engine's part of both steps
// on its own (reading the file with the text Text1 gets, and converting it
// with the text Text2 gets); the rest is the text boxes taking their text.
//
// usage: windowbench <lrc>   (QT_QPA_PLATFORM=offscreen works without a display)

#include "conversion.h"
#include "conversionworkspace.h"
#include "form1.h"
#include "textboxtext.h"
#include "textfile.h"
#include "windowcommands.h"
#include "windowdialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cstdio>
#include <ctime>

namespace {

// Answers the Open dialog with the file to load; reports any message box.
class BenchDialogs : public WindowDialogs
{
public:
    explicit BenchDialogs(QString path)
        : path_(std::move(path))
    {
    }

    std::optional<QString> runFileDialog(const FileDialogRequest &) override { return path_; }

    void showMessage(const Message &message) override
    {
        std::fprintf(stderr, "message: %s (%s)\n", qPrintable(message.text), qPrintable(message.title));
        failed_ = true;
    }

    bool askQuestion(const Question &) override { return false; }

    bool failed() const { return failed_; }

private:
    QString path_;
    bool failed_ = false;
};

// Milliseconds on the clock, and of processor time: on a machine shared with
// other work the second says more about the program.
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

// Runs step, lets the window paint what it changed, and returns its timing.
template<typename Step>
Timing timed(QWidget &window, Step step)
{
    QElapsedTimer timer;
    const std::clock_t cpuStart = std::clock();
    timer.start();
    step();
    window.repaint();
    QApplication::processEvents();
    return {double(timer.nsecsElapsed()) / 1e6, double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: windowbench <lrc>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    Timing engineRead;
    Timing engineConvert;
    {
        QWidget none;
        QString text;
        QString error;
        engineRead = timed(none, [&] {
            if (readTextFile(path, text, error))
                text = shownText(text);
        });
        ConversionWorkspace workspace;
        workspace.sourcePath = path;
        engineConvert = timed(none, [&] {
            if (convertSourceFile(workspace, error))
                text = withLongLinesBroken(workspace.resultText);
        });
        if (!error.isEmpty()) {
            std::fprintf(stderr, "windowbench: %s\n", qPrintable(error));
            return 1;
        }
    }

    BenchDialogs dialogs(path);
    QTemporaryDir settings;
    Form1 window(dialogs);
    WindowCommands commands(window, DefaultDirectorySetting(settings.path()));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    const Timing load = timed(window, [&] { window.Command1->click(); });
    const Timing convert = timed(window, [&] { window.Command2->click(); });
    const Timing scroll = timed(window, [&] {
        for (QPlainTextEdit *box : {window.Text1, window.Text2})
            box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    });
    const Timing repaint = timed(window, [&] { window.update(); });

    std::printf("rows shown: Text1 %d, Text2 %d\n", window.Text1->blockCount(),
                window.Text2->blockCount());
    std::printf("load %.1f ms, convert %.1f ms, total %.1f ms (processor time %.1f + %.1f = %.1f ms)\n",
                load.wall, convert.wall, load.wall + convert.wall, load.cpu, convert.cpu,
                load.cpu + convert.cpu);
    std::printf("of which the engine alone (once before, processor time): read %.1f ms, convert %.1f ms\n",
                engineRead.cpu, engineConvert.cpu);
    std::printf("afterwards: scroll both boxes to the end %.1f ms, repaint %.1f ms\n", scroll.wall,
                repaint.wall);
    return dialogs.failed() ? 1 : 0;
}
