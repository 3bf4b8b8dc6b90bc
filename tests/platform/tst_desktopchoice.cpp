// Which Qt platform plugin a session starts with: an X display gets the X11 services even on a
// Wayland desktop, a platform the user set is kept, and a session without any display is
// refused before Qt would abort.

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
