#include "X11MimeTypes.h"

#include <QHash>

namespace X11MimeTypes {

namespace {

const QString kUriList = QStringLiteral("text/uri-list");
const QString kGnomeFiles = QStringLiteral("x-special/gnome-copied-files");

} // namespace

bool isBookkeeping(const QString &mime)
{
    static const QStringList names{
        QStringLiteral("TARGETS"),
        QStringLiteral("MULTIPLE"),
        QStringLiteral("TIMESTAMP"),
        QStringLiteral("SAVE_TARGETS"),
        QStringLiteral("DELETE"),
        QStringLiteral("INSERT_SELECTION"),
        QStringLiteral("INSERT_PROPERTY"),
        QStringLiteral("application/x-qt-image"),
        // X resources (pixmap ids), meaningless outside the X server
        QStringLiteral("PIXMAP"),
        QStringLiteral("BITMAP"),
        QStringLiteral("DRAWABLE"),
        QStringLiteral("COLORMAP"),
    };
    return names.contains(mime);
}

bool isPlainText(const QString &mime)
{
    static const QStringList names{QStringLiteral("text/plain;charset=utf-8"),
                                   QStringLiteral("text/plain"),
                                   QStringLiteral("UTF8_STRING"),
                                   QStringLiteral("STRING"),
                                   QStringLiteral("TEXT"),
                                   QStringLiteral("COMPOUND_TEXT")};
    return names.contains(mime, Qt::CaseInsensitive);
}

bool isFileList(const QString &mime)
{
    return mime == kUriList || mime == kGnomeFiles;
}

QStringList contentTargets(const QStringList &formats)
{
    QStringList images;
    for (const QString &format : formats) {
        if (format.startsWith(QLatin1String("image/")))
            images << format;
    }
    QString picture = images.value(0);
    for (const char *preferred : {"image/png", "image/tiff", "image/jpeg", "image/heic"}) {
        if (images.contains(QLatin1String(preferred))) {
            picture = QLatin1String(preferred);
            break;
        }
    }
    QStringList content;
    for (const QString &format : formats) {
        if (isBookkeeping(format) ||
            (format.startsWith(QLatin1String("image/")) && format != picture))
            continue;
        content << format;
    }
    return content;
}

QString storedType(const QString &mime)
{
    static const QHash<QString, QString> table{
        {QStringLiteral("text/html"), QStringLiteral("public.html")},
        {QStringLiteral("text/rtf"), QStringLiteral("public.rtf")},
        {QStringLiteral("application/rtf"), QStringLiteral("public.rtf")},
        {QStringLiteral("image/png"), QStringLiteral("public.png")},
        {QStringLiteral("image/jpeg"), QStringLiteral("public.jpeg")},
        {QStringLiteral("image/tiff"), QStringLiteral("public.tiff")},
        {QStringLiteral("image/heic"), QStringLiteral("public.heic")},
        {QStringLiteral("application/pdf"), QStringLiteral("com.adobe.pdf")},
        {QStringLiteral("application/x-color"), QStringLiteral("com.apple.cocoa.pasteboard.color")},
    };
    if (isPlainText(mime))
        return QStringLiteral("public.utf8-plain-text");
    if (isFileList(mime))
        return QStringLiteral("public.file-url");
    return table.value(mime, mime);
}

QString mimeType(const QString &stored)
{
    static const QHash<QString, QString> table{
        {QStringLiteral("public.utf8-plain-text"), QStringLiteral("text/plain;charset=utf-8")},
        {QStringLiteral("public.html"), QStringLiteral("text/html")},
        {QStringLiteral("public.rtf"), QStringLiteral("text/rtf")},
        {QStringLiteral("public.file-url"), kUriList},
        {QStringLiteral("public.png"), QStringLiteral("image/png")},
        {QStringLiteral("public.jpeg"), QStringLiteral("image/jpeg")},
        {QStringLiteral("public.tiff"), QStringLiteral("image/tiff")},
        {QStringLiteral("public.heic"), QStringLiteral("image/heic")},
        {QStringLiteral("com.adobe.pdf"), QStringLiteral("application/pdf")},
        {QStringLiteral("com.apple.cocoa.pasteboard.color"), QStringLiteral("application/x-color")},
    };
    return table.value(stored, stored);
}

QList<QByteArray> parseFileList(const QString &mime, const QByteArray &data)
{
    QList<QByteArray> uris;
    const QList<QByteArray> lines = data.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed(); // also drops the CR of CRLF
        if (mime == kGnomeFiles && i == 0)
            continue; // "copy" or "cut"
        // Browsers offer web links as URI lists too; only local files make file items.
        if (line.isEmpty() || line.startsWith('#') || !line.toLower().startsWith("file:"))
            continue;
        uris << line;
    }
    return uris;
}

QByteArray uriList(const QList<QByteArray> &uris)
{
    QByteArray out;
    for (const QByteArray &uri : uris)
        out += uri + "\r\n";
    return out;
}

QByteArray gnomeCopiedFiles(const QList<QByteArray> &uris)
{
    QByteArray out("copy");
    for (const QByteArray &uri : uris)
        out += '\n' + uri;
    return out;
}

} // namespace X11MimeTypes
