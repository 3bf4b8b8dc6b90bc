// The strip's list models under QAbstractItemModelTester, fed scripted snapshots: the card row
// follows inserts, removals, moves and edits without a reset (so views keep their delegates),
// redraws exactly the cards that changed, and falls back to one reset for a thorough
// reshuffle; the tab bar follows renames, new tabs, the open tab and the card counts.

#include "StripFixtures.h"
#include "strip/cards/AppIcons.h"
#include "strip/cards/CardFace.h"
#include "strip/cards/RelativeTime.h"
#include "strip/ui/CardListModel.h"
#include "strip/ui/TabListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

using Tester = QAbstractItemModelTester;
constexpr auto kReport = QAbstractItemModelTester::FailureReportingMode::QtTest;

// Cards by letter: "A" is card A with its first content, "a" the same card edited since.
QList<ClipItem> script(const QString &letters)
{
    QList<ClipItem> list;
    for (const QChar c : letters) {
        const QString id(c.toUpper());
        list.append(card(id, c.isUpper() ? id.toLower() : id.toLower() + u" (editado)"_qs));
    }
    return list;
}

// Every row the views were told about, as "id:body" of what the rows hold now.
QString rows(const QAbstractItemModel &list)
{
    QStringList out;
    for (int row = 0; row < list.rowCount(); ++row) {
        const QModelIndex at = list.index(row, 0);
        out << at.data(CardListModel::IdRole).toString() + u':' +
                   at.data(CardListModel::BodyRole).toString();
    }
    return out.join(u',');
}

QString expectedRows(const QList<ClipItem> &items)
{
    QStringList out;
    for (const ClipItem &item : items)
        out << item.id + u':' + item.title;
    return out.join(u',');
}

// The rows whose `role` a dataChanged covered (an empty role list covers them all), in order.
struct ChangeLog
{
    QSet<int> rows;
    int resets = 0;

    ChangeLog(QAbstractItemModel &model, int role)
    {
        QObject::connect(&model, &QAbstractItemModel::dataChanged,
                         [this, role](const QModelIndex &from, const QModelIndex &to,
                                      const QList<int> &roles) {
                             if (!roles.isEmpty() && !roles.contains(role))
                                 return;
                             for (int row = from.row(); row <= to.row(); ++row)
                                 rows.insert(row);
                         });
        QObject::connect(&model, &QAbstractItemModel::modelReset, [this] { ++resets; });
    }
    QString text() const
    {
        QList<int> sorted(rows.cbegin(), rows.cend());
        std::sort(sorted.begin(), sorted.end());
        QStringList out;
        for (int row : sorted)
            out << QString::number(row);
        return out.join(u',');
    }
};

} // namespace

class TestListModels : public QObject
{
    Q_OBJECT

