// What the strip says around the cards: the tab chips (names, colours, counts that ignore
// the search, the open tab, drag targets), the search placeholder and the empty states.

#include "StripFixtures.h"
#include "strip/HexColor.h"
#include "strip/StripChrome.h"
#include "strip/TabListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

class TestStripChrome : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabChips()
    {
        StripModel model;
        TabListModel tabs(model);
        QAbstractItemModelTester tester(&tabs,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto chip = [&](int row, int role) { return tabs.data(tabs.index(row), role); };
        QCOMPARE(tabs.rowCount(), 1);
        QCOMPARE(chip(0, TabListModel::TitleRole).toString(), u"Histórico"_qs);
        QCOMPARE(chip(0, TabListModel::ChipColorRole).value<QColor>(), TabListModel::accent());

        Board work = board(u"T1"_qs, u"Trabalho"_qs);
        work.color = u"#A57BEB"_qs;
        Board odd = board(u"T2"_qs, u"Sem cor"_qs);
        odd.color = u"roxo"_qs;
        model.setData(cards(u"ABCD"_qs), {work, odd}, {{u"T1"_qs, cards(u"AB"_qs)}});
        QCOMPARE(tabs.rowCount(), 3);
        QCOMPARE(chip(1, TabListModel::TitleRole).toString(), u"Trabalho"_qs);
        QCOMPARE(chip(1, TabListModel::ChipColorRole).value<QColor>(), QColor(0xA5, 0x7B, 0xEB));
        QCOMPARE(chip(2, TabListModel::ChipColorRole).value<QColor>(), HexColor::gray());
        QCOMPARE(chip(2, TabListModel::CountRole).toInt(), 0); // a tab nobody filled

        // Counts are of the whole tab, whatever the search hides.
        model.setQuery(u"a"_qs);
        QCOMPARE(chip(0, TabListModel::CountRole).toInt(), 4);
        QCOMPARE(chip(1, TabListModel::CountRole).toInt(), 2);

        QSignalSpy changed(&tabs, &QAbstractItemModel::dataChanged);
        model.showBoard(u"T1"_qs);
        QVERIFY(!changed.isEmpty());
        QVERIFY(!chip(0, TabListModel::SelectedRole).toBool());
        QVERIFY(chip(1, TabListModel::SelectedRole).toBool());
        model.setDropTarget(Tab::board(u"T2"_qs));
        QVERIFY(chip(2, TabListModel::DropTargetRole).toBool());
        QVERIFY(!chip(1, TabListModel::DropTargetRole).toBool());

        // A renamed tab keeps its chip; a new order rebuilds the chips.
        work.name = u"Trabalho 2"_qs;
        QSignalSpy reset(&tabs, &QAbstractItemModel::modelReset);
        model.setData(cards(u"ABCD"_qs), {work, odd}, {});
        QCOMPARE(reset.count(), 0);
        QCOMPARE(chip(1, TabListModel::TitleRole).toString(), u"Trabalho 2"_qs);
        QCOMPARE(chip(1, TabListModel::CountRole).toInt(), 0);
        model.setData(cards(u"ABCD"_qs), {odd, work}, {});
        QCOMPARE(reset.count(), 1);
        QCOMPARE(chip(1, TabListModel::TabIDRole).toString(), u"T2"_qs);
    }

    void searchPlaceholder()
    {
        StripModel model;
        StripChrome chrome(model);
        QCOMPARE(chrome.searchPlaceholder(), u"Buscar no histórico"_qs);
        model.setData(cards(u"A"_qs), {board(u"T1"_qs, u"Receitas"_qs)}, {});
        QSignalSpy texts(&chrome, &StripChrome::textsChanged);
        model.showBoard(u"T1"_qs);
        QVERIFY(!texts.isEmpty());
        QCOMPARE(chrome.searchPlaceholder(), u"Buscar em Receitas"_qs);
    }

    void filterButtonsPickTheirKind()
    {
        // The view sets the model's filter to the index of the button clicked, -1 for none.
        StripModel model;
        StripChrome chrome(model);
        QStringList labels;
        for (int i = 0; i < chrome.filters().size(); ++i) {
            labels << chrome.filters().at(i).toMap().value(u"label"_qs).toString();
            QVERIFY(model.setProperty("kindFilter", i));
            QCOMPARE(KindFilters::label(*model.kindFilter()), labels.last());
        }
        QCOMPARE(labels, (QStringList{u"Texto"_qs, u"Links"_qs, u"Imagens"_qs,
                                      u"Arquivos e PDFs"_qs, u"Cores"_qs}));
        QVERIFY(model.setProperty("kindFilter", -1));
        QVERIFY(!model.kindFilter());
    }

    void emptyStates_data()
    {
        QTest::addColumn<bool>("onTab");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("filtered");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("subtitle");
        const QString history = u"Copie algo em qualquer app e volte aqui com ⇧⌘V."_qs;
        const QString tab = u"Arraste cards até a tab ou use “Fixar em” no menu do card."_qs;
        const QString searching = u"Tente outra busca ou tire o filtro."_qs;
        QTest::newRow("empty history") << false << u""_qs << false << u"doc.on.clipboard"_qs
                                       << u"Nada copiado ainda"_qs << history;
        QTest::newRow("empty tab")
            << true << u""_qs << false << u"pin"_qs << u"Esta tab está vazia"_qs << tab;
        // Spaces alone still count as a search for what the view says.
        QTest::newRow("search on a tab") << true << u"   "_qs << false << u"magnifyingglass"_qs
                                         << u"Nada encontrado"_qs << searching;
        QTest::newRow("filter") << false << u""_qs << true << u"magnifyingglass"_qs
                                << u"Nada encontrado"_qs << searching;
    }
    void emptyStates()
    {
        QFETCH(bool, onTab);
        QFETCH(QString, query);
        QFETCH(bool, filtered);
        StripModel model;
        StripChrome chrome(model);
        model.setData({}, {board(u"T1"_qs)}, {});
        if (onTab)
            model.showBoard(u"T1"_qs);
        model.setQuery(query);
        if (filtered)
            model.setKindFilter(KindFilter::Color);
        QTEST(chrome.emptySymbol(), "symbol");
        QTEST(chrome.emptyTitle(), "title");
        QTEST(chrome.emptySubtitle(), "subtitle");
    }
};

QTEST_MAIN(TestStripChrome)
#include "tst_stripchrome.moc"
