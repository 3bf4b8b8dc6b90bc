// How the strip's selection behaves: single and multi-selection, ranges, toggles, the
// marquee, survival across reloads, tabs and the reset when the strip opens.

#include "StripFixtures.h"

#include <QSignalSpy>
#include <QTest>

class TestStripSelection : public QObject
{
    Q_OBJECT

    static QString focus(const StripModel &m) { return m.selectedID().value_or(u"-"_qs); }
    static QString selection(const StripModel &m) { return ids(m.selectedIDs()); }

private Q_SLOTS:
    void arrowsMoveAndClamp()
    {
        StripModel model;
        model.setData(cards(u"ABCD"_qs), {}, {});
        QCOMPARE(selection(model), u"A"_qs);
        model.move(-1, false);
        QCOMPARE(focus(model), u"A"_qs);
        model.move(+2, false);
        QCOMPARE(focus(model), u"C"_qs);
        model.move(+5, false);
        QCOMPARE(focus(model), u"D"_qs);

        // Shift-steps grow and shrink a range around the fixed anchor.
        model.move(-1, true);
        model.move(-1, true);
        QCOMPARE(selection(model), u"B,C,D"_qs);
        QCOMPARE(focus(model), u"B"_qs);
        model.move(+1, true);
        QCOMPARE(selection(model), u"C,D"_qs);
        QCOMPARE(ids(model.selectedItems()), u"C,D"_qs);

        // A plain step at the edge collapses the range to one card.
        model.selectAll();
        model.move(+1, false);
        QCOMPARE(selection(model), u"D"_qs);
    }

    void rangeSelectionByClicks()
    {
        StripModel model;
        model.setData(cards(u"ABCDE"_qs), {}, {});
        model.selectOnly(u"D"_qs);
        model.extendSelection(u"B"_qs);
        QCOMPARE(selection(model), u"B,C,D"_qs);
        QCOMPARE(focus(model), u"B"_qs);
        model.extendSelection(u"E"_qs);
        QCOMPARE(selection(model), u"D,E"_qs);

        // With no anchor and no focus, a shift-click selects just the card and anchors there.
        model.applyMarquee({}, std::nullopt);
        QCOMPARE(focus(model), u"-"_qs);
        model.extendSelection(u"C"_qs);
        QCOMPARE(selection(model), u"C"_qs);
        model.extendSelection(u"E"_qs);
        QCOMPARE(selection(model), u"C,D,E"_qs);
    }

    void toggleSelection()
    {
        StripModel model;
        model.setData(cards(u"ABCD"_qs), {}, {});
        // Toggling the only selected card leaves it selected.
        model.toggleSelection(u"A"_qs);
        QCOMPARE(selection(model), u"A"_qs);
        model.toggleSelection(u"C"_qs);
        model.toggleSelection(u"D"_qs);
        QCOMPARE(selection(model), u"A,C,D"_qs);
        QCOMPARE(focus(model), u"D"_qs);
        // Removing one of three moves the focus to the first remaining card in list order.
        model.toggleSelection(u"D"_qs);
        QCOMPARE(selection(model), u"A,C"_qs);
        QCOMPARE(focus(model), u"A"_qs);

        model.collapseSelection();
        QCOMPARE(selection(model), u"A"_qs);
    }

    void multiSelectionAnnouncesFocusFirst()
    {
        StripModel model;
        model.setData(cards(u"ABC"_qs), {}, {});
        QStringList seen;
        connect(&model, &StripModel::selectedIDChanged, this,
                [&] { seen << u"id "_qs + focus(model) + u" with "_qs + selection(model); });
        connect(&model, &StripModel::selectedIDsChanged, this,
                [&] { seen << u"ids "_qs + selection(model); });
        model.extendSelection(u"C"_qs);
        QCOMPARE(seen, (QStringList{u"id C with A"_qs, u"ids A,B,C"_qs}));

        // The same marquee again changes nothing and announces nothing.
        seen.clear();
        model.applyMarquee({u"A"_qs, u"B"_qs, u"C"_qs}, u"C"_qs);
        QVERIFY(seen.isEmpty());
        model.selectAll();
        QVERIFY(seen.isEmpty());
    }

    void selectionSurvivesReloads()
    {
        StripModel model;
        model.setData(cards(u"ABCD"_qs), {}, {});
        model.selectOnly(u"B"_qs);
        model.extendSelection(u"D"_qs);

        // One of three selected cards disappears: the other two and the focus stay.
        QSignalSpy focusSpy(&model, &StripModel::selectedIDChanged);
        model.setData(cards(u"ABD"_qs), {}, {});
        QCOMPARE(selection(model), u"B,D"_qs);
        QCOMPARE(focus(model), u"D"_qs);
        QCOMPARE(focusSpy.count(), 0);

        // A new card on top does not move the selection.
        model.setData(cards(u"NABD"_qs), {}, {});
        QCOMPARE(selection(model), u"B,D"_qs);

        // The focused card disappears: the first card is selected alone.
        model.setData(cards(u"NAB"_qs), {}, {});
        QCOMPARE(selection(model), u"N"_qs);
        QCOMPARE(focus(model), u"N"_qs);

        // Hidden by the search after a reload counts as gone.
        model.setQuery(u"b"_qs);
        model.setData(cards(u"NABX"_qs).mid(0, 3) + QList{card(u"Z"_qs, u"bz"_qs)}, {}, {});
        QCOMPARE(focus(model), u"B"_qs);
        model.setData({card(u"B"_qs, u"renamed"_qs), card(u"Z"_qs, u"bz"_qs)}, {}, {});
        QCOMPARE(focus(model), u"Z"_qs);
        model.setData({}, {}, {});
        QCOMPARE(focus(model), u"-"_qs);
        QVERIFY(model.selectedIDs().isEmpty());
    }

