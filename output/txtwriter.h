#pragma once

#include <QString>

struct ConversionWorkspace;
class DefaultDirectorySetting;
class OutputPrompts;

// Sets baseName to the file name of path ("\" and "/" both separate folders)
// cut before its first "."; a name without any "." is kept whole.
void ExtractBaseName(ConversionWorkspace &workspace, const QString &path);

// directory + separator + baseName + ".txt", in native separators.
QString outputPathIn(const QString &directory, const ConversionWorkspace &workspace);

// The same in defaultDir.
QString defaultOutputPath(const ConversionWorkspace &workspace);

// Shows the Save dialog preset to baseName + ".txt" in directory. Sets
// savePath to the chosen path exactly as returned and saveCancelled to false,
// or on Cancel sets saveCancelled to true and keeps savePath.
void AskSavePath(ConversionWorkspace &workspace, OutputPrompts &prompts, const QString &directory);

// The Generate command: writes resultText + CR LF as a TXT file in the default
// directory under the source file's name, or where the Save dialog says,
// according to the window's options, and reports the outcome in a message box.
// Writes nothing when the loaded file has not been converted yet. In the
// default directory an existing file with other contents is replaced only
// when the user says so. The Save dialog needs no default directory: it
// starts in the default directory when a usable one is known, else in the
// lyric file's folder, and never touches the settings file.
void GenerateTxt(ConversionWorkspace &workspace, OutputPrompts &prompts,
                 const DefaultDirectorySetting &setting);
