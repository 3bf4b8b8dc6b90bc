#pragma once
// The desktop's file manager and browser: files are shown through the freedesktop
// FileManager1 D-Bus interface, else their folder is opened; links go to the default opener.

#include "platform/Workspace.h"

class DesktopWorkspace : public Workspace
{
public:
    void reveal(const QStringList &paths) override;
    void open(const QUrl &url) override;
};
