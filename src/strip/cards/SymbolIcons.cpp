#include "SymbolIcons.h"

#include <QDir>
#include <QHash>
#include <QIcon>
#include <QPainter>
#include <QStandardPaths>

namespace SymbolIcons {

namespace {

const QHash<QString, QString> &table()
{
    static const QHash<QString, QString> names{
        // kinds
        {u"text.alignleft"_qs, u"format-justify-left-symbolic"_qs},
        {u"textformat"_qs, u"format-text-rich-symbolic"_qs},
        {u"link"_qs, u"insert-link-symbolic"_qs},
        {u"photo"_qs, u"image-x-generic-symbolic"_qs},
        {u"paintpalette"_qs, u"color-select-symbolic"_qs},
        // file categories
        {u"doc"_qs, u"text-x-generic-symbolic"_qs},
        {u"doc.text"_qs, u"x-office-document-symbolic"_qs},
        {u"doc.richtext"_qs, u"x-office-document-symbolic"_qs},
        {u"doc.plaintext"_qs, u"text-x-generic-symbolic"_qs},
        {u"doc.zipper"_qs, u"package-x-generic-symbolic"_qs},
        {u"doc.on.doc"_qs, u"edit-copy-symbolic"_qs},
        {u"film"_qs, u"video-x-generic-symbolic"_qs},
        {u"waveform"_qs, u"audio-x-generic-symbolic"_qs},
        {u"tablecells"_qs, u"x-office-spreadsheet-symbolic"_qs},
        {u"rectangle.on.rectangle.angled"_qs, u"x-office-presentation-symbolic"_qs},
        {u"chevron.left.forwardslash.chevron.right"_qs, u"text-x-generic-symbolic"_qs},
        {u"folder"_qs, u"folder-symbolic"_qs},
        {u"app"_qs, u"application-x-executable-symbolic"_qs},
        // strip chrome
        {u"clock"_qs, u"document-open-recent-symbolic"_qs},
        {u"magnifyingglass"_qs, u"edit-find-symbolic"_qs},
        {u"xmark.circle.fill"_qs, u"edit-clear-symbolic"_qs},
        {u"plus"_qs, u"list-add-symbolic"_qs},
        {u"pin"_qs, u"view-pin-symbolic"_qs},
        {u"pin.fill"_qs, u"view-pin-symbolic"_qs},
        {u"doc.on.clipboard"_qs, u"edit-paste-symbolic"_qs},
        {u"pencil"_qs, u"document-edit-symbolic"_qs},
        {u"character.cursor.ibeam"_qs, u"insert-text-symbolic"_qs},
        // onboarding
        {u"keyboard"_qs, u"input-keyboard-symbolic"_qs},
        {u"lock.shield"_qs, u"security-high-symbolic"_qs},
        {u"eye.slash"_qs, u"view-conceal-symbolic"_qs},
        {u"checkmark"_qs, u"object-select-symbolic"_qs},
    };
    return names;
}

void tint(QImage &image, const QColor &color)
{
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(image.rect(), color);
}

QImage draw(const QIcon &icon, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    icon.paint(&p, image.rect(), Qt::AlignCenter);
    return image;
}

// Symbols the theme has no fitting icon for, drawn here on a 16-unit grid like the theme's.
bool drawOwn(const QString &symbol, QImage &image, const QColor &color)
{
    const bool clear = symbol == u"xmark.circle.fill";
    const bool done = symbol == u"checkmark.circle.fill";
    const bool code = symbol == u"chevron.left.forwardslash.chevron.right";
    const bool link = symbol == u"link";
    if (!clear && !done && !code && !link)
        return false;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(image.width() / 16.0, image.height() / 16.0);
    if (clear) {
        // A filled disc with a cross cut out of it.
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.4, 5.4), QPointF(10.6, 10.6));
        p.drawLine(QPointF(10.6, 5.4), QPointF(5.4, 10.6));
    } else if (done) {
        // A filled disc with a tick cut out of it.
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.setPen(QPen(Qt::black, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4.6, 8.2), QPointF(7, 10.5), QPointF(11.4, 5.6)}));
    } else if (link) {
        // Two links of a chain, across the diagonal.
        p.setPen(QPen(color, 1.7));
        p.setBrush(Qt::NoBrush);
        p.translate(8, 8);
        p.rotate(-45);
        p.drawRoundedRect(QRectF(-7, -2.7, 8.2, 5.4), 2.7, 2.7);
        p.drawRoundedRect(QRectF(-1.2, -2.7, 8.2, 5.4), 2.7, 2.7);
    } else {
        // "</>"
        p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4.5, 4.5), QPointF(1.5, 8), QPointF(4.5, 11.5)}));
        p.drawPolyline(QPolygonF({QPointF(11.5, 4.5), QPointF(14.5, 8), QPointF(11.5, 11.5)}));
        p.drawLine(QPointF(9.3, 3.5), QPointF(6.7, 12.5));
    }
    return true;
}

} // namespace

QString themeName(const QString &symbol)
{
    return table().value(symbol, u"text-x-generic-symbolic"_qs);
}

QImage render(const QString &symbol, QSize size, const QColor &color)
{
    if (size.isEmpty())
        size = QSize(16, 16);
    QImage own(size, QImage::Format_ARGB32_Premultiplied);
    own.fill(Qt::transparent);
    if (drawOwn(symbol, own, color))
        return own;
    const QIcon icon = QIcon::fromTheme(themeName(symbol));
    if (icon.isNull())
        return own; // still transparent
    QImage image = draw(icon, size);
    tint(image, color);
    return image;
}

QImage renderThemeIcon(const QStringList &names, QSize size, const QColor &symbolicColor)
{
    for (const QString &name : names) {
        if (name.isEmpty() || !QIcon::hasThemeIcon(name))
            continue;
        QImage image = draw(QIcon::fromTheme(name), size);
        if (name.endsWith(QLatin1String("-symbolic")))
            tint(image, symbolicColor);
        return image;
    }
    return {};
}

void ensureIconTheme()
{
    QStringList paths = QIcon::themeSearchPaths();
    const QStringList dataDirs =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString &dir : dataDirs) {
        const QString icons = dir + QStringLiteral("/icons");
        if (!paths.contains(icons) && QDir(icons).exists())
            paths.append(icons);
    }
    QIcon::setThemeSearchPaths(paths);
    QStringList fallback = QIcon::fallbackSearchPaths();
    if (!fallback.contains(u"/usr/share/pixmaps"_qs))
        fallback.append(u"/usr/share/pixmaps"_qs);
    QIcon::setFallbackSearchPaths(fallback);

    const bool haveAdwaita = std::any_of(paths.cbegin(), paths.cend(), [](const QString &p) {
        return QDir(p + QStringLiteral("/Adwaita")).exists();
    });
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
        if (haveAdwaita)
            QIcon::setThemeName(QStringLiteral("Adwaita"));
    }
    if (haveAdwaita && QIcon::fallbackThemeName().isEmpty())
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

} // namespace SymbolIcons
