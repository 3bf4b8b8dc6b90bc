#include "StripImages.h"

#include "strip/cards/AppIcons.h"
#include "strip/cards/CardFace.h"
#include "strip/cards/SymbolIcons.h"
#include "core/FileCategory.h"
#include "capture/ImageCache.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>

namespace {

QImage transparent(QSize size)
{
    QImage image(size.isValid() && !size.isEmpty() ? size : QSize(1, 1),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The header's outline: the card's rounded top corners over a square bottom edge.
QPainterPath headerShape(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.moveTo(rect.left(), rect.bottom());
    path.lineTo(rect.left(), rect.top() + radius);
    path.arcTo(QRectF(rect.left(), rect.top(), 2 * radius, 2 * radius), 180, -90);
    path.lineTo(rect.right() - radius, rect.top());
    path.arcTo(QRectF(rect.right() - 2 * radius, rect.top(), 2 * radius, 2 * radius), 90, -90);
    path.lineTo(rect.right(), rect.bottom());
    path.closeSubpath();
    return path;
}

// A soft shadow of an image's shape: its silhouette, blurred by shrinking and enlarging.
QImage shadowOf(const QImage &image, qreal blur)
{
    QImage silhouette = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&silhouette);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(silhouette.rect(), Qt::black);
    }
    const int factor = std::max(2, int(blur));
    const QImage small = silhouette.scaled(silhouette.size() / factor, Qt::IgnoreAspectRatio,
                                           Qt::SmoothTransformation);
    return small.scaled(silhouette.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

StripImages::StripImages(AppIcons &icons, ImageCache &images, CardLookup cards)
    : QQuickImageProvider(QQuickImageProvider::Image)
    , m_icons(icons)
    , m_images(images)
    , m_cards(std::move(cards))
{}

QImage StripImages::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const QStringList parts = id.split(u'/');
    QImage image;
    if (parts.value(0) == u"symbol" && parts.size() == 3) {
        const QSize want =
            requestedSize.isValid() && !requestedSize.isEmpty() ? requestedSize : QSize(16, 16);
        const QColor color = QColor(u'#' + parts.at(2));
        image = SymbolIcons::render(parts.at(1), want, color.isValid() ? color : QColor(Qt::white));
    } else if (parts.value(0) == u"header" && parts.size() == 4) {
        image = header(parts, requestedSize);
    } else if (parts.value(0) == u"thumb" && parts.size() == 3) {
        image = thumbnail(parts, requestedSize);
    } else if (parts.value(0) == u"fileicon" && parts.size() == 2) {
        image = fileIcon(parts, requestedSize);
    }
    if (image.isNull())
        image = transparent(requestedSize);
    if (size)
        *size = image.size();
    return image;
}

QImage StripImages::header(const QStringList &parts, const QSize &requested)
{
    // Drawn in points, scaled to the pixels asked for. The picture reaches below the header
    // by the part of the application icon that hangs over the content.
    const qreal scale = requested.width() > 0 ? requested.width() / qreal(kCardWidth) : 1.0;
    const QSize pixels(qRound(kCardWidth * scale), qRound(kHeaderPictureHeight * scale));
    QImage image = transparent(pixels);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    const QRectF header(0, 0, kCardWidth, kHeaderHeight);
    // Everything is cut by the card's edge: its rounded top corners and its sides.
    p.setClipPath(headerShape(QRectF(0, 0, kCardWidth, kHeaderPictureHeight), kCornerRadius));

    QColor color(u'#' + parts.at(1));
    if (!color.isValid())
        color = Qt::gray;
    QLinearGradient gradient(header.topLeft(), header.bottomRight());
    QColor from = color, to = color;
    from.setAlphaF(0.95f);
    to.setAlphaF(0.8f);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    p.fillRect(header, gradient);

    // The 84-point corner element, pushed out past the card's top and trailing edges.
    const QRectF corner(kCardWidth - 84 + 18, -10, 84, 84);
    const QString appID = CardPresenter::decode(parts.at(3));
    const std::optional<QIcon> icon = appID.isEmpty() ? std::nullopt : m_icons.icon(appID);
    if (icon) {
        const int px = qRound(84 * scale);
        const QImage art = icon->pixmap(QSize(px, px))
                               .toImage()
                               .scaled(px, px, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QRectF at(corner.topLeft() + QPointF((84 - art.width() / scale) / 2,
                                                   (84 - art.height() / scale) / 2),
                        art.size() / scale);
        p.setOpacity(0.25);
        p.drawImage(at.translated(0, 2), shadowOf(art, 6 * scale));
        p.setOpacity(1);
        p.drawImage(at, art);
    } else {
        const int px = qRound(50 * scale);
        const QImage symbol = SymbolIcons::render(parts.at(2), QSize(px, px), Qt::white);
        p.setOpacity(0.3);
        p.drawImage(QRectF(corner.center() - QPointF(25, 25), QSizeF(50, 50)), symbol);
    }
    return image;
}

QImage StripImages::fitRounded(const QImage &image, QSize box, qreal radius)
{
    if (image.isNull() || box.isEmpty())
        return image;
    const QSize fitted = image.size().scaled(box, Qt::KeepAspectRatio);
    QImage out = transparent(fitted);
    QPainter p(&out);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(fitted)), radius, radius);
    p.setClipPath(clip);
    p.drawImage(QRect(QPoint(0, 0), fitted), image);
    return out;
}

QImage StripImages::thumbnail(const QStringList &parts, const QSize &requested)
{
    const ClipItem *item = m_cards ? m_cards(CardPresenter::decode(parts.at(1))) : nullptr;
    if (!item)
        return {};
    const std::optional<QImage> image = m_images.thumbnail(*item);
    if (!image)
        return {};
    const QSize box = requested.isEmpty() ? image->size() : requested;
    // 10 points at the scale the views asked for (the content box is 204 points wide).
    const qreal radius = 10.0 * (requested.isEmpty() ? 1.0 : requested.width() / 204.0);
    return fitRounded(*image, box, radius);
}

QImage StripImages::fileIcon(const QStringList &parts, const QSize &requested)
{
    const QString path = CardPresenter::decode(parts.at(1));
    const QSize box = requested.isEmpty() ? QSize(64, 64) : requested;
    static const QMimeDatabase mimes;
    const bool folder = QFileInfo(path).isDir();
    const QMimeType mime = mimes.mimeTypeForFile(path, folder ? QMimeDatabase::MatchDefault
                                                              : QMimeDatabase::MatchExtension);
    const FileCategory category = FileCategories::of(path);
    const QColor tint = FileCategories::tint(category);
    const int side = std::max(8, int(std::min(box.width(), box.height()) * 0.5));
    QStringList names{mime.iconName(), mime.genericIconName()};
    names += {mime.iconName() + u"-symbolic"_qs, mime.genericIconName() + u"-symbolic"_qs};
    if (folder)
        names.prepend(u"folder"_qs);
    names += SymbolIcons::themeName(FileCategories::symbol(category));
    const QImage icon = SymbolIcons::renderThemeIcon(names, QSize(side, side), tint);

    // A tile in the category's colour, with the type's icon in the middle.
    QImage tile = transparent(box);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    QColor wash = tint;
    wash.setAlphaF(0.16f);
    const qreal radius = 8.0 * std::max(1.0, box.height() / 140.0);
    p.setPen(Qt::NoPen);
    p.setBrush(wash);
    p.drawRoundedRect(QRectF(tile.rect()), radius, radius);
    if (!icon.isNull())
        p.drawImage(
            QPointF((box.width() - icon.width()) / 2.0, (box.height() - icon.height()) / 2.0),
            icon);
    return tile;
}
