// The statement operations every store query is built from: binding, NULL against empty
// values, and which failures are errors.

#include "store/Connection.h"

#include <QTemporaryDir>
#include <QTest>

class TestConnection : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Connection> m_db;
    int m_n = 0;

private Q_SLOTS:
    void init()
    {
        m_db = Connection::open(m_dir.filePath(QString::number(++m_n) + u".sqlite"_qs));
        m_db->exec("CREATE TABLE t (k TEXT, v BLOB, n INTEGER)");
    }

    void blobsKeepNullAndEmptyApart()
    {
        Statement insert = m_db->prepare("INSERT INTO t (k, v) VALUES (?, ?)");
        const std::pair<const char *, std::optional<QByteArray>> rows[] = {
            {"null", std::nullopt}, {"empty", QByteArray()}, {"bytes", QByteArray("\x00z", 2)}};
        Statement read = m_db->prepare("SELECT v, typeof(v) FROM t WHERE k = ?");
        for (const auto &[key, value] : rows) {
            insert.reset();
            insert.bindText(1, QString::fromLatin1(key));
            insert.bindBlob(2, value);
            insert.stepOrThrow();
            read.reset();
            read.bindText(1, QString::fromLatin1(key));
            QCOMPARE(read.step(), 100); // a row
            QCOMPARE(read.blob(0), value);
            QCOMPARE(read.text(1), value ? u"blob"_qs : u"null"_qs);
        }
    }

    void textsNullsAndMissingRows()
    {
        m_db->run("INSERT INTO t (k, n) VALUES (?, ?)", {u"ação 'x'"_qs, std::nullopt});
        m_db->run("INSERT INTO t (k, n) VALUES (NULL, 2)");
        QCOMPARE(m_db->scalarText("SELECT k FROM t WHERE n IS NULL"), u"ação 'x'"_qs);
        QCOMPARE(m_db->scalarText("SELECT k FROM t WHERE n = 2"), std::nullopt); // NULL value
        QCOMPARE(m_db->scalarText("SELECT k FROM t WHERE 0"), std::nullopt);     // no row
        QCOMPARE(m_db->rows("SELECT k, n FROM t ORDER BY n"),
                 QList<QStringList>({{u"ação 'x'"_qs, QString()}, {QString(), u"2"_qs}}));
        QVERIFY(m_db->columnExists(u"t"_qs, u"v"_qs));
        QVERIFY(!m_db->columnExists(u"missing"_qs, u"v"_qs));
    }

    void failuresAreErrorsWithTheLibraryMessage()
    {
        // abs() of the smallest integer overflows at step time, after preparing succeeded.
        m_db->run("INSERT INTO t (n) VALUES (-9223372036854775807 - 1)");
        QCOMPARE(m_db->scalarText("SELECT abs(n) FROM t"), std::nullopt);
        QVERIFY_THROWS_EXCEPTION(StoreError, m_db->run("SELECT abs(n) FROM t"));
        try {
            m_db->prepare("SELECT * FROM missing");
            QFAIL("prepare should fail");
        } catch (const StoreError &e) {
            QCOMPARE(e.describe(), u"sql(\"no such table: missing\")"_qs);
        }
        QVERIFY_THROWS_EXCEPTION(StoreError, Connection::open(m_dir.path()));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
