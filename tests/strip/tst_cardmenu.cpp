// The mouse on cards: the entries of the single and the group menu and of the pin submenu,
// what the entries do, how presses, releases and double clicks change the selection, and when
// a press that moves becomes a band or a drag.

#include "StripFixtures.h"
#include "strip/ui/CardInteraction.h"
#include "strip/model/CardMenu.h"
#include "platform/Workspace.h"

#include <QTest>

class RecordingWorkspace : public Workspace
{
public:
    QStringList calls;
    void reveal(const QStringList &paths) override { calls << u"reveal "_qs + paths.join(u','); }
    void open(const QUrl &url) override { calls << u"open "_qs + url.toString(); }
};

// The menu as one line: "|" between entries, "-" for separators, a submenu in brackets with
// each tab's state after a colon.
static QString outline(const QList<CardMenuEntry> &entries)
{
    static const char *const states[] = {"on", "mixed", "off"};
    QStringList parts;
    for (const CardMenuEntry &e : entries) {
        if (e.kind == CardMenuEntry::Kind::Separator)
            parts << u"-"_qs;
        else if (e.kind == CardMenuEntry::Kind::Submenu)
            parts << e.text + u" ["_qs + outline(e.children) + u"]"_qs;
        else
            parts << e.text +
                         (e.command == CardCommand::Pin ? u":"_qs + states[int(e.pin)] : u""_qs);
    }
    return parts.join(u'|');
}

static ClipItem in(ClipItem item, const QStringList &tabs)
{
    item.tabIDs = QSet<QString>(tabs.cbegin(), tabs.cend());
    return item;
}

class TestCardMenu : public QObject
{
    Q_OBJECT

    RecordingActions actions;
    RecordingWorkspace workspace;
    StripModel model;
    CardInteraction mouse{model, &workspace};
    const UserTab work{u"T"_qs, u"Trabalho"_qs, u"#A57BEB"_qs, 0};

    QString selection() const { return ids(model.selectedIDs()); }
    void choose(const QString &id, CardCommand command, const QString &userTab = {})
    {
        mouse.openMenu(id);
        mouse.run(int(command), userTab);
    }

private Q_SLOTS:
    // Cards A to E; C is a link, D a file with two paths, E an image; the tab "T" holds A.
    void init()
    {
        QList<ClipItem> list = cards(u"ABCDE"_qs);
        list[0] = in(list[0], {work.id});
        list[2] = card(u"C"_qs, u"https://exemplo.com.br/a"_qs, ClipKind::Link);
        list[3] = card(u"D"_qs, u"/tmp/um.txt\n/tmp/dois.txt"_qs, ClipKind::File);
        list[4].kind = ClipKind::Image;
        model.setActions(&actions);
        model.setTogglePreview({});
        model.setData(list, {work}, {{work.id, {list[0]}}});
        model.showHistory();
        model.selectOnly(u"A"_qs);
        actions.calls.clear();
        workspace.calls.clear();
    }

    void singleMenuByKind()
    {
        const QString edits = u"-|Editar texto…|Renomear…|Fixar em [Trabalho:off|-|Nova tab…]"_qs;
        const QString text = u"Colar|Colar como texto puro|Copiar|"_qs;
        const auto menu = [&](const ClipItem &item, const Tab &tab, bool preview) {
            return outline(CardMenu::build({item}, tab, {work}, preview).entries);
        };
        QCOMPARE(menu(card(u"A"_qs, u"a"_qs), Tab::history(), true),
                 text + u"Pré-visualizar|"_qs + edits + u"|-|Apagar do histórico"_qs);
        QCOMPARE(
            menu(card(u"A"_qs, u"https://a.br"_qs, ClipKind::Link), Tab::userTab(u"T"_qs), false),
            text + edits + u"|Abrir link|-|Remover desta tab"_qs);
        // Only web addresses open: a link card from a hand-made backup launches nothing.
        QCOMPARE(
            menu(card(u"A"_qs, u"file:///usr/bin/xterm"_qs, ClipKind::Link), Tab::history(), false),
            text + edits + u"|-|Apagar do histórico"_qs);
        QCOMPARE(menu(card(u"A"_qs, u"/tmp/a.pdf"_qs, ClipKind::File), Tab::history(), false),
                 u"Colar|Copiar|-|Renomear…|Fixar em [Trabalho:off|-|Nova tab…]|"
                 "Mostrar na pasta|-|Apagar do histórico"_qs);
    }

