// The settings window on the offscreen platform: it loads without warnings, opens on the
// pane asked for and keeps it, takes keys while recording, ends a recording when closed,
// lists ignored and installed applications. With VARU_SCREENSHOTS=<folder> it also saves
// every pane, light and dark.

#include "SettingsFixtures.h"

#include "platform/fake/FakeInstalledApps.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "settings/SettingsModel.h"
#include "settings/ui/AppListModels.h"
#include "settings/ui/SettingsController.h"

#include <QDir>
#include <QGuiApplication>
#include <QPalette>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

namespace {

QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x2b, 0x2b, 0x2f), base(0x1f, 0x1f, 0x23), text(0xee, 0xee, 0xf0);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x40));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0x35, 0x84, 0xe4));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Light, QColor(0x50, 0x50, 0x58));
    p.setColor(QPalette::Midlight, QColor(0x44, 0x44, 0x4a));
    p.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x34));
    p.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x1a));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x98));
    return p;
}

FakeInstalledApps someApps()
{
    FakeInstalledApps apps;
    apps.apps = {{u"org.gnome.Calculator"_qs, u"Calculadora"_qs},
                 {u"firefox-esr"_qs, u"Firefox ESR"_qs},
                 {u"org.keepassxc.KeePassXC"_qs, u"KeePassXC"_qs}};
    return apps;
}

QKeyEvent press(int key, Qt::KeyboardModifiers modifiers)
{
    return QKeyEvent(QEvent::KeyPress, key, modifiers);
}

} // namespace

class TestSettingsViews : public QObject
{
    Q_OBJECT

    struct Window
    {
        RecordingSettingsActions shell;
        FakeInstalledApps apps = someApps();
        FakeKeyboardLayout layout;
        SettingsModel model;
        SettingsController controller;

