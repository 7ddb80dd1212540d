#include "timeline.h"

#include "conversionworkspace.h"
#include "timetag.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

namespace {

bool isIgnoredInNumber(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Almost every component is two ASCII digits; those skip the general reading.
double tagComponent(QStringView digits)
{
    const char16_t tens = digits.at(0).unicode();
    const char16_t units = digits.at(1).unicode();
    if (tens >= u'0' && tens <= u'9' && units >= u'0' && units <= u'9')
        return double((tens - u'0') * 10 + (units - u'0'));
    return readLenientNumber(digits);
}

// Ten-character tags are read by character positions, whatever they hold,
// except the two clock forms of that length whose fields stand elsewhere:
// [m:ss.fff] and [mmm:ss.f].
bool isShiftedClockTag(QStringView tag)
{
    return (tag.at(2) == u':' || tag.at(4) == u':') && clockTagLength(tag) == tag.size();
}

double tagTime(QStringView tag)
{
    if (tag.size() != ConversionWorkspace::kTimeTagLength || isShiftedClockTag(tag))
        return clockTagSeconds(tag);
    const double minutes = tagComponent(tag.sliced(1, 2));
    const double seconds = tagComponent(tag.sliced(4, 2));
    const double hundredths = tagComponent(tag.sliced(7, 2));
    const double wholeSeconds = (60.0 * minutes) + seconds;
    const double fraction = hundredths * 0.01;
    return wholeSeconds + fraction;
}

QString entryLimitError()
{
    return QStringLiteral("歌词的时间标签总数超过了%1个的上限，无法转换。")
        .arg(ConversionWorkspace::kMaxEntries);
}

QString resultLimitError()
{
    return QStringLiteral("转换后的歌词超过了%1个字符的上限，无法转换。")
        .arg(ConversionWorkspace::kMaxResultLength);
}

} // namespace

double readLenientNumber(QStringView text)
{
    QVarLengthArray<char, 32> number;
    bool signAllowed = true;
    bool pointSeen = false;
    bool digitSeen = false;
    for (const QChar c : text) {
        if (isIgnoredInNumber(c))
            continue;
        const char16_t u = c.unicode();
        if (signAllowed && (u == u'+' || u == u'-')) {
            if (u == u'-')
                number.append('-');
        } else if (u >= u'0' && u <= u'9') {
            number.append(char(u));
            digitSeen = true;
        } else if (u == u'.' && !pointSeen) {
            number.append('.');
            pointSeen = true;
        } else {
            break;
        }
        signAllowed = false;
    }
    if (!digitSeen)
        return 0.0;

    // A time field is a few characters long, far from the range of a double.
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

void ComputeTagTimes(ConversionWorkspace &workspace)
{
    workspace.tagTime.resize(workspace.tagTextEnd.size());
    for (int k = 0; k < workspace.lineCount; ++k) {
        const int first = workspace.tagStart.at(k);
        const int count = workspace.tagCount.at(k);
        for (int t = 0; t < count; ++t)
            workspace.tagTime[first + t] = tagTime(workspace.tagTextAt(k, t));
    }
}

bool FlattenEntries(ConversionWorkspace &workspace, QString &error)
{
    qsizetype wanted = workspace.entryCount;
    for (int k = 0; k < workspace.lineCount; ++k)
        wanted += workspace.tagCount.at(k);
    const qsizetype stored = qMin<qsizetype>(wanted, ConversionWorkspace::kMaxEntries);
    workspace.entryText.resize(stored);
    workspace.entryTime.resize(stored);
    QString *texts = workspace.entryText.data();
    double *times = workspace.entryTime.data();

    for (int k = 0; k < workspace.lineCount; ++k) {
        const QString &text = workspace.lineText.at(k);
        const int count = workspace.tagCount.at(k);
        for (int t = 0; t < count; ++t) {
            if (workspace.entryCount >= ConversionWorkspace::kMaxEntries) {
                error = entryLimitError();
                return false;
            }
            texts[workspace.entryCount] = text;
            times[workspace.entryCount] = workspace.tagTimeAt(k, t);
            ++workspace.entryCount;
        }
    }
    return true;
}

void SortEntries(ConversionWorkspace &workspace)
{
    const int count = workspace.entryCount;
    std::vector<std::pair<double, int>> order;
    order.reserve(size_t(count));
    for (int e = 0; e < count; ++e)
        order.emplace_back(workspace.entryTime.at(e), e);
    // Ties are ordered by position, which keeps them in their order as a
    // stable sort would, without the stable sort's buffer.
    std::sort(order.begin(), order.end());

    QStringList texts(count);
    QList<double> times(count);
    QString *sortedText = texts.data();
    double *sortedTime = times.data();
    QString *text = workspace.entryText.data();
    for (int e = 0; e < count; ++e) {
        sortedText[e].swap(text[order[size_t(e)].second]);
        sortedTime[e] = order[size_t(e)].first;
    }
    workspace.entryText = std::move(texts);
    workspace.entryTime = std::move(times);
}

bool AssembleResult(ConversionWorkspace &workspace, QString &error)
{
    ComputeTagTimes(workspace);
    if (!FlattenEntries(workspace, error))
        return false;
    SortEntries(workspace);

    qsizetype bodyLength = 0;
    for (int e = 0; e < workspace.entryCount; ++e)
        bodyLength += workspace.entryText.at(e).size() + 2;
    // Counted before a character is copied.
    if (workspace.headerText.size() + bodyLength > ConversionWorkspace::kMaxResultLength) {
        error = resultLimitError();
        return false;
    }
    // Written straight into place: an append per line costs more than the
    // copy itself at the entry capacity.
    QString body(bodyLength, Qt::Uninitialized);
    QChar *out = body.data();
    for (int e = 0; e < workspace.entryCount; ++e) {
        const QString &text = workspace.entryText.at(e);
        out = std::copy_n(text.constData(), text.size(), out);
        *out++ = u'\r';
        *out++ = u'\n';
    }
    workspace.bodyText = std::move(body);

    QString result;
    result.reserve(workspace.headerText.size() + workspace.bodyText.size());
    result.append(workspace.headerText);
    result.append(workspace.bodyText);
    workspace.resultText = std::move(result);
    return true;
}
