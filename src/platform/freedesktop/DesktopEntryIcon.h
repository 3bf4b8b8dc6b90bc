#pragma once
// An application's icon by its desktop entry id, found through GIO's installed desktop
// entries and the icon theme. Nothing is cached here: callers keep what they found.

#include <QIcon>
#include <QString>

#include <optional>

namespace DesktopEntryIcon {

// The desktop entry "<id>.desktop", else "<lower-cased id>.desktop"; its icon from the icon
// theme or its file. Without an entry, a theme icon named like the id. Main thread only.
std::optional<QIcon> find(const QString &appID);

} // namespace DesktopEntryIcon
