#include "SettingsIcons.h"

#include <QPainter>
#include <QPen>

SettingsIcons::SettingsIcons(Lookup lookup, QIcon own)
    : QQuickImageProvider(QQuickImageProvider::Pixmap)
    , m_lookup(std::move(lookup))
    , m_own(std::move(own))
{}

QPixmap SettingsIcons::requestPixmap(const QString &id, QSize *size, const QSize &requestedSize)
{
    const QSize want = requestedSize.isValid() ? requestedSize : QSize(64, 64);
    QPixmap out;
    if (id == QLatin1String("varu") && !m_own.isNull()) {
        out = m_own.pixmap(want);
    } else if (id.startsWith(QLatin1String("app/"))) {
        if (const std::optional<QIcon> icon = m_lookup(id.mid(4)); icon && !icon->isNull())
            out = icon->pixmap(want);
    }
    if (out.isNull())
        out = placeholder(want);
    if (size)
        *size = out.size();
    return out;
}

QPixmap SettingsIcons::placeholder(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(size.width(), size.height());
    const qreal inset = side * 0.14;
    QPen pen(QColor(128, 128, 128), qMax<qreal>(1.0, side / 14));
    pen.setDashPattern({2.0, 1.6});
    p.setPen(pen);
    const QRectF box(inset, inset, side - 2 * inset, side - 2 * inset);
    p.drawRoundedRect(box, side * 0.2, side * 0.2);
    return pixmap;
}
