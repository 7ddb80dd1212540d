#pragma once

#include "windowdialogs.h"

#include <QString>
#include <QStringList>

#include <optional>

// Turns a filter written as "description|patterns|description|patterns" into
// Qt name filters, in the same order. Patterns separated by ";" stay together,
// and "*.*" becomes "*" so that "all files" also matches names without a dot.
QStringList nameFiltersFrom(const QString &pipeFilter);

// An Open or Save dialog with its settings, which remembers the file name
// chosen last so the next use starts from it.
class CommonDialog
{
public:
    explicit CommonDialog(FileDialogRequest::Kind kind, QStringList nameFilters = {});

    FileDialogRequest::Kind kind() const { return kind_; }
    const QStringList &nameFilters() const { return nameFilters_; }

    QString fileName() const { return fileName_; }
    void setFileName(const QString &fileName) { fileName_ = fileName; }

    // Shows the dialog preset to fileName(). On success the chosen path becomes
    // the file name and is returned; Cancel returns nothing and changes nothing.
    std::optional<QString> show(WindowDialogs &dialogs);

private:
    FileDialogRequest::Kind kind_;
    QStringList nameFilters_;
    QString fileName_;
};
