#include "timeline.h"

#include "conversionworkspace.h"
#include "timetag.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <utility>

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

// The length resultText gets, counted before a character is copied; -1 and
// error set when it would pass kMaxResultLength.
qsizetype resultLength(const ConversionWorkspace &workspace, QString &error)
{
    qsizetype length = workspace.headerText.size();
    for (int e = 0; e < workspace.entryCount; ++e)
        length += workspace.lineText.at(workspace.entries.at(e).line).length + 2;
    if (length > ConversionWorkspace::kMaxResultLength) {
        error = resultLimitError();
        return -1;
    }
    return length;
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
    workspace.tagTime.resize(workspace.tagText.size());
    double *times = workspace.tagTime.data();
    for (int k = 0; k < workspace.lineCount; ++k) {
        const int first = workspace.tagStart.at(k);
        const int count = workspace.tagCount.at(k);
        for (int t = 0; t < count; ++t)
            times[first + t] = tagTime(workspace.tagTextAt(k, t));
    }
}

bool FlattenEntries(ConversionWorkspace &workspace, QString &error)
{
    qsizetype wanted = workspace.entryCount;
    for (int k = 0; k < workspace.lineCount; ++k)
        wanted += workspace.tagCount.at(k);
    const qsizetype stored = qMin<qsizetype>(wanted, ConversionWorkspace::kMaxEntries);
    workspace.entries.resize(stored);
    ConversionWorkspace::Entry *entries = workspace.entries.data();

    for (int k = 0; k < workspace.lineCount; ++k) {
        const int count = workspace.tagCount.at(k);
        for (int t = 0; t < count; ++t) {
            if (workspace.entryCount >= ConversionWorkspace::kMaxEntries) {
                error = entryLimitError();
                return false;
            }
            entries[workspace.entryCount] = {workspace.tagTimeAt(k, t), k, 0};
            ++workspace.entryCount;
        }
    }
    return true;
}

void SortEntries(ConversionWorkspace &workspace)
{
    ConversionWorkspace::Entry *begin = workspace.entries.data();
    ConversionWorkspace::Entry *end = begin + workspace.entryCount;
    for (int e = 0; e < workspace.entryCount; ++e)
        begin[e].order = e;
    // Ties are ordered by position, which keeps them in their order as a
    // stable sort would, without the stable sort's buffer.
    std::sort(begin, end, [](const ConversionWorkspace::Entry &a, const ConversionWorkspace::Entry &b) {
        return a.time < b.time || (a.time == b.time && a.order < b.order);
    });
}

bool AssembleResult(ConversionWorkspace &workspace, QString &error, SheetText text)
{
    ComputeTagTimes(workspace);
    if (!FlattenEntries(workspace, error))
        return false;
    SortEntries(workspace);
    if (text == SheetText::Build)
        return buildResultText(workspace, error);
    return resultLength(workspace, error) >= 0;
}

bool buildResultText(ConversionWorkspace &workspace, QString &error)
{
    const qsizetype length = resultLength(workspace, error);
    if (length < 0)
        return false;
    // Written straight into place, once: an append per line costs more than
    // the copy itself at the entry capacity.
    QString result(length, Qt::Uninitialized);
    QChar *out = result.data();
    forEachResultPiece(workspace, [&out](QStringView piece) { out = std::copy_n(piece.data(), piece.size(), out); });
    workspace.resultText = std::move(result);
    workspace.bodyText = QStringView(workspace.resultText).sliced(workspace.headerText.size());
    return true;
}
