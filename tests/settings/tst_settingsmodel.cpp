// The settings model: the change rule, the pickers' choices, ignored applications, the
// single-tab export, launch at login and the shortcut recorder.

#include "SettingsFixtures.h"

#include "settings/SettingsModel.h"

#include <QSignalSpy>
#include <QTest>

class TestSettingsModel : public QObject
{
    Q_OBJECT

    static VaruConfig withHotKey(VaruConfig c, const HotKeyConfig &hotKey)
    {
        c.hotKey = hotKey;
        return c;
    }

private Q_SLOTS:
    void changeRuleAppliesOnlyRealChanges()
    {
        RecordingSettingsActions shell;
        SettingsModel model(VaruConfig{}, u"1.0"_qs, u"/d"_qs);
        model.setActions(&shell);
        QSignalSpy changed(&model, &SettingsModel::configChanged);

        model.setConfig(VaruConfig{});
        model.setPlaySounds(true);
        model.chooseLimit(2);     // 1000, the current limit
        model.chooseRetention(8); // Eterno, the current retention
        QVERIFY(shell.applied.isEmpty());
        QCOMPARE(changed.count(), 0);

        model.chooseLimit(0);
        model.chooseRetention(0);
        model.setSkipSecrets(false);
        QCOMPARE(shell.applied.size(), 3);
        QCOMPARE(shell.applied.at(0).historyLimit, 200);
        QCOMPARE(shell.applied.at(1).historyRetentionDays, 1);
        QCOMPARE(shell.applied.at(2).historyLimit, 200); // each change builds on the last
        QCOMPARE(shell.applied.at(2).skipSecrets, false);
        QCOMPARE(model.config(), shell.applied.last());
    }

    void choosingASoundAppliesAndPlaysIt()
    {
        RecordingSettingsActions shell;
        SettingsModel model(VaruConfig{}, {}, {});
        model.setActions(&shell);
        model.chooseSound(1);
        QCOMPARE(model.config().copySound, u"grude"_qs);
        QCOMPARE(shell.previews, QStringList{u"grude"_qs});
        model.chooseSound(1); // the same again: neither applied nor played
        QCOMPARE(shell.applied.size(), 1);
        QCOMPARE(shell.previews.size(), 1);
        model.previewSound();
        QCOMPARE(shell.previews, (QStringList{u"grude"_qs, u"grude"_qs}));
    }

    void valuesOutsideTheChoicesLeavePickersUnselected()
    {
        VaruConfig handEdited;
        handEdited.historyLimit = 300;
        handEdited.historyRetentionDays = -4;
        handEdited.copySound = u"Grude"_qs; // the display name is not an identifier
        SettingsModel model(handEdited, {}, {});
        QCOMPARE(model.limitIndex(), -1);
        QCOMPARE(model.retentionIndex(), -1);
        QCOMPARE(model.soundIndex(), -1);

        VaruConfig chosen = handEdited;
        chosen.historyLimit = 10000;
        chosen.historyRetentionDays = 0;
        chosen.copySound = u"botao"_qs;
        model.setConfig(chosen);
        QCOMPARE(model.limitIndex(), 5);
        QCOMPARE(model.retentionIndex(), 8);
        QCOMPARE(model.soundIndex(), 3);
        QCOMPARE(model.limitNames().size(), 6);
        QCOMPARE(model.limitNames().at(2), u"1.000 itens"_qs);
    }

    void ignoredAppsAppendOnlyNewOnesOneChangeEach()
    {
        RecordingSettingsActions shell;
        VaruConfig config;
        config.ignoredApps = {u"org.keepassxc.KeePassXC"_qs};
        SettingsModel model(config, {}, {});
        model.setActions(&shell);

        model.addIgnoredApps({u"firefox"_qs, u"org.keepassxc.KeePassXC"_qs, u"gimp"_qs});
        QCOMPARE(shell.applied.size(), 2);
        QCOMPARE(shell.applied.at(0).ignoredApps,
                 (QStringList{u"org.keepassxc.KeePassXC"_qs, u"firefox"_qs}));
        QCOMPARE(model.ignoredApps(),
                 (QStringList{u"org.keepassxc.KeePassXC"_qs, u"firefox"_qs, u"gimp"_qs}));

        // Removing takes every occurrence (a hand edit may repeat one) in one change.
        VaruConfig repeated = model.config();
        repeated.ignoredApps << u"firefox"_qs;
        model.setConfig(repeated);
        shell.applied.clear();
        model.removeIgnoredApp(u"firefox"_qs);
        QCOMPARE(shell.applied.size(), 1);
        QCOMPARE(model.ignoredApps(), (QStringList{u"org.keepassxc.KeePassXC"_qs, u"gimp"_qs}));
    }

    void singleTabExport()
    {
        RecordingSettingsActions shell;
        SettingsModel model(VaruConfig{}, {}, {});
        model.setActions(&shell);
        QCOMPARE(model.exportTabNames(), QStringList{u"Nenhuma tab"_qs});
        QVERIFY(!model.canExportTab());
        model.exportTab();
        QVERIFY(shell.calls.isEmpty());

        shell.setTabs({{u"A"_qs, u"Trabalho"_qs}, {u"B"_qs, u"Casa"_qs}});
        QCOMPARE(model.exportTabNames(), (QStringList{u"Trabalho"_qs, u"Casa"_qs}));
        QCOMPARE(model.exportTabIndex(), 0);
        model.exportTab(); // the first tab when none was chosen
        model.chooseExportTab(1);
        model.exportTab();
        QCOMPARE(shell.calls, (QStringList{u"exportTab:A"_qs, u"exportTab:B"_qs}));

        // The chosen tab is deleted: the picker falls back to the first one.
        shell.setTabs({{u"A"_qs, u"Trabalho"_qs}});
        QCOMPARE(model.exportTabIndex(), 0);
        model.exportTab();
        QCOMPARE(shell.calls.last(), u"exportTab:A"_qs);
    }

