#pragma once

#include "conversionworkspace.h"
#include "sheetjob.h"

#include <QSet>
#include <QString>

// The choices of a run that every lyric file shares.
struct SheetSettings
{
    // One of choosableEncodings(); empty: found out from the bytes.
    QString encoding;
    // Replace an existing sheet whose bytes differ.
    bool overwrite = false;
    // The real paths of all lyric files of the run (BatchPlan::sourceKeys).
    const QSet<QString> *sourceKeys = nullptr;
};

// Converts lyric files one after the other and writes their sheets, exactly
// as the window's "生成TXT" would write them. One per thread: it keeps its
// workspace from file to file. The settings must outlive it.
class SheetConverter
{
public:
    explicit SheetConverter(const SheetSettings &settings);

    SheetResult run(const SheetJob &job);

private:
    // Writes the converted sheet as a new file.
    SheetResult writeSheet(const QString &target);

    const SheetSettings &settings_;
    ConversionWorkspace workspace_;
    // Folders this converter has made or found, so each is checked once.
    QSet<QString> knownFolders_;
};
