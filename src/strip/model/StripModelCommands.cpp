// The commands of StripModel: paste, copy and delete of the selection, the two overlays, the
// pin submenu and drops on tab chips. Everything that changes the store goes to VaruActions;
// without it those commands do nothing, while overlays still open and close.

#include "StripModel.h"

#include "TabPalette.h"

#include "core/ClipboardTypes.h"

#include <QStringDecoder>

namespace {

// The card's plain text as stored, when it is there and valid UTF-8.
std::optional<QString> plainText(const QList<Representation> &reps)
{
    for (const Representation &rep : reps) {
        if (rep.type != ClipboardTypes::plainText)
            continue;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(rep.data);
        if (decoder.hasError())
            return std::nullopt;
        return text;
    }
    return std::nullopt;
}

} // namespace

void StripModel::paste(bool plain)
{
    const QList<ClipItem> items = selectedItems();
    if (!items.isEmpty() && m_actions)
        m_actions->paste(items, plain);
}

void StripModel::paste(int index, bool plain)
{
    const QList<ClipItem> list = filtered();
    if (index < 0 || index >= list.size() || !m_actions)
        return;
    m_actions->paste({list.at(index)}, plain);
}

void StripModel::copySelected()
{
    const QList<ClipItem> items = selectedItems();
    if (!items.isEmpty() && m_actions)
        m_actions->copy(items);
}

void StripModel::deleteSelected()
{
    const QList<ClipItem> doomed = selectedItems();
    if (doomed.isEmpty())
        return;
    const QList<ClipItem> list = filtered();
    QSet<QString> ids;
    for (const ClipItem &item : doomed)
        ids.insert(item.id);

    qsizetype last = list.size() - 1;
    while (last >= 0 && !ids.contains(list.at(last).id))
        --last;
    // The focus goes to the first survivor after the last deleted card, else the nearest
    // survivor before it, so the user stays where they were in the row.
    std::optional<QString> next;
    for (qsizetype i = last + 1; i < list.size() && !next; ++i) {
        if (!ids.contains(list.at(i).id))
            next = list.at(i).id;
    }
    for (qsizetype i = last - 1; i >= 0 && !next; --i) {
        if (!ids.contains(list.at(i).id))
            next = list.at(i).id;
    }
    m_anchorID = next;
    assignSelectedID(next);

    if (m_actions)
        m_actions->deleteItems(doomed, m_tab);
}

void StripModel::deleteCards(const QList<ClipItem> &cards)
{
    if (cards.isEmpty() || !m_actions)
        return;
    if (m_tab.isHistory())
        m_actions->deleteItems(cards, Tab::history());
    else
        m_actions->remove(cards, m_tab.tabID());
}

void StripModel::beginEdit(const std::optional<ClipItem> &item)
{
    const std::optional<ClipItem> target = item ? item : selected();
    if (!target || !ClipKinds::isText(target->kind))
        return;
    // The title may be cut short; the editor works on the full stored text.
    std::optional<QString> text;
    if (m_actions)
        text = plainText(m_actions->representations(*target));
    assignEditing(EditState{*target, text.value_or(target->title), EditState::Mode::Text});
}

void StripModel::beginRename(const std::optional<ClipItem> &item)
{
    const std::optional<ClipItem> target = item ? item : selected();
    if (!target)
        return;
    assignEditing(
        EditState{*target, target->customTitle.value_or(QString()), EditState::Mode::Rename});
}

void StripModel::beginNewTab(const QStringList &adding)
{
    assignTabEditor(TabEditState{std::nullopt, QString(), TabPalette::colorFor(m_tabs.size()),
                                     adding, false});
}

void StripModel::commitOverlay()
{
    if (m_editing) {
        const EditState edit = *m_editing;
        if (m_actions) {
            if (edit.mode == EditState::Mode::Rename)
                m_actions->rename(edit.item, edit.text);
            else if (!edit.text.trimmed().isEmpty())
                m_actions->saveText(edit.item, edit.text);
        }
        assignEditing(std::nullopt);
    } else if (m_tabEditor) {
        const TabEditState editor = *m_tabEditor;
        const QString name = editor.name.trimmed();
        // An empty name keeps the editor open; nothing is stored.
        if (name.isEmpty())
            return;
        if (m_actions) {
            if (editor.tabID)
                m_actions->updateTab(*editor.tabID, name, editor.color);
            else
                m_actions->createTab(name, editor.color, editor.addingItemIDs);
        }
        assignTabEditor(std::nullopt);
    }
    bumpFocusToken();
}

void StripModel::cancelOverlay()
{
    assignEditing(std::nullopt);
    assignTabEditor(std::nullopt);
    bumpFocusToken();
}

void StripModel::setEditingText(const QString &text)
{
    if (!m_editing)
        return;
    EditState edit = *m_editing;
    edit.text = text;
    assignEditing(edit);
}

void StripModel::setTabEditorName(const QString &name)
{
    if (!m_tabEditor)
        return;
    TabEditState editor = *m_tabEditor;
    editor.name = name;
    assignTabEditor(editor);
}

void StripModel::setTabEditorColor(const QString &color)
{
    if (!m_tabEditor)
        return;
    TabEditState editor = *m_tabEditor;
    editor.color = color;
    assignTabEditor(editor);
}

void StripModel::setTabEditorConfirmDelete(bool confirm)
{
    if (!m_tabEditor)
        return;
    TabEditState editor = *m_tabEditor;
    editor.confirmDelete = confirm;
    assignTabEditor(editor);
}

void StripModel::deleteEditedTab()
{
    if (m_tabEditor && m_tabEditor->tabID && m_actions)
        m_actions->deleteTab(*m_tabEditor->tabID);
    cancelOverlay();
}

void StripModel::editTab(const QString &id, bool confirmDelete)
{
    const std::optional<UserTab> b = userTab(id);
    if (!b)
        return;
    assignTabEditor(TabEditState{b->id, b->name, b->color, {}, confirmDelete});
}

void StripModel::exportTab(const QString &id)
{
    if (m_actions)
        m_actions->exportTab(id);
}

void StripModel::choosePin(const QList<ClipItem> &cards, const QString &tabID)
{
    if (cards.isEmpty() || !m_actions)
        return;
    if (PinStates::of(cards, tabID) == PinState::On) {
        m_actions->remove(cards, tabID);
        return;
    }
    for (const ClipItem &card : cards)
        m_actions->add(card.id, tabID);
}

bool StripModel::dropCards(const Tab &onto, const QStringList &itemIDs)
{
    if (onto.isHistory())
        return false;
    if (m_actions) {
        for (const QString &id : itemIDs)
            m_actions->add(id, onto.tabID());
    }
    return true;
}
