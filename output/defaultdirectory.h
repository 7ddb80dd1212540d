#pragma once

#include <QString>

struct ConversionWorkspace;
class DefaultDirectorySetting;
class OutputPrompts;

// True when path names an existing directory. A plain file does not pass: the
// TXT file is written inside the default directory.
bool directoryExists(const QString &path);

// The destination label's caption for a directory (or a note that none is set).
QString destinationCaption(const QString &directory);

// Lets the user pick a directory by saving a dummy file name in it. On success
// defaultDir is the chosen path cut before its last "\" or "/" (in native
// separators) and dirCancelled is false; on Cancel dirCancelled is true and
// defaultDir keeps its value.
void AskDefaultDirectory(ConversionWorkspace &workspace, OutputPrompts &prompts);

// The first steps of Generate: makes sure the settings folder exists and that a
// default directory is known, asking the user for one (and storing it) when the
// settings file is missing or holds none. Returns whether Generate may go on;
// defaultDir then holds the directory. Every stop has already been reported to
// the user.
bool EnsureDefaultDirectory(ConversionWorkspace &workspace, OutputPrompts &prompts,
                            const DefaultDirectorySetting &setting);
