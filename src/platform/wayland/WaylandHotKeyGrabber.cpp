#include "WaylandHotKeyGrabber.h"

#include "platform/Log.h"

#include <QString>

HotKeyGrabber::Result WaylandHotKeyGrabber::grab(quint16, KeyModifiers, std::function<void()>)
{
    if (!m_explained) {
        m_explained = true;
        qCInfo(lcVaru, "%s", qUtf8Printable(instructions()));
    }
    return {};
}

QString WaylandHotKeyGrabber::instructions()
{
    return QStringLiteral(
        "No Wayland, o atalho global é do ambiente: associe-o ao comando `varu toggle`.\n"
        "  sway: bindsym Mod4+Shift+v exec varu toggle   (em ~/.config/sway/config, depois swaymsg reload)\n"
        "  GNOME: Configurações › Teclado › Atalhos personalizados › +, comando: varu toggle\n"
        "  KDE Plasma: Configurações do sistema › Atalhos › Adicionar comando, comando: varu toggle");
}
