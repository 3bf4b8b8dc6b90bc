// Which sound plays when: the on/off switch, the chosen copy sound, and the real player
// finding the sounds compiled into the application.

#include "settings/VaruSound.h"

#include "platform/SoundPlayer.h"
#include "platform/freedesktop/QtSoundPlayer.h"

#include <QTest>

namespace {
class RecordingPlayer : public SoundPlayer
{
public:
    QStringList played;
    double lastVolume = 0;
    bool play(const QString &resource, double volume) override
    {
        played << resource;
        lastVolume = volume;
        return true;
    }
};
} // namespace

class TestVaruSound : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void switchAndStyleDecideWhatPlays()
    {
        RecordingPlayer player;
        VaruSound sound(player);
        sound.copied();
        sound.setCopyStyle(u"assinatura"_qs);
        sound.copied();
        sound.setCopyStyle(u"Grude"_qs); // unknown styles (case matters) play the drop
        sound.copied();
        QCOMPARE(player.played,
                 QStringList({u"Varu-Gota"_qs, u"Varu-Assinatura"_qs, u"Varu-Gota"_qs}));
        QCOMPARE(player.lastVolume, 0.55);

        player.played.clear();
        sound.setEnabled(false);
        sound.copied();
        QVERIFY(player.played.isEmpty());
        sound.preview(u"botao"_qs); // the listen button plays anyway
        QCOMPARE(player.played, QStringList({u"Varu-Botao"_qs}));
    }

    void realPlayerFindsEveryCompiledSound()
    {
        // Plays on the machine's output if it has one; never blocks or fails without.
        QtSoundPlayer player;
        for (const auto &style : VaruSound::styles())
            QVERIFY(player.play(VaruSound::resourceName(style.id), 0.0));
        QVERIFY(player.play(VaruSound::pasteSound(), 0.0));
        QVERIFY(!player.play(u"Varu-Nada"_qs, 0.0));
    }
};

QTEST_MAIN(TestVaruSound)
#include "tst_varusound.moc"
