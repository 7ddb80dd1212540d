#pragma once

#include "timeline.h"

#include <QByteArray>
#include <QString>

// The Convert command: starts from an empty conversion state (ResetWorkspace),
// reads workspace.sourcePath with ReadLrcFile and builds resultText with
// AssembleResult. Returns false and sets error to a Chinese message ready for a
// message box when the file cannot be read or a capacity would be passed; the
// conversion state is then left empty, so no half sheet survives.
// With SheetText::Skip resultText stays empty: the sheet is left in the
// ordered entries, to be written straight to a file (writeNewSheetFile).
bool convertSourceFile(ConversionWorkspace &workspace, QString &error, SheetText text = SheetText::Build);

// The same conversion for a lyric file's bytes that do not come from a file
// (standard input), read in workspace.sourceEncoding as a file would be;
// workspace.sourcePath names them in messages.
bool convertSourceBytes(ConversionWorkspace &workspace, const QByteArray &bytes, QString &error);
