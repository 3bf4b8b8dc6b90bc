#include "DragImage.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>

namespace DragImage {

namespace {

constexpr int kSide = 150;     // the larger side of each picture
constexpr int kStep = 10;      // how far each card of the pile lies from the one before
constexpr int kMaxSteps = 6;   // the pile stops growing after seven cards
constexpr int kPointerGap = 14; // between the pointer and the pile

QImage titleTile(const ClipItem &card, const QColor &background)
{
    QImage tile(180, 110, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    QColor fill = background;
    fill.setAlphaF(0.92f);
    p.setBrush(fill);
    p.setPen(QPen(card.typeTint(), 2));
    p.drawRoundedRect(QRectF(tile.rect()).adjusted(1, 1, -1, -1), 14, 14);

    const QString title = card.customTitle && !card.customTitle->isEmpty() ? *card.customTitle
                                                                            : card.title;
    QFont font;
    font.setPointSize(11);
    p.setFont(font);
    p.setPen(background.lightness() < 128 ? Qt::white : Qt::black);
    const QRectF box = QRectF(tile.rect()).adjusted(12, 10, -12, -10);
    const QFontMetricsF metrics(font);
    const int lines = std::max(1, int(box.height() / metrics.lineSpacing()));
    QTextLayout layout(title.left(220).replace(u'\n', QChar::LineSeparator), font);
    layout.beginLayout();
    qreal y = box.top();
    for (int i = 0; i < lines; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(box.width());
        const QString text = layout.text().mid(line.textStart(), line.textLength());
        const bool last = i == lines - 1 && line.textStart() + line.textLength() <
                                                  layout.text().size();
        const QString shown =
            last ? metrics.elidedText(layout.text().mid(line.textStart()), Qt::ElideRight,
                                      box.width())
                 : text;
        p.drawText(QPointF(box.left(), y + metrics.ascent()), shown.trimmed());
        y += metrics.lineSpacing();
    }
    layout.endLayout();
    return tile;
}

QImage pictureOf(const ClipItem &card, const QColor &background)
{
    QImage image;
    if (card.thumbnail)
        image.loadFromData(*card.thumbnail, "PNG");
    if (image.isNull())
        image = titleTile(card, background);
    const qreal s = std::min({qreal(kSide) / image.width(), qreal(kSide) / image.height(), 1.5});
    return image.scaled((QSizeF(image.size()) * s).toSize(), Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation);
}

} // namespace

Pile render(const QList<ClipItem> &cards, const QColor &background)
{
    QList<QImage> pictures;
    for (const ClipItem &card : cards)
        pictures.append(pictureOf(card, background));
    if (pictures.isEmpty())
        return {};

    // Every picture is centred on the same point, then shifted by its step; the pile is cut
    // to what they cover, since a desktop without a compositor shows the rest as a blank.
    QList<QRect> places;
    QRect bounds;
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        const int k = kStep * std::min(int(i), kMaxSteps);
        const QSize size = pictures.at(i).size();
        places.append(QRect(QPoint(k - size.width() / 2, k - size.height() / 2), size));
        bounds |= places.last();
    }
    QImage pile(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    pile.fill(Qt::transparent);
    QPainter p(&pile);
    for (qsizetype i = pictures.size() - 1; i >= 0; --i)
        p.drawImage(places.at(i).topLeft() - bounds.topLeft(), pictures.at(i));
    // The pointer holds the pile by its top left corner, so that the chip or the window it is
    // over stays in sight.
    return {pile, QPoint(-kPointerGap, -kPointerGap)};
}

} // namespace DragImage
