// Backups from end to end: a populated database exported to a .varu file and imported into a
// fresh one arrives row for row, and the real application expires that imported history at
// launch by the retention period in its configuration.

#include "DbProbe.h"
#include "DesktopSession.h"

#include "store/Store.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr double kDay = 86400;

CapturedClip makeClip(ClipKind kind, const QString &title, QList<Representation> reps,
                      const std::optional<QString> &app = {})
{
    CapturedClip c;
    c.reps = std::move(reps);
    c.kind = kind;
    c.title = title;
    c.checksum = Representation::checksum(c.reps);
    c.sourceBundleID = app;
    c.sourceName = app ? std::optional<QString>(app->section(u'.', -1)) : std::nullopt;
    for (const Representation &r : c.reps)
        c.totalBytes += r.data.size();
    return c;
}

QByteArray noise(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

QString idOf(Store &store, const CapturedClip &clip)
{
    return store.db()
        .scalarText("SELECT id FROM items WHERE checksum = ?", {clip.checksum})
        .value_or(QString());
}

// A history of every kind, two tabs sharing a card, a card kept only in a tab, custom titles,
// an empty and a missing thumbnail, and a gap in the tab positions.
void populate(Store &store, double now)
{
    const QString text = QStringLiteral("public.utf8-plain-text");
    const QList<std::pair<CapturedClip, std::optional<QByteArray>>> clips{
        {makeClip(ClipKind::Text, u"Olá, mundo ✓"_qs,
                  {{0, text, "Olá, mundo ✓"}, {0, u"public.html"_qs, "<p>Olá</p>"}},
                  u"org.kde.kate"_qs),
         std::nullopt},
        {makeClip(ClipKind::Link, u"https://example.org"_qs, {{0, text, "https://example.org"}}),
         std::nullopt},
        {makeClip(ClipKind::Image, u"Imagem 640 × 480"_qs, {{0, u"public.png"_qs, noise(200000)}},
                  u"org.gimp.GIMP"_qs),
         noise(4000)},
        {makeClip(ClipKind::Pdf, u"PDF · 2 páginas"_qs, {{0, u"com.adobe.pdf"_qs, noise(30000)}}),
         QByteArray()},
        {makeClip(ClipKind::File, u"/home/u/a.txt\n/home/u/b c.pdf"_qs,
                  {{0, u"public.file-url"_qs, "file:///home/u/a.txt"},
                   {1, u"public.file-url"_qs, "file:///home/u/b%20c.pdf"}}),
         std::nullopt},
        {makeClip(ClipKind::Color, u"#FF8800"_qs,
                  {{0, u"com.apple.cocoa.pasteboard.color"_qs, QByteArray("\x01\x02\x00", 3)}}),
         std::nullopt},
        {makeClip(ClipKind::RichText, u"receita"_qs,
                  {{0, u"public.rtf"_qs, "{\\rtf1 receita}"}, {0, text, "receita"}}),
         std::nullopt},
    };
    double t = now - 3 * kDay;
    QStringList ids;
    for (const auto &[clip, thumbnail] : clips) {
        store.upsert(clip, thumbnail, t += 60);
        ids << idOf(store, clip);
    }
    const QString gone = store.createBoard(u"Apagada"_qs, u"#000000"_qs, now);
    const QString work = store.createBoard(u"Trabalho"_qs, u"#FF3B30"_qs, now + 1);
    const QString food = store.createBoard(u"Receitas 🍲"_qs, u"#34C759"_qs, now + 2);
    store.deleteBoard(gone);
    store.add(ids[0], work, now + 10);
    store.add(ids[2], work, now + 11);
    store.add(ids[2], food, now + 12);
    store.add(ids[6], food, now + 13);
    store.removeFromHistory({ids[6]});
    store.rename(ids[1], u"  Meu link  "_qs);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class E2eBackup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void exportedDatabaseArrivesRowForRow()
    {
        const QString sourcePath = m_dir.filePath(u"source.sqlite"_qs);
        const QString freshPath = m_dir.filePath(u"fresh.sqlite"_qs);
        const QString backup = m_dir.filePath(u"Varu 2024-05-01 às 10.00.00.varu"_qs);
        {
            auto source = Store::open(sourcePath);
            populate(*source, Store::currentTime());
            source->exportTo(backup, Store::ExportScope::everything());
            auto fresh = Store::open(freshPath);
            const Store::ImportResult r = fresh->importData(backup);
            QCOMPARE(r.items, 7);
            QCOMPARE(r.boards, 2);
        }

        DbProbe source(sourcePath);
        DbProbe fresh(freshPath);
        QVERIFY(source.isOpen() && fresh.isOpen());
        for (const char *sql : {
                 "SELECT id, created_at, kind, title, checksum, source_bundle, source_name, "
                 "total_bytes, thumbnail, typeof(thumbnail), in_history, custom_title "
                 "FROM items ORDER BY id",
                 "SELECT item_id, idx, uti, data FROM representations ORDER BY item_id, rowid",
                 // Tabs are recreated with ids of their own, in the same order.
                 "SELECT name, color FROM boards ORDER BY position, created_at",
                 "SELECT b.name, bi.item_id, bi.added_at FROM board_items bi "
                 "JOIN boards b ON b.id = bi.board_id ORDER BY 1, 2",
             }) {
            const QList<QVariantList> expected = source.query(QString::fromLatin1(sql));
            QVERIFY2(!expected.isEmpty(), sql);
            QCOMPARE(fresh.query(QString::fromLatin1(sql)), expected);
        }
        QCOMPARE(fresh.query(u"SELECT position FROM boards ORDER BY position"_qs),
                 QList<QVariantList>({{qint64(0)}, {qint64(1)}}));
    }

    void launchExpiresTheImportedHistoryByTheConfiguredAge()
    {
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QVERIFY(QDir().mkpath(s.dataDir()));
        const QString dbPath = s.dataDir() + u"/varu.sqlite"_qs;
        const double now = Store::currentTime();
        const QString text = QStringLiteral("public.utf8-plain-text");
        const CapturedClip recent = makeClip(ClipKind::Text, u"recent"_qs, {{0, text, "recent"}});
        const CapturedClip old = makeClip(ClipKind::Text, u"old"_qs, {{0, text, "old"}});
        const CapturedClip pinned = makeClip(ClipKind::Text, u"pinned"_qs, {{0, text, "pinned"}});
        {
            const QString backup = m_dir.filePath(u"aged.varu"_qs);
            auto source = Store::open(m_dir.filePath(u"aged.sqlite"_qs));
            source->upsert(recent, std::nullopt, now - kDay);
            source->upsert(old, std::nullopt, now - 30 * kDay);
            source->upsert(pinned, std::nullopt, now - 30 * kDay);
            source->add(idOf(*source, pinned), source->createBoard(u"Guardados"_qs, u"#5B8DEF"_qs));
            source->exportTo(backup, Store::ExportScope::everything());
            auto live = Store::open(dbPath);
            QCOMPARE(live->importData(backup).items, 3);
        }
        writeFile(s.dataDir() + u"/config.json"_qs, R"({"historyRetentionDays": 7})");

        QProcess *varu = s.startVaru();
        DbProbe db(dbPath);
        const auto inHistory = [&] {
            return db.query(u"SELECT title FROM items WHERE in_history = 1"_qs);
        };
        QVERIFY2(DesktopSession::waitFor([&] { return inHistory().size() == 1; }),
                 qPrintable(QString::fromUtf8(varu->readAllStandardError())));
        QCOMPARE(inHistory(), QList<QVariantList>({{u"recent"_qs}}));
        QCOMPARE(db.query(u"SELECT title, in_history FROM items WHERE title <> 'recent'"_qs),
                 QList<QVariantList>({{u"pinned"_qs, qint64(0)}}));
        QCOMPARE(db.scalar(u"SELECT COUNT(*) FROM representations"_qs).toInt(), 2);
        QCOMPARE(varu->state(), QProcess::Running);
        varu->terminate();
        QVERIFY(varu->waitForFinished(5000));
    }
};

QTEST_GUILESS_MAIN(E2eBackup)
#include "tst_e2e_backup.moc"
