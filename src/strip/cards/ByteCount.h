#pragma once
// Byte sizes as a file manager writes them for Brazilian Portuguese: decimal units ("KB" is
// 1000 bytes) and the decimal comma, e.g. "1,2 MB", "340 KB", "12 bytes".

#include <QString>

namespace ByteCount {

QString file(qint64 bytes);

} // namespace ByteCount
