#pragma once
// The columns every card query selects and their reading into records, shared by the full
// reads and the reads of changed cards only. Thumbnails are left out but for their size.

#include "Connection.h"

#include "core/ClipItem.h"

namespace ItemRows {

// "SELECT …" up to, not including, FROM; the query must name the table `items`.
extern const char *const kColumns;
// Every row the statement yields; a failing step just ends the list, and `complete` (when
// given) tells whether the list reached the end.
QList<ClipItem> read(Statement &st, bool *complete = nullptr);

} // namespace ItemRows
