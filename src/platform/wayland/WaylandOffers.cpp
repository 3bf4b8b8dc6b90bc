#include "WaylandOffers.h"

#include "platform/x11/X11MimeTypes.h"

#include <cstring>

namespace WaylandOffers {

namespace {

const QString kPlainText = QStringLiteral("public.utf8-plain-text");
const QString kFileUrl = QStringLiteral("public.file-url");
const QString kUriList = QStringLiteral("text/uri-list");

// Lower is better: explicitly UTF-8 first; the X11 names only when nothing else is offered.
int textPreference(const QString &mime)
{
    if (mime.compare(QLatin1String("text/plain;charset=utf-8"), Qt::CaseInsensitive) == 0)
        return 0;
    if (mime == QLatin1String("text/plain"))
        return 1;
    if (mime == QLatin1String("UTF8_STRING"))
        return 2;
    return 3;
}

} // namespace

QList<Read> plan(const QStringList &mimes, const QStringList &unheld)
{
    const QStringList formats = X11MimeTypes::contentTargets(mimes);
    QString fileList;
    for (const QString &format : formats) {
        if (X11MimeTypes::isFileList(format) && (fileList.isEmpty() || format == kUriList))
            fileList = format;
    }
    QList<Read> reads;
    for (const QString &format : formats) {
        if (X11MimeTypes::isFileList(format) && format != fileList)
            continue;
        const QString stored = X11MimeTypes::storedType(format);
        auto same = std::find_if(reads.begin(), reads.end(),
                                 [&](const Read &r) { return r.storedType == stored; });
        if (same == reads.end()) {
            reads.append({stored, format});
        } else if (stored == kPlainText && textPreference(format) < textPreference(same->mime)) {
            same->mime = format;
        }
    }
    for (const Read &read : reads) {
        if (unheld.contains(read.storedType))
            return {};
    }
    return reads;
}

Snapshot snapshot(const QList<Read> &plan, const QHash<QString, std::optional<QByteArray>> &read)
{
    Snapshot s;
    for (const Read &r : plan) {
        const std::optional<QByteArray> bytes = read.value(r.mime);
        if (r.storedType == kFileUrl) {
            if (bytes)
                s.fileUris = X11MimeTypes::parseFileList(r.mime, *bytes);
            if (s.fileUris.isEmpty()) {
                // Web links only: kept as they came, under their own name.
                s.entries.append({r.mime, bytes});
                continue;
            }
        }
        s.entries.append({r.storedType, bytes});
    }
    return s;
}

QStringList Snapshot::types(int item) const
{
    QStringList names;
    if (item == 0) {
        for (const auto &entry : entries)
            names << entry.first;
    } else if (item > 0 && item < fileUris.size()) {
        names << kFileUrl;
    }
    return names;
}

std::optional<QByteArray> Snapshot::data(int item, const QString &type) const
{
    if (type == kFileUrl && !fileUris.isEmpty()) {
        if (item >= 0 && item < fileUris.size())
            return fileUris.at(item);
        return std::nullopt;
    }
    if (item != 0)
        return std::nullopt;
    for (const auto &[name, bytes] : entries) {
        if (name == type)
            return bytes;
    }
    return std::nullopt;
}

int Snapshot::itemCount() const
{
    if (entries.isEmpty())
        return 0;
    return int(std::max<qsizetype>(1, fileUris.size()));
}

QList<std::pair<QString, QByteArray>> offer(const QList<ClipboardItem> &items)
{
    QList<std::pair<QString, QByteArray>> out;
    QStringList written;
    QList<QByteArray> uris;
    for (const ClipboardItem &item : items) {
        for (const auto &[type, bytes] : item.entries) {
            if (type == kFileUrl) {
                uris << bytes.trimmed();
                continue;
            }
            if (written.contains(type))
                continue;
            written << type;
            if (type == kPlainText) {
                for (const char *name : {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING",
                                         "STRING", "TEXT"})
                    out.append({QLatin1String(name), bytes});
            } else {
                out.append({X11MimeTypes::mimeType(type), bytes});
            }
        }
    }
    if (!uris.isEmpty()) {
        out.append({kUriList, X11MimeTypes::uriList(uris)});
        out.append({QStringLiteral("x-special/gnome-copied-files"),
                    X11MimeTypes::gnomeCopiedFiles(uris)});
    }
    return out;
}

std::optional<SrgbColor> color(const QByteArray &bytes)
{
    if (bytes.size() != 8)
        return std::nullopt;
    quint16 values[4];
    std::memcpy(values, bytes.constData(), sizeof values);
    return SrgbColor{values[0] / 65535.0, values[1] / 65535.0, values[2] / 65535.0};
}

} // namespace WaylandOffers
