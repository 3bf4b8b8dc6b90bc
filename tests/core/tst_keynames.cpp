// Shortcuts written the way Linux desktops write them, whatever order or names they come in.

#include "core/KeyNames.h"

#include <QTest>

class TestKeyNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shortcuts_data()
    {
        QTest::addColumn<QStringList>("modifiers");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the default hotkey") << QStringList{u"cmd"_qs, u"shift"_qs} << u"v"_qs
                                            << u"Super+Shift+V"_qs;
        QTest::newRow("desktop order, aliases, case")
            << QStringList{u"Super"_qs, u"alt"_qs, u"SHIFT"_qs, u"control"_qs} << u"["_qs
            << u"Super+Ctrl+Alt+Shift+["_qs;
        QTest::newRow("unknown and repeated modifiers")
            << QStringList{u"fn"_qs, u"opt"_qs, u"option"_qs} << u"ç"_qs << u"Alt+Ç"_qs;
        QTest::newRow("named keys") << QStringList{u"ctrl"_qs} << u"return"_qs << u"Ctrl+Enter"_qs;
        QTest::newRow("escape alone") << QStringList{} << u"escape"_qs << u"Esc"_qs;
        QTest::newRow("space") << QStringList{u"ctrl"_qs, u"opt"_qs} << u" "_qs
                               << u"Ctrl+Alt+Espaço"_qs;
        QTest::newRow("arrow") << QStringList{u"cmd"_qs, u"shift"_qs} << u"left"_qs
                               << u"Super+Shift+←"_qs;
    }
    void shortcuts()
    {
        QFETCH(QStringList, modifiers);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(KeyNames::shortcut(modifiers, key), expected);
    }

    void primaryIsCtrl() { QCOMPARE(KeyNames::primary(u"1"_qs), u"Ctrl+1"_qs); }
};

QTEST_GUILESS_MAIN(TestKeyNames)
#include "tst_keynames.moc"
