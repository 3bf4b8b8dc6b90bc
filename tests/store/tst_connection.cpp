// The statement operations every store query is built from: binding, NULL against empty
// values, and the failures that are errors and those that are not.

#include "store/Connection.h"

#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

class TestConnection : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Connection> m_db;

private Q_SLOTS:
    void init()
    {
        m_db = Connection::open(m_dir.filePath(QString::number(qrand64()) + u".sqlite"_qs));
        m_db->exec("CREATE TABLE t (k TEXT, v BLOB, n INTEGER)");
    }

    void blobsKeepNullAndEmptyApart()
    {
        Statement insert = m_db->prepare("INSERT INTO t (k, v) VALUES (?, ?)");
        const std::pair<const char *, std::optional<QByteArray>> rows[] = {
            {"null", std::nullopt}, {"empty", QByteArray()}, {"bytes", QByteArray("\x00z", 2)}};
        for (const auto &[key, value] : rows) {
            insert.reset();
            insert.bindText(1, QString::fromLatin1(key));
            insert.bindBlob(2, value);
            insert.stepOrThrow();
        }
        QCOMPARE(m_db->scalarText("SELECT typeof(v) FROM t WHERE k = 'empty'"), u"blob"_qs);
        QCOMPARE(m_db->scalarText("SELECT typeof(v) FROM t WHERE k = 'null'"), u"null"_qs);

        Statement read = m_db->prepare("SELECT v FROM t WHERE k = ?");
        auto blobOf = [&](const char *key) {
            read.reset();
            read.bindText(1, QString::fromLatin1(key));
            read.step();
            return read.blob(0);
        };
        QCOMPARE(blobOf("null"), std::nullopt);
        QCOMPARE(blobOf("empty"), std::optional<QByteArray>(QByteArray()));
        QVERIFY(blobOf("empty").has_value());
        QCOMPARE(blobOf("bytes"), std::optional<QByteArray>(QByteArray("\x00z", 2)));
    }

    void runBindsTextsAndNulls()
    {
        m_db->run("INSERT INTO t (k, v, n) VALUES (?, NULL, ?)", {u"ação 'x'"_qs, std::nullopt});
        QCOMPARE(m_db->scalarText("SELECT k FROM t WHERE n IS NULL"), u"ação 'x'"_qs);
        m_db->run("UPDATE t SET n = 1 WHERE k = ?", {u"ação 'x'"_qs});
        QCOMPARE(m_db->changes(), 1);
    }

    void scalarTextGivesNoneWithoutRowOrValue()
    {
        QCOMPARE(m_db->scalarText("SELECT k FROM t WHERE 0"), std::nullopt);
        m_db->run("INSERT INTO t (k) VALUES (NULL)");
        QCOMPARE(m_db->scalarText("SELECT k FROM t"), std::nullopt);
        QCOMPARE(m_db->scalarText("SELECT COUNT(*) FROM t"), u"1"_qs);
    }

    void rowsTurnNullIntoEmptyText()
    {
        m_db->run("INSERT INTO t (k, n) VALUES ('a', 1)");
        m_db->run("INSERT INTO t (k, n) VALUES (NULL, 2)");
        QCOMPARE(m_db->rows("SELECT k, n FROM t ORDER BY n"),
                 QList<QStringList>({{u"a"_qs, u"1"_qs}, {QString(), u"2"_qs}}));
        QCOMPARE(m_db->column("SELECT n FROM t ORDER BY n"), QStringList({u"1"_qs, u"2"_qs}));
    }

    void failingStepEndsTheListQuietly()
    {
        // abs() of the smallest integer overflows at step time, after preparing succeeded.
        m_db->run("INSERT INTO t (n) VALUES (-9223372036854775807 - 1)");
        QCOMPARE(m_db->rows("SELECT abs(n) FROM t"), QList<QStringList>());
        QCOMPARE(m_db->scalarText("SELECT abs(n) FROM t"), std::nullopt);
        QVERIFY_THROWS_EXCEPTION(StoreError, m_db->run("SELECT abs(n) FROM t"));
    }

    void errorsCarryTheLibraryMessage()
    {
        try {
            m_db->prepare("SELECT * FROM missing");
            QFAIL("prepare should fail");
        } catch (const StoreError &e) {
            QCOMPARE(e.kind(), StoreError::Case::Sql);
            QCOMPARE(e.message(), u"no such table: missing"_qs);
            QCOMPARE(e.describe(), u"sql(\"no such table: missing\")"_qs);
        }
        try {
            m_db->exec("CREATE TABLE t (x)");
            QFAIL("exec should fail");
        } catch (const StoreError &e) {
            QCOMPARE(e.message(), u"table t already exists"_qs);
        }
        QCOMPARE(StoreError::open(u"say \"hi\"\\"_qs).describe(), u"open(\"say \\\"hi\\\"\\\\\")"_qs);
    }

    void columnExistsReadsTheTableInfo()
    {
        QVERIFY(m_db->columnExists(u"t"_qs, u"v"_qs));
        QVERIFY(!m_db->columnExists(u"t"_qs, u"V"_qs));
        QVERIFY(!m_db->columnExists(u"missing"_qs, u"v"_qs));
    }

    void openingADirectoryFails()
    {
        QVERIFY_THROWS_EXCEPTION(StoreError, Connection::open(m_dir.path()));
        try {
            Connection::open(m_dir.path());
        } catch (const StoreError &e) {
            QCOMPARE(e.kind(), StoreError::Case::Open);
            QCOMPARE(e.describe(), u"open(\"unable to open database file\")"_qs);
        }
    }

private:
    static quint64 qrand64()
    {
        static quint64 n = 0;
        return ++n;
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
