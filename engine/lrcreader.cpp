#include "lrcreader.h"

#include "conversionworkspace.h"
#include "textfile.h"

#include <utility>

namespace {

constexpr qsizetype kTimeTagLength = ConversionWorkspace::kTimeTagLength;

// Tag lines are told by their first three characters alone ("[ar", "[ti",
// "[al" give header lines with a label, "[by" and "[of" are dropped); every
// other line is a timed line.
enum class LineKind { Timed, Header, Dropped };

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
    return LineKind::Timed;
}

// The value stands from the 5th character up to, but not including, the
// last one; a line too short to hold one has an empty value.
QStringView headerValue(QStringView line)
{
    if (line.size() <= 5)
        return {};
    return line.sliced(4, line.size() - 5);
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
    if (!readTextLines(workspace.sourcePath, lines, error, workspace.sourceEncoding))
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

    // Positions below are 0-based: a candidate tag ends with "]" at p and
    // starts with "[" at p - 9, and every candidate after the first must be
    // directly preceded by "]". Candidates may overlap; each one counted cuts
    // another 10 characters from the front of the text, whatever stood there.
    const qsizetype firstTag = workspace.tagText.size() / kTimeTagLength;
    const QChar *data = line.constData();
    const qsizetype length = line.size();
    int tags = 0;
    for (qsizetype p = kTimeTagLength - 1; p < length; ++p) {
        if (data[p] != u']' || data[p - 9] != u'[')
            continue;
        if (p > kTimeTagLength - 1 && data[p - 10] != u']')
            break;
        if (tags >= ConversionWorkspace::kMaxTagsPerLine) {
            workspace.tagText.truncate(firstTag * kTimeTagLength);
            error = tagLimitError();
            return false;
        }
        workspace.tagText.append(QStringView(data + p - 9, kTimeTagLength));
        ++tags;
    }

    // Cutting 10 characters from a text shorter than that leaves it empty.
    // Removing from the front of an unshared string moves no characters.
    const qsizetype removed = qsizetype(kTimeTagLength) * tags;
    if (removed < length)
        line.remove(0, removed);
    else
        line.clear();

    workspace.lineText.append(std::move(line));
    workspace.tagCount.append(tags);
    workspace.tagStart.append(int(firstTag));
    ++workspace.lineCount;
    return true;
}
