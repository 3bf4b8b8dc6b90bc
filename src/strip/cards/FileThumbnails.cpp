#include "FileThumbnails.h"

#include "core/FileCategory.h"
#include "capture/Thumbnailer.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QMutexLocker>
#include <QPainter>
#include <QPdfDocument>
#include <QStandardPaths>
#include <QUrl>

namespace {

constexpr qint64 kMaxDecodeBytes = 64LL * 1024 * 1024;

QImage fromImageFile(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (size.isValid()) {
        // Orientation may swap the sides; fitting the longer side is enough either way.
        size.scale(FileThumbnails::kMaxSize.expandedTo(FileThumbnails::kMaxSize.transposed()),
                   Qt::KeepAspectRatio);
        if (size.width() < reader.size().width())
            reader.setScaledSize(size);
    }
    QImage image = reader.read();
    if (!image.isNull())
        return image;
    // Formats Qt cannot read (HEIC) go through the capture thumbnailer.
    QFile file(path);
    if (file.size() > kMaxDecodeBytes || !file.open(QIODevice::ReadOnly))
        return {};
    const auto thumb = Thumbnailer::make(file.readAll(), FileThumbnails::kMaxSize.width());
    return thumb ? QImage::fromData(thumb->png, "PNG") : QImage();
}

QImage fromPdf(const QString &path)
{
    QPdfDocument doc;
    if (doc.load(path) != QPdfDocument::Error::None || doc.pageCount() < 1)
        return {};
    QSizeF page = doc.pagePointSize(0);
    if (page.isEmpty())
        return {};
    const QSize target =
        page.scaled(QSizeF(FileThumbnails::kMaxSize), Qt::KeepAspectRatio).toSize();
    QImage image = doc.render(0, target);
    if (image.isNull())
        return {};
    // Pages without a background would come out transparent.
    QImage sheet(image.size(), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter(&sheet).drawImage(0, 0, image);
    return sheet;
}

// The first lines of a text file on a white page, the way a file manager previews text.
QImage fromText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(4096);
    if (head.contains('\0'))
        return {};
    QString text = QString::fromUtf8(head);
    text.replace(u'\t', u"    "_qs);
    const QSize size(FileThumbnails::kMaxSize.height() * 3 / 4, FileThumbnails::kMaxSize.height());
    QImage page(size, QImage::Format_ARGB32_Premultiplied);
    page.fill(QColor(0xFB, 0xFB, 0xFA));
    QPainter p(&page);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(QColor(0x33, 0x33, 0x38));
    const QFontMetrics metrics(font);
    int y = 14 + metrics.ascent();
    for (const QString &line : text.split(u'\n')) {
        if (y > size.height() - 8)
            break;
        p.drawText(14, y, line); // long lines run off the page, as on paper
        y += metrics.lineSpacing();
    }
    return page;
}

} // namespace

FileThumbnails::FileThumbnails(QString cacheHome)
    : m_cacheHome(std::move(cacheHome))
    , m_cache(96 * 1024) // KiB of decoded previews
{}

QString FileThumbnails::defaultCacheHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
}

double FileThumbnails::modificationTime(const QString &path)
{
    const QFileInfo info(path);
    const QDateTime time = info.exists() ? info.lastModified() : QDateTime();
    return time.isValid() ? time.toMSecsSinceEpoch() / 1000.0 : 0.0;
}

QString FileThumbnails::key(const QString &path)
{
    return path + u'|' +
           QString::number(modificationTime(path), 'g', QLocale::FloatingPointShortest);
}

QImage FileThumbnails::cached(const QString &key)
{
    QMutexLocker lock(&m_mutex);
    const QImage *image = m_cache.object(key);
    return image ? *image : QImage();
}

QImage FileThumbnails::thumbnail(const QString &path, const QString &key)
{
    if (QImage hit = cached(key); !hit.isNull())
        return hit;
    QImage image = fromSharedCache(path).value_or(QImage());
    if (image.isNull())
        image = make(path);
    if (image.isNull())
        return {};
    QMutexLocker lock(&m_mutex);
    m_cache.insert(key, new QImage(image), std::max<qsizetype>(1, image.sizeInBytes() / 1024));
    return image;
}

std::optional<QImage> FileThumbnails::fromSharedCache(const QString &path) const
{
    if (m_cacheHome.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    const QByteArray uri = QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded();
    const QString name =
        QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
        u".png"_qs;
    const QString mtime = QString::number(info.lastModified().toSecsSinceEpoch());
    for (const char *size : {"x-large", "large", "normal"}) {
        QImageReader reader(m_cacheHome + u"/thumbnails/"_qs + QLatin1String(size) + u'/' + name);
        if (!reader.canRead())
            continue;
        // Read the picture itself: the reader's own text lookup splits keys at ':' and never
        // finds "Thumb::MTime".
        const QImage image = reader.read();
        // A thumbnail of an older version of the file is stale.
        if (!image.isNull() && image.text(QStringLiteral("Thumb::MTime")) == mtime)
            return image;
    }
    return std::nullopt;
}

QImage FileThumbnails::make(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    switch (FileCategories::of(path)) {
    case FileCategory::Image:
        return fromImageFile(path);
    case FileCategory::Pdf:
        return fromPdf(path);
    case FileCategory::Text:
    case FileCategory::Code:
        return fromText(path);
    default:
        return {};
    }
}
