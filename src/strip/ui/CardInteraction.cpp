#include "CardInteraction.h"

#include "StripKeys.h"
#include "strip/model/StripModel.h"
#include "platform/Workspace.h"

#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QStyleHints>
#include <QVariantMap>

#include <cmath>
#include <utility>

namespace {

QVariantList toVariant(const QList<CardMenuEntry> &entries)
{
    QVariantList list;
    list.reserve(entries.size());
    for (const CardMenuEntry &entry : entries) {
        QVariantMap map{
            {u"kind"_qs, int(entry.kind)},
            {u"text"_qs, entry.text},
            {u"command"_qs, int(entry.command)},
            {u"tabID"_qs, entry.tabID},
            {u"color"_qs, entry.color},
            {u"children"_qs, toVariant(entry.children)},
        };
        // Only the tabs of the pin submenu have a state; the views leave it out elsewhere.
        if (entry.command == CardCommand::Pin)
            map.insert(u"pin"_qs, int(entry.pin));
        list.append(map);
    }
    return list;
}

} // namespace

CardInteraction::CardInteraction(StripModel &model, Workspace *workspace, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_workspace(workspace)
    , m_marquee(model)
    , m_drag(model)
{}

CardInteraction::Gesture CardInteraction::classify(qreal dx, qreal dy)
{
    if (std::hypot(dx, dy) <= kDragDistance)
        return Undecided;
    return std::abs(dy) * kSidewaysRatio < std::abs(dx) ? Band : Drag;
}

int CardInteraction::doubleClickInterval()
{
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

void CardInteraction::press(const QString &id, int modifiers, bool doubleClick)
{
    m_pressed.reset();
    m_collapseOnRelease = false;
    // A card that left the list under the pointer (a reload) is not there to click.
    if (!m_model.visible(id))
        return;
    m_pressed = id;
    const QScopedValueRollback selecting(m_pointerSelecting, true);
    const auto mods = Qt::KeyboardModifiers(modifiers);
    if (StripKeys::isCommand(mods)) {
        m_model.toggleSelection(id);
    } else if (mods & Qt::ShiftModifier) {
        m_model.extendSelection(id);
    } else if (doubleClick) {
        m_model.selectOnly(id);
        m_model.paste(false);
    } else if (m_model.selectedIDs().size() >= 2 && m_model.isSelected(id)) {
        m_collapseOnRelease = true;
    } else {
        m_model.selectOnly(id);
    }
}

void CardInteraction::release(const QString &id)
{
    if (m_collapseOnRelease && m_pressed == id)
        m_model.selectOnly(id);
    cancel();
}

void CardInteraction::cancel()
{
    m_pressed.reset();
    m_collapseOnRelease = false;
}

int CardInteraction::follow(qreal dx, qreal dy)
{
    if (!m_pressed)
        return Undecided;
    const Gesture gesture = classify(dx, dy);
    if (gesture == Undecided)
        return gesture;
    m_collapseOnRelease = false;
    if (gesture == Drag && !m_model.isSelected(*m_pressed)) {
        const QScopedValueRollback selecting(m_pointerSelecting, true);
        m_model.selectOnly(*m_pressed);
    }
    return gesture;
}

QList<ClipItem> CardInteraction::draggedCards() const
{
    if (!m_pressed)
        return {};
    const std::optional<ClipItem> pressed = m_model.visible(*m_pressed);
    if (!pressed)
        return {};
    QList<ClipItem> cards{*pressed};
    if (m_model.isSelected(pressed->id)) {
        for (const ClipItem &card : m_model.filtered()) {
            if (card.id != pressed->id && m_model.isSelected(card.id))
                cards.append(card);
        }
    }
    return cards;
}

void CardInteraction::startDrag(QQuickItem *source)
{
    const QList<ClipItem> cards = draggedCards();
    // The drag starts once per press.
    cancel();
    if (!cards.isEmpty())
        m_drag.start(source, cards);
}

QVariantList CardInteraction::openMenu(const QString &id)
{
    m_menu = CardMenu();
    const std::optional<ClipItem> card = m_model.visible(id);
    if (!card)
        return {};
    if (!m_model.isSelected(id)) {
        const QScopedValueRollback selecting(m_pointerSelecting, true);
        m_model.selectOnly(id);
    }
    QList<ClipItem> cards = m_model.selectedItems();
    if (cards.size() < 2)
        cards = {*card};
    m_menu = CardMenu::build(cards, m_model.tab(), m_model.tabs(), m_model.canPreview());
    return toVariant(m_menu.entries);
}

void CardInteraction::run(int command, const QString &tabID)
{
    const QList<ClipItem> cards = std::exchange(m_menu, CardMenu()).cards;
    if (cards.isEmpty())
        return;
    const ClipItem &first = cards.first();
    VaruActions *actions = m_model.actions();
    switch (CardCommand(command)) {
    case CardCommand::Paste:
    case CardCommand::PastePlain:
        if (actions)
            actions->paste(cards, CardCommand(command) == CardCommand::PastePlain);
        break;
    case CardCommand::Copy:
        if (actions)
            actions->copy(cards);
        break;
    case CardCommand::Preview:
        m_model.togglePreview();
        break;
    case CardCommand::EditText:
        m_model.beginEdit(first);
        break;
    case CardCommand::Rename:
        m_model.beginRename(first);
        break;
    case CardCommand::Pin:
        m_model.choosePin(cards, tabID);
        break;
    case CardCommand::NewTab: {
        QStringList ids;
        for (const ClipItem &card : cards)
            ids.append(card.id);
        m_model.beginNewTab(ids);
        break;
    }
    case CardCommand::Reveal:
        if (m_workspace && !first.filePaths().isEmpty())
            m_workspace->reveal(first.filePaths());
        break;
    case CardCommand::OpenLink:
        if (const std::optional<QUrl> url = CardMenu::linkOf(first); url && m_workspace)
            m_workspace->open(*url);
        break;
    case CardCommand::Delete:
        m_model.deleteCards(cards);
        break;
    case CardCommand::None:
        break;
    }
}
