#pragma once
// Plays the application's own short sounds. A sound that is still playing restarts instead
// of overlapping; with no audio device nothing happens and nothing fails.

#include <QString>

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // `resource` names a sound of the application ("Varu-Gota"). False when there is no such
    // sound (nothing plays).
    virtual bool play(const QString &resource, double volume) = 0;
};
