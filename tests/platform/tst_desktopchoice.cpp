// Which Qt platform plugin a session starts with: a compositor with clipboard access gets the
// Wayland services, other Wayland desktops the X11 ones through XWayland, a platform the user
// set is kept, and a session without any display is refused before Qt would abort.

#include "platform/choice/DesktopChoice.h"

#include <QTest>

using DesktopChoice::Session;

class TestDesktopChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void platformPlugin()
    {
        // X only, and X beside Wayland (XWayland): the services need xcb.
        QCOMPARE(DesktopChoice::qtPlatformFor(Session{true, false, {}}), QByteArray("xcb"));
        QCOMPARE(DesktopChoice::qtPlatformFor(Session{true, true, {}}), QByteArray("xcb"));
        // Wayland alone is left to Qt; a platform the user asked for is never overridden.
        QCOMPARE(DesktopChoice::qtPlatformFor(Session{false, true, {}}), QByteArray());
        QCOMPARE(DesktopChoice::qtPlatformFor(Session{true, false, "offscreen"}), QByteArray());
        // A compositor that lets clients read the clipboard gets the Wayland services, with
        // XWayland as the way out when Qt has no Wayland plugin.
        QCOMPARE(DesktopChoice::qtPlatformFor(Session{false, true, {}, true}), QByteArray("wayland"));
        QCOMPARE(DesktopChoice::qtPlatformFor(Session{true, true, {}, true}),
                 QByteArray("wayland;xcb"));
        QCOMPARE(DesktopChoice::qtPlatformFor(Session{true, true, "xcb", true}), QByteArray());
        QCOMPARE(DesktopChoice::backendFor("wayland"), DesktopChoice::Backend::Wayland);
        QCOMPARE(DesktopChoice::backendFor("xcb"), DesktopChoice::Backend::X11);
    }

    void display()
    {
        QVERIFY(!DesktopChoice::hasDisplay(Session{}));
        QVERIFY(DesktopChoice::hasDisplay(Session{true, false, {}}));
        QVERIFY(DesktopChoice::hasDisplay(Session{false, true, {}}));
        // Headless runs name their platform (offscreen, vnc) without any display variable.
        QVERIFY(DesktopChoice::hasDisplay(Session{false, false, "offscreen"}));
    }
};

QTEST_GUILESS_MAIN(TestDesktopChoice)
#include "tst_desktopchoice.moc"
