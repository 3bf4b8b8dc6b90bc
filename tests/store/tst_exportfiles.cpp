// Card files for drag and preview: which representation becomes the file, its name, the
// stable name that is reused only while the content is the same, and cards that give none.

#include "store/ExportFiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestExportFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cache;

    static ClipItem card(ClipKind kind, const QString &id = u"ID-1"_qs)
    {
        ClipItem item;
        item.id = id;
        item.kind = kind;
        return item;
    }

    static QByteArray contents(const QUrl &url)
    {
        QFile f(url.toLocalFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path())); }

    void theKindDecidesWhichContentBecomesTheFile_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<QString>("expected"); // "ext:data", or empty for none
        QTest::newRow("rich text prefers rtf")
            << int(ClipKind::RichText)
            << QStringList{u"public.utf8-plain-text"_qs, u"public.rtf"_qs} << u"rtf:public.rtf"_qs;
        QTest::newRow("rich text without rtf")
            << int(ClipKind::RichText)
            << QStringList{u"public.html"_qs, u"public.utf8-plain-text"_qs}
            << u"txt:public.utf8-plain-text"_qs;
        QTest::newRow("image with only tiff")
            << int(ClipKind::Image) << QStringList{u"public.tiff"_qs} << u"tiff:public.tiff"_qs;
        QTest::newRow("image prefers png")
            << int(ClipKind::Image) << QStringList{u"public.jpeg"_qs, u"public.png"_qs}
            << u"png:public.png"_qs;
        QTest::newRow("link") << int(ClipKind::Link) << QStringList{u"public.utf8-plain-text"_qs}
                              << u"txt:public.utf8-plain-text"_qs;
        QTest::newRow("pdf") << int(ClipKind::Pdf) << QStringList{u"com.adobe.pdf"_qs}
                             << u"pdf:com.adobe.pdf"_qs;
        QTest::newRow("text without text")
            << int(ClipKind::Text) << QStringList{u"public.html"_qs} << QString();
        QTest::newRow("color") << int(ClipKind::Color)
                               << QStringList{u"com.apple.cocoa.pasteboard.color"_qs} << QString();
    }

    void theKindDecidesWhichContentBecomesTheFile()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, types);
        QFETCH(QString, expected);
        QList<Representation> reps;
        for (const QString &type : types)
            reps << Representation{0, type, type.toUtf8()};
        const auto url =
            ExportFiles::url(card(ClipKind(kind), QTest::currentDataTag()), reps, u"Drag"_qs, true);
        if (expected.isEmpty()) {
            QVERIFY(!url);
            return;
        }
        QVERIFY(url);
        const QString ext = expected.section(u':', 0, 0);
        QCOMPARE(url->toLocalFile(), m_cache.path() + u"/Varu/Drag/"_qs +
                                         QString::fromLatin1(QTest::currentDataTag()) + u'.' + ext);
        QCOMPARE(contents(*url), expected.section(u':', 1).toUtf8());
    }

    void fileCardsGiveTheirFirstFileUrl()
    {
        const QList<Representation> reps{
            {0, u"public.file-url"_qs, "https://example.org/a.txt"},
            {0, u"public.utf8-plain-text"_qs, "file:///tmp/not-a-url-rep"},
            {1, u"public.file-url"_qs, "file:///home/u/Documentos/b%20c.pdf"},
            {2, u"public.file-url"_qs, "file:///home/u/d.png"}};
        QCOMPARE(ExportFiles::fileURLs(reps),
                 QList<QUrl>({QUrl(u"file:///home/u/Documentos/b%20c.pdf"_qs),
                              QUrl(u"file:///home/u/d.png"_qs)}));
        QCOMPARE(ExportFiles::url(card(ClipKind::File), reps, u"Drag"_qs, false),
                 QUrl(u"file:///home/u/Documentos/b%20c.pdf"_qs));
        QVERIFY(!ExportFiles::url(card(ClipKind::File), {}, u"Drag"_qs, false));
    }

    void stableNameIsReusedWhileTheContentIsTheSame()
    {
        ClipItem item = card(ClipKind::Text, u"STABLE"_qs);
        const QList<Representation> v1{{0, u"public.utf8-plain-text"_qs, "first"}};
        const auto url = ExportFiles::url(item, v1, u"Preview"_qs, true);
        QVERIFY(url);
        QFile file(url->toLocalFile());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QDateTime old = QDateTime::currentDateTime().addDays(-1);
        QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        file.close();

        QCOMPARE(ExportFiles::url(item, v1, u"Preview"_qs, true), url);
        QCOMPARE(QFileInfo(url->toLocalFile()).lastModified(), old);

        // After an edit the preview must show the new text, not the old file.
        const QList<Representation> v2{{0, u"public.utf8-plain-text"_qs, "edited"}};
        QCOMPARE(ExportFiles::url(item, v2, u"Preview"_qs, true), url);
        QCOMPARE(contents(*url), QByteArray("edited"));
    }

    void namesComeFromTheCustomTitleOrTheTime()
    {
        const QList<Representation> reps{{0, u"public.utf8-plain-text"_qs, "x"}};
        ClipItem item = card(ClipKind::Text);
        item.customTitle = u"a/b/c"_qs;
        auto url = ExportFiles::url(item, reps, u"Drag"_qs, false);
        QVERIFY(url);
        QCOMPARE(QFileInfo(url->toLocalFile()).fileName(), u"a-b-c.txt"_qs);

        item.customTitle = u""_qs;
        url = ExportFiles::url(item, reps, u"Drag"_qs, false);
        QVERIFY(url);
        static const QRegularExpression pattern(
            uR"(^Varu \d{4}-\d\d-\d\d às \d\d\.\d\d\.\d\d\.txt$)"_qs);
        QVERIFY2(pattern.match(QFileInfo(url->toLocalFile()).fileName()).hasMatch(),
                 qPrintable(url->toLocalFile()));
    }
};

QTEST_GUILESS_MAIN(TestExportFiles)
#include "tst_exportfiles.moc"
