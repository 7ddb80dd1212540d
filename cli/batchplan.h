#pragma once

#include "sheetjob.h"

#include <QList>
#include <QSet>
#include <QStringList>

// The lyric files of one run, in the order the user named them.
struct BatchPlan
{
    // A folder's lyric files follow one another sorted by their path inside it.
    QList<SheetJob> jobs;
    // The real paths of all lyric files of the run: no sheet may replace one.
    QSet<QString> sourceKeys;
};

// Turns the paths of the command line into jobs. A file is taken whatever its
// name; a folder gives every *.lrc in it and its subfolders (any letter case;
// hidden files and folders are left out). Without an output folder each sheet
// goes beside its lyric file; with one, a file's sheet goes straight into it
// and a folder is recreated in it under its own name, subfolders included.
// A lyric file named twice is converted once. When two lyric files would get
// the same sheet, the first one keeps it and the later one is skipped.
BatchPlan planBatch(const QStringList &paths, const QString &outputDir);
