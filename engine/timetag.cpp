#include "timetag.h"

namespace {

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

int digitValue(QChar c)
{
    return c.unicode() - u'0';
}

} // namespace

qsizetype clockTagLength(QStringView text, char16_t open, char16_t close)
{
    const qsizetype size = text.size();
    if (size < 6 || text.at(0) != open)
        return 0;
    qsizetype i = 1;
    while (i < size && i <= 3 && isDigit(text.at(i)))
        ++i;
    if (i == 1 || i + 3 > size || text.at(i) != u':')
        return 0;
    if (!isDigit(text.at(i + 1)) || !isDigit(text.at(i + 2)))
        return 0;
    i += 3;
    if (i < size && text.at(i) == close)
        return i + 1;
    if (i >= size)
        return 0;
    const QChar separator = text.at(i);
    if (separator != u'.' && separator != u':')
        return 0;
    const qsizetype fractionStart = ++i;
    while (i < size && i - fractionStart < 3 && isDigit(text.at(i)))
        ++i;
    const qsizetype digits = i - fractionStart;
    const bool fits = separator == u'.' ? digits >= 1 : digits == 2;
    if (!fits || i >= size || text.at(i) != close)
        return 0;
    return i + 1;
}

double clockTagSeconds(QStringView tag)
{
    qsizetype i = 1;
    int minutes = 0;
    while (tag.at(i) != u':')
        minutes = minutes * 10 + digitValue(tag.at(i++));
    const int seconds = digitValue(tag.at(i + 1)) * 10 + digitValue(tag.at(i + 2));
    i += 3;
    int fraction = 0;
    int digits = 0;
    if (i + 1 < tag.size()) {
        for (++i; i + 1 < tag.size(); ++i, ++digits)
            fraction = fraction * 10 + digitValue(tag.at(i));
    }

    // Tenths and whole thousandths become hundredths, so [00:01.5],
    // [00:01.50] and [00:01.500] give one and the same double.
    const double whole = (60.0 * minutes) + seconds;
    int hundredths = fraction;
    if (digits == 1)
        hundredths = fraction * 10;
    else if (digits == 3 && fraction % 10 == 0)
        hundredths = fraction / 10;
    else if (digits == 3)
        return whole + (fraction * 0.001);
    return whole + (hundredths * 0.01);
}

void removeWordTimings(QString &text)
{
    if (!text.contains(u'<'))
        return;
    QChar *out = text.data();
    text.truncate(copyWithoutWordTimings(text, out));
}

qsizetype copyWithoutWordTimings(QStringView text, QChar *out)
{
    // Reads ahead of what it writes, so copying in place is safe.
    const QChar *data = text.data();
    const qsizetype size = text.size();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < size;) {
        if (data[i] == u'<') {
            const qsizetype length = clockTagLength(text.sliced(i), u'<', u'>');
            if (length > 0) {
                i += length;
                continue;
            }
        }
        out[kept++] = data[i++];
    }
    return kept;
}
