// The card row's list model over the strip model: each reload, search and tab change is
// applied as the row changes it really is (so the view keeps its delegates and position),
// the selection, pins and times redraw only what they touch, and faces follow the records.

#include "StripFixtures.h"
#include "strip/AppIcons.h"
#include "strip/CardFace.h"
#include "strip/CardListModel.h"
#include "strip/RelativeTime.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<ClipItem> many(int n, bool reversed = false)
{
    QList<ClipItem> list;
    for (int i = 0; i < n; ++i) {
        const int k = reversed ? n - 1 - i : i;
        list << card(QStringLiteral("C%1").arg(k), QStringLiteral("cartão %1").arg(k));
    }
    return list;
}

} // namespace

class TestCardListModel : public QObject
{
    Q_OBJECT

    AppIcons icons{[](const QString &) { return std::optional<QIcon>(); }};
    AppColors colors{icons};
    RelativeTime times;
    CardPresenter presenter{colors, times};

    struct Fixture
    {
        StripModel model;
        CardListModel cards;
        QAbstractItemModelTester tester{&cards,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest};
        QSignalSpy inserted{&cards, &QAbstractItemModel::rowsInserted};
        QSignalSpy removed{&cards, &QAbstractItemModel::rowsRemoved};
        QSignalSpy moved{&cards, &QAbstractItemModel::rowsMoved};
        QSignalSpy reset{&cards, &QAbstractItemModel::modelReset};
        QSignalSpy changed{&cards, &QAbstractItemModel::dataChanged};

        explicit Fixture(const CardPresenter &presenter)
            : cards(model, presenter)
        {}
        void load(const QList<ClipItem> &list, const QList<Board> &tabs = {},
                  const BoardItems &items = {})
        {
            for (QSignalSpy *s : {&inserted, &removed, &moved, &reset, &changed})
                s->clear();
            model.setData(list, tabs, items);
        }
        QVariant at(int row, int role) const { return cards.data(cards.index(row), role); }
        QString rows() const
        {
            QStringList list;
            for (int i = 0; i < cards.rowCount(); ++i)
                list << at(i, CardListModel::IdRole).toString();
            return list.join(u',');
        }
        // The spies' counts as "inserted removed moved reset changed".
        QString counts() const
        {
            return QStringLiteral("%1 %2 %3 %4 %5")
                .arg(inserted.count())
                .arg(removed.count())
                .arg(moved.count())
                .arg(reset.count())
                .arg(changed.count());
        }
    };

private Q_SLOTS:
    void reloadsBecomeRowChanges()
    {
        Fixture f(presenter);
        f.load(cards(u"ABCDE"_qs));
        // A new copy on top: one insertion, nothing else redrawn.
        f.load(cards(u"XABCDE"_qs));
        QCOMPARE(f.rows(), u"X,A,B,C,D,E"_qs);
        QCOMPARE(f.counts(), u"1 0 0 0 0"_qs);
        // Two neighbours deleted: one removal of both rows.
        f.load(cards(u"XADE"_qs));
        QCOMPARE(f.counts(), u"0 1 0 0 0"_qs);
        QCOMPARE(f.cards.stats().removed, 2);
        // A pasted card moves to the top: one move.
        f.load(cards(u"EXAD"_qs));
        QCOMPARE(f.rows(), u"E,X,A,D"_qs);
        QCOMPARE(f.counts(), u"0 0 1 0 0"_qs);
        // Everything at once, still without a reset.
        f.load(cards(u"DYEA"_qs));
        QCOMPARE(f.rows(), u"D,Y,E,A"_qs);
        QCOMPARE(f.reset.count(), 0);
        // A reshuffle of a long list is one reset rather than hundreds of moves.
        f.load(many(300));
        f.load(many(300, true));
        QCOMPARE(f.reset.count(), 1);
        QCOMPARE(f.rows().section(u',', 0, 1), u"C299,C298"_qs);

        // A search narrows and widens the row in runs of rows.
        f.load(many(1000));
        f.reset.clear();
        f.model.setQuery(u"cartão 99"_qs); // 99, 199 … 899, 990 … 999
        QCOMPARE(f.cards.count(), 19);
        QVERIFY(f.removed.count() <= 20);
        f.model.setQuery(QString());
        QCOMPARE(f.cards.count(), 1000);
        QVERIFY(f.inserted.count() <= 20);
        QCOMPARE(f.reset.count(), 0);
    }

