#pragma once
// The desktop services the shell runs on, as the X server provides them: the clipboard, the
// application in front, the keyboard layout, the hotkey grab, key injection and focus.

#include "platform/x11/X11FrontmostApp.h"
#include "platform/x11/X11HotKeyGrabber.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11WindowFocus.h"

#include <QGuiApplication>

// Needs a QGuiApplication on the xcb platform.
struct X11Desktop
{
    X11Clipboard pasteboard{QGuiApplication::clipboard()};
    X11FrontmostApp apps;
    X11KeyboardLayout layout;
    X11HotKeyGrabber grabber{layout};
    X11KeyInjector keys{layout};
    X11WindowFocus focus;
};
