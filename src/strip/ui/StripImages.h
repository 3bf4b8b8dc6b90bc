#pragma once
// The strip's pictures for QML under "image://varu/…": tinted symbols, card headers, card
// thumbnails with rounded corners and file icon tiles, drawn on the main thread.

#include <QQuickImageProvider>

#include <functional>

class AppIcons;
class ImageCache;
struct ClipItem;

// The views load them synchronously and Qt Quick caches them by URL.
class StripImages : public QQuickImageProvider
{
public:
    // Finds a visible card by id, for its thumbnail bytes.
    using CardLookup = std::function<const ClipItem *(const QString &id)>;

    StripImages(AppIcons &icons, ImageCache &images, CardLookup cards);

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    // Card geometry the pictures are drawn for, in points.
    static constexpr int kCardWidth = 228;
    static constexpr int kHeaderHeight = 60;
    // The header picture: the header and the icon's overhang into the content below.
    static constexpr int kHeaderPictureHeight = 74;
    static constexpr int kCornerRadius = 20;

    // Scaled to fit `box` (keeping the aspect ratio), corners rounded by `radius` pixels.
    static QImage fitRounded(const QImage &image, QSize box, qreal radius);

private:
    QImage header(const QStringList &parts, const QSize &requested);
    QImage thumbnail(const QStringList &parts, const QSize &requested);
    QImage fileIcon(const QStringList &parts, const QSize &requested);

    AppIcons &m_icons;
    ImageCache &m_images;
    CardLookup m_cards;
};
