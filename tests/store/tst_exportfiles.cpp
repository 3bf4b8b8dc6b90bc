// Card files for drag and preview: which representation becomes the file, its name, and the
// stable name whose content follows an edit.

#include "store/ExportFiles.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestExportFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cache;
    const QList<Representation> m_text{{0, u"public.utf8-plain-text"_qs, "x"}};

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

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path())); }

    void theKindDecidesWhichContentBecomesTheFile()
    {
        const QList<Representation> rich{{0, u"public.utf8-plain-text"_qs, "plain"},
                                         {0, u"public.rtf"_qs, "{\\rtf1}"}};
        const auto rtf =
            ExportFiles::url(card(ClipKind::RichText, u"R"_qs), rich, u"Drag"_qs, true);
        QCOMPARE(rtf->toLocalFile(), m_cache.path() + u"/Varu/Drag/R.rtf"_qs);
        QCOMPARE(contents(rtf), QByteArray("{\\rtf1}"));
        QVERIFY(!ExportFiles::url(card(ClipKind::Text), {{0, u"public.html"_qs, "<b>"}}, u"Drag"_qs,
                                  true));

        // File cards give their first local file; web addresses and other hosts' files are
        // no local files.
        const QList<Representation> files{{0, u"public.file-url"_qs, "https://example.org/a.txt"},
                                          {0, u"public.file-url"_qs, "file://nas/etc/shadow"},
                                          {1, u"public.file-url"_qs, "file:///home/u/b%20c.pdf"}};
        QCOMPARE(ExportFiles::url(card(ClipKind::File), files, u"Drag"_qs, false),
                 QUrl(u"file:///home/u/b%20c.pdf"_qs));
    }

    void aStableNameShowsTheEditedContent()
    {
        const ClipItem item = card(ClipKind::Text, u"STABLE"_qs);
        const auto url = ExportFiles::url(item, m_text, u"Preview"_qs, true);
        QCOMPARE(contents(url), QByteArray("x"));
        const QList<Representation> edited{{0, u"public.utf8-plain-text"_qs, "edited"}};
        QCOMPARE(ExportFiles::url(item, edited, u"Preview"_qs, true), url);
        QCOMPARE(contents(url), QByteArray("edited"));
    }

    void namesComeFromTheCustomTitleOrTheTime()
    {
        ClipItem item = card(ClipKind::Text);
        item.customTitle = u"../a/b"_qs; // never a path out of the folder
        QCOMPARE(ExportFiles::url(item, m_text, u"Drag"_qs, false)->fileName(), u"..-a-b.txt"_qs);
        // A title longer than a file name may be is cut, never split inside a character.
        item.customTitle = QString(300, QChar(u'ç'));
        QCOMPARE(ExportFiles::url(item, m_text, u"Drag"_qs, false)->fileName(),
                 QString(100, QChar(u'ç')) + u".txt"_qs);
        item.customTitle = u""_qs;
        static const QRegularExpression pattern(
            uR"(^Varu \d{4}-\d\d-\d\d às \d\d\.\d\d\.\d\d\.txt$)"_qs);
        QVERIFY(pattern.match(ExportFiles::url(item, m_text, u"Drag"_qs, false)->fileName())
                    .hasMatch());
    }
};

QTEST_GUILESS_MAIN(TestExportFiles)
#include "tst_exportfiles.moc"
