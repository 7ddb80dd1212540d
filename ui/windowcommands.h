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
    // Checks the file, shows it in Text1 (its encoding detected) and enables
    // Convert, as the Open dialog's choice is loaded. A file that cannot be
    // read or is no text changes nothing but shows why. A file dropped on the
    // window or named at start is loaded so too.
    void loadFile(const QString &path);
    // Tells the user that what was dropped on the window is not a local file.
    void refuseDrop();
    // "编码" in Text1's context menu: reads the loaded file again in the
    // chosen encoding (empty: detected) into Text1; Convert reads it so too.
    // The sheet of the old reading is dropped.
    void chooseEncoding(const QString &encoding);
    void convert();
    void generate();
    void exit();
    void hoverOverGenerate();
    void hoverOverBackground();
    void openDefaultDirectory();
    // "更改默认目录…": asks for the default directory as on the first run.
    void changeDefaultDirectory();
    void openAuthorPage();

private:
    void showDestination();

    Form1 &window_;
    const DefaultDirectorySetting setting_;
};
