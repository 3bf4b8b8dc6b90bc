// How the strip's selection behaves: arrows, ranges, toggles and the marquee, survival across
// reloads, reselection when the view changes, and tab cycling.

#include "StripFixtures.h"

#include <QSignalSpy>
#include <QTest>

class TestStripSelection : public QObject
{
    Q_OBJECT

    static QString focus(const StripModel &m) { return m.selectedID().value_or(u"-"_qs); }
    static QString selection(const StripModel &m) { return ids(m.selectedIDs()); }

private Q_SLOTS:
    void arrowsAndRanges()
    {
        StripModel model;
        model.setData(cards(u"ABCDE"_qs), {}, {});
        QCOMPARE(selection(model), u"A"_qs);
        model.move(-1, false);
        QCOMPARE(focus(model), u"A"_qs);
        model.move(+7, false);
        QCOMPARE(focus(model), u"E"_qs);

        // Shift-steps grow and shrink a range around the fixed anchor.
        model.move(-1, true);
        model.move(-1, true);
        model.move(-1, true);
        model.move(+1, true);
        QCOMPARE(selection(model), u"C,D,E"_qs);
        QCOMPARE(focus(model), u"C"_qs);
        // A plain step at the edge collapses the range to one card.
        model.selectAll();
        model.move(+9, false);
        QCOMPARE(selection(model), u"E"_qs);

        // Shift-clicks range from the last plain click.
        model.selectOnly(u"D"_qs);
        model.extendSelection(u"B"_qs);
        QCOMPARE(selection(model), u"B,C,D"_qs);
        model.extendSelection(u"E"_qs);
        QCOMPARE(selection(model), u"D,E"_qs);
    }

    void toggles()
    {
        StripModel model;
        model.setData(cards(u"ABCD"_qs), {}, {});
        QStringList seen;
        connect(&model, &StripModel::selectedIDChanged, this,
                [&] { seen << u"id "_qs + focus(model) + u" with "_qs + selection(model); });
        connect(&model, &StripModel::selectedIDsChanged, this,
                [&] { seen << u"ids "_qs + selection(model); });
        // Toggling the only selected card leaves it selected.
        model.toggleSelection(u"A"_qs);
        QVERIFY(seen.isEmpty());
        model.toggleSelection(u"D"_qs);
        model.toggleSelection(u"C"_qs);
        QCOMPARE(selection(model), u"A,C,D"_qs);
        // Views hear of the focus before the set it belongs to.
        QCOMPARE(seen.mid(0, 2), (QStringList{u"id D with A"_qs, u"ids A,D"_qs}));
        // Removing one of three moves the focus to the first remaining card in list order.
        model.toggleSelection(u"C"_qs);
        QCOMPARE(selection(model), u"A,D"_qs);
        QCOMPARE(focus(model), u"A"_qs);

        // The same marquee again announces nothing.
        seen.clear();
        model.applyMarquee({u"A"_qs, u"D"_qs}, u"A"_qs);
        QVERIFY(seen.isEmpty());
        model.collapseSelection();
        QCOMPARE(selection(model), u"A"_qs);
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

        // Hidden by the search after a reload counts as gone.
        model.setQuery(u"b"_qs);
        model.setData(cards(u"NAB"_qs) + QList{card(u"Z"_qs, u"bz"_qs)}, {}, {});
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

        const QList<UserTab> tabs{userTab(u"T1"_qs), userTab(u"T2"_qs)};
        const TabItems items{{u"T1"_qs, cards(u"B"_qs)}, {u"T2"_qs, cards(u"CA"_qs)}};
        model.setData(cards(u"AB"_qs), tabs, items);
        model.cycleTab(-1);
        QCOMPARE(model.tab(), Tab::userTab(u"T2"_qs));
        QCOMPARE(focus(model), u"C"_qs);
        model.cycleTab(+1);
        QCOMPARE(model.tab(), Tab::history());
        model.cycleTab(+2);
        model.cycleTab(-7);
        QCOMPARE(model.tab(), Tab::userTab(u"T1"_qs));

        // A tab listed without an entry of cards is simply empty.
        model.setData(cards(u"AB"_qs), tabs, {});
        QCOMPARE(model.count(model.tab()), 0);
        QCOMPARE(focus(model), u"-"_qs);
        // The open tab deleted elsewhere: back to the history, first card focused.
        model.setData(cards(u"AB"_qs), {userTab(u"T2"_qs)}, items);
        QCOMPARE(model.tab(), Tab::history());
        QCOMPARE(focus(model), u"A"_qs);
    }
};

QTEST_GUILESS_MAIN(TestStripSelection)
#include "tst_stripselection.moc"
