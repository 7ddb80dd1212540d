#include "lrcreader.h"

#include "conversionworkspace.h"
#include "textfile.h"
#include "timetag.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qsizetype kTimeTagLength = ConversionWorkspace::kTimeTagLength;

// Tag lines are told by their first three characters alone ("[ar", "[ti",
// "[al" give header lines with a label, "[by" and "[of" are dropped). Any
// other line that is nothing but one metadata tag such as [re:maker] or
// [length:03:25] is dropped too; every other line is a timed line.
enum class LineKind { Timed, Header, Dropped };

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView withoutTrailingBlanks(QStringView line)
{
    qsizetype size = line.size();
    while (size > 0 && isBlank(line.at(size - 1)))
        --size;
    return line.first(size);
}

bool isMetadataKeyCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || u == u'#';
}

// [key:value]: a key of ASCII letters (or "#"), a value without "]", and at
// most blanks after the closing bracket. A key of letters is never a time.
bool isMetadataLine(QStringView line)
{
    if (line.size() < 4 || line.at(0) != u'[' || !isMetadataKeyCharacter(line.at(1)))
        return false;
    line = withoutTrailingBlanks(line);
    qsizetype i = 2;
    while (i < line.size() && isMetadataKeyCharacter(line.at(i)))
        ++i;
    if (i >= line.size() || line.at(i) != u':' || line.back() != u']')
        return false;
    return line.sliced(i + 1).indexOf(u']') == line.size() - i - 2;
}

LineKind classify(QStringView line, QStringView &label)
{
    if (line.size() < 3 || line.at(0) != u'[')
        return LineKind::Timed;
    const char16_t first = line.at(1).unicode();
    const char16_t second = line.at(2).unicode();
    if (first == u'a' && second == u'r') {
        label = u"     艺术家：";
        return LineKind::Header;
    }
    if (first == u't' && second == u'i') {
        label = u"     歌曲：";
        return LineKind::Header;
    }
    if (first == u'a' && second == u'l') {
        label = u"     所属专辑：";
        return LineKind::Header;
    }
    if ((first == u'b' && second == u'y') || (first == u'o' && second == u'f'))
        return LineKind::Dropped;
    if (isMetadataLine(line))
        return LineKind::Dropped;
    return LineKind::Timed;
}

// The value stands from the 5th character to the end of the line, without
// the blanks and tabs that end the line and without the closing bracket when
// there is one.
QStringView headerValue(QStringView line)
{
    line = withoutTrailingBlanks(line);
    if (line.size() <= 4)
        return {};
    QStringView value = line.sliced(4);
    if (value.endsWith(u']'))
        value.chop(1);
    return value;
}

// [dd:dd.dd], the ordinary tag, told without a call: nearly every tag is one.
bool isOrdinaryTag(QStringView text)
{
    if (text.size() < kTimeTagLength)
        return false;
    const QChar *c = text.data();
    const auto digit = [](QChar d) { return d.unicode() >= u'0' && d.unicode() <= u'9'; };
    return c[0] == u'[' && digit(c[1]) && digit(c[2]) && c[3] == u':' && digit(c[4]) && digit(c[5])
        && c[6] == u'.' && digit(c[7]) && digit(c[8]) && c[9] == u']';
}

// The time tag at the start of text in a timed line's leading tags: one of a
// clock form (timetag), or any other 10-character bracketed group, read
// leniently as [mm:ss.xx] when the times are computed. 0 when there is none.
qsizetype leadingTagLength(QStringView text)
{
    if (text.isEmpty() || text.front() != u'[')
        return 0;
    if (isOrdinaryTag(text))
        return kTimeTagLength;
    if (const qsizetype clock = clockTagLength(text))
        return clock;
    if (text.size() >= kTimeTagLength && text.at(kTimeTagLength - 1) == u']')
        return kTimeTagLength;
    return 0;
}

// Whether the line's leading tags include one that is not 10 characters long.
// Lines whose leading tags are all 10 characters long are read by the scan
// of ParseTimedLine that files of ordinary tags have always been read by.
bool leadsWithOtherTagForms(QStringView line)
{
    for (qsizetype at = 0;;) {
        const qsizetype length = leadingTagLength(line.sliced(at));
        if (length == 0)
            return false;
        if (length != kTimeTagLength)
            return true;
        at += length;
    }
}

