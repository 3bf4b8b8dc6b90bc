#pragma once
// Reads and writes config.json: tolerant of missing keys, strict about wrong types, written
// atomically with sorted keys and readable only by the user.

#include "VaruConfig.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ConfigFile {

QString path(const QString &folder);

// The configuration to use; never fails. A missing file is created with the defaults; a
// malformed one is logged and left on disk while the defaults are used.
VaruConfig load(const QString &folder);

// Writes the whole value; failures are dropped silently (the value in memory stays current).
void save(const VaruConfig &config, const QString &folder);

// Decoding and encoding, exposed for tests. `error` receives the decoder's description.
std::optional<VaruConfig> decode(const QByteArray &json, QString *error);
QByteArray encode(const VaruConfig &config);

} // namespace ConfigFile
