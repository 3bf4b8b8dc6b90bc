// The strip's commands: what reaches the shell through VaruActions, where the focus goes
// when cards are deleted, both overlays' commit rules and the palette. (The pin submenu's
// states and choices are in the card menu's test.)

#include "StripFixtures.h"
#include "strip/model/TabPalette.h"

#include <QTest>

class TestStripCommands : public QObject
{
    Q_OBJECT

    static QString focus(const StripModel &m) { return m.selectedID().value_or(u"-"_qs); }

private Q_SLOTS:
    void deleteMovesTheFocusToANeighbour_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("focusAfter");
        QTest::newRow("block") << u"B,C"_qs << u"D"_qs;
        QTest::newRow("scattered, last at the end") << u"B,D,E"_qs << u"C"_qs;
        QTest::newRow("everything") << u"A,B,C,D,E"_qs << u"-"_qs;
    }
    void deleteMovesTheFocusToANeighbour()
    {
        QFETCH(QString, selected);
        QFETCH(QString, focusAfter);
        RecordingActions actions;
        StripModel model;
        model.setActions(&actions);
        model.setData(cards(u"ABCDE"_qs), {}, {});
        const QStringList picked = selected.split(u',');
        model.applyMarquee(QSet<QString>(picked.cbegin(), picked.cend()), picked.first());

        model.deleteSelected();
        QCOMPARE(focus(model), focusAfter);
        QCOMPARE(actions.calls, QStringList{u"delete "_qs + selected + u" from history"_qs});

        // After the reload without the deleted cards the new focus survives.
        QList<ClipItem> rest;
        for (const ClipItem &c : cards(u"ABCDE"_qs)) {
            if (!picked.contains(c.id))
                rest.append(c);
        }
        model.setData(rest, {}, {});
        QCOMPARE(focus(model), focusAfter);
    }

    void withoutTheShellNothingIsSent()
    {
        StripModel model;
        auto *actions = new RecordingActions;
        model.setActions(actions);
        delete actions; // the shell went away: the weak reference empties itself
        QVERIFY(!model.actions());
        model.setData(cards(u"AB"_qs), {}, {});
        model.paste(false);
        model.deleteSelected();
        QCOMPARE(focus(model), u"B"_qs);
        model.beginEdit();
        QCOMPARE(model.editing()->text, u"b"_qs);
        model.setEditingText(u"new"_qs);
        model.commitOverlay();
        QVERIFY(!model.hasOverlay());
    }

    void cardEditor()
    {
        RecordingActions actions;
        StripModel model;
        model.setActions(&actions);
        const ClipItem link = card(u"L"_qs, u"https://exemplo.com.br/…"_qs, ClipKind::Link);
        const ClipItem image = card(u"I"_qs, u"Imagem"_qs, ClipKind::Image);
        model.setData({link, image}, {}, {});

        // The full stored text, not the shortened title; bytes that are not UTF-8 fall back
        // to the title.
        actions.stored = {{0, u"public.html"_qs, "<b>x</b>"},
                          {0, u"public.utf8-plain-text"_qs, "https://exemplo.com.br/página"}};
        model.beginEdit();
        QCOMPARE(model.editing()->text, u"https://exemplo.com.br/página"_qs);
        actions.stored = {{0, u"public.utf8-plain-text"_qs, QByteArray("\xff\xfe", 2)}};
        model.beginEdit(link);
        QCOMPARE(model.editing()->text, link.title);

        // Blank text is not saved; text is saved as typed; an empty name clears the name.
        model.setEditingText(u" \n\t "_qs);
        model.commitOverlay();
        QVERIFY(!model.editing());
        model.beginEdit();
        model.setEditingText(u"  linha 1\nlinha 2\n"_qs);
        model.commitOverlay();
        ClipItem named = image;
        named.customTitle = u"Foto"_qs;
        model.beginRename(named);
        QCOMPARE(model.editing()->text, u"Foto"_qs);
        model.setEditingText(QString());
        model.commitOverlay();
        QCOMPARE(actions.calls,
                 (QStringList{u"save L [  linha 1\nlinha 2\n]"_qs, u"rename I to []"_qs}));
    }

    void tabEditorCommitRules()
    {
        RecordingActions actions;
        StripModel model;
        model.setActions(&actions);
        model.setData(cards(u"AB"_qs), {userTab(u"T"_qs, u"Trabalho"_qs)}, {});

        model.beginNewTab({u"A"_qs});
        QCOMPARE(model.tabEditor()->notice(), u"O card selecionado entra nesta tab."_qs);
        model.beginNewTab({u"A"_qs, u"B"_qs});
        QCOMPARE(model.tabEditor()->color, u"#A57BEB"_qs);
        QCOMPARE(model.tabEditor()->notice(), u"2 cards selecionados entram nesta tab."_qs);
        model.setTabEditorName(u"  \t "_qs);
        QVERIFY(!model.tabEditor()->canCommit());
        const int token = model.focusToken();
        model.commitOverlay();
        QVERIFY(model.tabEditor());
        QCOMPARE(model.focusToken(), token);
        model.setTabEditorName(u"  Receitas "_qs);
        model.setTabEditorColor(u"#4CBF8A"_qs);
        model.commitOverlay();
        QVERIFY(!model.tabEditor());

        model.editTab(u"T"_qs);
        QCOMPARE(model.tabEditor()->name, u"Trabalho"_qs);
        model.setTabEditorName(u"Casa"_qs);
        model.commitOverlay();

        model.editTab(u"T"_qs, true);
        QCOMPARE(model.tabEditor()->notice(),
                 u"Os cards só somem se não estiverem no histórico nem em outra tab."_qs);
        model.deleteEditedTab();
        QVERIFY(!model.hasOverlay());

        QCOMPARE(actions.calls, (QStringList{u"create [Receitas] #4CBF8A with A,B"_qs,
                                             u"update T [Casa] #5B8DEF"_qs, u"delete tab T"_qs}));
    }

    void paletteRotates()
    {
        // A new tab is offered the palette's next colour, starting again after the last.
        StripModel model;
        QList<UserTab> tabs;
        for (int i = 0; i <= 8; ++i, tabs << userTab(QString::number(i))) {
            model.setData({}, tabs, {});
            model.beginNewTab();
            QCOMPARE(model.tabEditor()->color, TabPalette::colors().at(i % 8));
        }
        QCOMPARE(model.tabEditor()->notice(), QString());
    }
};

QTEST_GUILESS_MAIN(TestStripCommands)
#include "tst_stripcommands.moc"
