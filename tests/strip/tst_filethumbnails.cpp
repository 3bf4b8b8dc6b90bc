// Previews of the files on file cards: the desktop's shared thumbnail cache when its entry is
// still valid, else pictures made here for images, PDF documents and text; keyed by path and
// modification time so a changed file is previewed again.

#include "strip/FileThumbnails.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QImage solid(QSize size, const QColor &color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 v)
{
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return QByteArray(b, 4);
}

// A PNG with text chunks as thumbnailers write them (Qt's writer cannot write "::" keys).
QByteArray pngWithText(const QImage &image, const QList<std::pair<QByteArray, QByteArray>> &text)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray chunks;
    for (const auto &[key, value] : text) {
        const QByteArray body = "tEXt" + key + '\0' + value;
        chunks += bigEndian(quint32(body.size() - 4)) + body + bigEndian(crc32(body));
    }
    constexpr int kAfterHeader = 8 + 25; // signature, then the IHDR chunk
    return png.insert(kAfterHeader, chunks);
}

bool setModified(const QString &path, double seconds)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) &&
           f.setFileTime(QDateTime::fromMSecsSinceEpoch(qint64(seconds * 1000)),
                         QFileDevice::FileModificationTime);
}

} // namespace

class TestFileThumbnails : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString cacheHome;

    QString file(const QString &name) const { return dir.filePath(name); }

    // The shared cache's entry for a file, as file managers write it.
    void share(const QString &path, const QImage &image, const QString &mtime)
    {
        const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
        const QString name =
            QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex());
        QDir().mkpath(cacheHome + u"/thumbnails/large"_qs);
        QFile out(cacheHome + u"/thumbnails/large/"_qs + name + u".png"_qs);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(pngWithText(image, {{"Thumb::URI", uri}, {"Thumb::MTime", mtime.toLatin1()}}));
    }

private Q_SLOTS:
    void initTestCase() { cacheHome = dir.filePath(u"cache"_qs); }

    void keysFollowTheModificationTime()
    {
        const QString path = file(u"a.txt"_qs);
        QVERIFY(solid({4, 4}, Qt::red).save(path, "PNG"));
        QVERIFY(setModified(path, 1'700'000'000.5));
        QCOMPARE(FileThumbnails::key(path), path + u"|1700000000.5"_qs);
        QVERIFY(setModified(path, 1'700'000'123));
        QCOMPARE(FileThumbnails::key(path), path + u"|1700000123"_qs);
        QCOMPARE(FileThumbnails::key(file(u"nada"_qs)), file(u"nada"_qs) + u"|0"_qs);
    }

    void theSharedCacheComesFirstWhileValid()
    {
        const QString path = file(u"foto.png"_qs);
        QVERIFY(solid({800, 600}, Qt::blue).save(path));
        QVERIFY(setModified(path, 1'600'000'000));
        FileThumbnails thumbs(cacheHome);

        share(path, solid({256, 192}, Qt::green), u"1600000000"_qs);
        QVERIFY(thumbs.fromSharedCache(path));
        QCOMPARE(thumbs.fromSharedCache(path)->pixelColor(5, 5), QColor(Qt::green));
        const QImage image = thumbs.thumbnail(path, FileThumbnails::key(path));
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::green));

        // An entry written for an older version of the file is stale: the file itself is
        // previewed instead.
        share(path, solid({256, 192}, Qt::green), u"1500000000"_qs);
        QVERIFY(!thumbs.fromSharedCache(path));
        QVERIFY(setModified(path, 1'600'000'500));
        const QImage fresh = thumbs.thumbnail(path, FileThumbnails::key(path));
        QCOMPARE(fresh.pixelColor(5, 5), QColor(Qt::blue));
    }

    void previewsMadeHere()
    {
        FileThumbnails thumbs{QString()}; // no shared cache

        const QString photo = file(u"grande.jpg"_qs);
        QVERIFY(solid({4000, 3000}, QColor(200, 80, 40)).save(photo, "JPEG"));
        const QImage image = thumbs.thumbnail(photo, FileThumbnails::key(photo));
        QCOMPARE(std::max(image.width(), image.height()), 440);
        QCOMPARE(image.size(), QSize(440, 330));

        const QString pdf = file(u"doc.pdf"_qs);
        {
            QPdfWriter writer(pdf);
            QPainter p(&writer);
            p.drawText(100, 100, u"Olá"_qs);
        }
        const QImage page = thumbs.thumbnail(pdf, FileThumbnails::key(pdf));
        QVERIFY(!page.isNull());
        QVERIFY(page.height() > page.width()); // an upright page
        QCOMPARE(page.pixelColor(2, 2), QColor(Qt::white));

        const QString notes = file(u"notas.md"_qs);
        QFile text(notes);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("# Título\n\nlinha\n");
        text.close();
        QVERIFY(!thumbs.thumbnail(notes, FileThumbnails::key(notes)).isNull());

        // Kinds without a preview, damaged files, folders and missing files keep their icon.
        const QString broken = file(u"quebrada.png"_qs);
        QFile junk(broken);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a picture");
        junk.close();
        const QString binary = file(u"dados.txt"_qs);
        QFile bin(binary);
        QVERIFY(bin.open(QIODevice::WriteOnly));
        bin.write(QByteArray("abc\0def", 7));
        bin.close();
        for (const QString &none :
             {broken, binary, file(u"proposta.docx"_qs), dir.path(), file(u"sumiu.jpg"_qs)})
            QVERIFY2(thumbs.thumbnail(none, FileThumbnails::key(none)).isNull(), qPrintable(none));
    }

    void previewsAreKeptByKey()
    {
        FileThumbnails thumbs{QString()};
        const QString path = file(u"muda.png"_qs);
        QVERIFY(solid({100, 100}, Qt::red).save(path));
        QVERIFY(setModified(path, 1'700'000'000));
        const QString first = FileThumbnails::key(path);
        QCOMPARE(thumbs.thumbnail(path, first).pixelColor(1, 1), QColor(Qt::red));
        QVERIFY(thumbs.cached(first).pixelColor(1, 1) == QColor(Qt::red));

        QVERIFY(solid({100, 100}, Qt::yellow).save(path));
        QVERIFY(setModified(path, 1'700'000'010));
        const QString second = FileThumbnails::key(path);
        QVERIFY(second != first);
        QCOMPARE(thumbs.thumbnail(path, second).pixelColor(1, 1), QColor(Qt::yellow));
        QVERIFY(thumbs.cached(u"nothing|0"_qs).isNull());
    }
};

QTEST_MAIN(TestFileThumbnails)
#include "tst_filethumbnails.moc"
