#include "ExportFiles.h"

#include "core/ClipboardTypes.h"
#include "core/FileUrl.h"
#include "platform/Paths.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QTextBoundaryFinder>

#include <utility>

namespace ExportFiles {

namespace {

constexpr qsizetype kMaxBaseNameBytes = 200;

using TypeAndExtension = std::pair<const char *, const char *>;

QList<TypeAndExtension> candidates(ClipKind kind)
{
    switch (kind) {
    case ClipKind::Text:
    case ClipKind::Link:
        return {{"public.utf8-plain-text", "txt"}};
    case ClipKind::RichText:
        return {{"public.rtf", "rtf"}, {"public.utf8-plain-text", "txt"}};
    case ClipKind::Image:
        return {{"public.png", "png"},
                {"public.jpeg", "jpg"},
                {"public.heic", "heic"},
                {"public.tiff", "tiff"}};
    case ClipKind::Pdf:
        return {{"com.adobe.pdf", "pdf"}};
    case ClipKind::File:
    case ClipKind::Color:
        break;
    }
    return {};
}

// True when the file at `path` already holds exactly `data`.
bool holds(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != data.size())
        return false;
    return file.readAll() == data;
}

} // namespace

std::optional<QUrl> url(const ClipItem &item, const QList<Representation> &reps,
                        const QString &folder, bool stableName, const QSet<QString> &taken)
{
    if (item.kind == ClipKind::File) {
        const QList<QUrl> files = fileURLs(reps);
        if (files.isEmpty())
            return std::nullopt;
        return files.first();
    }

    const Representation *chosen = nullptr;
    QString extension;
    for (const auto &[type, ext] : candidates(item.kind)) {
        const auto found = std::find_if(reps.cbegin(), reps.cend(), [type = type](const auto &r) {
            return r.type == QLatin1String(type);
        });
        if (found != reps.cend()) {
            chosen = &*found;
            extension = QLatin1String(ext);
            break;
        }
    }
    if (!chosen)
        return std::nullopt;

    QString base;
    if (stableName)
        base = item.id;
    else if (item.customTitle && !item.customTitle->isEmpty())
        base = *item.customTitle;
    else
        base = QStringLiteral("Varu ") +
               QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd 'às' HH.mm.ss"));
    base.replace(QLatin1Char('/'), QLatin1Char('-'));
    base.remove(QChar(0));
    // File names hold at most 255 bytes, and the atomic write adds a suffix of its own: cut
    // a long title at a character boundary rather than fail to write the file at all.
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, base);
    while (base.toUtf8().size() > kMaxBaseNameBytes) {
        boundaries.setPosition(base.size());
        base.truncate(boundaries.toPreviousBoundary());
    }

    const QString stem = Paths::caches(folder) + QLatin1Char('/') + base;
    QString path = stem + QLatin1Char('.') + extension;
    // Two untitled cards dragged in the same second would otherwise share one file, and the
    // second would replace the first card's content.
    for (int n = 2; !stableName && taken.contains(path); ++n)
        path = stem + QLatin1Char(' ') + QString::number(n) + QLatin1Char('.') + extension;
    // A stable name is reused while the content is the same; an edited card's text must not
    // show up stale in the preview.
    if (stableName && holds(path, chosen->data))
        return QUrl::fromLocalFile(path);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(chosen->data) != chosen->data.size() ||
        !file.commit())
        return std::nullopt;
    return QUrl::fromLocalFile(path);
}

QList<QUrl> fileURLs(const QList<Representation> &reps)
{
    QList<QUrl> urls;
    for (const Representation &rep : reps) {
        if (rep.type != ClipboardTypes::fileUrl)
            continue;
        const QUrl url(QString::fromUtf8(rep.data), QUrl::StrictMode);
        if (FileUrl::isLocal(url))
            urls.append(url);
    }
    return urls;
}

} // namespace ExportFiles
