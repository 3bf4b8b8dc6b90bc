#pragma once
// What the quick preview shows of a card: its text, a picture or animation at full size, the
// pages of a PDF, a colour, or its files, chosen from the card's kind and its preview file.

#include "core/ClipItem.h"
#include "core/Representation.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace PreviewModes {
Q_NAMESPACE
QML_NAMED_ELEMENT(PreviewMode)

enum class Mode {
    Text,      // plain text, scrollable
    RichText,  // HTML, rendered
    Picture,   // one still image at full resolution, fitted
    Animation, // an animated image, playing
    Pdf,       // every page, scrollable
    Files,     // one file that is none of the above, or several: name, size, type, picture
    Color,     // a swatch
    Symbol,    // nothing that can be shown safely: the kind's symbol
};
Q_ENUM_NS(Mode)

} // namespace PreviewModes

using PreviewMode = PreviewModes::Mode;

// One file of a file card.
struct PreviewFile
{
    QString path;
    QString name;
    QString size; // "1,2 MB"; empty for folders and missing files
    QString type; // its category's name ("Imagem", "PDF"…)
    QString iconName;
    QString genericIconName;
};

struct PreviewContent
{
    PreviewMode mode = PreviewMode::Symbol;
    QString text;     // Text, RichText
    bool link = false; // Text that is a link
    QString path;     // Picture, Animation, Pdf: the file shown
    QSizeF pageSize;  // Pdf: the first page, in points
    int pages = 0;    // Pdf
    QColor color;     // Color
    QList<PreviewFile> files;
    QString symbol;   // Symbol: the kind's symbol name
};

namespace PreviewContents {

// Decoding budget: a larger image (or a decompression bomb claiming to be one) is not decoded.
constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;
// Text read for the preview; longer texts show their start.
constexpr qint64 kMaxTextBytes = 512 * 1024;
// Files listed for a file card.
constexpr int kMaxFiles = 200;

// The content for a card whose preview file is `file` (a local path; unused for colours and
// files, whose paths come from the card).
PreviewContent forCard(const ClipItem &item, const QList<Representation> &reps,
                       const QString &file);
// One file on its own: an image, a PDF or a text file as such, anything else as a file.
PreviewContent forFile(const QString &path, const QString &symbol);

} // namespace PreviewContents
