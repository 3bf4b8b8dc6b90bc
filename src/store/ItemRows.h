#pragma once
// The columns every card query selects and their reading into records, shared by the full
// reads and the reads of changed cards only. Thumbnails are left out but for their size.

#include "Connection.h"

#include "Snapshot.h"

#include "core/ClipItem.h"

#include <functional>

class Store;

namespace ItemRows {

// Applied to each card as soon as it is read, before the next row is.
using Prepare = std::function<void(ClipItem &)>;

// "SELECT …" up to, not including, FROM; the query must name the table `items`.
extern const char *const kColumns;
// Every row the statement yields; a failing step just ends the list, and `complete` (when
// given) tells whether the list reached the end.
QList<ClipItem> read(Statement &st, bool *complete = nullptr, const Prepare &prepare = {});

// The reads behind Store::history, Store::tabItems and Store::snapshot, each card prepared as
// it is read: a long title then never stays in memory beside the next row's.
QList<ClipItem> history(Connection &db, qint64 limit, bool *complete, const Prepare &prepare);
QList<ClipItem> tab(Connection &db, const QString &tabID, bool *complete,
                    const Prepare &prepare);
Snapshot snapshot(Store &store, qint64 historyLimit, bool *complete, const Prepare &prepare);

} // namespace ItemRows
