// Classification priorities: files over everything, image against text, PDF, colour, the
// fallback for unknown content, links, secrets in any text the copy offers, and title bounds.

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

// With a byte order mark, as some applications offer text.
QByteArray utf16(const char *text)
{
    const QString s = QString::fromUtf8(text);
    return QByteArray("\xff\xfe") +
           QByteArray(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
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
        QTest::newRow("another host's file is no local path")
            << Reps{{0, T::fileUrl, "file://nas/etc/shadow"},
                    {1, T::fileUrl, "file://LocalHost/tmp/a"}}
            << QList<double>() << ClipKind::File << u"/tmp/a"_qs << QByteArray();
        QTest::newRow("only other hosts' files: the text")
            << Reps{{0, T::fileUrl, "file://nas/ferias.jpg"}, text("ferias.jpg")}
            << QList<double>() << ClipKind::Text << u"ferias.jpg"_qs << QByteArray();
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
            << Reps{{0, T::color, QByteArray(8, '\0')}, text("laranja")}
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
        // File names are never searched.
        QVERIFY(classify({{0, T::fileUrl, "file:///tmp/token=1"}, text("/tmp/token=1")}));
    }

    void secretsAreFoundInAnyTextTheCopyOffers_data()
    {
        QTest::addColumn<Reps>("reps");
        QTest::newRow("beside a readable colour")
            << Reps{{0, T::color, QByteArray(8, '\0')}, text("senha: abc")};
        QTest::newRow("html beside an image")
            << Reps{{0, T::png, kPng}, {0, T::html, "<p>api_key=<b>sk-1</b></p>"}};
        QTest::newRow("html only, cells apart")
            << Reps{{0, T::html, "<table><tr><td>user</td><td>password: x</td></tr></table>"}};
        QTest::newRow("html references")
            << Reps{{0, T::html, "<!--StartFragment-->senha&#58;&nbsp;&#x61;bc"}};
        QTest::newRow("utf-16 html") << Reps{{0, T::html, utf16("<p>token=abc</p>")}};
        QTest::newRow("rtf") << Reps{{0, T::rtf, "{\\rtf1\\ansi{\\fonttbl\\f0 Helvetica;}\\f0 "
                                                 "a\\par senha\\'3a abc}"}};
        QTest::newRow("rtf unicode escape")
            << Reps{{0, T::rtf, "{\\rtf1\\uc1 \\u115?\\u101?nha: x}"}};
        QTest::newRow("latin-1 plain text") << Reps{text("Usu\xe1rio jo\xe3o\nsenha: a\xe7\xe3o")};
        QTest::newRow("invalid utf-8 beside an image")
            << Reps{text("\xc3\x28 password=1"), {0, T::png, kPng}};
        QTest::newRow("utf-16 plain text") << Reps{{0, T::plainText, utf16("pwd: 1")}};
    }

    void secretsAreFoundInAnyTextTheCopyOffers()
    {
        QFETCH(Reps, reps);
        QTest::ignoreMessage(QtInfoMsg, qPrintable(kSecretLog));
        QCOMPARE(classify(reps), std::nullopt);
        QVERIFY(classify(reps, {}, false));
    }

    void markupAroundOrdinaryTextIsNoSecret()
    {
        // What the browser runs or styles, attributes and tag names are not text.
        const QByteArray html =
            "<style>.password:hover{color:red}</style><script>var token=1;</script>"
            "<form><input type=\"password\" value=\"x\"><b>Entrar</b></form>";
        QCOMPARE(classify({{0, T::html, html}})->kind, ClipKind::Text);
        const QByteArray rtf = "{\\rtf1{\\*\\generator senha: x;}{\\info{\\title token=1}}ok}";
        QCOMPARE(classify({{0, T::rtf, rtf}})->kind, ClipKind::Text);
        // Invalid bytes keep the card's content and title as they were.
        const Reps raw{text("\xc3\x28 ok")};
        QCOMPARE(classify(raw)->title, u"Conteúdo: public.utf8-plain-text"_qs);
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
