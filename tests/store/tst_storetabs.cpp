// Card edits: custom titles, replacing a card's text, and the merge with a card that already
// holds that text.

#include "StoreFixtures.h"

class TestStoreTabs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void customTitlesAreTrimmedAndBlankClearsThem()
    {
        TestStore db;
        const QString card = db.capture(u"derived"_qs, 1);
        db->rename(card, u"  Minha senha \n"_qs);
        QCOMPARE(db.value("SELECT custom_title FROM items"), u"Minha senha"_qs);
        db->rename(card, u" \u00A0\t\n "_qs);
        QCOMPARE(db.value("SELECT custom_title FROM items"), u"<null>"_qs);
        QCOMPARE(db.value("SELECT title FROM items"), u"derived"_qs);
    }

    void editingToAnotherCardsTextMergesIntoTheEditedCard()
    {
        TestStore db;
        const QString a = db.capture(u"draft"_qs, 10);
        const QString b = db.record(plainClip(u"final text"_qs), 20);
        const QString mine = db->createTab(u"Mine"_qs, u"#000000"_qs);
        const QString shared = db->createTab(u"Shared"_qs, u"#000000"_qs);
        db->add(a, mine, 30);
        db->removeFromHistory({a});
        db->add(b, shared, 40);
        db->rename(a, u"Kept"_qs);
        db->rename(b, u"Lost"_qs);

        db->updateText(a, u"final text"_qs, ClipKind::Text);
        QCOMPARE(db.count("items"), 1);
        const QList<ClipItem> history = db->history(10);
        QCOMPARE(idsOf(history), QStringList({a}));
        QCOMPARE(history[0].createdAt, 10.0);
        QCOMPARE(history[0].customTitle, u"Kept"_qs);
        QCOMPARE(history[0].tabIDs, QSet<QString>({mine, shared}));
        QCOMPARE(db.value("SELECT added_at FROM board_items WHERE board_id = ?", {shared}),
                 u"40.0"_qs);
        QCOMPARE(db->representations(a),
                 QList<Representation>({{0, u"public.utf8-plain-text"_qs, "final text"}}));
        // A later capture of the same text finds the edited card.
        QCOMPARE(db.record(plainClip(u"final text"_qs), 50), a);
    }

    void editReplacesContentTitleKindAndThumbnail()
    {
        TestStore db;
        CapturedClip image = textClip(u"Imagem 10 × 10"_qs);
        image.kind = ClipKind::Image;
        db->upsert(image, QByteArray("PNG"), 1);
        const QString id = db.value("SELECT id FROM items");
        const QString text = u"https://example.org/ação"_qs;
        db->updateText(id, text, ClipKind::Link);
        const ClipItem item = db->history(1).first();
        QCOMPARE(item.kind, ClipKind::Link);
        QCOMPARE(item.title, text);
        QVERIFY(!item.thumbnailSize());
        QVERIFY(!db->committedThumbnail(id));
        QCOMPARE(item.totalBytes, text.toUtf8().size());
        QCOMPARE(db->representations(id).first().data, text.toUtf8());
    }

    void failedEditLeavesBothCardsAsTheyWere()
    {
        TestStore db;
        const QString a = db.capture(u"a"_qs, 1);
        const QString b = db.record(plainClip(u"b"_qs), 2);
        const QString tab = db->createTab(u"T"_qs, u"#000000"_qs);
        db->add(b, tab);
        db->db().exec("CREATE TEMP TRIGGER no_title BEFORE UPDATE OF title ON items "
                      "BEGIN SELECT RAISE(ABORT, 'read-only'); END");
        QVERIFY_THROWS_EXCEPTION(StoreError, db->updateText(a, u"b"_qs, ClipKind::Text));
        QCOMPARE(db.count("items"), 2);
        QCOMPARE(db.count("representations"), 3);
        QCOMPARE(idsOf(db->tabItems(tab)), QStringList({b}));
        QCOMPARE(db->representations(a).first().data, QByteArray("a"));
    }
};

QTEST_GUILESS_MAIN(TestStoreTabs)
#include "tst_storetabs.moc"
