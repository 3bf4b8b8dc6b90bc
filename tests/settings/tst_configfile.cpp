// config.json: defaults, tolerant keys, strict types, sorted atomic private writes.

#include "settings/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestConfigFile : public QObject
{
    Q_OBJECT

    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private Q_SLOTS:
    void missingFileGivesDefaultsAndCreatesIt()
    {
        QTemporaryDir dir;
        const VaruConfig c = ConfigFile::load(dir.path());
        QCOMPARE(c, VaruConfig());
        QCOMPARE(c.hotKey, (HotKeyConfig{u"v"_qs, {u"cmd"_qs, u"shift"_qs}}));
        QCOMPARE(c.ignoredApps.size(), 10);
        QCOMPARE(c.ignoredApps.last(), u"kwalletmanager"_qs);
        QCOMPARE(c.ignoredTypes.size(), 8);
        QCOMPARE(c.ignoredTypes.last(), u"x-kde-passwordManagerHint"_qs);

        const QString path = ConfigFile::path(dir.path());
        const QByteArray written = read(path);
        // Keys sorted, nested ones too, every field present.
        const QList<QByteArray> keys = {"\"copySound\"", "\"historyLimit\"",
                                        "\"historyRetentionDays\"", "\"hotKey\"", "\"key\"",
                                        "\"modifiers\"", "\"ignoredApps\"", "\"ignoredTypes\"",
                                        "\"playSounds\"", "\"skipSecrets\""};
        qsizetype at = -1;
        for (const QByteArray &key : keys) {
            const qsizetype next = written.indexOf(key);
            QVERIFY2(next > at, key.constData());
            at = next;
        }
        QVERIFY(written.contains("\n    \"historyLimit\": 1000,"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0600);
    }

    void absentAndNullKeysTakeDefaults()
    {
        QString error;
        QCOMPARE(ConfigFile::decode("{}", &error), std::optional<VaruConfig>(VaruConfig()));
        auto c = ConfigFile::decode(R"({"historyLimit": 200, "playSounds": null, "extra": [1]})", &error);
        QVERIFY(c);
        QCOMPARE(c->historyLimit, 200);
        QVERIFY(c->playSounds);
        VaruConfig expected;
        expected.historyLimit = 200;
        QCOMPARE(*c, expected);

        c = ConfigFile::decode(R"({"ignoredApps": [], "historyRetentionDays": -3})", &error);
        QVERIFY(c);
        QVERIFY(c->ignoredApps.isEmpty()); // an empty list stays empty
        QCOMPARE(c->historyRetentionDays, -3);
        QCOMPARE(c->ignoredTypes, VaruConfig::defaultIgnoredTypes());
    }

    void wrongTypesRejectTheWholeFile_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("errorKey");
        QTest::newRow("limit as text") << QByteArray(R"({"historyLimit": "200"})") << u"historyLimit"_qs;
        QTest::newRow("fractional limit") << QByteArray(R"({"historyLimit": 2.5})") << u"historyLimit"_qs;
        QTest::newRow("huge limit") << QByteArray(R"({"historyLimit": 1e30})") << u"historyLimit"_qs;
        QTest::newRow("bool as number") << QByteArray(R"({"skipSecrets": 1})") << u"skipSecrets"_qs;
        QTest::newRow("sound as number") << QByteArray(R"({"copySound": 3})") << u"copySound"_qs;
        QTest::newRow("hotkey without modifiers") << QByteArray(R"({"hotKey": {"key": "k"}})") << u"hotKey.modifiers"_qs;
        QTest::newRow("hotkey with null key") << QByteArray(R"({"hotKey": {"key": null, "modifiers": []}})") << u"hotKey.key"_qs;
        QTest::newRow("hotkey modifier number") << QByteArray(R"({"hotKey": {"key": "k", "modifiers": [1]}})") << u"hotKey.modifiers[0]"_qs;
        QTest::newRow("app list with null") << QByteArray(R"({"ignoredApps": ["a", null]})") << u"ignoredApps[1]"_qs;
        QTest::newRow("types as text") << QByteArray(R"({"ignoredTypes": "x"})") << u"ignoredTypes"_qs;
        QTest::newRow("array at top") << QByteArray("[1, 2]") << u"objeto"_qs;
        QTest::newRow("broken json") << QByteArray(R"({"historyLimit": )") << u"JSON"_qs;
        QTest::newRow("empty file") << QByteArray() << u"JSON"_qs;
    }

    void wrongTypesRejectTheWholeFile()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, errorKey);
        QString error;
        QVERIFY(!ConfigFile::decode(json, &error));
        QVERIFY2(error.contains(errorKey), qPrintable(error));
    }

    void malformedFileIsLoggedAndLeftAsItWas()
    {
        QTemporaryDir dir;
        const QString path = ConfigFile::path(dir.path());
        const QByteArray broken = R"({"historyLimit": "200", "playSounds": false})";
        write(path, broken);
        QTest::ignoreMessage(QtCriticalMsg,
                             QRegularExpression(u"^config\\.json inválido, usando padrão: historyLimit"_qs));
        QCOMPARE(ConfigFile::load(dir.path()), VaruConfig());
        QCOMPARE(read(path), broken);
    }

    void emptyObjectIsNotRewrittenByLoading()
    {
        QTemporaryDir dir;
        const QString path = ConfigFile::path(dir.path());
        write(path, "{}");
        QCOMPARE(ConfigFile::load(dir.path()), VaruConfig());
        QCOMPARE(read(path), QByteArray("{}"));
    }

    void savedValuesRoundTrip()
    {
        QTemporaryDir dir;
        VaruConfig c;
        c.historyLimit = 9223372036854775807LL;
        c.historyRetentionDays = 30;
        c.skipSecrets = false;
        c.copySound = u"Grude ção \"q\""_qs;
        c.hotKey = {u"["_qs, {u"ctrl"_qs, u"opt"_qs}};
        c.ignoredApps = {};
        ConfigFile::save(c, dir.path());
        QCOMPARE(ConfigFile::load(dir.path()), c);
    }

    void unreadableFileIsNeverReplaced()
    {
        QTemporaryDir dir;
        // A folder where the file should be cannot be read; the defaults run and it stays.
        QVERIFY(QDir(dir.path()).mkdir(u"config.json"_qs));
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^config\\.json ilegível"_qs));
        QCOMPARE(ConfigFile::load(dir.path()), VaruConfig());
        QVERIFY(QFileInfo(ConfigFile::path(dir.path())).isDir());
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
