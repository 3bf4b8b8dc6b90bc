#pragma once
// All user settings, as one value: edited whole, saved whole, applied at once.

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

struct HotKeyConfig
{
    QString key;           // one character, as typed without modifiers ("v")
    QStringList modifiers; // "ctrl", "opt", "shift", "cmd" (cmd is Super on Linux)

    friend bool operator==(const HotKeyConfig &, const HotKeyConfig &) = default;
};

struct VaruConfig
{
    qint64 historyLimit = 1000;
    qint64 historyRetentionDays = 0; // below 1: no expiry
    bool skipSecrets = true;
    bool playSounds = true;
    QString copySound = QStringLiteral("gota");
    HotKeyConfig hotKey = defaultHotKey();
    QStringList ignoredApps = defaultIgnoredApps();
    QStringList ignoredTypes = defaultIgnoredTypes();

    friend bool operator==(const VaruConfig &, const VaruConfig &) = default;

    static HotKeyConfig defaultHotKey();
    static QStringList defaultIgnoredApps();
    static QStringList defaultIgnoredTypes();
};

Q_DECLARE_METATYPE(VaruConfig)
