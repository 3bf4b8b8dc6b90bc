// The rubber band over the row: what it selects as it grows and shrinks, what an additive band
// keeps, cards scrolled out of view, and a click on the background.

#include "StripFixtures.h"
#include "strip/ui/Marquee.h"

#include <QSignalSpy>
#include <QTest>

class TestMarquee : public QObject
{
    Q_OBJECT

    StripModel model;
    Marquee band{model};
    static constexpr qreal pitch = Marquee::kCardWidth + Marquee::kSpacing;

    QString selection() const { return ids(model.selectedIDs()); }
    QString focus() const { return model.selectedID().value_or(u"-"_qs); }
    // Cards from the row's start up to x = 900 are on screen unless told otherwise.
    void drag(QPointF from, QPointF to, bool additive = false, qreal visibleFrom = 0)
    {
        band.begin(from, additive);
        band.update(to, visibleFrom, visibleFrom + 900);
    }

private Q_SLOTS:
    // Cards A to J, one after another along the row.
    void init()
    {
        model.setData(cards(u"ABCDEFGHIJ"_qs), {}, {});
        model.selectOnly(u"E"_qs);
    }
    void cleanup() { band.end(); }

    void bandFollowsThePointer()
    {
        // A band drawn straight sideways, from card A to card C, covers all three; the first
        // card it covers takes the focus.
        QSignalSpy drawn(&band, &Marquee::bandChanged);
        drag({100, 120}, {2 * pitch + 20, 120});
        QCOMPARE(selection(), u"A,B,C"_qs);
        QCOMPARE(focus(), u"A"_qs);
        QVERIFY(band.active() && drawn.count() == 1);
        // Drawn backwards from C and shrunk, it lets go of what it leaves.
        drag({2 * pitch + 20, 120}, {pitch + 100, 60});
        QCOMPARE(selection(), u"B,C"_qs);
        band.update({2 * pitch + 40, 60}, 0, 900);
        QCOMPARE(selection(), u"C"_qs);
        band.end();
        QVERIFY(!band.active() && band.band().isNull());
        // A band between the rows of cards' tops and the row's top edge covers nothing: the
        // focus stays selected alone.
        drag({10, 0}, {600, 4});
        QCOMPARE(selection(), u"C"_qs);
    }

    void additiveBandKeepsTheSelection()
    {
        model.toggleSelection(u"J"_qs);
        drag({pitch + 10, 100}, {pitch + 20, 140}, true);
        QCOMPARE(selection(), u"B,E,J"_qs);
        QCOMPARE(focus(), u"B"_qs);
        // Shrinking to nothing keeps what was there before the band.
        band.update({pitch + 10, 100}, 0, 900);
        QCOMPARE(selection(), u"E,J"_qs);
    }

    void cardsOutOfViewKeepTheirState()
    {
        // A to D covered, then the row scrolls so that A and B leave the screen while the
        // band shrinks back over C: A and B stay, D goes.
        drag({100, 100}, {3 * pitch + 10, 100});
        QCOMPARE(selection(), u"A,B,C,D"_qs);
        band.update({2 * pitch + 100, 100}, 2 * pitch - 10, 2 * pitch + 890);
        QCOMPARE(selection(), u"A,B,C"_qs);
    }

    void clickOnTheBackground()
    {
        // A click is a band without size: it covers nothing, even over a card's corner, and
        // leaves the focused card alone selected.
        model.extendSelection(u"G"_qs);
        drag({6 * pitch + 2, 10}, {6 * pitch + 2, 10});
        QCOMPARE(selection(), u"G"_qs);
        // With no card at all nothing is selected, whatever the band covers.
        model.setData({}, {}, {});
        drag({0, 0}, {900, 300});
        QCOMPARE(selection(), QString());
    }
};

QTEST_GUILESS_MAIN(TestMarquee)
#include "tst_marquee.moc"
