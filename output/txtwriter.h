#pragma once

#include <QString>

struct ConversionWorkspace;
class DefaultDirectorySetting;
class OutputPrompts;

// Sets baseName to the file name of path ("\" and "/" both separate folders)
// cut before its first "."; a name without any "." is kept whole.
void ExtractBaseName(ConversionWorkspace &workspace, const QString &path);

// defaultDir + separator + baseName + ".txt", in native separators.
QString defaultOutputPath(const ConversionWorkspace &workspace);

// Shows the Save dialog preset to the default output path. Sets savePath to the
// chosen path exactly as returned and saveCancelled to false, or on Cancel sets
// saveCancelled to true and keeps savePath.
void AskSavePath(ConversionWorkspace &workspace, OutputPrompts &prompts);

// The Generate command: writes resultText + CR LF as a TXT file in the default
// directory under the source file's name, or where the Save dialog says,
// according to the window's options, and reports the outcome in a message box.
// Writes nothing when the loaded file has not been converted yet.
void GenerateTxt(ConversionWorkspace &workspace, OutputPrompts &prompts,
                 const DefaultDirectorySetting &setting);
