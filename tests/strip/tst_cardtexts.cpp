// The words and numbers a card shows: relative times in Portuguese, byte sizes, the footer
// line of every kind (against real files for file cards) and the extension badge.

#include "strip/cards/ByteCount.h"
#include "strip/cards/CardFooter.h"
#include "strip/cards/ExtBadge.h"
#include "strip/cards/RelativeTime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

ClipItem item(ClipKind kind, const QString &title, qint64 bytes = 0)
{
    ClipItem c;
    c.id = u"ID"_qs;
    c.kind = kind;
    c.title = title;
    c.totalBytes = bytes;
    return c;
}

bool writeFile(const QString &path, qsizetype bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(QByteArray(bytes, 'x')) == bytes;
}

} // namespace

class TestCardTexts : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void relativeTimes()
    {
        RelativeTime t;
        const double now = 1'700'000'000;
        // The two forms switch to words at different ages.
        QCOMPARE(t.longString(now - 3, now), u"agora mesmo"_qs);
        QCOMPARE(t.string(now - 3, now), u"agora"_qs);
        QCOMPARE(t.string(now - 12, now), u"há 12 seg."_qs);
        // A clock that ran ahead of the card is not "in 3 seconds".
        QCOMPARE(t.longString(now + 30, now), u"agora mesmo"_qs);
        // The largest whole unit names the distance.
        QCOMPARE(t.longString(now - 59.9, now), u"há 59 segundos"_qs);
        QCOMPARE(t.longString(now - 3 * 3600 - 59, now), u"há 3 horas"_qs);
        QCOMPARE(t.string(now - 3 * 3600, now), u"há 3 h"_qs);
        QCOMPARE(t.longString(now - 86400 * 13, now), u"há 1 semana"_qs);
        QCOMPARE(t.longString(now - 86400 * 800, now), u"há 2 anos"_qs);
    }

    void byteSizes()
    {
        // Rounding that reaches 1000 moves to the next unit instead of "1.000 KB".
        const QList<std::pair<qint64, QString>> sizes{
            {0, u"Zero KB"_qs},        {1, u"1 byte"_qs},         {999, u"999 bytes"_qs},
            {1000, u"1 KB"_qs},        {340'400, u"340 KB"_qs},   {999'700, u"1 MB"_qs},
            {1'234'567, u"1,2 MB"_qs}, {999'960'000, u"1 GB"_qs}, {1'234'567'890, u"1,23 GB"_qs}};
        for (const auto &[bytes, text] : sizes)
            QCOMPARE(ByteCount::file(bytes), text);
    }

    void footersOfContentCards()
    {
        QCOMPARE(CardFooter::text(item(ClipKind::Text, u"a"_qs)), u"1 caractere"_qs);
        // What a reader counts: an accent typed as a combining mark and a flag are one each.
        QCOMPARE(CardFooter::text(item(ClipKind::RichText, u"e\u0301 🇧🇷"_qs)), u"3 caracteres"_qs);
        QCOMPARE(CardFooter::text(item(ClipKind::Link, u"https://exemplo.com.br"_qs)), QString());
        QCOMPARE(CardFooter::text(item(ClipKind::Color, u"#5B8DEF"_qs)), u"#5B8DEF"_qs);

        QCOMPARE(CardFooter::text(item(ClipKind::Image, u"Imagem 4000 × 3000"_qs, 1'234'567)),
                 u"4000 × 3000 · 1,2 MB"_qs);
        QCOMPARE(CardFooter::text(item(ClipKind::Pdf, u"PDF · 3 páginas"_qs, 240'000)),
                 u"3 páginas · 240 KB"_qs);
    }

    void footersOfFileCards()
    {
        const QString report = dir.filePath(u"relatório.txt"_qs);
        const QString photo = dir.filePath(u"foto.png"_qs);
        const QString empty = dir.filePath(u"vazio"_qs);
        const QString folder = dir.filePath(u"pasta"_qs);
        const QString bare = dir.filePath(u"Makefile"_qs);
        const QString zero = dir.filePath(u"zero.md"_qs);
        QVERIFY(writeFile(report, 2500) && writeFile(photo, 1500) && writeFile(bare, 0) &&
                writeFile(zero, 0));
        QVERIFY(QDir(dir.path()).mkpath(u"vazio"_qs) && QDir(dir.path()).mkpath(u"pasta/sub"_qs));
        QVERIFY(writeFile(folder + u"/a.txt"_qs, 1) && writeFile(folder + u"/.oculto"_qs, 1));

        QCOMPARE(CardFooter::text(item(ClipKind::File, report)), u"3 KB"_qs);
        QCOMPARE(CardFooter::fileName(item(ClipKind::File, report)), u"relatório.txt"_qs);
        QCOMPARE(CardFooter::text(item(ClipKind::File, dir.filePath(u"sumiu.pdf"_qs))),
                 u"Arquivo não encontrado"_qs);
        // Hidden entries are not counted.
        QCOMPARE(CardFooter::text(item(ClipKind::File, empty)), u"0 itens"_qs);
        QCOMPARE(CardFooter::text(item(ClipKind::File, folder)), u"2 itens"_qs);
        // Without a size: the extension, or nothing.
        QCOMPARE(CardFooter::text(item(ClipKind::File, zero)), u"MD"_qs);
        QCOMPARE(CardFooter::text(item(ClipKind::File, bare)), QString());

        QCOMPARE(CardFooter::text(item(ClipKind::File, report + u'\n' + photo)),
                 u"2 arquivos · 4 KB"_qs);
        // Files that are all gone have no size to add.
        QCOMPARE(CardFooter::text(item(ClipKind::File, u"/nada/a\n/nada/b\n/nada/c"_qs)),
                 u"3 arquivos"_qs);
    }

    void extensionBadges()
    {
        QCOMPARE(ExtBadge::text(u"/tmp/notas.markdown"_qs), u"MARKD"_qs);
        QCOMPARE(ExtBadge::text(u"/tmp/arquivo.tar.gz"_qs), u"GZ"_qs);
        QCOMPARE(ExtBadge::text(u"/tmp/v1.2/LEIAME"_qs), QString());
        // The badge wears the colour of the file's category.
        QCOMPARE(ExtBadge::tint(u"/nada/filme.mp4"_qs), FileCategories::tint(FileCategory::Video));
    }
};

QTEST_GUILESS_MAIN(TestCardTexts)
#include "tst_cardtexts.moc"
