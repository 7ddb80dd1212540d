#pragma once

#include <QString>

// What the two text boxes are given to show.
//
// A text box lays out a whole line each time it measures or paints it, so one
// line of a few megabytes froze the window for seconds. A line longer than
// kMaxShownRowLength characters is shown over as many rows as it needs, each
// row that long but the last; no character is left out. Only the boxes do
// this: the sheet Generate writes keeps every line whole.
constexpr qsizetype kMaxShownRowLength = 4096;

// The lines of a text (splitLines) as a text box shows them: each ends in
// CR LF, the last one too, and long lines are broken into rows. A text that
// is already so (a file with CR LF line ends, say) comes back as it is,
// without a copy.
QString shownText(const QString &text);

// The text with every line longer than kMaxShownRowLength broken into rows.
// A text without such a line comes back as it is, without a copy.
QString withLongLinesBroken(const QString &text);
