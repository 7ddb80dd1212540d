#pragma once

#include <QString>

#include <optional>

class QMimeData;

// What a drop on the window carries, as the window takes it: the local file
// of its first URL. Nothing when the first URL is not a local file (a web
// address) or when it carries no URL at all (plain text, an image).
std::optional<QString> droppedLocalFile(const QMimeData *data);
