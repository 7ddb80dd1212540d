#include "conversionworkspace.h"

void ResetWorkspace(ConversionWorkspace &workspace)
{
    // Assigning empty containers (rather than clear()) gives the memory of a
    // large file back instead of keeping its capacity for the next one.
    workspace.entryText = QStringList();
    workspace.entryTime = QList<double>();
    workspace.tagText = QString();
    workspace.tagTextEnd = QList<int>();
    workspace.tagTime = QList<double>();
    workspace.lineText = QStringList();
    workspace.tagCount = QList<int>();
    workspace.tagStart = QList<int>();
    workspace.lineCount = 0;
    workspace.entryCount = 0;

    workspace.resultText.clear();
    workspace.headerText.clear();
    workspace.bodyText.clear();
    workspace.savePath.clear();
    workspace.baseName.clear();
    workspace.converted = false;
}