    void groupMenuAndPinStates()
    {
        const QList<UserTab> tabs{userTab(u"T1"_qs, u"Um"_qs), userTab(u"T2"_qs, u"Dois"_qs),
                                userTab(u"T3"_qs, u"Três"_qs)};
        QList<ClipItem> three{in(card(u"A"_qs, u"a"_qs), {u"T1"_qs, u"T2"_qs}),
                              in(card(u"B"_qs, u"b"_qs, ClipKind::RichText), {u"T1"_qs}),
                              in(card(u"C"_qs, u"c"_qs, ClipKind::Link), {u"T1"_qs})};
        QCOMPARE(outline(CardMenu::build(three, Tab::history(), tabs, true).entries),
                 u"3 cards selecionados|Colar os 3|Colar os 3 como texto puro|Copiar os 3|-|"
                 "Fixar os 3 em [Um:on|Dois:mixed|Três:off|-|Nova tab…]|-|"
                 "Apagar os 3 do histórico"_qs);
        // With a picture among them there is no plain-text paste; on a tab the cards leave
        // the tab; with no tabs the submenu only creates one.
        three[1].kind = ClipKind::Image;
        QCOMPARE(outline(CardMenu::build(three, Tab::userTab(u"T1"_qs), {}, false).entries),
                 u"3 cards selecionados|Colar os 3|Copiar os 3|-|Fixar os 3 em [Nova tab…]|-|"
                 "Remover os 3 desta tab"_qs);
    }

    void clicksChangeTheSelection()
    {
        // ⌘ is Super or Ctrl and wins over ⇧; ⇧ extends from the anchor.
        mouse.press(u"C"_qs, Qt::NoModifier, false);
        mouse.press(u"E"_qs, Qt::MetaModifier | Qt::ShiftModifier, false);
        QCOMPARE(selection(), u"C,E"_qs);
        mouse.press(u"A"_qs, Qt::ShiftModifier, false);
        QCOMPARE(selection(), u"A,B,C,D,E"_qs);
        mouse.press(u"B"_qs, Qt::ControlModifier, false);
        QCOMPARE(selection(), u"A,C,D,E"_qs);

        // A plain press on a selected card waits (a drag would take them all): the release
        // collapses to it.
        mouse.press(u"D"_qs, Qt::NoModifier, false);
        QCOMPARE(selection(), u"A,C,D,E"_qs);
        mouse.release(u"D"_qs);
        QCOMPARE(selection(), u"D"_qs);

        // A double click pastes the card alone; with ⌘ it only toggles. A card that left
        // the list under the pointer changes nothing.
        model.selectAll();
        mouse.press(u"C"_qs, Qt::NoModifier, true);
        mouse.press(u"A"_qs, Qt::ControlModifier, true);
        mouse.press(u"Z"_qs, Qt::NoModifier, true);
        QCOMPARE(selection(), u"A,C"_qs);
        QCOMPARE(actions.calls, QStringList{u"paste C"_qs});
    }

    void movingPressBandsOrDrags()
    {
        // Up to 4 points nothing is decided; beyond, mostly sideways draws a band.
        QCOMPARE(CardInteraction::classify(3, 2.5), CardInteraction::Undecided);
        QCOMPARE(CardInteraction::classify(-13.5, 10), CardInteraction::Band);
        QCOMPARE(CardInteraction::classify(13, 10), CardInteraction::Drag); // 1.3 times exactly: a drag
        QCOMPARE(CardInteraction::classify(0, -5), CardInteraction::Drag);

        // A press on one of several selected cards that turns into a drag keeps them all,
        // the pressed card first, then the others in the row's order; the release changes
        // nothing any more.
        model.selectAll();
        model.toggleSelection(u"B"_qs);
        mouse.press(u"D"_qs, Qt::NoModifier, false);
        QCOMPARE(mouse.follow(1, 2), int(CardInteraction::Undecided));
        QCOMPARE(mouse.follow(2, -20), int(CardInteraction::Drag));
        QCOMPARE(ids(mouse.draggedCards()), u"D,A,C,E"_qs);
        mouse.release(u"D"_qs);
        QCOMPARE(selection(), u"A,C,D,E"_qs);

        // An unselected card dragged goes alone and becomes the selection.
        mouse.press(u"B"_qs, Qt::ControlModifier, false); // toggles B in...
        mouse.press(u"B"_qs, Qt::ControlModifier, false); // ...and out again
        QCOMPARE(mouse.follow(0, 9), int(CardInteraction::Drag));
        QCOMPARE(ids(mouse.draggedCards()), u"B"_qs);
        QCOMPARE(selection(), u"B"_qs);

        // Sideways it is a band: the selection is the band's business, not the release's.
        model.selectAll();
        mouse.press(u"C"_qs, Qt::NoModifier, false);
        QCOMPARE(mouse.follow(30, 4), int(CardInteraction::Band));
        mouse.release(u"C"_qs);
        QCOMPARE(selection(), u"A,B,C,D,E"_qs);
        // Without a press, moves decide nothing.
        QCOMPARE(mouse.follow(30, 4), int(CardInteraction::Undecided));
        QVERIFY(mouse.draggedCards().isEmpty());
    }