        explicit Window(const VaruConfig &config = {})
            : model(config, u"0.1.0"_qs, u"/home/ana/.local/share/Varu"_qs)
            , controller({model, apps, layout, [](const QString &) { return std::nullopt; },
                          QIcon(QStringLiteral(VARU_TEST_DATA_DIR
                                               "/../../resources/icons/com.teko.varu.svg"))})
        {
            model.setActions(&shell);
        }
        QQuickItem *find(const char *name) const
        {
            return controller.window()->rootObject()->findChild<QQuickItem *>(
                QString::fromLatin1(name));
        }
    };

private Q_SLOTS:
    void opensOnThePaneAskedForAndKeepsIt()
    {
        // Any complaint about the views (a type that does not load, a binding that fails).
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) {
                if (m.contains(u"qrc:"_qs) || m.contains(u"Erro nos ajustes"_qs))
                    qFatal("views complain: %s", qUtf8Printable(m));
            });
        Window w;
        w.shell.login = true;
        w.controller.show(u"history"_qs);
        qInstallMessageHandler(previous);
        QVERIFY(w.controller.isVisible());
        QCOMPARE(w.controller.window()->title(), u"Ajustes do Varu"_qs);
        QCOMPARE(w.model.pane(), SettingsPane::History);
        QVERIFY(w.model.loginOn());
        QQuickView *first = w.controller.window();

        w.controller.window()->close();
        w.shell.login = false;
        w.controller.show();
        QCOMPARE(w.controller.window(), first);
        QCOMPARE(w.model.pane(), SettingsPane::History);
        QVERIFY(!w.model.loginOn()); // read afresh on every opening
        QTest::ignoreMessage(QtInfoMsg, "Painel de ajustes desconhecido: updates");
        w.controller.show(u"updates"_qs);
        QCOMPARE(w.model.pane(), SettingsPane::History);
    }

    void recordsKeysPressedInTheWindow()
    {
        Window w;
        w.controller.show();
        w.model.startRecording();
        QKeyEvent tab = press(Qt::Key_Tab, Qt::ControlModifier | Qt::AltModifier);
        QCoreApplication::sendEvent(w.controller.window(), &tab);
        QVERIFY(w.model.recording()); // not a key a shortcut can use, and not focus either
        QKeyEvent k = press(Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        QCoreApplication::sendEvent(w.controller.window(), &k);
        QVERIFY(!w.model.recording());
        QCOMPARE(w.shell.applied.size(), 1);
        QCOMPARE(w.shell.applied.at(0).hotKey, (HotKeyConfig{u"k"_qs, {u"ctrl"_qs, u"opt"_qs}}));
    }

    // Tab goes from the open pane's entry in the sidebar on into the pane's controls.
    void keyboardOrder_data()
    {
        QTest::addColumn<QString>("pane");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<QString>("control");
        QTest::newRow("general") << u"general"_qs << 5 << u"hotKeyButton"_qs;
        QTest::newRow("history") << u"history"_qs << 5 << u"limitPicker"_qs;
        QTest::newRow("history, clear") << u"history"_qs << 6 << u"clearHistoryButton"_qs;
        QTest::newRow("privacy") << u"privacy"_qs << 3 << u"skipSecretsSwitch"_qs;
    }
    void keyboardOrder()
    {
        QFETCH(QString, pane);
        QFETCH(int, tabs);
        QFETCH(QString, control);
        Window w;
        w.controller.show(u"about"_qs);
        QQuickView *view = w.controller.window();
        QTest::keyClick(view, Qt::Key_Tab); // somewhere in the about pane
        w.controller.show(pane);
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(view, Qt::Key_Tab);
        QVERIFY(view->activeFocusItem());
        QCOMPARE(view->activeFocusItem()->objectName(), control);
    }

    // Where no application may claim a shortcut there is nothing to record: the row tells how
    // to bind the desktop's own shortcut instead.
    void withoutGlobalShortcutsThereIsNoRecorder()
    {
        Window w;
        w.shell.grabbing = false;
        w.model.setActions(&w.shell);
        w.controller.show();
        QVERIFY(!w.find("hotKeyButton")->isVisible());
    }

    void closingWhileRecordingRestoresTheShortcut()
    {
        Window w;
        w.controller.show();
        w.model.startRecording();
        QCOMPARE(w.shell.calls, QStringList{u"release"_qs});
        w.controller.window()->close();
        QVERIFY(!w.model.recording());
        QCOMPARE(w.shell.calls, (QStringList{u"release"_qs, u"register"_qs}));
        QVERIFY(w.shell.applied.isEmpty());
    }

    void handWrittenLimitShowsNoChoice()
    {
        VaruConfig config;
        config.historyLimit = 300;
        Window w(config);
        w.controller.show(u"history"_qs);
        QQuickItem *limit = w.find("limitPicker");
        QVERIFY(limit);
        QCOMPARE(limit->property("currentIndex").toInt(), -1);
        QCOMPARE(limit->property("displayText").toString(), QString());
        // A change made elsewhere (a hand edit) shows in the open window.
        config.historyLimit = 2000;
        w.model.setConfig(config);
        QCOMPARE(limit->property("currentIndex").toInt(), 3);
    }

    void ignoredAndInstalledApplications()
    {
        VaruConfig config;
        config.ignoredApps = {u"org.keepassxc.KeePassXC"_qs, u"com.bitwarden.desktop"_qs};
        Window w(config);
        IgnoredAppsModel ignored(w.model, w.apps);
        QCOMPARE(ignored.rowCount(), 2);
        QCOMPARE(ignored.index(0).data(IgnoredAppsModel::NameRole).toString(), u"KeePassXC"_qs);
        QVERIFY(ignored.index(0).data(IgnoredAppsModel::InstalledRole).toBool());
        QCOMPARE(ignored.index(1).data(IgnoredAppsModel::NameRole).toString(),
                 u"com.bitwarden.desktop"_qs);
        QVERIFY(!ignored.index(1).data(IgnoredAppsModel::InstalledRole).toBool());

        AppChooserModel chooser(w.model, w.apps);
        chooser.reload();
        QCOMPARE(chooser.rowCount(), 3);
        chooser.setFilter(u"FIRE"_qs);
        QCOMPARE(chooser.rowCount(), 1);
        chooser.toggle(0);
        chooser.setFilter(u"calcul"_qs); // checked entries stay checked while hidden
        chooser.toggle(0);
        chooser.setFilter({});
        QCOMPARE(chooser.checkedCount(), 2);
        chooser.ignoreChecked();
        QCOMPARE(w.model.ignoredApps(),
                 (QStringList{u"org.keepassxc.KeePassXC"_qs, u"com.bitwarden.desktop"_qs,
                              u"org.gnome.Calculator"_qs, u"firefox-esr"_qs}));
        QCOMPARE(ignored.rowCount(), 4);
        QCOMPARE(chooser.checkedCount(), 0);
    }

    void screenshots()
    {
        const QString folder = qEnvironmentVariable("VARU_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("VARU_SCREENSHOTS is not set");
        const QPalette light = QGuiApplication::palette();
        for (const bool dark : {false, true}) {
            QGuiApplication::setPalette(dark ? darkPalette() : light);
            VaruConfig config;
            config.ignoredApps = {u"org.keepassxc.KeePassXC"_qs, u"com.bitwarden.desktop"_qs};
            Window w(config);
            w.shell.tabList = {{u"A"_qs, u"Trabalho"_qs}};
            w.model.setActions(&w.shell);
            for (const char *pane : {"general", "history", "privacy", "data", "about"}) {
                w.controller.show(QString::fromLatin1(pane));
                QCoreApplication::processEvents();
                const QImage shot = w.controller.window()->grabWindow();
                const QString name = u"settings-%1-%2.png"_qs.arg(QString::fromLatin1(pane),
                                                                  dark ? u"dark"_qs : u"light"_qs);
                QVERIFY(shot.save(QDir(folder).filePath(name)));
            }
            // The chooser of installed applications, open over the privacy pane.
            w.controller.show(u"privacy"_qs);
            QVERIFY(QMetaObject::invokeMethod(w.find("addAppButton"), "clicked"));
            QVERIFY(w.controller.window()->grabWindow().save(QDir(folder).filePath(
                u"settings-privacy-choose-apps-%1.png"_qs.arg(dark ? u"dark"_qs : u"light"_qs))));
        }
        QGuiApplication::setPalette(light);
    }
};

QTEST_MAIN(TestSettingsViews)
#include "tst_settingsviews.moc"
