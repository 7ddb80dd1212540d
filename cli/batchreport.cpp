#include "batchreport.h"

#include "convertmessages.h"

#include <QIODevice>

namespace {

// Redrawing for every one of thousands of small files would cost more than
// converting them.
constexpr qint64 kProgressIntervalMs = 100;

// Back to the start of the line, and erase it.
constexpr char kEraseLine[] = "\r\x1b[K";

} // namespace

BatchReport::BatchReport(QIODevice &err, qsizetype total, bool showProgress)
    : err_(err)
    , total_(total)
    , showProgress_(showProgress && total > 1)
{
}

void BatchReport::add(const SheetJob &job, const SheetResult &result)
{
    switch (result.outcome) {
    case SheetOutcome::Written:
        ++written_;
        break;
    case SheetOutcome::Unchanged:
        ++unchanged_;
        break;
    case SheetOutcome::Skipped:
        ++skipped_;
        break;
    case SheetOutcome::Failed:
        ++failed_;
        break;
    }
    const bool problem = result.outcome == SheetOutcome::Skipped || result.outcome == SheetOutcome::Failed;
    if (problem) {
        clearProgress();
        print(convertmessages::fileLine(job.source, result.reason));
    }
    if (showProgress_ && (problem || !sinceProgress_.isValid()
                          || sinceProgress_.elapsed() >= kProgressIntervalMs))
        drawProgress();
}

void BatchReport::finish()
{
    clearProgress();
    print(convertmessages::summary(written_, unchanged_, skipped_, failed_));
}

int BatchReport::exitStatus() const
{
    return skipped_ + failed_ == 0 ? 0 : 1;
}

void BatchReport::print(const QString &text)
{
    err_.write(text.toLocal8Bit());
}

void BatchReport::drawProgress()
{
    const qsizetype done = written_ + unchanged_ + skipped_ + failed_;
    err_.write(QByteArray(kEraseLine) + convertmessages::progress(done, total_).toLocal8Bit());
    progressShown_ = true;
    sinceProgress_.start();
}

void BatchReport::clearProgress()
{
    if (!progressShown_)
        return;
    err_.write(kEraseLine);
    progressShown_ = false;
}