    void pointerSelectionsAreTold()
    {
        // The row reads this while the focus moves, to keep a clicked card under the
        // pointer; keys still move the row.
        QStringList seen;
        const auto connection = connect(&model, &StripModel::selectedIDChanged, this, [&] {
            seen << model.selectedID().value_or(QString()) +
                        (mouse.pointerSelecting() ? u" pointer"_qs : u" keys"_qs);
        });
        mouse.press(u"C"_qs, Qt::NoModifier, false);
        mouse.press(u"D"_qs, Qt::NoModifier, true);
        model.move(1, false);
        mouse.openMenu(u"B"_qs);
        disconnect(connection);
        QCOMPARE(seen, (QStringList{u"C pointer"_qs, u"D pointer"_qs, u"E keys"_qs,
                                    u"B pointer"_qs}));
        QCOMPARE(actions.calls, QStringList{u"paste D"_qs});
    }

    void rightClickChoosesTheMenusCards()
    {
        // An unselected card is selected alone and gets the single menu.
        model.selectAll();
        model.toggleSelection(u"E"_qs);
        QCOMPARE(mouse.openMenu(u"E"_qs).first().toMap()[u"text"_qs], QVariant(u"Colar"_qs));
        QCOMPARE(selection(), u"E"_qs);
        // One of several selected cards: the group menu for all of them, in list order.
        model.extendSelection(u"C"_qs);
        const QVariantList menu = mouse.openMenu(u"D"_qs);
        QCOMPARE(ids(mouse.menu().cards), u"C,D,E"_qs);
        QCOMPARE(menu.at(0).toMap()[u"text"_qs], QVariant(u"3 cards selecionados"_qs));
        QVERIFY(mouse.openMenu(u"Z"_qs).isEmpty()); // not shown: no menu
    }

    void entriesRunTheirCommands()
    {
        model.extendSelection(u"B"_qs);
        choose(u"A"_qs, CardCommand::PastePlain);
        choose(u"B"_qs, CardCommand::Copy);
        // One of the two is in the tab (mixed): both are added. A alone is in it: removed.
        choose(u"B"_qs, CardCommand::Pin, work.id);
        model.selectOnly(u"A"_qs);
        choose(u"A"_qs, CardCommand::Pin, work.id);
        // Deleting leaves the selection where it is; on a tab it takes the card out of it.
        choose(u"C"_qs, CardCommand::Delete);
        QCOMPARE(selection(), u"C"_qs);
        model.showTab(work.id);
        choose(u"A"_qs, CardCommand::Delete);
        QCOMPARE(actions.calls,
                 (QStringList{u"paste A,B plain"_qs, u"copy A,B"_qs, u"add A to T"_qs,
                              u"add B to T"_qs, u"remove A from T"_qs, u"delete C from history"_qs,
                              u"remove A from T"_qs}));

        model.showHistory();
        choose(u"D"_qs, CardCommand::Reveal);
        choose(u"C"_qs, CardCommand::OpenLink);
        QCOMPARE(workspace.calls, (QStringList{u"reveal /tmp/um.txt,/tmp/dois.txt"_qs,
                                               u"open https://exemplo.com.br/a"_qs}));
        // An entry runs once; choosing again without a new menu does nothing.
        mouse.run(int(CardCommand::Paste));
        QCOMPARE(actions.calls.size(), 7);
    }
};

QTEST_GUILESS_MAIN(TestCardMenu)
#include "tst_cardmenu.moc"
