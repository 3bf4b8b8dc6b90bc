#pragma once
// What the strip shows, read in one go after every change: the history, the tabs, and the
// cards of each tab keyed by tab id. A plain value, handed from the store's thread to the UI.

#include "core/UserTab.h"
#include "core/ClipItem.h"

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>

struct Snapshot
{
    QList<ClipItem> history;
    QList<UserTab> tabs;
    QHash<QString, QList<ClipItem>> tabItems;
};

Q_DECLARE_METATYPE(Snapshot)
