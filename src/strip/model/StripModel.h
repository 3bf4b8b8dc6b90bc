#pragma once
// The one observable object behind the strip: the last snapshot, the user's view of it (tab,
// search, filter, selection, overlays), the visible cards, and the commands to VaruActions.

#include "TabEditState.h"
#include "CardSearchIndex.h"
#include "EditState.h"
#include "KindFilter.h"
#include "PinState.h"
#include "Tab.h"
#include "VaruActions.h"
#include "core/UserTab.h"
#include "core/ClipItem.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class StripModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QList<ClipItem> history READ history NOTIFY historyChanged)
    Q_PROPERTY(QList<UserTab> tabs READ tabs NOTIFY tabsChanged)
    Q_PROPERTY(TabItems tabItems READ tabItems NOTIFY tabItemsChanged)
    Q_PROPERTY(Tab tab READ tab WRITE setTab NOTIFY tabChanged)
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    // Index into KindFilters::all(), or -1 for every kind.
    Q_PROPERTY(
        int kindFilter READ kindFilterIndex WRITE setKindFilterIndex NOTIFY kindFilterChanged)
    // Empty when nothing is focused.
    Q_PROPERTY(QString selectedID READ selectedIDText NOTIFY selectedIDChanged)
    Q_PROPERTY(QStringList selectedIDs READ selectedIDList NOTIFY selectedIDsChanged)
    Q_PROPERTY(int focusToken READ focusToken NOTIFY focusTokenChanged)
    // The open editors; an empty state while closed, so the views bind to typed values.
    Q_PROPERTY(bool editorOpen READ editorOpen NOTIFY editingChanged)
    Q_PROPERTY(EditState editing READ editingValue NOTIFY editingChanged)
    Q_PROPERTY(bool tabEditorOpen READ tabEditorOpen NOTIFY tabEditorChanged)
    Q_PROPERTY(TabEditState tabEditor READ tabEditorValue NOTIFY tabEditorChanged)
    // A Tab, or undefined when no drag is over a chip.
    Q_PROPERTY(QVariant dropTarget READ dropTargetValue NOTIFY dropTargetChanged)
    Q_PROPERTY(QList<ClipItem> filtered READ filtered NOTIFY filteredChanged)
    Q_PROPERTY(bool hasOverlay READ hasOverlay NOTIFY overlayChanged)

public:
    explicit StripModel(QObject *parent = nullptr);

    // --- the shell's side
    VaruActions *actions() const { return m_actions.data(); }
    void setActions(VaruActions *actions) { m_actions = actions; }
    void setTogglePreview(std::function<void()> callback) { m_togglePreview = std::move(callback); }
    // Shows or hides the quick preview, when a controller has asked to be told.
    Q_INVOKABLE void togglePreview();
    // A quick preview is there to toggle (the card menu offers "Pré-visualizar").
    bool canPreview() const { return bool(m_togglePreview); }

    // Replaces the snapshot after a reload; the tab and the selection survive where they can.
    void setData(const QList<ClipItem> &history, const QList<UserTab> &tabs,
                 const TabItems &tabItems);

    // --- observed state
    const QList<ClipItem> &history() const { return m_history; }
    const QList<UserTab> &tabs() const { return m_tabs; }
    const TabItems &tabItems() const { return m_tabItems; }
    Tab tab() const { return m_tab; }
    QString query() const { return m_query; }
    std::optional<KindFilter> kindFilter() const { return m_kindFilter; }
    std::optional<QString> selectedID() const { return m_selectedID; }
    QSet<QString> selectedIDs() const { return m_selectedIDs; }
    int focusToken() const { return m_focusToken; }
    const std::optional<EditState> &editing() const { return m_editing; }
    const std::optional<TabEditState> &tabEditor() const { return m_tabEditor; }
    std::optional<Tab> dropTarget() const { return m_dropTarget; }

    // Assigning a different tab, query or filter focuses the first visible card.
    void setTab(const Tab &tab);
    void setQuery(const QString &query);
    void setKindFilter(std::optional<KindFilter> filter);
    Q_INVOKABLE void showHistory() { setTab(Tab::history()); }
    Q_INVOKABLE void showTab(const QString &id) { setTab(Tab::userTab(id)); }

    // --- derived values
    QList<ClipItem> currentItems() const;
    std::optional<UserTab> currentTab() const;
    // The visible cards: the open tab's cards passing the kind filter and the search.
    // Computed once per change of its inputs; the copy shares the cached list.
    QList<ClipItem> filtered() const;
    // The visible card with that id.
    std::optional<ClipItem> visible(const QString &id) const;
    std::optional<ClipItem> selected() const;
    QList<ClipItem> selectedItems() const;
    bool hasOverlay() const { return m_editing || m_tabEditor; }
    // Cards in a tab before any search or filter.
    Q_INVOKABLE int count(const Tab &tab) const;
    std::optional<UserTab> userTab(const QString &id) const;
    Q_INVOKABLE bool isSelected(const QString &id) const { return m_selectedIDs.contains(id); }

    // --- selection
    Q_INVOKABLE void selectFirst();
    // One card alone, which also becomes the anchor of a later range (click, double click).
    Q_INVOKABLE void selectOnly(const QString &id);
    Q_INVOKABLE void move(int step, bool extending);
    Q_INVOKABLE void extendSelection(const QString &to);
    Q_INVOKABLE void toggleSelection(const QString &id);
    Q_INVOKABLE void selectAll();
    void applyMarquee(const QSet<QString> &ids, const std::optional<QString> &focus);
    // Escape with several cards selected: keep only the focused one (nothing without focus).
    Q_INVOKABLE void collapseSelection();
    Q_INVOKABLE void cycleTab(int step);
    // Clears the search, the filter and any overlay each time the strip is shown.
    Q_INVOKABLE void prepareForShow();
    // Asks the strip view to give the keyboard focus back to the search field.
    Q_INVOKABLE void requestSearchFocus();

    // --- commands (StripModelCommands.cpp)
    Q_INVOKABLE void paste(bool plain);
    // The card at that position of the visible list alone (Ctrl+1 to Ctrl+9).
    Q_INVOKABLE void paste(int index, bool plain);
    Q_INVOKABLE void copySelected();
    Q_INVOKABLE void deleteSelected();
    // Card menu: out of the history on the history tab, out of the tab on a tab. The
    // selection does not move.
    void deleteCards(const QList<ClipItem> &cards);
    // The card editor, for a card or (none) the focused one.
    void beginEdit(const std::optional<ClipItem> &item = std::nullopt);
    void beginRename(const std::optional<ClipItem> &item = std::nullopt);
    Q_INVOKABLE void beginNewTab(const QStringList &adding = {});
    Q_INVOKABLE void commitOverlay();
    Q_INVOKABLE void cancelOverlay();

    // Overlay fields as the editors type into them; ignored while that overlay is closed.
    Q_INVOKABLE void setEditingText(const QString &text);
    Q_INVOKABLE void setTabEditorName(const QString &name);
    Q_INVOKABLE void setTabEditorColor(const QString &color);
    Q_INVOKABLE void setTabEditorConfirmDelete(bool confirm);
    // "Excluir tab e seus cards": delete the edited tab, then close the editor.
    Q_INVOKABLE void deleteEditedTab();

    // Tab chip menu: open the editor on a tab, optionally on its deletion question; export.
    Q_INVOKABLE void editTab(const QString &id, bool confirmDelete = false);
    Q_INVOKABLE void exportTab(const QString &id);

    // "Fixar em": choosing a tab for the menu's cards.
    void choosePin(const QList<ClipItem> &cards, const QString &tabID);

    // Cards dragged onto a tab chip; the history chip refuses them (false).
    bool dropCards(const Tab &onto, const QStringList &itemIDs);
    void setDropTarget(const std::optional<Tab> &target);
    // A drag left a chip: clear the target only if it still names that chip.
    void clearDropTarget(const Tab &leaving);

