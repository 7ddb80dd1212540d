#include "conversion.h"

#include "conversionworkspace.h"
#include "lrcreader.h"
#include "textfile.h"
#include "timeline.h"

#include <utility>

namespace {

// A failed conversion leaves the conversion state empty, so no half sheet survives.
bool settle(ConversionWorkspace &workspace, bool converted)
{
    if (!converted)
        ResetWorkspace(workspace);
    workspace.converted = converted;
    return converted;
}

} // namespace

bool convertSourceFile(ConversionWorkspace &workspace, QString &error, SheetText text)
{
    // Each conversion starts afresh, so converting the same load twice gives
    // the same sheet as converting it once.
    ResetWorkspace(workspace);
    return settle(workspace, ReadLrcFile(workspace, error) && AssembleResult(workspace, error, text));
}

bool convertSourceBytes(ConversionWorkspace &workspace, const QByteArray &bytes, QString &error)
{
    ResetWorkspace(workspace);
    QString text;
    return settle(workspace,
                  decodeTextBytes(bytes, workspace.sourcePath, workspace.sourceEncoding, text, error,
                                  &workspace.readEncoding)
                      && readLrcText(workspace, std::move(text), error)
                      && AssembleResult(workspace, error));
}