QString lineLimitError()
{
    // Blank lines and lines without time tags take a slot too; only title,
    // artist, album, "by" and "offset" lines do not.
    return QStringLiteral("歌词文件超过了%1行的上限，无法转换。")
        .arg(ConversionWorkspace::kMaxLines);
}

QString tagLimitError()
{
    return QStringLiteral("歌词文件中有一行的时间标签超过了每行%1个的上限，无法转换。")
        .arg(ConversionWorkspace::kMaxTagsPerLine);
}

} // namespace

bool ReadLrcFile(ConversionWorkspace &workspace, QString &error)
{
    QStringList lines;
    if (!readTextLines(workspace.sourcePath, lines, error, workspace.sourceEncoding,
                       &workspace.readEncoding))
        return false;
    return readLrcLines(workspace, std::move(lines), error);
}

bool readLrcLines(ConversionWorkspace &workspace, QStringList lines, QString &error)
{
    const qsizetype expected = qMin<qsizetype>(workspace.lineCount + lines.size(),
                                               ConversionWorkspace::kMaxLines);
    workspace.lineText.reserve(expected);
    workspace.tagCount.reserve(expected);
    workspace.tagStart.reserve(expected);

    for (QString &line : lines) {
        QStringView label;
        switch (classify(line, label)) {
        case LineKind::Header:
            workspace.headerText.append(label);
            workspace.headerText.append(headerValue(line));
            workspace.headerText.append(u"\r\n");
            break;
        case LineKind::Dropped:
            break;
        case LineKind::Timed:
            if (!ParseTimedLine(workspace, std::move(line), error))
                return false;
            break;
        }
    }
    return true;
}

bool ParseTimedLine(ConversionWorkspace &workspace, QString line, QString &error)
{
    if (workspace.lineCount >= ConversionWorkspace::kMaxLines) {
        error = lineLimitError();
        return false;
    }

    const qsizetype firstTag = workspace.tagTextEnd.size();
    const qsizetype firstTagChar = workspace.tagText.size();
    int tags = 0;
    const auto addTag = [&](QStringView tag) {
        if (tags >= ConversionWorkspace::kMaxTagsPerLine)
            return false;
        workspace.tagText.append(tag);
        workspace.tagTextEnd.append(int(workspace.tagText.size()));
        ++tags;
        return true;
    };

    const QStringView view(line);
    const qsizetype length = line.size();
    qsizetype removed = 0;
    bool fits = true;
    if (leadsWithOtherTagForms(view)) {
        // Tags of every form stand one after the other from the start of the
        // line; exactly they are removed.
        for (qsizetype tag; fits && (tag = leadingTagLength(view.sliced(removed))) > 0; removed += tag)
            fits = addTag(view.sliced(removed, tag));
    } else {
        // Positions below are 0-based: a candidate tag ends with "]" at p and
        // starts with "[" at p - 9, and every candidate after the first must
        // be directly preceded by "]". Candidates may overlap; each one
        // counted cuts another 10 characters from the front of the text,
        // whatever stood there.
        const QChar *data = line.constData();
        for (qsizetype p = kTimeTagLength - 1; fits && p < length; ++p) {
            if (data[p] != u']' || data[p - 9] != u'[')
                continue;
            if (p > kTimeTagLength - 1 && data[p - 10] != u']')
                break;
            fits = addTag(QStringView(data + p - 9, kTimeTagLength));
        }
        removed = qsizetype(kTimeTagLength) * tags;
    }
    if (!fits) {
        workspace.tagText.truncate(firstTagChar);
        workspace.tagTextEnd.resize(firstTag);
        error = tagLimitError();
        return false;
    }

    // Cutting 10 characters from a text shorter than that leaves it empty.
    // Removing from the front of an unshared string moves no characters.
    if (removed < length)
        line.remove(0, removed);
    else
        line.clear();
    if (std::find(line.cbegin(), line.cend(), u'<') != line.cend())
        removeWordTimings(line);

    workspace.lineText.append(std::move(line));
    workspace.tagCount.append(tags);
    workspace.tagStart.append(int(firstTag));
    ++workspace.lineCount;
    return true;
}
