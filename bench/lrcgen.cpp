// Writes a capacity-size LRC file for the benchmarks, shaped like real lyric
// files: a few header and metadata tags, then 100000 lines in UTF-8 with
// CR LF. 14% are the blank lines between verses; 76% carry one time tag, 6%
// two and 4% three (the repeated choruses), so the entries add up to exactly
// the entry capacity. Lyric lines run from one word to a dozen, Chinese,
// English or mixed. Times are shuffled over the lines.

#include "conversionworkspace.h"
#include "textfile.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <random>
#include <vector>

namespace {

const QStringList kChineseWords{
    u"月光"_qs, u"思念"_qs, u"你的"_qs, u"微笑"_qs, u"远方"_qs, u"雨后"_qs, u"街角"_qs,
    u"我们"_qs, u"永远"_qs, u"不会"_qs, u"忘记"_qs, u"那一天"_qs, u"心里"_qs, u"温柔"_qs,
    u"风吹过"_qs, u"天空"_qs, u"星星"_qs, u"回忆"_qs, u"慢慢"_qs, u"走过"_qs, u"青春"_qs};
const QStringList kEnglishWords{
    u"love"_qs, u"night"_qs, u"baby"_qs, u"forever"_qs, u"dream"_qs, u"tonight"_qs, u"oh"_qs,
    u"yeah"_qs, u"heart"_qs, u"the"_qs, u"light"_qs, u"you"_qs, u"and"_qs, u"me"_qs};

QString lyricText(std::mt19937 &random)
{
    const auto pick = [&random](const QStringList &words) {
        return words.at(int(random() % unsigned(words.size())));
    };
    // Mostly short lines, now and then a long one.
    static const int kWordCounts[] = {1, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 6, 7, 9, 12};
    QString text;
    const int words = kWordCounts[random() % std::size(kWordCounts)];
    const unsigned style = random() % 3; // Chinese, English, or mixed
    for (int w = 0; w < words; ++w) {
        const bool english = style == 1 || (style == 2 && random() % 2 == 0);
        if (english && !text.isEmpty())
            text += u' ';
        text += english ? pick(kEnglishWords) : pick(kChineseWords);
    }
    return text;
}

QString timeTag(int hundredths)
{
    return QStringLiteral("[%1:%2.%3]")
        .arg(hundredths / 6000, 2, 10, QChar(u'0'))
        .arg(hundredths / 100 % 60, 2, 10, QChar(u'0'))
        .arg(hundredths % 100, 2, 10, QChar(u'0'));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args.at(2) == u"--seed")) {
        std::fprintf(stderr, "usage: lrcgen <out.lrc> [--seed N]\n");
        return 2;
    }
    const unsigned seed = args.size() == 4 ? args.at(3).toUInt() : 20240601u;
    std::mt19937 random(seed);

    const int lines = ConversionWorkspace::kMaxLines;
    const int threeTags = lines * 4 / 100;
    const int twoTags = lines * 6 / 100;
    // Each extra tag is balanced by one blank line, so entries == lines.
    const int noTags = twoTags + 2 * threeTags;
    const int oneTag = lines - noTags - twoTags - threeTags;

    std::vector<int> tagsPerLine;
    tagsPerLine.reserve(size_t(lines));
    tagsPerLine.insert(tagsPerLine.end(), size_t(noTags), 0);
    tagsPerLine.insert(tagsPerLine.end(), size_t(oneTag), 1);
    tagsPerLine.insert(tagsPerLine.end(), size_t(twoTags), 2);
    tagsPerLine.insert(tagsPerLine.end(), size_t(threeTags), 3);
    std::shuffle(tagsPerLine.begin(), tagsPerLine.end(), random);

    // One time per entry, about 6 hundredths apart over 99:59.99, shuffled.
    const int entries = ConversionWorkspace::kMaxEntries;
    std::vector<int> times(static_cast<size_t>(entries));
    for (int e = 0; e < entries; ++e)
        times[size_t(e)] = e * 6 + int(random() % 6);
    std::shuffle(times.begin(), times.end(), random);

    QString text = QStringLiteral("[ti:月光下的约定]\r\n[ar:Someone 歌手]\r\n[al:Night Songs 夜曲]\r\n"
                                  "[by:lrcgen]\r\n[offset:0]\r\n");
    size_t nextTime = 0;
    for (const int tags : tagsPerLine) {
        for (int t = 0; t < tags; ++t)
            text += timeTag(times[nextTime++]);
        if (tags > 0)
            text += lyricText(random);
        text += u"\r\n";
    }

    QString error;
    if (!writeTextFile(args.at(1), text, error)) {
        std::fprintf(stderr, "lrcgen: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%d timed lines, %zu entries, %lld characters\n", lines, nextTime,
                static_cast<long long>(text.size()));
    return 0;
}
