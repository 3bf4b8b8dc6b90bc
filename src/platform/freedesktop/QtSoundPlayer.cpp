#include "QtSoundPlayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer()
{
    qDeleteAll(m_effects);
}

bool QtSoundPlayer::play(const QString &resource, double volume)
{
    QSoundEffect *effect = m_effects.value(resource);
    if (!effect) {
        const QString path = QStringLiteral(":/sounds/%1.wav").arg(resource);
        if (!QFile::exists(path))
            return false;
        effect = new QSoundEffect;
        effect->setSource(QUrl(QStringLiteral("qrc") + path));
        m_effects.insert(resource, effect);
    }
    // Without an output device there is nothing to play on.
    if (QMediaDevices::audioOutputs().isEmpty())
        return true;
    effect->stop();
    effect->setVolume(float(volume));
    effect->play();
    return true;
}
