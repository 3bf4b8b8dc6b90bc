#pragma once
// Which file URLs name a file on this computer: "file:" with no host or "localhost". A URL
// that names another host is not a local path, however QUrl would turn it into one.

#include <QUrl>

namespace FileUrl {

bool isLocal(const QUrl &url);

} // namespace FileUrl
