#pragma once
// The stored clipboard type names the capture and paste logic refers to. They are what the
// database and backup files hold, whatever the desktop calls them at its boundary.

#include <QString>

namespace ClipboardTypes {

inline const QString plainText = QStringLiteral("public.utf8-plain-text");
inline const QString rtf = QStringLiteral("public.rtf");
inline const QString html = QStringLiteral("public.html");
inline const QString fileUrl = QStringLiteral("public.file-url");
inline const QString png = QStringLiteral("public.png");
inline const QString tiff = QStringLiteral("public.tiff");
inline const QString jpeg = QStringLiteral("public.jpeg");
inline const QString heic = QStringLiteral("public.heic");
inline const QString pdf = QStringLiteral("com.adobe.pdf");
inline const QString color = QStringLiteral("com.apple.cocoa.pasteboard.color");
// Content that arrived from another device through a shared clipboard.
inline const QString remoteMarker = QStringLiteral("com.apple.is-remote-clipboard");

} // namespace ClipboardTypes
