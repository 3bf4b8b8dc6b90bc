#include "CardDrag.h"

#include "DragImage.h"
#include "DragPayload.h"
#include "strip/model/StripModel.h"

#include <QDrag>
#include <QGuiApplication>
#include <QMimeData>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>

CardDrag::CardDrag(StripModel &model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{}

void CardDrag::start(QQuickItem *source, const QList<ClipItem> &cards)
{
    VaruActions *actions = m_model.actions();
    QList<DragPayload::Card> offered;
    for (const ClipItem &card : cards)
        offered.append({card, actions ? actions->representations(card) : QList<Representation>()});
    std::unique_ptr<QMimeData> data = DragPayload::build(offered);
    if (!data || !source)
        return;

    const QPointer<QQuickItem> item = source;
    auto *drag = new QDrag(this);
    drag->setMimeData(data.release());
    QList<ClipItem> pictured = cards;
    if (m_thumbnails) {
        for (ClipItem &card : pictured) {
            if (!card.thumbnail && card.thumbnailSize().value_or(0) > 0)
                card.thumbnail = m_thumbnails(card);
        }
    }
    const DragImage::Pile pile =
        DragImage::render(pictured, QGuiApplication::palette().color(QPalette::Window));
    if (!pile.image.isNull()) {
        QPixmap pixmap = QPixmap::fromImage(pile.image);
        if (source->window())
            pixmap.setDevicePixelRatio(source->window()->effectiveDevicePixelRatio());
        drag->setPixmap(pixmap);
        drag->setHotSpot(pile.hotSpot / pixmap.devicePixelRatio());
    }
    // Copy and link only: whatever the target does, the cards stay where they are.
    // Qt deletes the drag itself: on X11 only once the target has read the data, which may
    // be after exec() returns.
    drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    // The drag took the release: the card under the pointer must not think it is still held.
    if (item)
        item->ungrabMouse();
}

bool CardDrag::enterTab(const QString &tabID)
{
    if (tabID.isEmpty() || !m_model.userTab(tabID))
        return false;
    m_model.setDropTarget(Tab::userTab(tabID));
    return true;
}

void CardDrag::leaveTab(const QString &tabID)
{
    if (!tabID.isEmpty())
        m_model.clearDropTarget(Tab::userTab(tabID));
}

bool CardDrag::dropOnTab(const QString &tabID, const QString &payload)
{
    leaveTab(tabID);
    if (tabID.isEmpty())
        return false;
    // Only cards this strip knows; a drop from another instance of the strip names none.
    QStringList ids;
    for (const QString &id : DragPayload::cardIDs(payload.toUtf8())) {
        if (m_model.visible(id))
            ids.append(id);
    }
    return !ids.isEmpty() && m_model.dropCards(Tab::userTab(tabID), ids);
}
