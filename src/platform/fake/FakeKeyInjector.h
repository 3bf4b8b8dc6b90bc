#pragma once
// Records the keystrokes the code under test sends, in order, instead of posting them, and
// answers the trust question as the test decides.

#include "platform/KeyInjector.h"

#include <QList>
#include <QString>

class FakeKeyInjector : public KeyInjector
{
public:
    void setTrusted(bool trusted) { m_trusted = trusted; }
    // "ctrl+<code>" or "shift+insert", one entry per keystroke.
    const QList<QString> &sent() const { return m_sent; }

    bool trusted() override { return m_trusted; }
    void sendControlKey(quint16 keyCode) override
    {
        m_sent << QStringLiteral("ctrl+%1").arg(keyCode);
    }
    void sendShiftInsert() override { m_sent << QStringLiteral("shift+insert"); }

private:
    bool m_trusted = true;
    QList<QString> m_sent;
};
