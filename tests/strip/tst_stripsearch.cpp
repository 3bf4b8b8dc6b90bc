// Searching and filtering the strip: folding, kind filters, and the visible list the model
// derives from each snapshot.

#include "StripFixtures.h"
#include "core/TextCut.h"
#include "strip/model/CardSearchIndex.h"
#include "strip/model/SearchFolding.h"

#include <QTest>

class TestStripSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void foldingIsCaseAndAccentBlind_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("accents") << u"São Paulo, AÇÃO"_qs << u"sao paulo, acao"_qs;
        QTest::newRow("sharp s, ligatures")
            << u"Straße STRAẞE Æsir Œuvre ﬁle"_qs << u"strasse strasse aesir oeuvre file"_qs;
        QTest::newRow("combining") << u"cafe\u0301 x\u0301\u0316"_qs << u"cafe x"_qs;
        QTest::newRow("emoji and CJK") << u"😀 日本Ünï"_qs << u"😀 日本uni"_qs;
    }
    void foldingIsCaseAndAccentBlind()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(SearchFolding::fold(text), folded);
    }

    void visibleListByFieldsAndKinds()
    {
        ClipItem named = card(u"B"_qs, u"x"_qs);
        named.customTitle = u"Receita de CAFÉ"_qs;
        ClipItem sourced = card(u"C"_qs, u"y"_qs, ClipKind::RichText);
        sourced.sourceName = u"Firefox"_qs;
        StripModel model;
        model.setData({card(u"A"_qs, u"São Paulo fica no Brasil"_qs), named, sourced,
                       card(u"D"_qs, u"Imagem 40 × 30"_qs, ClipKind::Image),
                       card(u"E"_qs, u"/nowhere/cat.JPG"_qs, ClipKind::File),
                       card(u"F"_qs, u"PDF · 2 páginas"_qs, ClipKind::Pdf),
                       card(u"G"_qs, u"/nowhere/a.png\n/nowhere/b.pdf"_qs, ClipKind::File),
                       card(u"H"_qs, u"https://exemplo.com"_qs, ClipKind::Link)},
                      {}, {});
        const auto visible = [&](const QString &query) {
            model.setQuery(query);
            return ids(model.filtered());
        };
        QCOMPARE(visible(u"   "_qs), u"A,B,C,D,E,F,G,H"_qs);
        QCOMPARE(visible(u"  BRASIL    paulo "_qs), u"A"_qs);
        QCOMPARE(visible(u"brasil lisboa"_qs), QString());
        QCOMPARE(visible(u"cafe"_qs), u"B"_qs);
        QCOMPARE(visible(u"firefox"_qs), u"C"_qs);
        // The type label is searched too: "imagem" finds image cards by kind.
        QCOMPARE(visible(u"imagem"_qs), u"D,E"_qs);

        const QList<std::pair<KindFilter, QString>> byKind{{KindFilter::Text, u"A,B,C"_qs},
                                                           {KindFilter::Link, u"H"_qs},
                                                           {KindFilter::Image, u"D,E"_qs},
                                                           {KindFilter::File, u"F,G"_qs}};
        for (const auto &[filter, expected] : byKind) {
            model.setKindFilter(filter);
            QCOMPARE(visible(QString()), expected);
        }
        QCOMPARE(visible(u"pagina"_qs), u"F"_qs);
    }

    void reloadsAreSearchedByWhatCardsSayNow()
    {
        StripModel model;
        ClipItem item = card(u"A"_qs, u"alpha"_qs);
        const UserTab tab = userTab(u"T"_qs);
        model.setData({item}, {tab}, {{u"T"_qs, {item}}});
        model.setQuery(u"alpha"_qs);
        QCOMPARE(ids(model.filtered()), u"A"_qs);

        // Renamed elsewhere: found by the new name, in the history and in its tab.
        item.customTitle = u"Ômega"_qs;
        model.setData({item, card(u"B"_qs, u"omega"_qs)}, {tab}, {{u"T"_qs, {item}}});
        model.setQuery(u"omega"_qs);
        QCOMPARE(ids(model.filtered()), u"A,B"_qs);
        model.setTab(Tab::userTab(u"T"_qs));
        QCOMPARE(ids(model.filtered()), u"A"_qs);

        // A long history reordered: a card far down renamed and moved to the top, others
        // gone or new.
        QList<ClipItem> many;
        for (int i = 0; i < 100; ++i)
            many.append(card(QString::number(i), QStringLiteral("n%1x").arg(i)));
        model.setTab(Tab::history());
        model.setData(many, {}, {});
        many.move(70, 0);
        many[0].title = u"zebra"_qs;
        many[1].title = u"n70x"_qs;
        many.remove(40, 20);
        many.insert(30, card(u"new"_qs, u"n45x"_qs));
        model.setData(many, {}, {});
        for (const auto &[query, found] : {std::pair{u"zebra"_qs, u"70"_qs},
                                           {u"n70x"_qs, u"0"_qs},
                                           {u"n45x"_qs, u"new"_qs},
                                           {u"n99x"_qs, u"99"_qs}}) {
            model.setQuery(query);
            QCOMPARE(ids(model.filtered()), found);
        }
    }

    void compactedCardsAreFoundAsWholeOnes()
    {
        // Long texts whose words straddle the point where the shown title ends, with accents,
        // emoji and combining marks about it; short cards and other kinds stay as they are.
        const QString head = u"início "_qs.repeated(140); // 980 characters
        const QList<ClipItem> whole{
            card(u"A"_qs, head + u"Coração😀 de São João é fim do texto ALPHA"_qs),
            card(u"B"_qs, head + u"x"_qs.repeated(30) + u" Ação bravo"_qs, ClipKind::RichText),
            card(u"C"_qs, u"curto: coração"_qs),
            card(u"D"_qs, u"https://exemplo.com/"_qs + u"a"_qs.repeated(1200) + u"/ALPHA"_qs,
                 ClipKind::Link),
            card(u"E"_qs, head + u"😀"_qs.repeated(50) + u" bravo"_qs)};
        QList<ClipItem> compacted = whole;
        for (ClipItem &item : compacted)
            CardSearchIndex::compact(item);
        QCOMPARE(TextCut::characterCount(compacted[0].title), CardSearchIndex::kShownTitleCharacters);
        QCOMPARE(compacted[0].titleCharacters, TextCut::characterCount(whole[0].title));
        QCOMPARE(compacted[2].title, whole[2].title);
        QCOMPARE(compacted[3].title, whole[3].title); // links are opened from their title
        QVERIFY(whole[4].title.startsWith(compacted[4].title)); // no emoji cut in two

        StripModel full;
        StripModel compact;
        full.setData(whole, {}, {});
        compact.setData(compacted, {}, {});
        for (const QString &query :
             {u"coracao"_qs, u"sao joao"_qs, u"JOÃO E fim"_qs, u"e fim"_qs, u"alpha"_qs,
              u"inicio coracao😀"_qs, u"xx acao"_qs, u"bravo"_qs, u"😀😀 bravo"_qs,
              u"texto"_qs, u"curto"_qs, u"nada disso"_qs}) {
            full.setQuery(query);
            compact.setQuery(query);
            QCOMPARE(ids(compact.filtered()), ids(full.filtered()));
        }
        full.setQuery(u"bravo"_qs);
        QCOMPARE(ids(full.filtered()), u"B,E"_qs);

        // An edit that changes only the end of a long text is found by its new end.
        ClipItem edited = whole[0];
        edited.title.replace(u"ALPHA"_qs, u"OMEGA"_qs);
        CardSearchIndex::compact(edited);
        QCOMPARE(edited.title, compacted[0].title);
        compacted[0] = edited;
        compact.setData(compacted, {}, {});
        compact.setQuery(u"omega"_qs);
        QCOMPARE(ids(compact.filtered()), u"A"_qs);
    }
};

QTEST_GUILESS_MAIN(TestStripSearch)
#include "tst_stripsearch.moc"
