#include "CardMenu.h"

#include <algorithm>

namespace {

CardMenuEntry pinEntry(const QList<ClipItem> &cards, const QList<UserTab> &tabs,
                       const QString &title)
{
    CardMenuEntry pin;
    pin.kind = CardMenuEntry::Kind::Submenu;
    pin.text = title;
    for (const UserTab &userTab : tabs) {
        CardMenuEntry tab = CardMenuEntry::action(userTab.name, CardCommand::Pin);
        tab.tabID = userTab.id;
        tab.color = userTab.color;
        tab.pin = PinStates::of(cards, userTab.id);
        pin.children.append(tab);
    }
    if (!tabs.isEmpty())
        pin.children.append(CardMenuEntry::separator());
    pin.children.append(CardMenuEntry::action(QStringLiteral("Nova tab…"), CardCommand::NewTab));
    return pin;
}

// "Apagar do histórico", "Remover os 3 desta tab": nothing is asked before it happens.
QString deleteTitle(const Tab &tab, qsizetype count)
{
    const QString several = count > 1 ? QStringLiteral(" os %1").arg(count) : QString();
    return tab.isHistory() ? u"Apagar"_qs + several + u" do histórico"_qs
                           : u"Remover"_qs + several + u" desta tab"_qs;
}

QList<CardMenuEntry> single(const ClipItem &card, const Tab &tab, const QList<UserTab> &tabs,
                            bool canPreview)
{
    using E = CardMenuEntry;
    const bool text = ClipKinds::isText(card.kind);
    QList<E> menu{E::action(QStringLiteral("Colar"), CardCommand::Paste)};
    if (text)
        menu << E::action(QStringLiteral("Colar como texto puro"), CardCommand::PastePlain);
    menu << E::action(QStringLiteral("Copiar"), CardCommand::Copy);
    if (canPreview)
        menu << E::action(QStringLiteral("Pré-visualizar"), CardCommand::Preview);
    menu << E::separator();
    if (text)
        menu << E::action(QStringLiteral("Editar texto…"), CardCommand::EditText);
    menu << E::action(QStringLiteral("Renomear…"), CardCommand::Rename);
    menu << pinEntry({card}, tabs, QStringLiteral("Fixar em"));
    if (card.kind == ClipKind::File)
        menu << E::action(QStringLiteral("Mostrar na pasta"), CardCommand::Reveal);
    else if (card.kind == ClipKind::Link && CardMenu::linkOf(card))
        menu << E::action(QStringLiteral("Abrir link"), CardCommand::OpenLink);
    menu << E::separator() << E::action(deleteTitle(tab, 1), CardCommand::Delete);
    return menu;
}

QList<CardMenuEntry> group(const QList<ClipItem> &cards, const Tab &tab, const QList<UserTab> &tabs)
{
    using E = CardMenuEntry;
    const QString n = QString::number(cards.size());
    E title;
    title.kind = E::Kind::Title;
    title.text = n + u" cards selecionados"_qs;
    QList<E> menu{title, E::action(u"Colar os "_qs + n, CardCommand::Paste)};
    if (std::all_of(cards.cbegin(), cards.cend(),
                    [](const ClipItem &card) { return ClipKinds::isText(card.kind); }))
        menu << E::action(u"Colar os "_qs + n + u" como texto puro"_qs, CardCommand::PastePlain);
    menu << E::action(u"Copiar os "_qs + n, CardCommand::Copy) << E::separator()
         << pinEntry(cards, tabs, u"Fixar os "_qs + n + u" em"_qs) << E::separator()
         << E::action(deleteTitle(tab, cards.size()), CardCommand::Delete);
    return menu;
}

} // namespace

CardMenuEntry CardMenuEntry::action(const QString &text, CardCommand command)
{
    CardMenuEntry entry;
    entry.text = text;
    entry.command = command;
    return entry;
}

CardMenuEntry CardMenuEntry::separator()
{
    CardMenuEntry entry;
    entry.kind = Kind::Separator;
    return entry;
}

CardMenu CardMenu::build(const QList<ClipItem> &cards, const Tab &tab, const QList<UserTab> &tabs,
                         bool canPreview)
{
    CardMenu menu;
    menu.cards = cards;
    if (cards.size() == 1)
        menu.entries = single(cards.first(), tab, tabs, canPreview);
    else if (cards.size() > 1)
        menu.entries = group(cards, tab, tabs);
    return menu;
}

std::optional<QUrl> CardMenu::linkOf(const ClipItem &item)
{
    if (item.kind != ClipKind::Link)
        return std::nullopt;
    // Only web addresses: a link card from a hand-made backup must not launch local files
    // or other handlers through the desktop's opener.
    const QUrl url(item.title.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty())
        return std::nullopt;
    return url;
}
