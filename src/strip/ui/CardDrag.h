#pragma once
// Cards leaving the strip through the desktop's drag and drop, and cards dropped on the tab
// chips, which pin them to that tab.

#include "core/ClipItem.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

class QQuickItem;
class StripModel;

// One per strip, made with the card interaction. Main thread only.
class CardDrag : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made with the card interaction.")

public:
    explicit CardDrag(StripModel &model, QObject *parent = nullptr);

    // Runs the drag of `cards` (the first under the pointer) from `source` until it is dropped
    // or cancelled; nothing when the cards offer nothing. The strip never moves or deletes a
    // card when a drag ends.
    void start(QQuickItem *source, const QList<ClipItem> &cards);
    // Where the drag image finds thumbnails that records from the store do not carry.
    using Thumbnails = std::function<std::optional<QByteArray>(const ClipItem &card)>;
    void setThumbnails(Thumbnails thumbnails) { m_thumbnails = std::move(thumbnails); }

    // The tab chips as drop targets: a tab's chip takes the strip's cards while they hover
    // over it (false for the history's chip, which refuses them) and pins them on a drop.
    Q_INVOKABLE bool enterTab(const QString &tabID);
    Q_INVOKABLE void leaveTab(const QString &tabID);
    Q_INVOKABLE bool dropOnTab(const QString &tabID, const QString &payload);

private:
    StripModel &m_model;
    Thumbnails m_thumbnails;
};
