// Shortcut rules: modifier normalising, the order in which a combination is judged, the
// reserved table, labels, and which key presses may become a shortcut's key.

#include "settings/HotKeyRules.h"

#include <QSet>
#include <QTest>

using namespace HotKeyRules;

namespace {
const QString kTwoModifiers =
    QStringLiteral("Use pelo menos duas teclas modificadoras (por exemplo ⌃⌥ ou ⇧⌘). "
                   "Atalhos como ⌘C, ⌘V e ⌘X são do sistema.");
const QString kForbidden =
    QStringLiteral("Essa tecla é usada pelo macOS em combinações do sistema. Escolha outra.");
QString reservedMessage(const char *description)
{
    return QStringLiteral("Esse atalho já é usado pelo Mac (") + QString::fromUtf8(description) +
           QStringLiteral("). Escolha um menos comum.");
}
} // namespace

class TestHotKeyRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void normalizing_data()
    {
        QTest::addColumn<QStringList>("in");
        QTest::addColumn<QStringList>("out");
        QTest::newRow("aliases, case, duplicates")
            << QStringList{u"Command"_qs, u"SHIFT"_qs, u"cmd"_qs}
            << QStringList{u"shift"_qs, u"cmd"_qs};
        QTest::newRow("every alias, reversed")
            << QStringList{u"command"_qs, u"Shift"_qs, u"alt"_qs, u"Control"_qs}
            << QStringList{u"ctrl"_qs, u"opt"_qs, u"shift"_qs, u"cmd"_qs};
        QTest::newRow("option") << QStringList{u"OPTION"_qs, u"opt"_qs} << QStringList{u"opt"_qs};
        QTest::newRow("unknown names dropped")
            << QStringList{u"hyper"_qs, u"fn"_qs, u""_qs, u"ctrl"_qs} << QStringList{u"ctrl"_qs};
        QTest::newRow("empty") << QStringList{} << QStringList{};
    }
    void normalizing()
    {
        QFETCH(QStringList, in);
        QFETCH(QStringList, out);
        QCOMPARE(normalized(in), out);
    }

    void judging_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("modifiers");
        QTest::addColumn<QString>("expected"); // empty: acceptable
        QTest::newRow("one modifier") << u"k"_qs << QStringList{u"cmd"_qs} << kTwoModifiers;
        QTest::newRow("unknown name does not count")
            << u"k"_qs << QStringList{u"hyper"_qs, u"cmd"_qs} << kTwoModifiers;
        QTest::newRow("duplicate does not count")
            << u"k"_qs << QStringList{u"cmd"_qs, u"command"_qs} << kTwoModifiers;
        QTest::newRow("modifier count before forbidden key")
            << u"q"_qs << QStringList{u"cmd"_qs} << kTwoModifiers;
        QTest::newRow("forbidden before reserved")
            << u"q"_qs << QStringList{u"ctrl"_qs, u"cmd"_qs} << kForbidden;
        QTest::newRow("space") << u" "_qs << QStringList{u"ctrl"_qs, u"opt"_qs} << kForbidden;
        QTest::newRow("tab") << u"\t"_qs << QStringList{u"ctrl"_qs, u"opt"_qs} << kForbidden;
        QTest::newRow("forbidden keys compared as given")
            << u"Q"_qs << QStringList{u"ctrl"_qs, u"opt"_qs} << QString();
        QTest::newRow("screenshot")
            << u"3"_qs << QStringList{u"cmd"_qs, u"shift"_qs} << reservedMessage("captura de tela");
        QTest::newRow("looked up in canonical order")
            << u"v"_qs << QStringList{u"shift"_qs, u"opt"_qs, u"cmd"_qs}
            << reservedMessage("Colar sem formatação");
        QTest::newRow("aliases looked up") << u"["_qs << QStringList{u"COMMAND"_qs, u"Shift"_qs}
                                           << reservedMessage("Aba anterior");
        QTest::newRow("default is free")
            << u"v"_qs << QStringList{u"cmd"_qs, u"shift"_qs} << QString();
        QTest::newRow("superset of a reserved one is free")
            << u"3"_qs << QStringList{u"ctrl"_qs, u"shift"_qs, u"cmd"_qs} << QString();
    }
    void judging()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, modifiers);
        QFETCH(QString, expected);
        QCOMPARE(problem(key, modifiers).value_or(QString()), expected);
    }

    void reservedTableIsComplete()
    {
        const auto &table = reserved();
        QCOMPARE(table.size(), 49);
        QSet<QString> keys;
        for (const auto &[combo, description] : table) {
            keys.insert(combo);
            QVERIFY(!description.isEmpty());
            // Every row is reachable: its modifiers are already canonical and at least two.
            QStringList parts = combo.split(QLatin1Char('+'));
            const QString key = parts.takeLast();
            QCOMPARE(normalized(parts), parts);
            QVERIFY(parts.size() >= 2);
            if (!forbiddenKeys().contains(key))
                QVERIFY2(problem(key, parts).has_value(), qPrintable(combo));
        }
        QCOMPARE(keys.size(), 49);
        QCOMPARE(problem(u"d"_qs, {u"ctrl"_qs, u"cmd"_qs}).value(), reservedMessage("Dicionário"));
        QCOMPARE(problem(u"s"_qs, {u"opt"_qs, u"shift"_qs, u"cmd"_qs}).value(),
                 reservedMessage("Salvar tudo"));
    }

    void labels_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("modifiers");
        QTest::addColumn<QString>("label");
        QTest::newRow("default") << u"v"_qs << QStringList{u"cmd"_qs, u"shift"_qs} << u"⇧⌘V"_qs;
        QTest::newRow("aliases and duplicates")
            << u"k"_qs << QStringList{u"Command"_qs, u"SHIFT"_qs, u"cmd"_qs} << u"⇧⌘K"_qs;
        QTest::newRow("all four") << u"["_qs
                                  << QStringList{u"cmd"_qs, u"alt"_qs, u"shift"_qs, u"control"_qs}
                                  << u"⌃⌥⇧⌘["_qs;
        QTest::newRow("unknown dropped") << u"1"_qs << QStringList{u"fn"_qs, u"opt"_qs} << u"⌥1"_qs;
        QTest::newRow("non-Latin key")
            << u"ç"_qs << QStringList{u"ctrl"_qs, u"opt"_qs} << u"⌃⌥Ç"_qs;
    }
    void labels()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, modifiers);
        QFETCH(QString, label);
        QCOMPARE(HotKeyRules::label(HotKeyConfig{key, modifiers}), label);
    }

    void inUseMessageNamesThePreviousShortcut()
    {
        QCOMPARE(inUseMessage(VaruConfig::defaultHotKey()),
                 u"Esse atalho já está em uso por outro app. Mantive ⇧⌘V."_qs);
    }

    void recordableKeys_data()
    {
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QString>("key"); // empty: rejected
        QTest::newRow("letter lower-cased") << u"V"_qs << u"v"_qs;
        QTest::newRow("digit") << u"3"_qs << u"3"_qs;
        QTest::newRow("cedilla") << u"ç"_qs << u"ç"_qs;
        QTest::newRow("decomposed e acute") << u"e\u0301"_qs << u"e\u0301"_qs;
        QTest::newRow("cyrillic") << u"Ж"_qs << u"ж"_qs;
        QTest::newRow("bracket") << u"["_qs << u"["_qs;
        QTest::newRow("grave") << u"`"_qs << u"`"_qs;
        QTest::newRow("space") << u" "_qs << u" "_qs;
        QTest::newRow("tab") << u"\t"_qs << QString();
        QTest::newRow("function key (private use)") << u"\uF704"_qs << QString();
        QTest::newRow("two characters") << u"ab"_qs << QString();
        QTest::newRow("nothing") << QString() << QString();
        QTest::newRow("other punctuation") << u"!"_qs << QString();
        QTest::newRow("emoji") << u"😀"_qs << QString();
    }
    void recordableKeys()
    {
        QFETCH(QString, characters);
        QFETCH(QString, key);
        QCOMPARE(recordableKey(characters).value_or(QString()), key);
    }
};

QTEST_GUILESS_MAIN(TestHotKeyRules)
#include "tst_hotkeyrules.moc"
