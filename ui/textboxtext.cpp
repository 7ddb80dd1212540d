#include "textboxtext.h"

#include "textfile.h"

namespace {

bool endsLine(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool hasLongLine(const QString &text)
{
    qsizetype length = 0;
    for (const QChar c : text) {
        length = endsLine(c) ? 0 : length + 1;
        if (length > kMaxShownRowLength)
            return true;
    }
    return false;
}

} // namespace

QString shownText(const QString &text)
{
    // One look decides whether the text can be shown as it is, and counts
    // the lines, each of which may gain a character (LF to CR LF).
    qsizetype lines = 0;
    bool asItIs = true;
    for (qsizetype at = 0; at < text.size();) {
        const LineBounds line = lineBoundsAt(text, at);
        asItIs = asItIs && line.next == line.end + 2 && line.end - at <= kMaxShownRowLength;
        ++lines;
        at = line.next;
    }
    if (asItIs)
        return text;

    QString shown;
    shown.reserve(text.size() + lines + text.size() / kMaxShownRowLength * 2);
    for (qsizetype at = 0; at < text.size();) {
        const LineBounds line = lineBoundsAt(text, at);
        QStringView rest = QStringView(text).sliced(at, line.end - at);
        while (rest.size() > kMaxShownRowLength) {
            shown.append(rest.first(kMaxShownRowLength));
            shown.append(u"\r\n");
            rest = rest.sliced(kMaxShownRowLength);
        }
        shown.append(rest);
        shown.append(u"\r\n");
        at = line.next;
    }
    return shown;
}

QString withLongLinesBroken(const QString &text)
{
    if (!hasLongLine(text))
        return text;
    QString rows;
    rows.reserve(text.size() + text.size() / kMaxShownRowLength * 2);
    qsizetype length = 0;
    for (const QChar c : text) {
        if (endsLine(c)) {
            length = 0;
        } else if (length == kMaxShownRowLength) {
            rows.append(u"\r\n");
            length = 1;
        } else {
            ++length;
        }
        rows.append(c);
    }
    return rows;
}
