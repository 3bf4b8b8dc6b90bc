#pragma once
// The one place that picks a platform: which Qt platform plugin to start with, and which
// Desktop implementation serves the application once Qt runs.

#include "platform/Desktop.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace DesktopChoice {

// The session as the environment describes it (DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM),
// and whether its Wayland compositor lets a client read the clipboard without focus.
struct Session
{
    bool xDisplay = false;
    bool waylandDisplay = false;
    QByteArray requestedPlatform; // QT_QPA_PLATFORM, empty when unset
    bool waylandClipboard = false;
};

// The Qt platform plugin to ask for, or empty to leave Qt's own choice (or the user's).
QByteArray qtPlatformFor(const Session &session);
// Whether there is any display Qt could start on.
bool hasDisplay(const Session &session);

enum class Backend { X11, Wayland };
// The implementation for a running Qt platform (QGuiApplication::platformName()).
Backend backendFor(const QString &qtPlatform);

// Before the QGuiApplication: reads the environment and asks for the platform plugin the
// desktop services need. False when there is no display at all.
bool preparePlatform();
// After the QGuiApplication: the desktop services for the platform Qt runs on.
std::unique_ptr<Desktop> createDesktop();

} // namespace DesktopChoice
