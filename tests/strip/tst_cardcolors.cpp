// Colours of the strip: colour codes written as text, the dominant colour of application
// icons, and icons and colours found through real desktop entries.

#include "platform/freedesktop/DesktopEntryIcon.h"
#include "strip/cards/AppIcons.h"
#include "strip/cards/DominantColor.h"
#include "strip/cards/HexColor.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage filled(const QColor &color, QSize size = {48, 48})
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// QColor keeps 16 bits per channel.
bool near(float a, float b)
{
    return std::abs(a - b) < 0.001f;
}

} // namespace

class TestCardColors : public QObject
{
    Q_OBJECT

    QTemporaryDir dataHome;

private Q_SLOTS:
    void initTestCase()
    {
        // GIO reads the data folders once: point them at entries made here first.
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        qputenv("XDG_DATA_DIRS", dataHome.filePath(u"none"_qs).toUtf8());
        QVERIFY(QDir(dataHome.path()).mkpath(u"applications"_qs));
        const QString icon = dataHome.filePath(u"red.png"_qs);
        QVERIFY(filled(QColor(220, 30, 40)).save(icon));
        const auto entry = [&](const QString &file, const QString &iconLine) {
            QFile f(dataHome.filePath(u"applications/"_qs + file));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(
                ("[Desktop Entry]\nType=Application\nName=Editor\nExec=true\n" + iconLine + "\n")
                    .toUtf8());
        };
        entry(u"org.example.viewer.desktop"_qs, u"Icon="_qs + icon);
        entry(u"org.example.Plain.desktop"_qs, QString());
    }

    void colorsFromText()
    {
        for (const QString &good : {u"#5B8DEF"_qs, u"5b8def"_qs, u"##5B8DEF#"_qs})
            QCOMPARE(HexColor::parse(good), QColor(0x5B, 0x8D, 0xEF));
        QVERIFY(HexColor::parse(u"#5B8DEF"_qs)->alphaF() == 1.0f);
        for (const QString &bad : {u"#FFF"_qs, u"#5B8DEF0"_qs, u""_qs, u"#"_qs, u"#5B#DEF"_qs,
                                   u"+5B8DE"_qs, u"0x5B8D"_qs, u" 5B8DE"_qs, u"#GGGGGG"_qs})
            QVERIFY2(!HexColor::parse(bad), qPrintable(bad));
        QCOMPARE(HexColor::parseOrGray(u"azul"_qs), HexColor::gray());
    }

    void dominantColorOfIcons()
    {
        // Nothing opaque enough: no colour, whether empty or faint.
        QVERIFY(!DominantColor::of(filled(Qt::transparent)));
        QVERIFY(!DominantColor::of(filled(QColor(255, 0, 0, 100))));
        QVERIFY(!DominantColor::of(QImage()));

        // A vivid red stays red, toned into the allowed brightness.
        const QColor red = *DominantColor::of(filled(QColor(255, 0, 0)));
        QCOMPARE(red.hsvHue(), 0);
        QVERIFY(near(red.hsvSaturationF(), 0.85f));
        QVERIFY(near(red.valueF(), 0.72f));
        // Black is lifted; a faint tint is pushed up to the least saturation.
        QVERIFY(near(DominantColor::of(filled(Qt::black))->valueF(), 0.42f));
        const QColor pale = *DominantColor::of(filled(QColor::fromHsvF(0.6f, 0.2f, 0.6f)));
        QVERIFY(near(pale.hsvSaturationF(), 0.45f));

        // Vivid pixels outweigh dull ones: half blue, half gray reads blue.
        QImage half = filled(Qt::gray);
        QPainter(&half).fillRect(0, 0, 24, 48, QColor(0, 80, 255));
        const QColor mixed = *DominantColor::of(half);
        QVERIFY(mixed.blue() > mixed.red() && mixed.hsvSaturationF() >= 0.45f);
    }

    void iconsFromDesktopEntries()
    {
        // The id as recorded may differ in case from the entry's file name.
        QVERIFY(!DesktopEntryIcon::find(u"org.example.Plain"_qs));
        QVERIFY(!DesktopEntryIcon::find(u"../applications/org.example.viewer"_qs));
        AppIcons icons(&DesktopEntryIcon::find);
        AppColors colors(icons);
        QCOMPARE(colors.color(u"org.example.Viewer"_qs)->hsvHue(), QColor(220, 30, 40).hsvHue());
        QVERIFY(!colors.color(std::nullopt));
        QVERIFY(!colors.color(u"org.example.Missing"_qs));
    }
};

QTEST_MAIN(TestCardColors)
#include "tst_cardcolors.moc"
