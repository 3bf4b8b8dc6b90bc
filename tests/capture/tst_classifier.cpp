// Classification priorities: files over everything, image against text, PDF, colour, the
// fallback for unknown content, links, rich text, secrets and title bounds.

#include "capture/Classifier.h"
#include "capture/PasteboardTypes.h"

#include <QTest>

namespace T = PasteboardTypes;

namespace {

Representation rep(qint64 index, const QString &type, const QByteArray &data)
{
    return Representation{index, type, data};
}

std::optional<CapturedClip> classify(const QList<Representation> &reps,
                                     std::optional<SrgbColor> color = std::nullopt,
                                     bool skipSecrets = true)
{
    CaptureRules rules;
    rules.skipSecrets = skipSecrets;
    qint64 total = 0;
    for (const Representation &r : reps)
        total += r.data.size();
    return Classifier::classify(reps, total, rules, [color] { return color; });
}

const QByteArray kPng("\x89PNG\r\n\x1a\n....", 12);

} // namespace

class TestClassifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyClipCarriesItsRepsChecksumAndSize()
    {
        const QList<Representation> reps{rep(0, T::plainText, "hello"),
                                         rep(0, T::html, "<b>h</b>")};
        const auto clip = classify(reps);
        QVERIFY(clip);
        QCOMPARE(clip->reps, reps);
        QCOMPARE(clip->checksum, Representation::checksum(reps));
        QCOMPARE(clip->totalBytes, 13);
        QCOMPARE(clip->sourceBundleID, std::nullopt);
        QCOMPARE(clip->sourceName, std::nullopt);
    }

    void filesWinOverEverything()
    {
        const auto clip = classify({rep(0, T::fileUrl, "file:///tmp/a%20b.txt"),
                                    rep(0, T::plainText, "some text"), rep(0, T::png, kPng),
                                    rep(1, T::fileUrl, "file:///home/ana/Fotos/"),
                                    rep(2, T::fileUrl, "https://example.org/x")});
        QCOMPARE(clip->kind, ClipKind::File);
        // Percent-decoded paths, one per line; folders lose their final slash; web
        // addresses are no files.
        QCOMPARE(clip->title, u"/tmp/a b.txt\n/home/ana/Fotos"_qs);
        QCOMPARE(clip->imageData, std::nullopt);
    }

    void brokenFileUrlsAreSkipped()
    {
        const auto clip = classify({rep(0, T::fileUrl, "file:///tmp/\xff\xfe"),
                                    rep(0, T::fileUrl, "not a url at all"),
                                    rep(0, T::plainText, "kept as text")});
        QCOMPARE(clip->kind, ClipKind::Text);
        QCOMPARE(clip->title, u"kept as text"_qs);
    }

    void imageAgainstText()
    {
        // A browser's image copy with its address: the text wins, the PNG is still kept.
        auto clip = classify({rep(0, T::png, kPng), rep(0, T::plainText, "https://ex.org/a.png")});
        QCOMPARE(clip->kind, ClipKind::Link);
        QCOMPARE(clip->reps.size(), 2);
        // White space is no text.
        clip = classify({rep(0, T::plainText, " \n\t "), rep(0, T::jpeg, "jpeg")});
        QCOMPARE(clip->kind, ClipKind::Image);
        QCOMPARE(clip->title, u"Imagem"_qs);
        QCOMPARE(clip->imageData, QByteArray("jpeg"));
        // A PNG anywhere wins over an earlier TIFF.
        clip = classify({rep(0, T::tiff, "tiff"), rep(1, T::png, kPng)});
        QCOMPARE(clip->imageData, kPng);
        // Undecodable text counts as none, and a later text is not tried.
        clip = classify({rep(0, T::plainText, "\xc3\x28"), rep(0, T::plainText, "ok"),
                         rep(0, T::heic, "heic")});
        QCOMPARE(clip->kind, ClipKind::Image);
    }

    void pdfWhenThereIsNoText()
    {
        auto clip = classify({rep(0, T::pdf, "%PDF-1.4")});
        QCOMPARE(clip->kind, ClipKind::Pdf);
        QCOMPARE(clip->title, u"PDF"_qs);
        QCOMPARE(clip->imageData, QByteArray("%PDF-1.4"));
        clip = classify({rep(0, T::pdf, "%PDF-1.4"), rep(0, T::png, kPng)});
        QCOMPARE(clip->kind, ClipKind::Image);
        clip = classify({rep(0, T::pdf, "%PDF-1.4"), rep(0, T::plainText, "Relatório")});
        QCOMPARE(clip->kind, ClipKind::Text);
        QCOMPARE(clip->imageData, std::nullopt);
    }

    void readableColourBeatsText()
    {
        const QList<Representation> reps{rep(0, T::color, QByteArray(8, '\0')),
                                         rep(0, T::plainText, "senha: abc")};
        auto clip = classify(reps, SrgbColor{1, 0.5, 0});
        QCOMPARE(clip->kind, ClipKind::Color);
        QCOMPARE(clip->title, u"#FF7F00"_qs);
        // Out-of-range components stay two digits wide.
        clip = classify(reps, SrgbColor{1.2, -0.1, 0.999});
        QCOMPARE(clip->title, u"#FF00FE"_qs);
        // An unreadable colour falls through to the text, and there to the secret rule.
        QTest::ignoreMessage(QtInfoMsg, "Texto parece conter senha ou token; cópia não guardada");
        QCOMPARE(classify(reps), std::nullopt);
        clip = classify({rep(0, T::color, "x")});
        QCOMPARE(clip->title, u"Conteúdo: com.apple.cocoa.pasteboard.color"_qs);
    }

    void contentWithoutTextIsNamedByItsFirstType()
    {
        auto clip = classify({rep(0, T::rtf, "{\\rtf1}")});
        QCOMPARE(clip->kind, ClipKind::Text);
        QCOMPARE(clip->title, u"Conteúdo: public.rtf"_qs);
        clip = classify({rep(0, u"application/x-blob"_qs, QByteArray("\x00\x01\x02", 3))});
        QCOMPARE(clip->title, u"Conteúdo: application/x-blob"_qs);
    }

    void secretsAreRefusedOnlyWhenAsked()
    {
        const QList<Representation> reps{rep(0, T::plainText, "db:\n  password: s3cr3t")};
        QTest::ignoreMessage(QtInfoMsg, "Texto parece conter senha ou token; cópia não guardada");
        QCOMPARE(classify(reps), std::nullopt);
        const auto clip = classify(reps, std::nullopt, false);
        QVERIFY(clip);
        QCOMPARE(clip->kind, ClipKind::Text);
        // Files and images are never searched.
        QVERIFY(classify({rep(0, T::fileUrl, "file:///tmp/token=1")}));
    }

    void linksRichTextAndText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("html");
        QTest::addColumn<ClipKind>("kind");
        QTest::newRow("https") << QByteArray("https://example.org/a?b=1") << false
                               << ClipKind::Link;
        QTest::newRow("trimmed") << QByteArray("  HTTP://example.org \n") << false
                                 << ClipKind::Link;
        QTest::newRow("link even with html")
            << QByteArray("https://ex.org") << true << ClipKind::Link;
        QTest::newRow("split over lines")
            << QByteArray("https://example.org/\nmore") << false << ClipKind::Text;
        QTest::newRow("ftp") << QByteArray("ftp://example.org") << false << ClipKind::Text;
        QTest::newRow("no host") << QByteArray("https:///path") << false << ClipKind::Text;
        QTest::newRow("space inside")
            << QByteArray("https://ex.org/a b") << false << ClipKind::Text;
        QTest::newRow("rich") << QByteArray("Olá") << true << ClipKind::RichText;
        QTest::newRow("plain") << QByteArray("Olá") << false << ClipKind::Text;
    }

    void linksRichTextAndText()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, html);
        QFETCH(ClipKind, kind);
        QList<Representation> reps{rep(0, T::plainText, text)};
        if (html)
            reps << rep(0, T::html, "<p>x</p>");
        QCOMPARE(classify(reps)->kind, kind);
    }

    void titlesAreBoundedInUserPerceivedCharacters()
    {
        QCOMPARE(classify({rep(0, T::plainText, QByteArray(7000, 'a'))})->title.size(), 5000);
        // A flag is two code points and four code units, but one character.
        const QString flag = u"\U0001F1E7\U0001F1F7"_qs;
        QString text;
        for (int i = 0; i < 6000; ++i)
            text += flag;
        const QString title = classify({rep(0, T::plainText, text.toUtf8())})->title;
        QCOMPARE(title.size(), 5000 * flag.size());
        QVERIFY(title.endsWith(flag));
        // Line breaks inside the title stay.
        QCOMPARE(classify({rep(0, T::plainText, " a\r\nb ")})->title, u"a\r\nb"_qs);
        QCOMPARE(Classifier::leadingCharacters(u"e\u0301e\u0301e"_qs, 2), u"e\u0301e\u0301"_qs);
    }
};

QTEST_GUILESS_MAIN(TestClassifier)
#include "tst_classifier.moc"
