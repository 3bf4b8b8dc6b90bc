#pragma once
// SIGTERM, SIGINT and SIGHUP end the event loop normally instead of killing the process, so
// the database is closed cleanly (its write-ahead log checkpointed) on logout or Ctrl+C.

class QObject;

namespace QuitSignals {

// Installs the handlers; the notifier it creates is a child of `parent`.
void install(QObject *parent);

} // namespace QuitSignals
