#pragma once

#include "sheetjob.h"

#include <QElapsedTimer>

class QIODevice;

// What a run tells the user on standard error: one line per lyric file that
// was skipped or failed (its path and why), a progress line while several
// files are converted on a terminal, and a summary at the end.
class BatchReport
{
public:
    // The progress line is drawn only when showProgress and total > 1; it is
    // rewritten in place, so it is meant for a terminal only.
    BatchReport(QIODevice &err, qsizetype total, bool showProgress);

    void add(const SheetJob &job, const SheetResult &result);
    // Clears the progress line and prints the summary.
    void finish();
    // 0 when every lyric file was written or already up to date, else 1.
    int exitStatus() const;

private:
    void print(const QString &text);
    void drawProgress();
    void clearProgress();

    QIODevice &err_;
    const qsizetype total_;
    const bool showProgress_;
    qsizetype written_ = 0;
    qsizetype unchanged_ = 0;
    qsizetype skipped_ = 0;
    qsizetype failed_ = 0;
    bool progressShown_ = false;
    QElapsedTimer sinceProgress_;
};