    void loginSwitchShowsTheRealState()
    {
        RecordingSettingsActions shell;
        shell.login = true;
        SettingsModel model(VaruConfig{}, {}, {});
        model.setActions(&shell);
        QVERIFY(model.loginOn());
        model.setLogin(false);
        QVERIFY(!model.loginOn());

        shell.loginFails = true;
        QSignalSpy changed(&model, &SettingsModel::loginOnChanged);
        QTest::ignoreMessage(QtCriticalMsg, "Início automático: sem permissão");
        model.setLogin(true);
        QVERIFY(!model.loginOn());
        QVERIFY(changed.count() > 0); // the switch the user flipped is put back
    }

    void panesByIdentifier()
    {
        SettingsModel model(VaruConfig{}, {}, {});
        QVERIFY(model.selectPane(u"data"_qs));
        QCOMPARE(model.pane(), SettingsPane::Data);
        QVERIFY(!model.selectPane(u"Data"_qs));
        QVERIFY(!model.selectPane(u"updates"_qs));
        QCOMPARE(model.pane(), SettingsPane::Data);
    }

    void recorderCancelAndRestore()
    {
        RecordingSettingsActions shell;
        SettingsModel model(VaruConfig{}, {}, {});
        model.setActions(&shell);
        QVERIFY(!model.recordKey(Qt::Key_K, Qt::ControlModifier | Qt::AltModifier, u"k"_qs));

        model.startRecording();
        QVERIFY(model.recording());
        QCOMPARE(shell.calls, QStringList{u"release"_qs});
        // Modifiers alone never end it; Escape does, without touching the configuration.
        QVERIFY(model.recordKey(Qt::Key_Control, Qt::ControlModifier, std::nullopt));
        QVERIFY(model.recording());
        QVERIFY(model.recordKey(Qt::Key_Escape, Qt::NoModifier, std::nullopt));
        QVERIFY(!model.recording());
        QCOMPARE(shell.calls, (QStringList{u"release"_qs, u"register"_qs}));
        QVERIFY(shell.applied.isEmpty());

        // Stopping twice registers once; clicking the button again stops too.
        model.stopRecording();
        model.toggleRecording();
        model.toggleRecording();
        QCOMPARE(shell.calls,
                 (QStringList{u"release"_qs, u"register"_qs, u"release"_qs, u"register"_qs}));
    }

    void recorderRejectsAndAccepts()
    {
        RecordingSettingsActions shell;
        SettingsModel model(VaruConfig{}, {}, {});
        model.setActions(&shell);
        model.startRecording();
        shell.calls.clear();

        // A key that types nothing: a beep, no message, still recording.
        model.recordKey(Qt::Key_Tab, Qt::ControlModifier | Qt::AltModifier, std::nullopt);
        QCOMPARE(shell.calls, QStringList{u"beep"_qs});
        QVERIFY(model.hotKeyError().isEmpty());

        // One modifier: the rule's message, a beep, still recording.
        model.recordKey(Qt::Key_K, Qt::MetaModifier, u"k"_qs);
        QVERIFY(model.hotKeyError().startsWith(u"Use pelo menos duas teclas"_qs));
        QVERIFY(model.recording());
        QVERIFY(shell.applied.isEmpty());

        // Ctrl+Shift+V types nothing of its own but is recorded by the key's "v": reserved.
        model.recordKey(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier, u"v"_qs);
        QVERIFY(model.hotKeyError().contains(u"colar no terminal"_qs));

        // An accepted combination clears the message, is applied with the modifiers in the
        // canonical order, and ends the recording (which registers it again).
        shell.calls.clear();
        model.recordKey(Qt::Key_K, Qt::MetaModifier | Qt::ControlModifier | Qt::AltModifier,
                        u"K"_qs);
        QVERIFY(model.hotKeyError().isEmpty());
        QVERIFY(!model.recording());
        QCOMPARE(shell.applied.size(), 1);
        QCOMPARE(shell.applied.at(0).hotKey,
                 (HotKeyConfig{u"k"_qs, {u"ctrl"_qs, u"opt"_qs, u"cmd"_qs}}));
        QCOMPARE(shell.calls, QStringList{u"register"_qs});
        QCOMPARE(model.hotKeyLabel(), u"Super+Ctrl+Alt+K"_qs);
    }

    void shellGoneMakesCommandsHarmless()
    {
        auto *shell = new RecordingSettingsActions;
        SettingsModel model(VaruConfig{}, {}, {});
        model.setActions(shell);
        delete shell;
        model.startRecording();
        model.chooseLimit(0);
        model.exportEverything();
        model.clearHistory();
        QCOMPARE(model.config().historyLimit, 200); // kept in the window, applied by no one
        QVERIFY(model.hotKeysAvailable());
    }
};

QTEST_GUILESS_MAIN(TestSettingsModel)
#include "tst_settingsmodel.moc"
