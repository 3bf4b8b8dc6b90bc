#pragma once
// Records the sounds the code under test plays instead of playing them; every name is taken
// for a sound that exists.

#include "platform/SoundPlayer.h"

#include <QStringList>

class FakeSoundPlayer : public SoundPlayer
{
public:
    QStringList played;

    bool play(const QString &resource, double) override
    {
        played << resource;
        return true;
    }
};
