#pragma once

#include <QString>

#include <optional>

class Form1;
class QTranslator;
class WindowCommands;

// Names the program to Qt and to the desktop: name, version, and the desktop
// file's id, so the desktop matches the window to its icon and name (under
// Wayland too). Needs the application object.
void setProgramIdentity();

// Installs Qt's own texts in Chinese (the text boxes' context menus, the file
// dialogs, standard buttons), so they speak the program's language whatever
// the system's is. Returns false, and Qt keeps its English, when the
// translations (Debian package qt6-translations-l10n) are not installed.
bool installQtChineseTexts(QTranslator &translator);

// Shows the window and, once the event loop runs, loads the lyric file the
// command line named, exactly as Load does (same checks, same messages).
void startWindow(Form1 &window, WindowCommands &commands, const std::optional<QString> &file);
