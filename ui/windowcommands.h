#pragma once

#include "defaultdirectorysetting.h"

#include <QObject>

class Form1;

// What the window's buttons, labels and mouse moves do: load a lyric file,
// convert it, generate the TXT file, hover feedback on "生成TXT", the folder
// link and exit. Works on the window's controls and its one workspace.
class WindowCommands : public QObject
{
    Q_OBJECT

public:
    // Connects itself to the window's controls. The window must outlive it.
    WindowCommands(Form1 &window, DefaultDirectorySetting setting, QObject *parent = nullptr);

    // "加载歌词": asks for a lyric file in the Open dialog, then loadFile().
    void load();
    // Checks the file, shows it in Text1 and enables Convert, as the Open
    // dialog's choice is loaded. A file dropped on the window is loaded so too.
    void loadFile(const QString &path);
    // Tells the user that what was dropped on the window is not a local file.
    void refuseDrop();
    void convert();
    void generate();
    void exit();
    void hoverOverGenerate();
    void hoverOverBackground();
    void openDefaultDirectory();
    void openAuthorPage();

private:
    void showDestination();

    Form1 &window_;
    const DefaultDirectorySetting setting_;
};
