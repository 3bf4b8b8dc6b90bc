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

QString rows(const CardListModel &m)
{
    QStringList list;
    for (int i = 0; i < m.rowCount(); ++i)
        list << m.data(m.index(i), CardListModel::IdRole).toString();
    return list.join(u',');
}

QList<ClipItem> reversed(QList<ClipItem> list)
{
    std::reverse(list.begin(), list.end());
    return list;
}

QList<ClipItem> many(int n)
{
    QList<ClipItem> list;
    for (int i = 0; i < n; ++i)
        list << card(QStringLiteral("C%1").arg(i), QStringLiteral("cartão %1").arg(i));
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
        void clearSpies()
        {
            for (QSignalSpy *s : {&inserted, &removed, &moved, &reset, &changed})
                s->clear();
        }
    };

private Q_SLOTS:
    void reloadsBecomeRowChanges()
    {
        Fixture f(presenter);
        f.model.setData(cards(u"ABCDE"_qs), {}, {});
        QCOMPARE(rows(f.cards), u"A,B,C,D,E"_qs);
        f.clearSpies();

        // A new copy arrives on top: one insertion, nothing else redrawn.
        f.model.setData(cards(u"XABCDE"_qs), {}, {});
        QCOMPARE(rows(f.cards), u"X,A,B,C,D,E"_qs);
        QCOMPARE(f.inserted.count(), 1);
        QCOMPARE(f.changed.count(), 0);
        QCOMPARE(f.cards.stats().inserted, 1);

        // Two neighbours deleted: one removal of both rows.
        f.clearSpies();
        f.model.setData(cards(u"XADE"_qs), {}, {});
        QCOMPARE(rows(f.cards), u"X,A,D,E"_qs);
        QCOMPARE(f.removed.count(), 1);
        QCOMPARE(f.cards.stats().removed, 2);

        // A pasted card moves to the top: one move.
        f.clearSpies();
        f.model.setData(cards(u"EXAD"_qs), {}, {});
        QCOMPARE(rows(f.cards), u"E,X,A,D"_qs);
        QCOMPARE(f.moved.count(), 1);
        QCOMPARE(f.reset.count(), 0);

        // Everything at once: removal, insertion and a move.
        f.clearSpies();
        f.model.setData(cards(u"DYEA"_qs), {}, {});
        QCOMPARE(rows(f.cards), u"D,Y,E,A"_qs);
        QCOMPARE(f.reset.count(), 0);
    }

    void searchesNarrowAndWidenInRuns()
    {
        Fixture f(presenter);
        f.model.setData(many(1000), {}, {});
        f.clearSpies();
        f.model.setQuery(u"cartão 99"_qs); // 99, 199 … 899, 990 … 999
        QCOMPARE(f.cards.count(), 19);
        QVERIFY(f.removed.count() <= 20);
        f.clearSpies();
        f.model.setQuery(QString());
        QCOMPARE(f.cards.count(), 1000);
        QVERIFY(f.inserted.count() <= 20);
        QCOMPARE(f.reset.count(), 0);
    }

    void aReshuffleIsOneReset()
    {
        Fixture f(presenter);
        f.model.setData(many(300), {}, {});
        f.clearSpies();
        f.model.setData(reversed(many(300)), {}, {});
        QCOMPARE(f.reset.count(), 1);
        QCOMPARE(rows(f.cards).section(u',', 0, 1), u"C299,C298"_qs);
    }

    void changedCardsRedrawAlone()
    {
        Fixture f(presenter);
        QList<ClipItem> list = cards(u"ABC"_qs);
        f.model.setData(list, {}, {});
        QCOMPARE(f.cards.data(f.cards.index(1), CardListModel::HeaderTitleRole).toString(),
                 u"Texto"_qs);
        f.clearSpies();

        list[1].customTitle = u"Meu cartão"_qs;
        f.model.setData(list, {}, {});
        QCOMPARE(f.changed.count(), 1);
        QCOMPARE(f.changed.first().at(0).value<QModelIndex>().row(), 1);
        QCOMPARE(f.cards.data(f.cards.index(1), CardListModel::HeaderTitleRole).toString(),
                 u"Meu cartão"_qs);
        QCOMPARE(f.cards.data(f.cards.index(1), CardListModel::TimeLineRole)
                     .toString()
                     .section(u" · "_qs, 0, 0),
                 u"Texto"_qs);

        // A new thumbnail redraws too, though the record compares equal.
        f.clearSpies();
        list[2].thumbnail = QByteArray("png");
        QVERIFY(list[2] == f.model.history().at(2));
        f.model.setData(list, {}, {});
        QCOMPARE(f.changed.count(), 1);

        // An identical reload redraws nothing.
        f.clearSpies();
        f.model.setData(list, {}, {});
        QCOMPARE(f.changed.count() + f.inserted.count() + f.removed.count(), 0);
    }

    void selectionRedrawsTheCardsItTouches()
    {
        Fixture f(presenter);
        f.model.setData(cards(u"ABCDEF"_qs), {}, {});
        QSignalSpy focus(&f.cards, &CardListModel::focusMoved);
        const auto selectedRows = [&] {
            QStringList list;
            for (int i = 0; i < f.cards.rowCount(); ++i) {
                if (f.cards.data(f.cards.index(i), CardListModel::SelectedRole).toBool())
                    list << QString::number(i);
            }
            return list.join(u',');
        };
        QCOMPARE(selectedRows(), u"0"_qs);
        f.clearSpies();
        f.model.move(+2, false);
        QCOMPARE(selectedRows(), u"2"_qs);
        QCOMPARE(f.changed.count(), 2); // the old card and the new one
        QCOMPARE(focus.count(), 1);
        QCOMPARE(focus.last().at(0).toInt(), 2);
        QCOMPARE(f.cards.selectedRow(), 2);

        f.model.extendSelection(u"E"_qs);
        QCOMPARE(selectedRows(), u"2,3,4"_qs);

        // A card copied meanwhile shifts the rows: the focus did not move, so no scrolling.
        focus.clear();
        f.model.setData(cards(u"XABCDEF"_qs), {}, {});
        QCOMPARE(f.cards.selectedRow(), 5);
        QCOMPARE(focus.count(), 0);
        QCOMPARE(selectedRows(), u"3,4,5"_qs);
    }

    void pinsShowOnTheHistoryOnly()
    {
        Fixture f(presenter);
        QList<ClipItem> list = cards(u"ABC"_qs);
        list[0].boardIDs = {u"GONE"_qs};
        list[1].boardIDs = {u"T1"_qs};
        Board tab = board(u"T1"_qs);
        tab.color = u"#4CBF8A"_qs;
        Board bad = board(u"T2"_qs);
        bad.color = u"verde"_qs;
        list[2].boardIDs = {u"T2"_qs};
        f.model.setData(list, {tab, bad}, {{u"T1"_qs, {list[1]}}});

        const auto pin = [&](int row) {
            return f.cards.data(f.cards.index(row), CardListModel::ShowsPinRole).toBool();
        };
        const auto pinColor = [&](int row) {
            return f.cards.data(f.cards.index(row), CardListModel::PinColorRole);
        };
        QVERIFY(pin(0) && pin(1) && pin(2));
        QVERIFY(!pinColor(0).isValid()); // its tab is not known: the view's default colour
        QCOMPARE(pinColor(1).value<QColor>(), QColor(0x4C, 0xBF, 0x8A));
        QVERIFY(!pinColor(2).isValid()); // a colour that does not parse

        f.model.showBoard(u"T1"_qs);
        QCOMPARE(f.cards.count(), 1);
        QVERIFY(!pin(0));
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
        f.model.setData({fileCard}, {}, {});
        f.cards.setNow(1003);
        const QModelIndex at = f.cards.index(0);
        QCOMPARE(f.cards.data(at, CardListModel::TimeLineRole).toString(), u"agora mesmo"_qs);
        QCOMPARE(f.cards.data(at, CardListModel::FooterRole).toString(), u"2 KB"_qs);
        QCOMPARE(f.cards.data(at, CardListModel::FileNameRole).toString(), u"notas.txt"_qs);

        f.clearSpies();
        f.cards.setNow(1000 + 3 * 3600);
        QCOMPARE(f.changed.count(), 1);
        QCOMPARE(f.cards.data(at, CardListModel::TimeLineRole).toString(), u"há 3 horas"_qs);

        // A file deleted while the strip was away shows up as gone on the next showing.
        QVERIFY(QFile::remove(path));
        QCOMPARE(f.cards.data(at, CardListModel::FooterRole).toString(), u"2 KB"_qs);
        f.cards.refreshFaces();
        QCOMPARE(f.cards.data(at, CardListModel::FooterRole).toString(),
                 u"Arquivo não encontrado"_qs);
    }
};

QTEST_MAIN(TestCardListModel)
#include "tst_cardlistmodel.moc"
