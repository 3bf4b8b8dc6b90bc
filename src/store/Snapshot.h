#pragma once
// What the strip shows, read in one go after every change: the history, the tabs, and the
// cards of each tab keyed by board id. A plain value, handed from the store's thread to the UI.

#include "capture/Board.h"
#include "capture/ClipItem.h"

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>

struct Snapshot
{
    QList<ClipItem> history;
    QList<Board> boards;
    QHash<QString, QList<ClipItem>> boardItems;
};

Q_DECLARE_METATYPE(Snapshot)
