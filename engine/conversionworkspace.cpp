#include "conversionworkspace.h"

void ResetWorkspace(ConversionWorkspace &workspace)
{
    // Assigning empty containers (rather than clear()) gives the memory of a
    // large file back instead of keeping its capacity for the next one.
    workspace.entries = QList<ConversionWorkspace::Entry>();
    workspace.tagText = QList<ConversionWorkspace::Span>();
    workspace.tagTime = QList<double>();
    workspace.lineText = QList<ConversionWorkspace::Span>();
    workspace.tagCount = QList<int>();
    workspace.tagStart = QList<int>();
    workspace.sourceText = QString();
    workspace.lineCount = 0;
    workspace.entryCount = 0;

    workspace.bodyText = QStringView();
    workspace.resultText = QString();
    workspace.headerText.clear();
    workspace.savePath.clear();
    workspace.baseName.clear();
    workspace.converted = false;
}