    AppIcons icons{[](const QString &) { return std::optional<QIcon>(); }};
    AppColors colors{icons};
    RelativeTime times;
    CardPresenter presenter{colors, times};

private Q_SLOTS:
    // `changed` lists the rows (after the step) that must be redrawn, and only those.
    void cardRowsFollowEachSnapshot_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("changed");
        QTest::newRow("a copy on top") << u"ABC"_qs << u"XABC"_qs << QString();
        QTest::newRow("inserts here and there") << u"ABC"_qs << u"XAYBCZ"_qs << QString();
        QTest::newRow("from nothing") << QString() << u"ABC"_qs << QString();
        QTest::newRow("removal runs") << u"ABCDEF"_qs << u"ACF"_qs << QString();
        QTest::newRow("everything removed") << u"ABC"_qs << QString() << QString();
        QTest::newRow("a re-copy goes up") << u"ABCD"_qs << u"CABD"_qs << QString();
        QTest::newRow("first and last swap") << u"ABCD"_qs << u"DBCA"_qs << QString();
        QTest::newRow("reversed") << u"ABCDEFG"_qs << u"GFEDCBA"_qs << QString();
        QTest::newRow("all at once") << u"ABCDE"_qs << u"XEBY"_qs << QString();
        QTest::newRow("an edit") << u"ABC"_qs << u"AbC"_qs << u"1"_qs;
        QTest::newRow("edits that move") << u"ABCD"_qs << u"cAbD"_qs << u"0,2"_qs;
        QTest::newRow("an edit among inserts") << u"AB"_qs << u"XaYB"_qs << u"1"_qs;
        QTest::newRow("an edit undone") << u"aB"_qs << u"BA"_qs << u"1"_qs;
    }
    void cardRowsFollowEachSnapshot()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, changed);
        StripModel model;
        model.setData(script(before), {}, {});
        CardListModel list(model, presenter);
        Tester tester(&list, kReport);
        QCOMPARE(rows(list), expectedRows(script(before)));

        // Views hold persistent indexes for their delegates: the cards that stay keep theirs.
        QHash<QString, QPersistentModelIndex> held;
        for (int row = 0; row < list.rowCount(); ++row)
            held.insert(list.index(row).data(CardListModel::IdRole).toString(), list.index(row));
        QSignalSpy count(&list, &CardListModel::countChanged);
        ChangeLog log(list, CardListModel::BodyRole);

        model.setData(script(after), {}, {});
        QCOMPARE(rows(list), expectedRows(script(after)));
        QCOMPARE(list.count(), after.size());
        QCOMPARE(count.size(), before.size() == after.size() ? 0 : 1);
        QCOMPARE(log.resets, 0);
        QCOMPARE(log.text(), changed);
        for (auto it = held.cbegin(); it != held.cend(); ++it) {
            const bool stays = after.contains(it.key(), Qt::CaseInsensitive);
            QCOMPARE(it->isValid(), stays);
            if (stays)
                QCOMPARE(it->data(CardListModel::IdRole).toString(), it.key());
        }
        for (const ClipItem &item : script(after))
            QCOMPARE(list.rowOf(item.id), int(script(after).indexOf(item)));
    }

    void renamesAndKindsRedrawTheirCard()
    {
        StripModel model;
        QList<ClipItem> cards = script(u"ABC"_qs);
        model.setData(cards, {}, {});
        CardListModel list(model, presenter);
        Tester tester(&list, kReport);
        const QString plainHeader = list.index(1).data(CardListModel::HeaderTitleRole).toString();

        ChangeLog log(list, CardListModel::HeaderTitleRole);
        cards[1].customTitle = u"Receita"_qs;
        cards[2].kind = ClipKind::Link; // an edit made it a link: same text, another face
        cards[2].title = u"https://exemplo.com/c"_qs;
        model.setData(cards, {}, {});
        QCOMPARE(log.text(), u"1,2"_qs);
        QCOMPARE(list.index(1).data(CardListModel::HeaderTitleRole).toString(), u"Receita"_qs);
        QCOMPARE(list.index(2).data(CardListModel::LinkHostRole).toString(), u"exemplo.com"_qs);

        // The same snapshot again redraws nothing.
        log.rows.clear();
        model.setData(cards, {}, {});
        QCOMPARE(log.text(), QString());
        cards[1].customTitle.reset();
        model.setData(cards, {}, {});
        QCOMPARE(log.text(), u"1"_qs);
        QCOMPARE(list.index(1).data(CardListModel::HeaderTitleRole).toString(), plainHeader);
    }

    void aThoroughReshuffleResetsOnce()
    {
        QList<ClipItem> many;
        for (int i = 0; i < 200; ++i)
            many.append(card(QString::number(i), u"card %1"_qs.arg(i)));
        StripModel model;
        model.setData(many, {}, {});
        CardListModel list(model, presenter);
        Tester tester(&list, kReport);
        QSignalSpy resets(&list, &QAbstractItemModel::modelReset);

        std::reverse(many.begin(), many.end());
        many.removeAt(50);
        many[10].title = u"edited"_qs;
        many.insert(3, card(u"new"_qs, u"new card"_qs));
        model.setData(many, {}, {});
        QCOMPARE(resets.size(), 1);
        QCOMPARE(rows(list), expectedRows(many));
        QCOMPARE(list.rowOf(u"new"_qs), 3);

        // A small change after the reset is a plain row change again.
        std::swap(many[0], many[1]);
        model.setData(many, {}, {});
        QCOMPARE(resets.size(), 1);
        QCOMPARE(rows(list), expectedRows(many));
    }

    // A search keeping every third card of thousands: the view hears of a bounded number of
    // row changes, the cards near the start that stay keep their rows, and the focus that
    // follows the new result jumps rather than slides, for that turn of the event loop only.
    void aSearchAcrossALongListStaysCheap()
    {
        QList<ClipItem> many;
        for (int i = 0; i < 3000; ++i)
            many.append(card(QString::number(i), i % 3 == 1 ? u"alvo %1"_qs.arg(i)
                                                            : u"outro %1"_qs.arg(i)));
        StripModel model;
        model.setData(many, {}, {});
        CardListModel list(model, presenter);
        Tester tester(&list, kReport);
        const QPersistentModelIndex kept = list.index(4);
        int signals = 0;
        for (auto signal : {&QAbstractItemModel::rowsRemoved, &QAbstractItemModel::rowsInserted})
            connect(&list, signal, this, [&signals] { ++signals; });
        QSignalSpy resets(&list, &QAbstractItemModel::modelReset);
        QSignalSpy focusMoved(&list, &CardListModel::focusMoved);

        model.setQuery(u"alvo"_qs);
        QCOMPARE(rows(list), expectedRows(model.filtered()));
        QCOMPARE(list.rowCount(), 1000);
        QCOMPARE(resets.size(), 0);
        QVERIFY2(signals <= 60, qPrintable(QString::number(signals)));
        QCOMPARE(kept.row(), 1);
        QVERIFY(!list.animates());
        QVERIFY(!focusMoved.isEmpty());
        QCOMPARE(focusMoved.last().at(1).toBool(), false);
        QCoreApplication::processEvents();
        QVERIFY(list.animates());

        signals = 0;
        model.setQuery(QString());
        QCOMPARE(rows(list), expectedRows(many));
        QVERIFY2(signals <= 60, qPrintable(QString::number(signals)));
        QCOMPARE(kept.row(), 4);
    }

    void tabsSearchAndFiltersChangeTheRows()
    {
        StripModel model;
        QList<ClipItem> history = script(u"ABCDE"_qs);
        history[3].kind = ClipKind::Link;
        history[3].title = u"https://exemplo.com"_qs;
        const TabItems inTabs{{u"T1"_qs, {history[1], history[3]}}, {u"T2"_qs, {}}};
        history[1].tabIDs = {u"T1"_qs};
        history[3].tabIDs = {u"T1"_qs};
        model.setData(history, {userTab(u"T1"_qs), userTab(u"T2"_qs)}, inTabs);
        CardListModel list(model, presenter);
        Tester tester(&list, kReport);

        const auto check = [&] { return rows(list) == expectedRows(model.filtered()); };
        model.showTab(u"T1"_qs);
        QVERIFY(check());
        QCOMPARE(list.rowCount(), 2);
        model.showTab(u"T2"_qs);
        QVERIFY(check());
        QCOMPARE(list.rowCount(), 0);
        model.showHistory();
        QVERIFY(check());
        model.setQuery(u"exemplo"_qs);
        QVERIFY(check());
        QCOMPARE(list.rowCount(), 1);
        model.setQuery(QString());
        model.setKindFilter(KindFilter::Link);
        QVERIFY(check());
        QCOMPARE(list.rowCount(), 1);
        model.setKindFilter(std::nullopt);
        QVERIFY(check());

        // The open tab deleted elsewhere: back to the history, rows and all.
        model.showTab(u"T1"_qs);
        model.setData(history, {userTab(u"T2"_qs)}, {{u"T2"_qs, {}}});
        QVERIFY(model.tab().isHistory());
        QVERIFY(check());
    }

    void pinsFollowTheirTab()
    {
        StripModel model;
        QList<ClipItem> history = script(u"AB"_qs);
        history[1].tabIDs = {u"T1"_qs};
        UserTab tab = userTab(u"T1"_qs);
        model.setData(history, {tab}, {{u"T1"_qs, {history[1]}}});
        CardListModel list(model, presenter);
        Tester tester(&list, kReport);
        const auto pin = [&](int row) { return list.index(row).data(CardListModel::PinColorRole); };
        QVERIFY(!list.index(0).data(CardListModel::ShowsPinRole).toBool());
        QVERIFY(list.index(1).data(CardListModel::ShowsPinRole).toBool());
        QCOMPARE(pin(1).value<QColor>(), QColor(u"#5B8DEF"_qs));

        // A new colour for the tab redraws the pins; a reload with the same tabs does not.
        QSignalSpy changes(&list, &QAbstractItemModel::dataChanged);
        tab.color = u"#EB6F92"_qs;
        model.setData(history, {tab}, {{u"T1"_qs, {history[1]}}});
        QCOMPARE(changes.size(), 1);
        QCOMPARE(pin(1).value<QColor>(), QColor(u"#EB6F92"_qs));
        model.setData(history, {tab}, {{u"T1"_qs, {history[1]}}});
        QCOMPARE(changes.size(), 1);

        // Inside the tab itself a card shows no pin.
        model.showTab(u"T1"_qs);
        QVERIFY(!list.index(0).data(CardListModel::ShowsPinRole).toBool());
        QVERIFY(!pin(0).isValid());
    }

    void selectionRedrawsWhatItTouches()
    {
        StripModel model;
        model.setData(script(u"ABCD"_qs), {}, {});
        CardListModel list(model, presenter);
        Tester tester(&list, kReport);
        QSignalSpy focusMoved(&list, &CardListModel::focusMoved);
        const auto selected = [&] {
            QString out;
            for (int row = 0; row < list.rowCount(); ++row)
                out += list.index(row).data(CardListModel::SelectedRole).toBool() ? u'x' : u'.';
            return out;
        };

        model.selectOnly(u"B"_qs);
        QCOMPARE(selected(), u".x.."_qs);
        QCOMPARE(list.selectedRow(), 1);
        QCOMPARE(focusMoved.takeLast().at(0).toInt(), 1);

        ChangeLog log(list, CardListModel::SelectedRole);
        model.extendSelection(u"D"_qs);
        QCOMPARE(selected(), u".xxx"_qs);
        QCOMPARE(log.text(), u"2,3"_qs);
        QCOMPARE(list.selectedRow(), 3);

        // The focused card moves with a reload; the row number follows it.
        model.setData(script(u"XDCB"_qs), {}, {});
        QCOMPARE(list.selectedRow(), 1);
        QCOMPARE(selected(), u".xxx"_qs);
    }

    void tabChipsFollowTheTabs()
    {
        StripModel model;
        QList<ClipItem> history = script(u"ABC"_qs);
        model.setData(history, {userTab(u"T1"_qs, u"Um"_qs), userTab(u"T2"_qs, u"Dois"_qs)},
                      {{u"T1"_qs, {history[0]}}, {u"T2"_qs, {}}});
        TabListModel chips(model);
        Tester tester(&chips, kReport);
        const auto chip = [&](int row, int role) { return chips.index(row).data(role); };
        const auto column = [&](int role) {
            QStringList out;
            for (int row = 0; row < chips.rowCount(); ++row)
                out << chip(row, role).toString();
            return out.join(u',');
        };
        QCOMPARE(column(TabListModel::TitleRole), u"Histórico,Um,Dois"_qs);
        QCOMPARE(column(TabListModel::CountRole), u"3,1,0"_qs);
        QCOMPARE(column(TabListModel::SelectedRole), u"true,false,false"_qs);
        QCOMPARE(chip(2, TabListModel::TabIDRole).toString(), u"T2"_qs);

        // A rename and new counts keep the chips; their texts change.
        QSignalSpy resets(&chips, &QAbstractItemModel::modelReset);
        model.setData(history.mid(1), {userTab(u"T1"_qs, u"Uno"_qs), userTab(u"T2"_qs, u"Dois"_qs)},
                      {{u"T1"_qs, {history[0]}}, {u"T2"_qs, {history[1], history[2]}}});
        QCOMPARE(resets.size(), 0);
        QCOMPARE(column(TabListModel::TitleRole), u"Histórico,Uno,Dois"_qs);
        QCOMPARE(column(TabListModel::CountRole), u"2,1,2"_qs);

        // A new tab and a new order.
        model.setData(history,
                      {userTab(u"T2"_qs, u"Dois"_qs), userTab(u"T3"_qs, u"Três"_qs),
                       userTab(u"T1"_qs, u"Uno"_qs)},
                      {{u"T1"_qs, {}}, {u"T2"_qs, {}}, {u"T3"_qs, {history[2]}}});
        QCOMPARE(column(TabListModel::TitleRole), u"Histórico,Dois,Três,Uno"_qs);
        QCOMPARE(column(TabListModel::CountRole), u"3,0,1,0"_qs);

        model.showTab(u"T3"_qs);
        QCOMPARE(column(TabListModel::SelectedRole), u"false,false,true,false"_qs);
        model.setDropTarget(Tab::userTab(u"T1"_qs));
        QCOMPARE(column(TabListModel::DropTargetRole), u"false,false,false,true"_qs);
        model.clearDropTarget(Tab::userTab(u"T1"_qs));
        QCOMPARE(column(TabListModel::DropTargetRole), u"false,false,false,false"_qs);

        // The open tab deleted: the history chip is the open one.
        model.setData(history, {userTab(u"T1"_qs, u"Uno"_qs)}, {{u"T1"_qs, {}}});
        QCOMPARE(column(TabListModel::TitleRole), u"Histórico,Uno"_qs);
        QCOMPARE(column(TabListModel::SelectedRole), u"true,false"_qs);
    }
};

QTEST_MAIN(TestListModels)
#include "tst_listmodels.moc"
