#pragma once
// A desktop-wide shortcut table for unit tests: combinations can be taken by "another
// application", presses can be simulated, and what this process holds can be inspected.

#include "platform/HotKeyGrabber.h"

#include <QList>

#include <memory>

class FakeHotKeyGrabber : public HotKeyGrabber
{
public:
    struct Combination
    {
        quint16 keyCode = 0;
        KeyModifiers modifiers;
        friend bool operator==(const Combination &, const Combination &) = default;
    };

    FakeHotKeyGrabber();

    // Another application holds this combination: grabbing it fails with BadAccess (10).
    void takeByOtherApp(Combination combination) { m_taken << combination; }
    // What this process holds now.
    QList<Combination> held() const;
    // A press of the combination; true when a grab of this process received it.
    bool press(Combination combination);

    Result grab(quint16 keyCode, KeyModifiers modifiers, std::function<void()> pressed) override;

    // A desktop that lets no application claim combinations.
    bool unavailable = false;
    bool available() const override { return !unavailable; }

private:
    struct Entry
    {
        Combination combination;
        std::function<void()> pressed;
    };
    class Grab;

    QList<Combination> m_taken;
    std::shared_ptr<QList<std::shared_ptr<Entry>>> m_entries;
};
