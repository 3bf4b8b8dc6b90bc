#pragma once
// Records what the code under test asks the file manager and the browser to show.

#include "platform/Workspace.h"

#include <QList>

class FakeWorkspace : public Workspace
{
public:
    QList<QStringList> revealed;
    QList<QUrl> opened;

    void reveal(const QStringList &paths) override { revealed << paths; }
    void open(const QUrl &url) override { opened << url; }
};
