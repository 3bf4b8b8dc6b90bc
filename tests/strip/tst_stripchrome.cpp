// What the strip says around the cards: the search placeholder and the empty states.

#include "StripFixtures.h"
#include "strip/ui/StripChrome.h"

#include <QSignalSpy>
#include <QTest>

class TestStripChrome : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchPlaceholder()
    {
        StripModel model;
        StripChrome chrome(model);
        QCOMPARE(chrome.searchPlaceholder(), u"Buscar no histórico"_qs);
        model.setData(cards(u"A"_qs), {userTab(u"T1"_qs, u"Receitas"_qs)}, {});
        QSignalSpy texts(&chrome, &StripChrome::textsChanged);
        model.showTab(u"T1"_qs);
        QVERIFY(!texts.isEmpty());
        QCOMPARE(chrome.searchPlaceholder(), u"Buscar em Receitas"_qs);
    }

    void emptyStates_data()
    {
        QTest::addColumn<bool>("onTab");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("subtitle");
        const QString history = u"Copie algo em qualquer app e volte aqui com Super+Shift+V."_qs;
        const QString tab = u"Arraste cards até a tab ou use “Fixar em” no menu do card."_qs;
        const QString searching = u"Tente outra busca ou tire o filtro."_qs;
        QTest::newRow("empty history")
            << false << u""_qs << u"doc.on.clipboard"_qs << u"Nada copiado ainda"_qs << history;
        QTest::newRow("empty tab")
            << true << u""_qs << u"pin"_qs << u"Esta tab está vazia"_qs << tab;
        // Spaces alone still count as a search for what the view says.
        QTest::newRow("search on a tab")
            << true << u"   "_qs << u"magnifyingglass"_qs << u"Nada encontrado"_qs << searching;
    }
    void emptyStates()
    {
        QFETCH(bool, onTab);
        QFETCH(QString, query);
        StripModel model;
        StripChrome chrome(model);
        model.setData({}, {userTab(u"T1"_qs)}, {});
        if (onTab)
            model.showTab(u"T1"_qs);
        model.setQuery(query);
        QTEST(chrome.emptySymbol(), "symbol");
        QTEST(chrome.emptyTitle(), "title");
        QTEST(chrome.emptySubtitle(), "subtitle");
    }
};

QTEST_MAIN(TestStripChrome)
#include "tst_stripchrome.moc"
