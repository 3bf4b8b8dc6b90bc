// The mouse on cards: the entries of the single and the group menu and of the pin submenu,
// what the entries do, and how presses, releases and double clicks change the selection.

#include "StripFixtures.h"
#include "strip/CardInteraction.h"
#include "strip/CardMenu.h"
#include "strip/Workspace.h"

#include <QTest>

class RecordingWorkspace : public Workspace
{
public:
    QStringList calls;
    void reveal(const QStringList &paths) override { calls << u"reveal "_qs + paths.join(u','); }
    void open(const QUrl &url) override { calls << u"open "_qs + url.toString(); }
};

// The menu as one line: entries by "|", "-" for separators, submenus in brackets with each
// tab's state after a colon.
static QString outline(const QList<CardMenuEntry> &entries)
{
    static const char *const states[] = {"on", "mixed", "off"};
    QStringList parts;
    for (const CardMenuEntry &e : entries) {
        if (e.kind == CardMenuEntry::Kind::Separator)
            parts << u"-"_qs;
        else if (e.kind == CardMenuEntry::Kind::Submenu)
            parts << e.text + u" ["_qs + outline(e.children) + u"]"_qs;
        else if (e.command == CardCommand::Pin)
            parts << e.text + u":"_qs + QLatin1String(states[int(e.pin)]);
        else
            parts << e.text;
    }
    return parts.join(u'|');
}

static ClipItem pinned(ClipItem item, const QStringList &boards)
{
    item.boardIDs = QSet<QString>(boards.cbegin(), boards.cend());
    return item;
}

class TestCardMenu : public QObject
{
    Q_OBJECT

    RecordingActions actions;
    RecordingWorkspace workspace;
    StripModel model;
    CardInteraction mouse{model, &workspace};

    // Cards A to E; C is a link, D a file, E an image; a tab "T" holds A.
    void reset()
    {
        QList<ClipItem> list = cards(u"ABCDE"_qs);
        list[0] = pinned(list[0], {u"T"_qs});
        list[2].kind = ClipKind::Link;
        list[2].title = u"https://exemplo.com.br/a"_qs;
        list[3].kind = ClipKind::File;
        list[3].title = u"/tmp/um.txt\n/tmp/dois.txt"_qs;
        list[4].kind = ClipKind::Image;
        model.setData(list, {Board{u"T"_qs, u"Trabalho"_qs, u"#A57BEB"_qs, 0}},
                      {{u"T"_qs, {list[0]}}});
        model.showHistory();
        model.selectOnly(u"A"_qs);
        actions.calls.clear();
        workspace.calls.clear();
    }
    QString selection() const { return ids(model.selectedIDs()); }
    QString focus() const { return model.selectedID().value_or(u"-"_qs); }

private Q_SLOTS:
    void init()
    {
        model.setActions(&actions);
        model.setTogglePreview({});
        reset();
    }

    void singleMenuByKind_data()
    {
        QTest::addColumn<ClipItem>("item");
        QTest::addColumn<bool>("onTab");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("expected");
        const QString pin = u"Fixar em [Trabalho:off|-|Nova tab…]"_qs;
        QTest::newRow("text, history, preview")
            << card(u"A"_qs, u"a"_qs) << false << true
            << u"Colar|Colar como texto puro|Copiar|Pré-visualizar|-|Editar texto…|Renomear…|"_qs +
                   pin + u"|-|Apagar do histórico"_qs;
        QTest::newRow("web link, tab")
            << card(u"A"_qs, u"https://exemplo.com.br"_qs, ClipKind::Link) << true << false
            << u"Colar|Colar como texto puro|Copiar|-|Editar texto…|Renomear…|"_qs + pin +
                   u"|Abrir link|-|Remover desta tab"_qs;
        // Only web addresses open: a link card from a hand-made backup launches nothing.
        QTest::newRow("link to a local file")
            << card(u"A"_qs, u"file:///usr/bin/xterm"_qs, ClipKind::Link) << false << false
            << u"Colar|Colar como texto puro|Copiar|-|Editar texto…|Renomear…|"_qs + pin +
                   u"|-|Apagar do histórico"_qs;
        QTest::newRow("file") << card(u"A"_qs, u"/tmp/a.pdf"_qs, ClipKind::File) << false << false
                              << u"Colar|Copiar|-|Renomear…|"_qs + pin +
                                     u"|Mostrar no Finder|-|Apagar do histórico"_qs;
        QTest::newRow("colour") << card(u"A"_qs, u"#FF0000"_qs, ClipKind::Color) << true << false
                                << u"Colar|Copiar|-|Renomear…|"_qs + pin +
                                       u"|-|Remover desta tab"_qs;
    }
    void singleMenuByKind()
    {
        QFETCH(ClipItem, item);
        QFETCH(bool, onTab);
        QFETCH(bool, preview);
        QFETCH(QString, expected);
        const CardMenu menu =
            CardMenu::build({item}, onTab ? Tab::board(u"T"_qs) : Tab::history(),
                            {Board{u"T"_qs, u"Trabalho"_qs, u"#A57BEB"_qs, 0}}, preview);
        QCOMPARE(outline(menu.entries), expected);
    }

