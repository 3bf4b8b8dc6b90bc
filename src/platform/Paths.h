#pragma once
// Where Varu keeps its files on this desktop: the data folder (history and configuration)
// and the cache folder (card files), both private to the user.

#include <QString>

namespace Paths {

// $XDG_DATA_HOME/Varu, created with mode 0700 when missing. A failure to create it is
// ignored here: it shows up later as a failure to open the database or write the config.
QString support();

// $XDG_CACHE_HOME/Varu/<sub>, created with mode 0700 when missing (same failure rule).
QString caches(const QString &sub = {});

// Creates every missing folder of `path`, the last one with mode 0700. True when it exists.
bool makePrivateDir(const QString &path);

} // namespace Paths
