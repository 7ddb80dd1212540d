#include "textboxtext.h"

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

QString shownLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return {};
    return withLongLinesBroken(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
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
