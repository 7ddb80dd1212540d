#pragma once

#include <QString>

#include <optional>

class Form1;
class WindowCommands;

// Names the program to Qt and to the desktop: name, version, and the desktop
// file's id, so the desktop matches the window to its icon and name (under
// Wayland too). Needs the application object.
void setProgramIdentity();

// Shows the window and, once the event loop runs, loads the lyric file the
// command line named, exactly as Load does (same checks, same messages).
void startWindow(Form1 &window, WindowCommands &commands, const std::optional<QString> &file);