Q_SIGNALS:
    void historyChanged();
    void tabsChanged();
    void tabItemsChanged();
    void tabChanged();
    void queryChanged();
    void kindFilterChanged();
    void selectedIDChanged();
    void selectedIDsChanged();
    void focusTokenChanged();
    void editingChanged();
    void tabEditorChanged();
    void dropTargetChanged();
    void filteredChanged();
    void overlayChanged();

private:
    int kindFilterIndex() const;
    void setKindFilterIndex(int index);
    QString selectedIDText() const { return m_selectedID.value_or(QString()); }
    QStringList selectedIDList() const;
    bool editorOpen() const { return m_editing.has_value(); }
    EditState editingValue() const { return m_editing.value_or(EditState()); }
    bool tabEditorOpen() const { return m_tabEditor.has_value(); }
    TabEditState tabEditorValue() const { return m_tabEditor.value_or(TabEditState()); }
    QVariant dropTargetValue() const;

    // selectedID with the single-selection rule (unless a multi-selection is being written).
    void assignSelectedID(const std::optional<QString> &id);
    void assignSelectedIDs(const QSet<QString> &ids);
    // Focus first, then the set: observers see selectedID change before selectedIDs.
    void writeMultiSelection(const std::optional<QString> &focus, const QSet<QString> &ids);
    void assignEditing(const std::optional<EditState> &editing);
    void assignTabEditor(const std::optional<TabEditState> &editor);
    void bumpFocusToken();
    void invalidateFiltered();
    qsizetype indexInFiltered(const QString &id) const;

    QPointer<VaruActions> m_actions;
    std::function<void()> m_togglePreview;

    QList<ClipItem> m_history;
    QList<UserTab> m_tabs;
    TabItems m_tabItems;
    Tab m_tab;
    QString m_query;
    std::optional<KindFilter> m_kindFilter;
    std::optional<QString> m_selectedID;
    QSet<QString> m_selectedIDs;
    bool m_keepingSelection = false;
    std::optional<QString> m_anchorID;
    int m_focusToken = 0;
    std::optional<EditState> m_editing;
    std::optional<TabEditState> m_tabEditor;
    std::optional<Tab> m_dropTarget;

    // The visible list is derived, but a keystroke must not refold every card: the folded
    // texts live per snapshot, the query's tokens per query, the list until an input changes.
    CardSearchIndex m_index;
    QByteArrayList m_tokens; // folded, UTF-8
    mutable std::optional<QList<ClipItem>> m_filtered;
};
