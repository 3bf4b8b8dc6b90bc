#pragma once
// The entries of a card's context menu: the single menu for one card, the group menu for
// several, with the "Fixar em" submenu of tabs. A plain value, built by a pure function.

#include "PinState.h"
#include "Tab.h"
#include "core/UserTab.h"
#include "core/ClipItem.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

enum class CardCommand {
    None,
    Paste,
    PastePlain,
    Copy,
    Preview,
    EditText,
    Rename,
    Pin, // with the entry's tab id
    NewTab,
    Reveal,
    OpenLink,
    Delete,
};

// A namespace of its own, so that the views can name the cases (a value type cannot).
namespace CardMenuEntries {
Q_NAMESPACE
enum class Kind { Title, Action, Separator, Submenu };
Q_ENUM_NS(Kind)
} // namespace CardMenuEntries

struct CardMenuEntry
{
    using Kind = CardMenuEntries::Kind;

    Kind kind = Kind::Action;
    QString text;
    CardCommand command = CardCommand::None;
    // The tab entries of the pin submenu.
    QString tabID;
    QString color;
    PinState pin = PinState::Off;
    QList<CardMenuEntry> children; // a submenu's entries

    static CardMenuEntry action(const QString &text, CardCommand command);
    static CardMenuEntry separator();
};

struct CardMenu
{
    QList<ClipItem> cards; // what the commands act on
    QList<CardMenuEntry> entries;

    // The single menu for one card, the group menu for more; `canPreview` while a quick
    // preview is there to toggle. No cards, no entries.
    static CardMenu build(const QList<ClipItem> &cards, const Tab &tab, const QList<UserTab> &tabs,
                          bool canPreview);

    // The web address a link card opens; none for anything else.
    static std::optional<QUrl> linkOf(const ClipItem &item);
};