    void groupMenuAndPinStates()
    {
        const QList<Board> tabs{board(u"T1"_qs, u"Um"_qs), board(u"T2"_qs, u"Dois"_qs),
                                board(u"T3"_qs, u"Três"_qs)};
        QList<ClipItem> three{pinned(card(u"A"_qs, u"a"_qs), {u"T1"_qs, u"T2"_qs}),
                              pinned(card(u"B"_qs, u"b"_qs, ClipKind::RichText), {u"T1"_qs}),
                              pinned(card(u"C"_qs, u"c"_qs, ClipKind::Link), {u"T1"_qs})};
        QCOMPARE(outline(CardMenu::build(three, Tab::history(), tabs, true).entries),
                 u"3 cards selecionados|Colar os 3|Colar os 3 como texto puro|Copiar os 3|-|"
                 "Fixar os 3 em [Um:on|Dois:mixed|Três:off|-|Nova tab…]|-|"
                 "Apagar os 3 do histórico"_qs);
        QCOMPARE(CardMenu::build(three, Tab::history(), tabs, true).entries.first().kind,
                 CardMenuEntry::Kind::Title);

        // One picture among them: no plain-text paste. On a tab the cards leave the tab; with
        // no tabs the submenu only creates one.
        three[1].kind = ClipKind::Image;
        QCOMPARE(outline(CardMenu::build(three, Tab::board(u"T1"_qs), {}, false).entries),
                 u"3 cards selecionados|Colar os 3|Copiar os 3|-|Fixar os 3 em [Nova tab…]|-|"
                 "Remover os 3 desta tab"_qs);
        QVERIFY(CardMenu::build({}, Tab::history(), tabs, true).entries.isEmpty());
    }

    void clicksChangeTheSelection()
    {
        const int cmd = Qt::ControlModifier;
        mouse.press(u"C"_qs, Qt::NoModifier, false);
        mouse.release(u"C"_qs);
        QCOMPARE(selection(), u"C"_qs);

        // ⌘ is Super or Ctrl and wins over ⇧; ⇧ extends from the anchor.
        mouse.press(u"E"_qs, Qt::MetaModifier | Qt::ShiftModifier, false);
        QCOMPARE(selection(), u"C,E"_qs);
        mouse.press(u"A"_qs, Qt::ShiftModifier, false);
        QCOMPARE(selection(), u"A,B,C,D,E"_qs);
        mouse.press(u"B"_qs, cmd, false);
        QCOMPARE(selection(), u"A,C,D,E"_qs);
        QCOMPARE(focus(), u"A"_qs);

        // A plain press on a selected card waits: a drag would take them all. The release
        // collapses, a gesture taken over (or released elsewhere) does not.
        mouse.press(u"D"_qs, Qt::NoModifier, false);
        QVERIFY(mouse.collapsesOnRelease());
        QCOMPARE(selection(), u"A,C,D,E"_qs);
        mouse.cancel();
        QCOMPARE(selection(), u"A,C,D,E"_qs);
        mouse.press(u"D"_qs, Qt::NoModifier, false);
        mouse.release(u"D"_qs);
        QCOMPARE(selection(), u"D"_qs);
        QCOMPARE(focus(), u"D"_qs);

        // A press on an unselected card takes it alone at once.
        model.selectAll();
        model.toggleSelection(u"B"_qs);
        mouse.press(u"B"_qs, Qt::NoModifier, false);
        QVERIFY(!mouse.collapsesOnRelease());
        QCOMPARE(selection(), u"B"_qs);
        QVERIFY(actions.calls.isEmpty());

        // A double click pastes the card alone; with ⌘ it only toggles.
        model.selectAll();
        mouse.press(u"C"_qs, Qt::NoModifier, true);
        QCOMPARE(actions.calls, QStringList{u"paste C"_qs});
        mouse.press(u"A"_qs, cmd, true);
        QCOMPARE(selection(), u"A,C"_qs);
        QCOMPARE(actions.calls.size(), 1);

        // A card that left the list under the pointer changes nothing.
        mouse.press(u"Z"_qs, Qt::NoModifier, true);
        QCOMPARE(selection(), u"A,C"_qs);
        QCOMPARE(actions.calls.size(), 1);
    }