    void changedCardsRedrawAlone()
    {
        Fixture f(presenter);
        QList<ClipItem> list = cards(u"ABC"_qs);
        f.load(list);
        list[1].customTitle = u"Meu cartão"_qs;
        f.load(list);
        QCOMPARE(f.counts(), u"0 0 0 0 1"_qs);
        QCOMPARE(f.changed.first().at(0).value<QModelIndex>().row(), 1);
        QCOMPARE(f.at(1, CardListModel::HeaderTitleRole).toString(), u"Meu cartão"_qs);
        QCOMPARE(f.at(1, CardListModel::TimeLineRole).toString().section(u" · "_qs, 0, 0),
                 u"Texto"_qs);

        // A new thumbnail redraws too, though the record compares equal.
        list[2].thumbnail = QByteArray("png");
        QVERIFY(list[2] == f.model.history().at(2));
        f.load(list);
        QCOMPARE(f.counts(), u"0 0 0 0 1"_qs);
        f.load(list);
        QCOMPARE(f.counts(), u"0 0 0 0 0"_qs);
    }

    void selectionRedrawsTheCardsItTouches()
    {
        Fixture f(presenter);
        f.load(cards(u"ABCDEF"_qs));
        QSignalSpy focus(&f.cards, &CardListModel::focusMoved);
        const auto selectedRows = [&] {
            QStringList list;
            for (int i = 0; i < f.cards.rowCount(); ++i) {
                if (f.at(i, CardListModel::SelectedRole).toBool())
                    list << QString::number(i);
            }
            return list.join(u',');
        };
        f.changed.clear();
        f.model.move(+2, false);
        QCOMPARE(selectedRows(), u"2"_qs);
        QCOMPARE(f.changed.count(), 2); // the old card and the new one
        QCOMPARE(focus.count(), 1);
        QCOMPARE(focus.last().at(0).toInt(), 2);
        f.model.extendSelection(u"E"_qs);
        QCOMPARE(selectedRows(), u"2,3,4"_qs);

        // A card copied meanwhile shifts the rows: the focus did not move, so no scrolling.
        focus.clear();
        f.load(cards(u"XABCDEF"_qs));
        QCOMPARE(f.cards.selectedRow(), 5);
        QCOMPARE(focus.count(), 0);
        QCOMPARE(selectedRows(), u"3,4,5"_qs);
    }

    void pinsShowOnTheHistoryOnly()
    {
        Fixture f(presenter);
        QList<ClipItem> list = cards(u"AB"_qs);
        list[0].boardIDs = {u"T1"_qs};
        list[1].boardIDs = {u"T2"_qs};
        Board tab = board(u"T1"_qs);
        tab.color = u"#4CBF8A"_qs;
        Board bad = board(u"T2"_qs);
        bad.color = u"verde"_qs; // does not parse: the view's default colour
        f.load(list, {tab, bad}, {{u"T1"_qs, {list[0]}}});
        QVERIFY(f.at(0, CardListModel::ShowsPinRole).toBool());
        QCOMPARE(f.at(0, CardListModel::PinColorRole).value<QColor>(), QColor(0x4C, 0xBF, 0x8A));
        QVERIFY(!f.at(1, CardListModel::PinColorRole).isValid());
        f.model.showBoard(u"T1"_qs);
        QVERIFY(!f.at(0, CardListModel::ShowsPinRole).toBool());
    }

    void facesFollowTheClockAndTheFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"notas.txt"_qs);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(1500, 'x')) == 1500);
        file.close();

        Fixture f(presenter);
        ClipItem fileCard = card(u"F"_qs, path, ClipKind::File);
        fileCard.createdAt = 1000;
        f.load({fileCard});
        f.cards.setNow(1003);
        QCOMPARE(f.at(0, CardListModel::TimeLineRole).toString(), u"agora mesmo"_qs);
        QCOMPARE(f.at(0, CardListModel::FooterRole).toString(), u"2 KB"_qs);

        f.changed.clear();
        f.cards.setNow(1000 + 3 * 3600);
        QCOMPARE(f.changed.count(), 1);
        QCOMPARE(f.at(0, CardListModel::TimeLineRole).toString(), u"há 3 horas"_qs);

        // A file deleted while the strip was away shows up as gone on the next showing.
        QVERIFY(QFile::remove(path));
        f.cards.refreshFaces();
        QCOMPARE(f.at(0, CardListModel::FooterRole).toString(), u"Arquivo não encontrado"_qs);
    }
};

QTEST_MAIN(TestCardListModel)
#include "tst_cardlistmodel.moc"
