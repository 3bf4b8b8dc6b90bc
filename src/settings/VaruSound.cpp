#include "VaruSound.h"

#include "platform/SoundPlayer.h"

const QList<VaruSound::Style> &VaruSound::styles()
{
    static const QList<Style> all{
        {QStringLiteral("gota"), QStringLiteral("Gota")},
        {QStringLiteral("grude"), QStringLiteral("Grude")},
        {QStringLiteral("assinatura"), QStringLiteral("Assinatura")},
        {QStringLiteral("botao"), QStringLiteral("Botão")},
    };
    return all;
}

QString VaruSound::resourceName(const QString &style)
{
    if (style == QLatin1String("grude"))
        return QStringLiteral("Varu-Grude");
    if (style == QLatin1String("assinatura"))
        return QStringLiteral("Varu-Assinatura");
    if (style == QLatin1String("botao"))
        return QStringLiteral("Varu-Botao");
    return QStringLiteral("Varu-Gota");
}

void VaruSound::play(const QString &resource, bool force)
{
    if (!m_enabled && !force)
        return;
    m_player.play(resource, 0.55);
}
