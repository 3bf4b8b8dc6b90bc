// Shortcut rules: modifier normalising, the order in which a combination is judged, labels,
// and which key presses may become a shortcut's key.

#include "settings/HotKeyRules.h"

#include <QTest>

using namespace HotKeyRules;

namespace {
const QString kTwoModifiers =
    QStringLiteral("Use pelo menos duas teclas modificadoras (por exemplo Ctrl+Alt ou Super+Shift). "
                   "Atalhos como Ctrl+C, Ctrl+V e Ctrl+X são do sistema.");
const QString kForbidden =
    QStringLiteral("Essa tecla é reservada pelo sistema em suas combinações. Escolha outra.");
QString reservedMessage(const QString &description)
{
    return u"Esse atalho é reservado pelo sistema ("_qs + description +
           u"). Escolha um menos comum."_qs;
}
} // namespace

class TestHotKeyRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void normalizingAndLabels()
    {
        QCOMPARE(normalized({u"command"_qs, u"Shift"_qs, u"alt"_qs, u"Control"_qs, u"OPTION"_qs,
                             u"hyper"_qs, u""_qs}),
                 (QStringList{u"ctrl"_qs, u"opt"_qs, u"shift"_qs, u"cmd"_qs}));
        QCOMPARE(label(VaruConfig::defaultHotKey()), u"Super+Shift+V"_qs);
        QCOMPARE(label({u"["_qs, {u"cmd"_qs, u"alt"_qs, u"shift"_qs, u"control"_qs}}),
                 u"Super+Ctrl+Alt+Shift+["_qs);
        QCOMPARE(label({u"ç"_qs, {u"fn"_qs, u"opt"_qs}}), u"Alt+Ç"_qs);
        // Key caps in the desktop's order, whatever order the configuration lists them in.
        QCOMPARE(keyNames(VaruConfig::defaultHotKey()),
                 (QStringList{u"Super"_qs, u"Shift"_qs, u"V"_qs}));
        QCOMPARE(keyNames({u"ç"_qs, {u"shift"_qs, u"alt"_qs, u"control"_qs, u"fn"_qs}}),
                 (QStringList{u"Ctrl"_qs, u"Alt"_qs, u"Shift"_qs, u"Ç"_qs}));
        QCOMPARE(inUseMessage(VaruConfig::defaultHotKey()),
                 u"Esse atalho já está em uso por outro app. Mantive Super+Shift+V."_qs);
    }

    void judging_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("modifiers");
        QTest::addColumn<QString>("expected"); // empty: acceptable
        QTest::newRow("modifier count before forbidden key")
            << u"q"_qs << QStringList{u"cmd"_qs} << kTwoModifiers;
        QTest::newRow("forbidden before reserved")
            << u"q"_qs << QStringList{u"ctrl"_qs, u"cmd"_qs} << kForbidden;
        QTest::newRow("terminal") << u"t"_qs << QStringList{u"ctrl"_qs, u"alt"_qs}
                                  << reservedMessage(u"abrir o terminal"_qs);
        QTest::newRow("looked up in canonical order, aliases resolved")
            << u"v"_qs << QStringList{u"SHIFT"_qs, u"Control"_qs}
            << reservedMessage(u"colar no terminal"_qs);
        QTest::newRow("lock screen") << u"l"_qs << QStringList{u"opt"_qs, u"ctrl"_qs}
                                     << reservedMessage(u"bloquear a tela"_qs);
        QTest::newRow("free with a third modifier")
            << u"v"_qs << QStringList{u"ctrl"_qs, u"shift"_qs, u"alt"_qs} << QString();
        QTest::newRow("default is free")
            << u"v"_qs << QStringList{u"cmd"_qs, u"shift"_qs} << QString();
    }
    void judging()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, modifiers);
        QFETCH(QString, expected);
        QCOMPARE(problem(key, modifiers).value_or(QString()), expected);
    }

    void recordableKeys()
    {
        for (const QString &ok : {u"3"_qs, u"ç"_qs, u"e\u0301"_qs, u"["_qs})
            QCOMPARE(recordableKey(ok).value_or(QString()), ok);
        QCOMPARE(recordableKey(u"Ж"_qs).value_or(QString()), u"ж"_qs);
        // Tab, a function key (private use), two characters, other punctuation, an emoji.
        for (const QString &bad : {u"\t"_qs, u"\uF704"_qs, u"ab"_qs, QString(), u"!"_qs, u"😀"_qs})
            QVERIFY2(!recordableKey(bad), qPrintable(bad));
    }
};

QTEST_GUILESS_MAIN(TestHotKeyRules)
#include "tst_hotkeyrules.moc"
