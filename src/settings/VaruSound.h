#pragma once
// The copy and paste sounds: whether they play and which copy sound is chosen, mirrored from
// the configuration by the shell.

#include <QList>
#include <QString>

class SoundPlayer;

class VaruSound
{
public:
    struct Style
    {
        QString id;   // stored in config.json ("gota")
        QString name; // shown to the user ("Gota")
    };

    explicit VaruSound(SoundPlayer &player)
        : m_player(player)
    {}

    static const QList<Style> &styles();
    static QString pasteSound() { return QStringLiteral("Varu-Colar"); }
    // "Varu-" and the sound of an identifier; anything unknown (case matters) is the drop.
    static QString resourceName(const QString &style);

    void setEnabled(bool enabled) { m_enabled = enabled; }
    void setCopyStyle(const QString &style) { m_copyStyle = style; }

    void copied() { play(resourceName(m_copyStyle), false); }
    // The settings window's listen button plays even when sounds are off.
    void preview(const QString &style) { play(resourceName(style), true); }
    void play(const QString &resource, bool force);

private:
    SoundPlayer &m_player;
    bool m_enabled = true;
    QString m_copyStyle = QStringLiteral("gota");
};
