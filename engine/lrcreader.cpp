#include "lrcreader.h"

#include "conversionworkspace.h"
#include "textfile.h"
#include "timetag.h"

#include <functional>
#include <optional>
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

QString sourceLimitError()
{
    return QStringLiteral("歌词文件超过了%1个字符的上限，无法转换。")
        .arg(ConversionWorkspace::kMaxSourceLength);
}

// Room for `more` characters at the end of sourceText, within its limit.
bool sourceHasRoom(const ConversionWorkspace &workspace, qsizetype more, QString &error)
{
    if (workspace.sourceText.size() + more <= ConversionWorkspace::kMaxSourceLength)
        return true;
    error = sourceLimitError();
    return false;
}

// Where line stands in text, when it is a piece of it.
std::optional<qsizetype> offsetIn(const QString &text, QStringView line)
{
    const QChar *begin = text.constData();
    const QChar *end = begin + text.size();
    const std::less_equal<const QChar *> notAfter;
    if (!line.isNull() && notAfter(begin, line.data()) && notAfter(line.data() + line.size(), end))
        return line.data() - begin;
    return std::nullopt;
}

bool readLine(ConversionWorkspace &workspace, QStringView line, QString &error)
{
    QStringView label;
    switch (classify(line, label)) {
    case LineKind::Header:
        workspace.headerText.append(label);
        workspace.headerText.append(headerValue(line));
        workspace.headerText.append(u"\r\n");
        return true;
    case LineKind::Dropped:
        return true;
    case LineKind::Timed:
        break;
    }
    return ParseTimedLine(workspace, line, error);
}

} // namespace

bool ReadLrcFile(ConversionWorkspace &workspace, QString &error)
{
    QString text;
    if (!readTextFile(workspace.sourcePath, text, error, workspace.sourceEncoding, &workspace.readEncoding))
        return false;
    return readLrcText(workspace, std::move(text), error);
}

bool readLrcText(ConversionWorkspace &workspace, QString text, QString &error)
{
    if (!sourceHasRoom(workspace, text.size(), error))
        return false;
    const qsizetype begin = workspace.sourceText.size();
    if (workspace.sourceText.isEmpty())
        workspace.sourceText = std::move(text);
    else
        workspace.sourceText.append(text);
    const qsizetype end = workspace.sourceText.size();

    // Room for as many lines and tags as the text can hold, within the
    // capacities: the tables then never move while they fill, and the room
    // never used is never touched.
    const qsizetype lines = qMin<qsizetype>(end - begin + 1, ConversionWorkspace::kMaxLines);
    const qsizetype tags = qMin<qsizetype>((end - begin) / kTimeTagLength,
                                           qsizetype(ConversionWorkspace::kMaxLines) * ConversionWorkspace::kMaxTagsPerLine);
    workspace.lineText.reserve(workspace.lineCount + lines);
    workspace.tagCount.reserve(workspace.lineCount + lines);
    workspace.tagStart.reserve(workspace.lineCount + lines);
    workspace.tagText.reserve(workspace.tagText.size() + tags);

    // Positions, not views: sourceText may grow (and move) while its lines are stored.
    for (qsizetype at = begin; at < end;) {
        const QStringView source = QStringView(workspace.sourceText).first(end);
        const LineBounds bounds = lineBoundsAt(source, at);
        if (!readLine(workspace, source.sliced(at, bounds.end - at), error))
            return false;
        at = bounds.next;
    }
    return true;
}

bool readLrcLines(ConversionWorkspace &workspace, const QStringList &lines, QString &error)
{
    for (const QString &line : lines) {
        if (!readLine(workspace, line, error))
            return false;
    }
    return true;
}

bool ParseTimedLine(ConversionWorkspace &workspace, QStringView line, QString &error)
{
    using Span = ConversionWorkspace::Span;
    if (workspace.lineCount >= ConversionWorkspace::kMaxLines) {
        error = lineLimitError();
        return false;
    }
    qsizetype lineStart = 0;
    if (const std::optional<qsizetype> offset = offsetIn(workspace.sourceText, line)) {
        lineStart = *offset;
    } else {
        if (!sourceHasRoom(workspace, line.size(), error))
            return false;
        lineStart = workspace.sourceText.size();
        workspace.sourceText.append(line);
    }
    const QStringView view = QStringView(workspace.sourceText).sliced(lineStart, line.size());
    const qsizetype length = view.size();

    const qsizetype firstTag = workspace.tagText.size();
    int tags = 0;
    const auto addTag = [&](qsizetype at, qsizetype tagLength) {
        if (tags >= ConversionWorkspace::kMaxTagsPerLine)
            return false;
        workspace.tagText.append(Span{int(lineStart + at), int(tagLength)});
        ++tags;
        return true;
    };

    qsizetype removed = 0;
    bool fits = true;
    if (leadsWithOtherTagForms(view)) {
        // Tags of every form stand one after the other from the start of the
        // line; exactly they are removed.
        for (qsizetype tag; fits && (tag = leadingTagLength(view.sliced(removed))) > 0; removed += tag)
            fits = addTag(removed, tag);
    } else {
        // Positions below are 0-based: a candidate tag ends with "]" at p and
        // starts with "[" at p - 9, and every candidate after the first must
        // be directly preceded by "]". Candidates may overlap; each one
        // counted cuts another 10 characters from the front of the text,
        // whatever stood there.
        const QChar *data = view.data();
        for (qsizetype p = kTimeTagLength - 1; fits && p < length; ++p) {
            if (data[p] != u']' || data[p - 9] != u'[')
                continue;
            if (p > kTimeTagLength - 1 && data[p - 10] != u']')
                break;
            fits = addTag(p - 9, kTimeTagLength);
        }
        removed = qsizetype(kTimeTagLength) * tags;
    }
    if (!fits) {
        workspace.tagText.resize(firstTag);
        error = tagLimitError();
        return false;
    }

    // Cutting 10 characters from a text shorter than that leaves it empty.
    removed = qMin(removed, length);
    Span text{int(lineStart + removed), int(length - removed)};
    if (workspace.textOf(text).contains(u'<')) {
        // The text without its word timings goes at the end of sourceText:
        // in place it could overwrite a tag that overlaps the text.
        if (!sourceHasRoom(workspace, text.length, error)) {
            workspace.tagText.resize(firstTag);
            return false;
        }
        const qsizetype end = workspace.sourceText.size();
        workspace.sourceText.resize(end + text.length);
        QChar *out = workspace.sourceText.data() + end;
        const qsizetype kept = copyWithoutWordTimings(workspace.textOf(text), out);
        workspace.sourceText.truncate(end + kept);
        text = Span{int(end), int(kept)};
    }

    workspace.lineText.append(text);
    workspace.tagCount.append(tags);
    workspace.tagStart.append(int(firstTag));
    ++workspace.lineCount;
    return true;
}
