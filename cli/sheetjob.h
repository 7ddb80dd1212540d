#pragma once

#include <QString>

#include <optional>

// How the work on one lyric file of a run ended.
enum class SheetOutcome {
    Written,   // its sheet was written
    Unchanged, // its sheet already held exactly these bytes
    Skipped,   // left alone on purpose: a sheet would have replaced something it must not
    Failed     // it could not be read, converted or written
};

struct SheetResult
{
    SheetOutcome outcome = SheetOutcome::Written;
    // Why it was skipped or failed, as a Chinese sentence.
    QString reason;
};

// One lyric file of a run and where its sheet goes.
struct SheetJob
{
    // The lyric file as the user named it (a relative path stays relative).
    QString source;
    // Its sheet file: the base name + ".txt", as the window names it.
    QString target;
    // Set when planning already decided how it ends (a missing path, two
    // lyric files whose sheets would share one name).
    std::optional<SheetResult> decided;
};
