#include "commondialog.h"

#include <utility>

QStringList nameFiltersFrom(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters.append(parts.at(i) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return filters;
}

CommonDialog::CommonDialog(FileDialogRequest::Kind kind, QStringList nameFilters)
    : kind_(kind)
    , nameFilters_(std::move(nameFilters))
{
}

std::optional<QString> CommonDialog::show(WindowDialogs &dialogs)
{
    const std::optional<QString> chosen = dialogs.runFileDialog({kind_, fileName_, nameFilters_});
    if (chosen)
        fileName_ = *chosen;
    return chosen;
}
