// Classification priorities: files over everything, image against text, PDF, colour, the
// fallback for unknown content, links, secrets and title bounds.

#include "capture/Classifier.h"
#include "core/ClipboardTypes.h"

#include <QTest>

namespace T = ClipboardTypes;

namespace {

using Reps = QList<Representation>;

std::optional<CapturedClip> classify(const Reps &reps, QList<double> rgb = {},
                                     bool skipSecrets = true)
{
    CaptureRules rules;
    rules.skipSecrets = skipSecrets;
    const auto color = [rgb]() -> std::optional<SrgbColor> {
        if (rgb.size() != 3)
            return std::nullopt;
        return SrgbColor{rgb[0], rgb[1], rgb[2]};
    };
    return Classifier::classify(reps, 0, rules, color);
}

Representation text(const QByteArray &t)
{
    return {0, T::plainText, t};
}

const QByteArray kPng("\x89PNG\r\n\x1a\n....", 12);
const QString kSecretLog = QStringLiteral("Texto parece conter senha ou token; cópia não guardada");

} // namespace

class TestClassifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void priorities_data()
    {
        QTest::addColumn<Reps>("reps");
        QTest::addColumn<QList<double>>("color"); // what the clipboard's colour reads as
        QTest::addColumn<ClipKind>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("image");
        // Paths are percent-decoded, one per line; folders lose their final slash; web
        // addresses are no files.
        QTest::newRow("files over everything")
            << Reps{{0, T::fileUrl, "file:///tmp/a%20b.txt"},
                    text("some text"),
                    {0, T::png, kPng},
                    {0, T::color, "c"},
                    {1, T::fileUrl, "file:///home/ana/Fotos/"},
                    {2, T::fileUrl, "https://example.org/x"}}
            << QList<double>{1, 1, 1} << ClipKind::File << u"/tmp/a b.txt\n/home/ana/Fotos"_qs
            << QByteArray();
        QTest::newRow("broken file urls are skipped")
            << Reps{{0, T::fileUrl, "file:///tmp/\xff\xfe"},
                    {0, T::fileUrl, "not a url at all"},
                    text("kept as text")}
            << QList<double>() << ClipKind::Text << u"kept as text"_qs << QByteArray();
        QTest::newRow("an image's address is the text")
            << Reps{{0, T::png, kPng}, text("https://ex.org/a.png")} << QList<double>()
            << ClipKind::Link << u"https://ex.org/a.png"_qs << QByteArray();
        QTest::newRow("undecodable text is none, a later text is not tried")
            << Reps{text("\xc3\x28"), text("ok"), {0, T::heic, "heic"}} << QList<double>()
            << ClipKind::Image << u"Imagem"_qs << QByteArray("heic");
        QTest::newRow("image over pdf")
            << Reps{{0, T::pdf, "%PDF-1.4"}, {0, T::png, kPng}} << QList<double>()
            << ClipKind::Image << u"Imagem"_qs << kPng;
        QTest::newRow("readable colour over text")
            << Reps{{0, T::color, QByteArray(8, '\0')}, text("senha: abc")}
            << QList<double>{1, 0.5, 0} << ClipKind::Color << u"#FF7F00"_qs << QByteArray();
        QTest::newRow("unreadable colour is named by its type")
            << Reps{{0, T::color, "x"}} << QList<double>() << ClipKind::Text
            << u"Conteúdo: com.apple.cocoa.pasteboard.color"_qs << QByteArray();
        QTest::newRow("link") << Reps{text("https://example.org/a?b=1")} << QList<double>()
                              << ClipKind::Link << u"https://example.org/a?b=1"_qs << QByteArray();
        QTest::newRow("space inside") << Reps{text("https://ex.org/a b")} << QList<double>()
                                      << ClipKind::Text << u"https://ex.org/a b"_qs << QByteArray();
    }

    void priorities()
    {
        QFETCH(Reps, reps);
        QFETCH(QList<double>, color);
        const auto clip = classify(reps, color);
        QVERIFY(clip);
        QTEST(clip->kind, "kind");
        QTEST(clip->title, "title");
        QTEST(clip->imageData.value_or(QByteArray()), "image");
        QCOMPARE(clip->reps, reps);
        QCOMPARE(clip->checksum, Representation::checksum(reps));
    }

    void secretsAreRefusedOnlyWhenAsked()
    {
        const Reps reps{text("db:\n  password: s3cr3t")};
        QTest::ignoreMessage(QtInfoMsg, qPrintable(kSecretLog));
        QCOMPARE(classify(reps), std::nullopt);
        QCOMPARE(classify(reps, {}, false)->kind, ClipKind::Text);
        // An unreadable colour falls through to its text, and there to the secret rule.
        QTest::ignoreMessage(QtInfoMsg, qPrintable(kSecretLog));
        QCOMPARE(classify({{0, T::color, "x"}, text("senha: abc")}), std::nullopt);
        // File names are never searched.
        QVERIFY(classify({{0, T::fileUrl, "file:///tmp/token=1"}}));
    }

    void titlesAreBoundedInUserPerceivedCharacters()
    {
        QCOMPARE(classify({text(QByteArray(7000, 'a'))})->title.size(), 5000);
        // A flag is two code points and four code units, but one character.
        const QString flag = u"\U0001F1E7\U0001F1F7"_qs;
        const QString title = classify({text(flag.repeated(6000).toUtf8())})->title;
        QCOMPARE(title.size(), 5000 * flag.size());
        QVERIFY(title.endsWith(flag));
    }
};

QTEST_GUILESS_MAIN(TestClassifier)
#include "tst_classifier.moc"
