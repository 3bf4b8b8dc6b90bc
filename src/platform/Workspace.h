#pragma once
// What a card's menu and the shell's dialogs ask of the desktop: show files in the file
// manager and open a web address. Tests record the requests.

#include <QStringList>
#include <QUrl>

class Workspace
{
public:
    virtual ~Workspace() = default;

    // The files, selected, in the file manager (or at least their folder).
    virtual void reveal(const QStringList &paths) = 0;
    // The address in the user's browser.
    virtual void open(const QUrl &url) = 0;
};
