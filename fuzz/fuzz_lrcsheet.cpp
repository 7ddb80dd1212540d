// Bytes as a lyric file -> the finished sheet: reading, tags, header and
// metadata lines, word timings, sorting and assembly. Checks what must always
// hold: the capacities bind and the same file always gives the same sheet.

#include "conversionworkspace.h"
#include "lrcreader.h"
#include "textfile.h"
#include "timeline.h"

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool convert(ConversionWorkspace &workspace, const QStringList &lines)
{
    QString error;
    ResetWorkspace(workspace);
    const bool converted = readLrcLines(workspace, lines, error) && AssembleResult(workspace, error);
    if (converted != error.isEmpty())
        std::abort(); // a failure without a message, or a message without a failure
    return converted;
}

void checkCapacities(const ConversionWorkspace &workspace)
{
    if (workspace.lineCount > ConversionWorkspace::kMaxLines
        || workspace.entryCount > ConversionWorkspace::kMaxEntries
        || workspace.lineText.size() != workspace.lineCount
        || workspace.entries.size() != workspace.entryCount)
        std::abort();
    for (int line = 0; line < workspace.lineCount; ++line) {
        if (workspace.tagCount.at(line) > ConversionWorkspace::kMaxTagsPerLine)
            std::abort();
    }
    // Every text is a piece of the text as read.
    const auto inSource = [&workspace](ConversionWorkspace::Span span) {
        return span.start >= 0 && span.length >= 0 && span.start + qsizetype(span.length) <= workspace.sourceText.size();
    };
    if (!std::all_of(workspace.lineText.cbegin(), workspace.lineText.cend(), inSource)
        || !std::all_of(workspace.tagText.cbegin(), workspace.tagText.cend(), inSource))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const DecodedText decoded = decodeBytes(bytes);
    if (!decoded.isText)
        return 0; // refused before it is converted
    const QStringList lines = splitLines(decoded.text);

    // Converting is done on one workspace twice, as pressing Convert twice.
    ConversionWorkspace workspace;
    const bool converted = convert(workspace, lines);
    checkCapacities(workspace);
    const QString sheet = workspace.resultText;
    if (converted && sheet != workspace.headerText + workspace.bodyText.toString())
        std::abort();

    if (convert(workspace, lines) != converted || workspace.resultText != sheet)
        std::abort(); // converting again gave another sheet

    // The text read whole, as a file is, gives the same sheet.
    ConversionWorkspace whole;
    QString error;
    if ((readLrcText(whole, decoded.text, error) && AssembleResult(whole, error)) != converted
        || whole.resultText != sheet)
        std::abort();
    return 0;
}