    void changingTheViewReselects()
    {
        StripModel model;
        model.setData({card(u"A"_qs, u"apple"_qs), card(u"B"_qs, u"banana"_qs),
                       card(u"C"_qs, u"cherry"_qs, ClipKind::Link)},
                      {}, {});
        model.selectOnly(u"B"_qs);
        // B still matches, but any change of the query focuses the first visible card.
        model.setQuery(u"a"_qs);
        QCOMPARE(focus(model), u"A"_qs);
        model.setKindFilter(KindFilter::Link);
        QCOMPARE(focus(model), u"-"_qs);
        model.setQuery(QString());
        QCOMPARE(focus(model), u"C"_qs);

        // Assigning the same values again keeps the selection.
        model.setKindFilter(std::nullopt);
        model.selectOnly(u"B"_qs);
        model.setTab(Tab::history());
        model.setKindFilter(std::nullopt);
        model.setQuery(QString());
        QCOMPARE(focus(model), u"B"_qs);
    }

    void tabsCycleAndFollowTheSnapshot()
    {
        StripModel model;
        model.setData(cards(u"AB"_qs), {}, {});
        model.cycleTab(-1);
        QCOMPARE(model.tab(), Tab::history());
        model.cycleTab(+1);
        QCOMPARE(model.tab(), Tab::history());

        const QList<Board> tabs{board(u"T1"_qs), board(u"T2"_qs)};
        const BoardItems items{{u"T1"_qs, cards(u"B"_qs)}, {u"T2"_qs, cards(u"CA"_qs)}};
        model.setData(cards(u"AB"_qs), tabs, items);
        model.cycleTab(-1);
        QCOMPARE(model.tab(), Tab::board(u"T2"_qs));
        QCOMPARE(focus(model), u"C"_qs);
        QCOMPARE(model.count(Tab::board(u"T2"_qs)), 2);
        QCOMPARE(model.currentBoard()->id, u"T2"_qs);
        model.cycleTab(+1);
        QCOMPARE(model.tab(), Tab::history());
        model.cycleTab(+2);
        QCOMPARE(model.tab(), Tab::board(u"T2"_qs));
        model.cycleTab(-7);
        QCOMPARE(model.tab(), Tab::board(u"T1"_qs));

        // A tab listed without an entry of cards is simply empty.
        model.setData(cards(u"AB"_qs), tabs, {});
        QCOMPARE(model.count(model.tab()), 0);
        QCOMPARE(focus(model), u"-"_qs);

        // The open tab deleted elsewhere: back to the history, first card focused.
        model.setData(cards(u"AB"_qs), {board(u"T2"_qs)}, items);
        QCOMPARE(model.tab(), Tab::history());
        QCOMPARE(focus(model), u"A"_qs);
    }

    void showingResetsTransientState()
    {
        StripModel model;
        const BoardItems items{{u"T"_qs, cards(u"XY"_qs)}};
        model.setData(cards(u"AB"_qs), {board(u"T"_qs)}, items);
        model.setTab(Tab::board(u"T"_qs));
        model.setQuery(u"y"_qs);
        model.setKindFilter(KindFilter::Text);
        model.beginRename();
        const int token = model.focusToken();

        model.prepareForShow();
        QCOMPARE(model.tab(), Tab::board(u"T"_qs));
        QCOMPARE(model.query(), QString());
        QVERIFY(!model.kindFilter());
        QVERIFY(!model.hasOverlay());
        QCOMPARE(focus(model), u"X"_qs);
        QCOMPARE(model.focusToken(), token + 1);
    }

    void propertiesAsViewsReadThem()
    {
        StripModel model;
        model.setData(cards(u"AB"_qs), {board(u"T"_qs)}, {{u"T"_qs, cards(u"B"_qs)}});
        QVERIFY(model.setProperty("kindFilter", 1));
        QCOMPARE(model.kindFilter(), KindFilter::Link);
        QVERIFY(model.setProperty("kindFilter", -1));
        QVERIFY(model.setProperty("query", u"b"_qs));
        QCOMPARE(model.property("selectedID").toString(), u"B"_qs);
        QCOMPARE(model.property("selectedIDs").toStringList(), QStringList{u"B"_qs});
        QCOMPARE(model.property("filtered").value<QList<ClipItem>>().size(), 1);

        model.beginNewBoard({u"B"_qs});
        QCOMPARE(model.property("boardEditor").value<BoardEditState>().notice(),
                 u"O card selecionado entra nesta tab."_qs);
        QVERIFY(model.setProperty("tab", QVariant::fromValue(Tab::board(u"T"_qs))));
        QCOMPARE(model.property("tab").value<Tab>().boardID(), u"T"_qs);
        QVERIFY(model.property("hasOverlay").toBool());
    }
};

QTEST_GUILESS_MAIN(TestStripSelection)
#include "tst_stripselection.moc"
