#include "lyricsample.h"

#include <QStringList>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

const QStringList kChineseWords{
    u"月光"_qs, u"思念"_qs, u"你的"_qs, u"微笑"_qs, u"远方"_qs, u"雨后"_qs, u"街角"_qs,
    u"我们"_qs, u"永远"_qs, u"不会"_qs, u"忘记"_qs, u"那一天"_qs, u"心里"_qs, u"温柔"_qs,
    u"风吹过"_qs, u"天空"_qs, u"星星"_qs, u"回忆"_qs, u"慢慢"_qs, u"走过"_qs, u"青春"_qs};
const QStringList kEnglishWords{
    u"love"_qs, u"night"_qs, u"baby"_qs, u"forever"_qs, u"dream"_qs, u"tonight"_qs, u"oh"_qs,
    u"yeah"_qs, u"heart"_qs, u"the"_qs, u"light"_qs, u"you"_qs, u"and"_qs, u"me"_qs};

const QString &pick(std::mt19937 &random, const QStringList &words)
{
    return words.at(int(random() % unsigned(words.size())));
}

QString lyricText(std::mt19937 &random)
{
    // Mostly short lines, now and then a long one.
    static const int kWordCounts[] = {1, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 6, 7, 9, 12};
    QString text;
    const int words = kWordCounts[random() % std::size(kWordCounts)];
    const unsigned style = random() % 3; // Chinese, English, or mixed
    for (int w = 0; w < words; ++w) {
        const bool english = style == 1 || (style == 2 && random() % 2 == 0);
        if (english && !text.isEmpty())
            text += u' ';
        text += english ? pick(random, kEnglishWords) : pick(random, kChineseWords);
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

QString lyricLines(std::mt19937 &random, int lines, int spanHundredths)
{
    const int threeTags = lines * 4 / 100;
    const int twoTags = lines * 6 / 100;
    // Each extra tag is balanced by one blank line, so tags == lines.
    const int noTags = twoTags + 2 * threeTags;
    const int oneTag = lines - noTags - twoTags - threeTags;

    std::vector<int> tagsPerLine;
    tagsPerLine.reserve(size_t(lines));
    tagsPerLine.insert(tagsPerLine.end(), size_t(noTags), 0);
    tagsPerLine.insert(tagsPerLine.end(), size_t(oneTag), 1);
    tagsPerLine.insert(tagsPerLine.end(), size_t(twoTags), 2);
    tagsPerLine.insert(tagsPerLine.end(), size_t(threeTags), 3);
    std::shuffle(tagsPerLine.begin(), tagsPerLine.end(), random);

    // One time per tag, evenly apart over the span with a little jitter, shuffled.
    const int step = std::max(1, spanHundredths / std::max(1, lines));
    std::vector<int> times(static_cast<size_t>(lines));
    for (int t = 0; t < lines; ++t)
        times[size_t(t)] = t * step + int(random() % unsigned(step));
    std::shuffle(times.begin(), times.end(), random);

    QString text;
    size_t nextTime = 0;
    for (const int tags : tagsPerLine) {
        for (int t = 0; t < tags; ++t)
            text += timeTag(times[nextTime++]);
        if (tags > 0)
            text += lyricText(random);
        text += u"\r\n";
    }
    return text;
}

QString lyricHeader(std::mt19937 &random)
{
    return QStringLiteral("[ti:%1]\r\n[ar:%2]\r\n[al:%3]\r\n[by:lrcgen]\r\n[offset:0]\r\n")
        .arg(lyricText(random), pick(random, kEnglishWords), lyricText(random));
}
