#pragma once
// Plays the WAV sounds compiled into the application with QSoundEffect, one effect per sound,
// created on first use and reused so a repeated sound restarts.

#include "platform/SoundPlayer.h"

#include <QHash>

#include <memory>

class QSoundEffect;

class QtSoundPlayer : public SoundPlayer
{
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    bool play(const QString &resource, double volume) override;

private:
    QHash<QString, QSoundEffect *> m_effects;
};
