#include "droppedfile.h"

#include <QMimeData>
#include <QUrl>

std::optional<QString> droppedLocalFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return std::nullopt;
    const QString path = urls.first().toLocalFile();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
