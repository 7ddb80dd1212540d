#pragma once

#include <QString>

#include <random>

// Lyric text shaped like real lyric files, for the benchmarks: 14% of the
// lines are the blank lines between verses, 76% carry one time tag, 6% two
// and 4% three (the repeated choruses), so there are as many tags as lines.
// Lyric lines run from one word to a dozen, Chinese, English or mixed; the
// times are spread over `spanHundredths` and shuffled over the lines. Lines
// end in CR LF.
QString lyricLines(std::mt19937 &random, int lines, int spanHundredths);

// The header a lyric file starts with: title, artist, album, and the "by"
// and "offset" lines that are left out of the sheet.
QString lyricHeader(std::mt19937 &random);