    void rightClickChoosesTheMenusCards()
    {
        // An unselected card is selected alone and gets the single menu.
        model.selectAll();
        model.toggleSelection(u"E"_qs);
        QVariantList menu = mouse.openMenu(u"E"_qs);
        QCOMPARE(selection(), u"E"_qs);
        QCOMPARE(menu.first().toMap().value(u"text"_qs), QVariant(u"Colar"_qs));
        QCOMPARE(ids(mouse.menu().cards), u"E"_qs);

        // One of several selected cards: the group menu for all of them, in list order.
        model.extendSelection(u"C"_qs);
        menu = mouse.openMenu(u"D"_qs);
        QCOMPARE(menu.first().toMap().value(u"text"_qs), QVariant(u"3 cards selecionados"_qs));
        QCOMPARE(ids(mouse.menu().cards), u"C,D,E"_qs);
        const QVariantMap pin = menu.at(4).toMap(); // no plain paste for a file and a picture
        QCOMPARE(pin.value(u"kind"_qs), QVariant(u"submenu"_qs));
        const QVariantMap tab = pin.value(u"children"_qs).toList().first().toMap();
        QCOMPARE(tab.value(u"boardID"_qs), QVariant(u"T"_qs));
        QCOMPARE(tab.value(u"color"_qs), QVariant(u"#A57BEB"_qs));
        QCOMPARE(tab.value(u"pin"_qs), QVariant(u"off"_qs));

        QVERIFY(mouse.openMenu(u"Z"_qs).isEmpty()); // not shown: no menu
    }

    void entriesRunTheirCommands()
    {
        const auto choose = [&](const QString &id, CardCommand command, const QString &board = {}) {
            mouse.openMenu(id);
            mouse.run(int(command), board);
        };
        model.extendSelection(u"B"_qs);
        choose(u"A"_qs, CardCommand::Paste);
        choose(u"A"_qs, CardCommand::PastePlain);
        choose(u"B"_qs, CardCommand::Copy);
        // Pinning: one of the two is in the tab (mixed), so both are added; once both are
        // there, the entry takes them out.
        choose(u"B"_qs, CardCommand::Pin, u"T"_qs);
        model.selectOnly(u"A"_qs);
        choose(u"A"_qs, CardCommand::Pin, u"T"_qs);
        // The delete entry leaves the selection where it is.
        choose(u"C"_qs, CardCommand::Delete);
        QCOMPARE(focus(), u"C"_qs);
        model.showBoard(u"T"_qs);
        choose(u"A"_qs, CardCommand::Delete);
        QCOMPARE(actions.calls,
                 (QStringList{u"paste A,B"_qs, u"paste A,B plain"_qs, u"copy A,B"_qs,
                              u"add A to T"_qs, u"add B to T"_qs, u"remove A from T"_qs,
                              u"delete C from history"_qs, u"remove A from T"_qs}));

        // The desktop shows a file card's files and opens a link card's address.
        model.showHistory();
        choose(u"D"_qs, CardCommand::Reveal);
        choose(u"C"_qs, CardCommand::OpenLink);
        QCOMPARE(workspace.calls, (QStringList{u"reveal /tmp/um.txt,/tmp/dois.txt"_qs,
                                               u"open https://exemplo.com.br/a"_qs}));

        // Overlays: the text editor, the name, a new tab for the menu's cards.
        choose(u"C"_qs, CardCommand::EditText);
        QCOMPARE(model.editing()->item.id, u"C"_qs);
        model.cancelOverlay();
        choose(u"E"_qs, CardCommand::Rename);
        QCOMPARE(model.editing()->mode, EditState::Mode::Rename);
        model.cancelOverlay();
        model.applyMarquee({u"B"_qs, u"D"_qs}, u"B"_qs);
        choose(u"D"_qs, CardCommand::NewBoard);
        QCOMPARE(model.boardEditor()->addingItemIDs, (QStringList{u"B"_qs, u"D"_qs}));
        model.cancelOverlay();

        // The preview entry appears only once a preview is there, and toggles it.
        int toggled = 0;
        const auto previewOffered = [&] {
            const QVariantList menu = mouse.openMenu(u"A"_qs);
            return std::any_of(menu.cbegin(), menu.cend(), [](const QVariant &e) {
                return e.toMap().value(u"text"_qs) == u"Pré-visualizar"_qs;
            });
        };
        QVERIFY(!previewOffered());
        model.setTogglePreview([&] { ++toggled; });
        QVERIFY(previewOffered());
        mouse.run(int(CardCommand::Preview));
        QCOMPARE(toggled, 1);

        // An entry runs once; a second choice without a new menu does nothing.
        const qsizetype before = actions.calls.size();
        mouse.run(int(CardCommand::Paste));
        QCOMPARE(actions.calls.size(), before);
    }
};

QTEST_GUILESS_MAIN(TestCardMenu)
#include "tst_cardmenu.moc"
