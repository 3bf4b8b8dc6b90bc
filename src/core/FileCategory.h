#pragma once
// The category of a file on a card (image, video, document…), with its Portuguese names,
// symbol and colour. Decided from the file's MIME type and its ancestors, in a fixed rule
// order, and cached per path for the life of the process.

#include <QColor>
#include <QString>

enum class FileCategory {
    Image,
    Video,
    Audio,
    Pdf,
    Document,
    Spreadsheet,
    Presentation,
    Code,
    Text,
    Archive,
    Folder,
    App,
    Other,
};

namespace FileCategories {

// The cached category of a path (thread-safe).
FileCategory of(const QString &path);
// The category of a path without the cache: existing folders by their extension, anything
// else (a file, or nothing at that path) by its extension alone.
FileCategory classify(const QString &path);
// The category of a lower-case file name extension.
FileCategory classifyExtension(const QString &ext, bool package);

QString singular(FileCategory category);
QString plural(FileCategory category);
QString symbol(FileCategory category);
QColor tint(FileCategory category);

} // namespace FileCategories
