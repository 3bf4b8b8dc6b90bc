#pragma once
// A shell for the settings model that records what the window asked of it.

#include "settings/SettingsActions.h"

#include <QStringList>

class RecordingSettingsActions : public SettingsActions
{
public:
    QList<VaruConfig> applied;
    QStringList calls; // "register", "release", "beep", "clear", "exportAll", "exportTab:<id>"…
    QStringList previews;
    QList<TabChoice> tabList;
    bool login = false;
    bool loginFails = false;
    bool grabbing = true;

    void apply(const VaruConfig &config) override { applied << config; }
    void registerHotKey() override { calls << u"register"_qs; }
    void releaseHotKey() override { calls << u"release"_qs; }
    bool hotKeysAvailable() override { return grabbing; }
    void clearHistory() override { calls << u"clear"_qs; }
    void exportEverything() override { calls << u"exportAll"_qs; }
    void exportTab(const QString &id) override { calls << u"exportTab:"_qs + id; }
    void importFile() override { calls << u"import"_qs; }
    QList<TabChoice> tabs() override { return tabList; }
    bool loginEnabled() override { return login; }
    bool setLoginEnabled(bool on, QString *error) override
    {
        if (loginFails) {
            *error = u"sem permissão"_qs;
            return false;
        }
        login = on;
        return true;
    }
    void previewSound(const QString &style) override { previews << style; }
    void beep() override { calls << u"beep"_qs; }

    void setTabs(const QList<TabChoice> &tabs)
    {
        tabList = tabs;
        Q_EMIT tabsChanged();
    }
};
