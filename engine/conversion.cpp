#include "conversion.h"

#include "conversionworkspace.h"
#include "lrcreader.h"
#include "timeline.h"

bool convertSourceFile(ConversionWorkspace &workspace, QString &error)
{
    // Each conversion starts afresh, so converting the same load twice gives
    // the same sheet as converting it once.
    ResetWorkspace(workspace);
    if (!ReadLrcFile(workspace, error) || !AssembleResult(workspace, error)) {
        ResetWorkspace(workspace);
        return false;
    }
    workspace.converted = true;
    return true;
}
