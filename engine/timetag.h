#pragma once

#include <QString>
#include <QStringView>

// Time tags as players and lyric sites write them, beside the ordinary
// 10-character [mm:ss.xx]: minutes of 1 to 3 digits, seconds of 2 digits, and
// no fraction or a fraction of 1, 2 or 3 digits after "." (tenths, hundredths,
// thousandths) or of 2 digits after ":". So [0:05], [00:05], [00:05.5],
// [00:05.50], [00:05.500], [00:05:50] and [100:05.50] are all tags.
// Word-timing tags have the same forms in angle brackets: <00:05.50>.

// The length of the tag of such a form at the start of text, opened by open
// and closed by close; 0 when text does not start with one.
qsizetype clockTagLength(QStringView text, char16_t open = u'[', char16_t close = u']');

// The time in seconds of a whole tag of such a form. The same instant gives
// the same value in every form, and the value an ordinary tag gets:
// ((60 × minutes) + seconds) + (hundredths × 0.01).
double clockTagSeconds(QStringView tag);

// Removes every word-timing tag from text; the text around them stays as it
// stands.
void removeWordTimings(QString &text);

// Copies text without its word-timing tags to out, which has room for the
// whole text (out may be text's own start); returns the characters copied.
qsizetype copyWithoutWordTimings(QStringView text, QChar *out);
