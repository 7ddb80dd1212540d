#include "lrcreader.h"

#include "conversionworkspace.h"
#include "textfile.h"

namespace {

constexpr qsizetype kTimeTagLength = 10;

// The label put before the value of a header tag line, or null for a tag line
// that is dropped; the tag is recognised by the line's first three characters.
enum class LineKind { Timed, Header, Dropped };

LineKind classify(QStringView line, QStringView &label)
{
    const QStringView head = line.first(qMin<qsizetype>(3, line.size()));
    if (head == u"[ar") {
        label = u"     艺术家：";
        return LineKind::Header;
    }
    if (head == u"[ti") {
        label = u"     歌曲：";
        return LineKind::Header;
    }
    if (head == u"[al") {
        label = u"     所属专辑：";
        return LineKind::Header;
    }
    if (head == u"[by" || head == u"[of")
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
    return QStringLiteral("歌词文件的时间行超过了%1行的上限，无法转换。")
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
    if (!readTextLines(workspace.sourcePath, lines, error))
        return false;
    return readLrcLines(workspace, lines, error);
}

bool readLrcLines(ConversionWorkspace &workspace, const QStringList &lines, QString &error)
{
    for (const QString &line : lines) {
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
            if (!ParseTimedLine(workspace, line, error))
                return false;
            break;
        }
    }
    return true;
}

bool ParseTimedLine(ConversionWorkspace &workspace, const QString &line, QString &error)
{
    if (workspace.lineCount >= ConversionWorkspace::kMaxLines) {
        error = lineLimitError();
        return false;
    }

    // Positions below are 0-based: a candidate tag ends with "]" at p and
    // starts with "[" at p - 9, and every candidate after the first must be
    // directly preceded by "]". Candidates may overlap; each one counted cuts
    // another 10 characters from the front of the text, whatever stood there.
    const QChar *data = line.constData();
    const qsizetype length = line.size();
    QStringList tags;
    for (qsizetype p = kTimeTagLength - 1; p < length; ++p) {
        if (data[p] != u']' || data[p - 9] != u'[')
            continue;
        if (p > kTimeTagLength - 1 && data[p - 10] != u']')
            break;
        if (tags.size() >= ConversionWorkspace::kMaxTagsPerLine) {
            error = tagLimitError();
            return false;
        }
        tags.append(line.sliced(p - 9, kTimeTagLength));
    }

    // Cutting 10 characters from a text shorter than that leaves it empty.
    const qsizetype removed = kTimeTagLength * tags.size();
    QString text;
    if (removed == 0)
        text = line;
    else if (removed < length)
        text = line.sliced(removed);

    workspace.lineText.append(text);
    workspace.tagCount.append(int(tags.size()));
    workspace.tagText.append(std::move(tags));
    workspace.tagTime.append(QList<double>());
    ++workspace.lineCount;
    return true;
}
