#pragma once

#include <QByteArray>
#include <QString>

struct ConversionWorkspace;
class DefaultDirectorySetting;
class OutputPrompts;

// The file name of path ("\" and "/" both separate folders) cut before its
// first "."; a name without any "." is kept whole.
QString baseNameOf(const QString &path);

// Sets baseName to baseNameOf(path).
void ExtractBaseName(ConversionWorkspace &workspace, const QString &path);

// The name of the sheet file for a base name: base name + ".txt".
QString sheetFileName(const QString &baseName);

// The bytes of the TXT file for the converted sheet: resultText + CR LF,
// encoded as every text file of the program. Whoever writes a sheet writes these.
QByteArray sheetFileBytes(const ConversionWorkspace &workspace);

// Creates a file that does not exist yet holding the bytes sheetFileBytes
// gives, encoded from the ordered entries as they are written: it needs no
// resultText (SheetText::Skip) and holds no copy of the sheet. Errors as
// NewTextFile.
bool writeNewSheetFile(const ConversionWorkspace &workspace, const QString &path, QString &error);

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
