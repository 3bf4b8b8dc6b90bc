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

    static QByteArray contents(const std::optional<QUrl> &url)
    {
        QFile f(url ? url->toLocalFile() : QString());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }

    static std::optional<QUrl> drag(ClipKind kind, const QStringList &types, const QString &id)
    {
        QList<Representation> reps;
        for (const QString &type : types)
            reps << Representation{0, type, type.toUtf8()};
        return ExportFiles::url(card(kind, id), reps, u"Drag"_qs, true);
    }

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path())); }

    void theKindDecidesWhichContentBecomesTheFile()
    {
        const auto rtf =
            drag(ClipKind::RichText, {u"public.utf8-plain-text"_qs, u"public.rtf"_qs}, u"R"_qs);
        QCOMPARE(rtf->toLocalFile(), m_cache.path() + u"/Varu/Drag/R.rtf"_qs);
        QCOMPARE(contents(rtf), QByteArray("public.rtf"));
        QCOMPARE(drag(ClipKind::Image, {u"public.tiff"_qs}, u"I"_qs)->fileName(), u"I.tiff"_qs);
        QCOMPARE(contents(drag(ClipKind::Image, {u"public.jpeg"_qs, u"public.png"_qs}, u"P"_qs)),
                 QByteArray("public.png"));
        QVERIFY(!drag(ClipKind::Text, {u"public.html"_qs}, u"T"_qs));
        QVERIFY(!drag(ClipKind::Color, {u"com.apple.cocoa.pasteboard.color"_qs}, u"C"_qs));

        // File cards give their first local file; web addresses are no files.
        const QList<Representation> files{{0, u"public.file-url"_qs, "https://example.org/a.txt"},
                                          {1, u"public.file-url"_qs, "file:///home/u/b%20c.pdf"},
                                          {2, u"public.file-url"_qs, "file:///home/u/d.png"}};
        QCOMPARE(ExportFiles::fileURLs(files), QList<QUrl>({QUrl(u"file:///home/u/b%20c.pdf"_qs),
                                                            QUrl(u"file:///home/u/d.png"_qs)}));
        QCOMPARE(ExportFiles::url(card(ClipKind::File), files, u"Drag"_qs, false),
                 QUrl(u"file:///home/u/b%20c.pdf"_qs));
        QVERIFY(!ExportFiles::url(card(ClipKind::File), {}, u"Drag"_qs, false));
    }

    void stableNamesAreReusedOnlyWhileTheContentIsTheSame()
    {
        const ClipItem item = card(ClipKind::Text, u"STABLE"_qs);
        const QList<Representation> v1{{0, u"public.utf8-plain-text"_qs, "first"}};
        const auto url = ExportFiles::url(item, v1, u"Preview"_qs, true);
        QFile file(url.value().toLocalFile());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QDateTime old = QDateTime::currentDateTime().addDays(-1);
        QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(ExportFiles::url(item, v1, u"Preview"_qs, true), url);
        QCOMPARE(QFileInfo(file).lastModified(), old);

        // After an edit the preview must show the new text, not the old file.
        const QList<Representation> v2{{0, u"public.utf8-plain-text"_qs, "edited"}};
        QCOMPARE(ExportFiles::url(item, v2, u"Preview"_qs, true), url);
        QCOMPARE(contents(url), QByteArray("edited"));
    }

    void namesComeFromTheCustomTitleOrTheTime()
    {
        const QList<Representation> text{{0, u"public.utf8-plain-text"_qs, "x"}};
        ClipItem item = card(ClipKind::Text);
        item.customTitle = u"a/b/c"_qs;
        QCOMPARE(ExportFiles::url(item, text, u"Drag"_qs, false)->fileName(), u"a-b-c.txt"_qs);
        // A title longer than a file name may be is cut, never split inside a character.
        item.customTitle = QString(300, QChar(u'ç'));
        const auto longName = ExportFiles::url(item, text, u"Drag"_qs, false);
        QVERIFY(longName);
        QCOMPARE(longName->fileName(), QString(100, QChar(u'ç')) + u".txt"_qs);
        item.customTitle = u""_qs;
        static const QRegularExpression pattern(
            uR"(^Varu \d{4}-\d\d-\d\d às \d\d\.\d\d\.\d\d\.txt$)"_qs);
        QVERIFY(
            pattern.match(ExportFiles::url(item, text, u"Drag"_qs, false)->fileName()).hasMatch());
    }
};

QTEST_GUILESS_MAIN(TestExportFiles)
#include "tst_exportfiles.moc"
