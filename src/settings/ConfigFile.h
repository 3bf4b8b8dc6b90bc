#pragma once
// Reads and writes config.json: tolerant of missing keys, strict about wrong types, written
// atomically with sorted keys and readable only by the user.

#include "VaruConfig.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ConfigFile {

QString path(const QString &folder);

// More than any real configuration needs: a larger file is not one.
inline constexpr qint64 kMaxBytes = 1024 * 1024;

// What reading the file gave: its bytes, or why there are none. Only a regular file (a
// symlink to one counts) of at most kMaxBytes is read; a device, a FIFO or a socket is
// refused without reading or waiting on it.
struct FileRead
{
    std::optional<QByteArray> bytes;
    bool missing = false; // nothing at the path
    QString error;        // when there are no bytes and something is there
};
FileRead read(const QString &path);

// The configuration to use; never fails. A missing file is created with the defaults; a
// malformed one is logged and left on disk while the defaults are used.
VaruConfig load(const QString &folder);

// Writes the whole value; failures are dropped silently (the value in memory stays current).
void save(const VaruConfig &config, const QString &folder);

// Decoding and encoding, exposed for tests. `error` receives the decoder's description.
std::optional<VaruConfig> decode(const QByteArray &json, QString *error);
QByteArray encode(const VaruConfig &config);

} // namespace ConfigFile
