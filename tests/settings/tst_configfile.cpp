// config.json: tolerant keys, strict types, exact round trips, files that are never
// rewritten by loading them, and only a small regular file is ever read.

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

private Q_SLOTS:
    void absentAndNullKeysTakeDefaults()
    {
        QString error;
        QCOMPARE(ConfigFile::decode("{}", &error), std::optional<VaruConfig>(VaruConfig()));
        VaruConfig expected;
        expected.historyLimit = 200;
        QCOMPARE(ConfigFile::decode(R"({"historyLimit": 200, "playSounds": null, "extra": [1]})",
                                    &error),
                 std::optional(expected));
        expected = VaruConfig();
        expected.ignoredApps = {}; // an empty list stays empty
        expected.historyRetentionDays = -3;
        QCOMPARE(ConfigFile::decode(R"({"ignoredApps": [], "historyRetentionDays": -3})", &error),
                 std::optional(expected));
    }

    void wrongTypesRejectTheWholeFile_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("errorKey");
        const auto row = [](const char *name, const char *json, const QString &key) {
            QTest::newRow(name) << QByteArray(json) << key;
        };
        // The expectation is worded in Portuguese, accents intact.
        row("limit as text", R"({"historyLimit": "200"})",
            u"historyLimit: esperado um número inteiro"_qs);
        row("fractional limit", R"({"historyLimit": 2.5})", u"historyLimit"_qs);
        row("bool as number", R"({"skipSecrets": 1})", u"skipSecrets"_qs);
        row("hotkey without modifiers", R"({"hotKey": {"key": "k"}})", u"hotKey.modifiers"_qs);
        row("app list with null", R"({"ignoredApps": ["a", null]})", u"ignoredApps[1]"_qs);
        row("array at top", "[1, 2]", u"objeto"_qs);
        row("broken json", R"({"historyLimit": )", u"JSON"_qs);
    }

    void wrongTypesRejectTheWholeFile()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, errorKey);
        QString error;
        QVERIFY(!ConfigFile::decode(json, &error));
        QVERIFY2(error.contains(errorKey), qPrintable(error));
    }

    void savedValuesRoundTripPrivately()
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
        const auto mode = QFileInfo(ConfigFile::path(dir.path())).permissions();
        QVERIFY(mode.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(!(mode & (QFileDevice::ReadGroup | QFileDevice::ReadOther)));
    }

    void loadingNeverRewritesAnExistingFile()
    {
        QTemporaryDir dir;
        const QString path = ConfigFile::path(dir.path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{}");
        f.close();
        QCOMPARE(ConfigFile::load(dir.path()), VaruConfig());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("{}"));
        QVERIFY(f.remove());

        // A folder where the file should be cannot be read; the defaults run and it stays.
        QVERIFY(QDir(dir.path()).mkdir(u"config.json"_qs));
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^config\\.json ilegível"_qs));
        QCOMPARE(ConfigFile::load(dir.path()), VaruConfig());
        QVERIFY(QFileInfo(path).isDir());
    }

    void onlyASmallRegularFileIsRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("readable");
        QTest::newRow("symlink to a device") << u"zero"_qs << false;
        QTest::newRow("fifo") << u"fifo"_qs << false;
        QTest::newRow("past the bound") << u"large"_qs << false;
        QTest::newRow("at the bound") << u"bound"_qs << true;
        QTest::newRow("symlink to a file") << u"link"_qs << true;
    }

    void onlyASmallRegularFileIsRead()
    {
        QFETCH(QString, kind);
        QFETCH(bool, readable);
        QTemporaryDir dir;
        const QString path = ConfigFile::path(dir.path());
        // Valid JSON at any size: white space after the object.
        const auto padded = [](qint64 size) {
            return QByteArray(R"({"historyLimit": 7})").leftJustified(size, ' ');
        };
        if (kind == u"zero") {
            QVERIFY(QFile::link(u"/dev/zero"_qs, path));
        } else if (kind == u"fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            QFile f(kind == u"link" ? dir.filePath(u"real.json"_qs) : path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(padded(kind == u"large" ? ConfigFile::kMaxBytes + 1 : ConfigFile::kMaxBytes));
            f.close();
            if (kind == u"link")
                QVERIFY(QFile::link(f.fileName(), path));
        }
        const ConfigFile::FileRead read = ConfigFile::read(path);
        QCOMPARE(read.bytes.has_value(), readable);
        QVERIFY(!read.missing);
        if (readable) {
            QCOMPARE(ConfigFile::load(dir.path()).historyLimit, 7);
            return;
        }
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^config\\.json ilegível"_qs));
        QCOMPARE(ConfigFile::load(dir.path()), VaruConfig());
        // What was there stays for the user to see.
        QCOMPARE(QFileInfo(path).isSymLink(), kind == u"zero");
        QCOMPARE(QFileInfo(path).size() > ConfigFile::kMaxBytes, kind == u"large");
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
